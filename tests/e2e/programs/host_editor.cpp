// Stands in for the IDE in end-to-end tests: a frame window with a child editor control, as the
// IDE's editor would be. Writes the editor's window handle (decimal) to a file so that the test can
// hand it to the tool in "ZQ_TOOL_Scintilla", then runs until it is closed or its time is up.
//
//   host_editor.exe HANDLE_FILE [TEXT [SELECTION_START SELECTION_END [hang]]]
//
// With "hang" it stops answering messages once the handle is written, as a hung IDE would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static const DWORD LIFETIME_MS = 180000;  // never outlives a stuck test

static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        HWND editor = GetDlgItem(window, 1);
        if (editor) MoveWindow(editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const char* handleFile = argv[1];
    const char* text = argc > 2 ? argv[2] : "";
    int selectionStart = argc > 4 ? atoi(argv[3]) : 0;
    int selectionEnd = argc > 4 ? atoi(argv[4]) : 0;
    bool hang = argc > 5 && std::string(argv[5]) == "hang";

    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "HostEditorFrame";
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, "HostEditorFrame", "Host IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400,
                                 300, nullptr, nullptr, wc.hInstance, nullptr);
    HWND editor = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text,
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL,
                                  0, 0, 380, 260, frame, (HMENU)1, wc.hInstance, nullptr);
    if (!frame || !editor) return 3;
    SendMessageA(editor, EM_SETSEL, (WPARAM)selectionStart, (LPARAM)selectionEnd);

    std::string temporary = std::string(handleFile) + ".part";
    FILE* f = fopen(temporary.c_str(), "wb");
    if (!f) return 4;
    fprintf(f, "%lld", (long long)(INT_PTR)editor);
    fclose(f);
    MoveFileExA(temporary.c_str(), handleFile, MOVEFILE_REPLACE_EXISTING);

    if (hang) {
        Sleep(LIFETIME_MS);
        return 0;
    }
    SetTimer(frame, 1, LIFETIME_MS, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == frame) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
