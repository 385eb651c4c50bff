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
static const UINT SCI_GETREADONLY = 2140;
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

// The messages of one paste share one time bound.
struct PasteTarget {
    HWND window;
    DWORD started;
    DWORD timeoutMs;
};

// Sends a message that may cross into a hung process: gives up once the paste's time is spent, and
// at once on a thread that does not answer at all. PASTE_LANDED when it was handled; PASTE_NO_WINDOW
// when the window went away meanwhile.
static PasteOutcome SendWithin(const PasteTarget& target, UINT message, WPARAM wParam, LPARAM lParam,
                               DWORD_PTR* answer) {
    DWORD spent = GetTickCount() - target.started;
    DWORD left = spent < target.timeoutMs ? target.timeoutMs - spent : 0;
    if (SendMessageTimeoutA(target.window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, left,
                            answer))
        return PASTE_LANDED;
    return IsWindow(target.window) ? PASTE_NO_ANSWER : PASTE_NO_WINDOW;
}

// Places the text in the editor's process and sends SCI_REPLACESEL with its address there. The
// memory is freed once the editor has handled the message; after a time-out it stays, since the
// editor may still read it when it wakes up. *fallback is set when that process cannot be written
// to, and nothing was sent.
static PasteOutcome PasteIntoScintilla(const PasteTarget& target, const char* text, bool* fallback) {
    DWORD_PTR codePage = 0;
    PasteOutcome asked = SendWithin(target, SCI_GETCODEPAGE, 0, 0, &codePage);
    if (asked != PASTE_LANDED) return asked;
    std::string bytes = (LRESULT)codePage == SCINTILLA_UTF8 ? AnsiToUtf8(text) : std::string(text);

    *fallback = true;
    DWORD processId = 0;
    GetWindowThreadProcessId(target.window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return PASTE_NO_ANSWER;
    PasteOutcome result = PASTE_NO_ANSWER;
    void* remote =
        VirtualAllocEx(process, nullptr, bytes.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote) {
        SIZE_T written = 0;
        if (WriteProcessMemory(process, remote, bytes.c_str(), bytes.size() + 1, &written) &&
            written == bytes.size() + 1) {
            *fallback = false;
            DWORD_PTR answer = 0;
            result = SendWithin(target, SCI_REPLACESEL, 0, (LPARAM)remote, &answer);
        }
        if (*fallback || result != PASTE_NO_ANSWER) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

PasteOutcome WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs) {
    PasteTarget target = {(HWND)window, GetTickCount(), timeoutMs < 0 ? 0 : (DWORD)timeoutMs};
    if (!target.window || !IsWindow(target.window)) return PASTE_NO_WINDOW;
    if (!text) text = "";
    DWORD_PTR answer = 0;
    if (IsScintillaWindow(target.window)) {
        // A read-only document ignores a paste: it is asked first and sent nothing.
        DWORD_PTR readOnly = 0;
        PasteOutcome asked = SendWithin(target, SCI_GETREADONLY, 0, 0, &readOnly);
        if (asked != PASTE_LANDED) return asked;
        if (readOnly) return PASTE_READ_ONLY;
        bool fallback = false;
        PasteOutcome pasted = PasteIntoScintilla(target, text, &fallback);
        if (!fallback) return pasted;
    }
    return SendWithin(target, EM_REPLACESEL, 0, (LPARAM)text, &answer);
}
