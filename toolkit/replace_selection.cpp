// Pasting into an editor window of another process. Edit and rich edit controls take EM_REPLACESEL,
// whose text the system copies across and converts for a Unicode window. A Scintilla control is a
// Unicode window that reads that text as bytes in its document's encoding, so the converted text
// arrives cut after its first character; it is given its own SCI_REPLACESEL instead, whose text is
// never marshalled and so must lie in the editor's process.
#include <windows.h>

#include <string>

#include "toolkit/toolkit.h"

static const UINT SCI_REPLACESEL = 2170;
static const UINT SCI_GETCODEPAGE = 2137;
static const LRESULT SCINTILLA_UTF8 = 65001;

static bool IsScintillaWindow(HWND window) {
    char name[32] = "";
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, "Scintilla") == 0;
}

// The ANSI text as UTF-8; "" when it cannot be converted.
static std::string AnsiToUtf8(const char* text) {
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wideLength <= 0) return "";
    std::wstring wide((size_t)wideLength, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return "";
    std::string utf8((size_t)length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], length, nullptr, nullptr);
    utf8.resize((size_t)length - 1);
    return utf8;
}

// Sends a message that may cross into a hung process: gives up after the time-out, and at once on a
// thread that does not answer at all. False when it was not handled.
static bool SendWithin(HWND target, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                       DWORD_PTR* answer) {
    return SendMessageTimeoutA(target, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs,
                               answer) != 0;
}

enum ScintillaPaste { PASTE_DONE, PASTE_NOT_DELIVERED, PASTE_NEEDS_FALLBACK };

// Places the text in the editor's process and sends SCI_REPLACESEL with its address there. The
// memory is freed once the editor has handled the message; after a time-out it stays, since the
// editor may still read it when it wakes up.
static ScintillaPaste PasteIntoScintilla(HWND target, const char* text, DWORD timeoutMs) {
    DWORD started = GetTickCount();
    DWORD_PTR codePage = 0;
    if (!SendWithin(target, SCI_GETCODEPAGE, 0, 0, timeoutMs, &codePage)) return PASTE_NOT_DELIVERED;
    std::string bytes = (LRESULT)codePage == SCINTILLA_UTF8 ? AnsiToUtf8(text) : std::string(text);

    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return PASTE_NEEDS_FALLBACK;
    ScintillaPaste result = PASTE_NEEDS_FALLBACK;
    void* remote =
        VirtualAllocEx(process, nullptr, bytes.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote) {
        SIZE_T written = 0;
        if (WriteProcessMemory(process, remote, bytes.c_str(), bytes.size() + 1, &written) &&
            written == bytes.size() + 1) {
            DWORD spent = GetTickCount() - started;
            DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
            DWORD_PTR answer = 0;
            result = SendWithin(target, SCI_REPLACESEL, 0, (LPARAM)remote, left, &answer)
                         ? PASTE_DONE
                         : PASTE_NOT_DELIVERED;
        }
        if (result != PASTE_NOT_DELIVERED) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

bool WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs) {
    HWND target = (HWND)window;
    if (!target || !IsWindow(target)) return false;
    if (!text) text = "";
    DWORD limit = timeoutMs < 0 ? 0 : (DWORD)timeoutMs;
    if (IsScintillaWindow(target)) {
        ScintillaPaste pasted = PasteIntoScintilla(target, text, limit);
        if (pasted != PASTE_NEEDS_FALLBACK) return pasted == PASTE_DONE;
    }
    DWORD_PTR answer = 0;
    return SendWithin(target, EM_REPLACESEL, 0, (LPARAM)text, limit, &answer);
}
