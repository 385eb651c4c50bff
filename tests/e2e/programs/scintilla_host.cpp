// Stands in for the IDE with a Scintilla editor: a frame window titled "Orvane Test Scintilla Host"
// with a child of class "Scintilla" registered as a Unicode window, as the real control registers
// itself. Like the real control it reads the text of EM_REPLACESEL and SCI_REPLACESEL as bytes in its
// document's encoding, so a text the system converted to UTF-16 on the way shows as its first
// character; it answers SCI_GETCODEPAGE with the code page it was given, and SCI_GETSELECTIONSTART,
// SCI_GETSELECTIONEND and SCI_GETSELTEXT (the bytes and a zero copied to the address given in its own
// memory; their count, also for a null address, as newer versions of the control answer). It is far
// simpler than the real control otherwise: one selection (the real one may hold several, whose text
// SCI_GETSELTEXT joins), no drawing, no undo, no other messages.
//   scintilla_host.exe TEXT SEL_START SEL_END CODE_PAGE DOCUMENT_FILE [hang] [readonly]
// After every change it writes its whole document, byte for byte, to DOCUMENT_FILE. With "hang" it
// stops taking messages when asked to paste, as a hung IDE does. With "readonly" its document is
// read-only from the start: it answers SCI_GETREADONLY with 1 and ignores a paste, as the real
// control does (which also refuses typing, and can be switched with SCI_SETREADONLY; this one
// cannot). It never outlives 60 seconds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "program_window.h"

static const UINT SCI_REPLACESEL = 2170;
static const UINT SCI_GETCODEPAGE = 2137;
static const UINT SCI_GETSELECTIONSTART = 2143;
static const UINT SCI_GETSELECTIONEND = 2145;
static const UINT SCI_GETSELTEXT = 2161;
static const UINT SCI_GETREADONLY = 2140;
static const DWORD LIFETIME_MS = 60000;

static std::string g_document;
static size_t g_selStart = 0, g_selEnd = 0;
static int g_codePage = 0;
static const char* g_documentPath = "";
static bool g_hang = false;
static bool g_readOnly = false;

static void SaveDocument() {
    FILE* f = fopen(g_documentPath, "wb");
    if (!f) return;
    fwrite(g_document.data(), 1, g_document.size(), f);
    fclose(f);
}

static LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SCI_GETCODEPAGE:
        return g_codePage;
    case SCI_GETSELECTIONSTART:
        return (LRESULT)g_selStart;
    case SCI_GETSELECTIONEND:
        return (LRESULT)g_selEnd;
    case SCI_GETSELTEXT:
        if (lParam) {
            memcpy((char*)lParam, g_document.data() + g_selStart, g_selEnd - g_selStart);
            ((char*)lParam)[g_selEnd - g_selStart] = '\0';
        }
        return (LRESULT)(g_selEnd - g_selStart);
    case SCI_GETREADONLY:
        return g_readOnly;
    case EM_REPLACESEL:
    case SCI_REPLACESEL: {
        if (g_hang) {
            Sleep(LIFETIME_MS);
            ExitProcess(0);
        }
        if (g_readOnly) return 0;
        std::string text = lParam ? (const char*)lParam : "";
        g_document.replace(g_selStart, g_selEnd - g_selStart, text);
        g_selStart = g_selEnd = g_selStart + text.size();
        SaveDocument();
        return 0;
    }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return EndsWithTheWindow(window, message) ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 6) return 2;
    g_document = __argv[1];
    g_selEnd = std::min(g_document.size(), (size_t)atoi(__argv[3]));
    g_selStart = std::min(g_selEnd, (size_t)atoi(__argv[2]));
    g_codePage = atoi(__argv[4]);
    g_documentPath = __argv[5];
    for (int i = 6; i < __argc; i++) {
        g_hang = g_hang || lstrcmpA(__argv[i], "hang") == 0;
        g_readOnly = g_readOnly || lstrcmpA(__argv[i], "readonly") == 0;
    }
    SaveDocument();

    WNDCLASSW editorClass = {};
    editorClass.lpfnWndProc = EditorProc;
    editorClass.hInstance = instance;
    editorClass.lpszClassName = L"Scintilla";
    if (!RegisterClassW(&editorClass)) return 2;
    HWND frame = CreateProgramWindow(instance, "OrvaneTestScintillaHost", HostProc, COLOR_WINDOW, "",
                                     WS_OVERLAPPEDWINDOW, 40, 40, 400, 200);
    HWND editor = frame ? CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 380, 150, frame,
                                          (HMENU)1, instance, nullptr)
                        : nullptr;
    if (!editor) return 2;
    // The title last: whoever finds the frame by it finds the editor in it too.
    SetWindowTextA(frame, "Orvane Test Scintilla Host");
    ShowWindow(frame, SW_SHOW);
    SetTimer(frame, 1, LIFETIME_MS, nullptr);
    return RunMessageLoop();
}
