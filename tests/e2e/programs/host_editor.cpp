// Stands in for the IDE: a frame window titled "Orvane Test Host" with a child edit control, the
// target of the tool's paste. Tests find the control with FindWindowEx and read its text with
// WM_GETTEXT.
//   host_editor.exe [INITIAL_TEXT] [LIFETIME_SECONDS] [hang]
// It never outlives LIFETIME_SECONDS (default 60). With "hang" its edit control does not answer a
// paste (EM_REPLACESEL): it stops taking messages from then on, as a hung IDE does, until its
// lifetime is over.
#include <cstdlib>

#include "program_window.h"

static HWND g_editor = nullptr;
static WNDPROC g_editProc = nullptr;
static DWORD g_hangMs = 0;

static LRESULT CALLBACK HangingEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_REPLACESEL) {
        Sleep(g_hangMs);
        ExitProcess(0);
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (g_editor) MoveWindow(g_editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (g_editor) SetFocus(g_editor);
        return 0;
    }
    return EndsWithTheWindow(window, message) ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const char* text = __argc > 1 ? __argv[1] : "";
    int lifetimeSeconds = __argc > 2 ? atoi(__argv[2]) : 60;
    bool hang = __argc > 3 && lstrcmpA(__argv[3], "hang") == 0;

    HWND frame = CreateProgramWindow(instance, "OrvaneTestHost", HostProc, COLOR_WINDOW, "",
                                     WS_OVERLAPPEDWINDOW, 20, 20, 480, 300);
    if (!frame) return 2;
    g_editor = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 100,
                               100, frame, (HMENU)1, instance, nullptr);
    if (!g_editor) return 2;
    // The title last: whoever finds the frame by it finds the edit control in it too.
    SetWindowTextA(frame, "Orvane Test Host");
    if (hang) {
        g_hangMs = (DWORD)lifetimeSeconds * 1000;
        g_editProc = (WNDPROC)SetWindowLongPtrA(g_editor, GWLP_WNDPROC, (LONG_PTR)HangingEditProc);
    }
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    SetFocus(g_editor);
    SetTimer(frame, 1, (UINT)lifetimeSeconds * 1000, nullptr);
    return RunMessageLoop();
}
