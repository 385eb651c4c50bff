// Reading the selection of an editor window of another process as ANSI text. A Scintilla control
// is asked with its own messages, which carry no text across processes: it copies the selected
// bytes into memory that is placed in its process for the purpose, and they are read from there.
// Every other window is asked with EM_GETSEL and WM_GETTEXT, which the system carries across.
#include <string>
#include <vector>

#include "toolkit/foreign_editor.h"
#include "toolkit/out_of_memory.h"
#include "toolkit/toolkit.h"

static const UINT SCI_GETSELECTIONSTART = 2143;
static const UINT SCI_GETSELECTIONEND = 2145;
static const UINT SCI_GETSELTEXT = 2161;

static std::string ReadScintillaSelection(HWND target, int maxBytes, const Deadline& deadline) {
    DWORD_PTR codePage = 0, start = 0, end = 0, needed = 0, answer = 0;
    if (!SendBefore(target, SCI_GETCODEPAGE, 0, 0, deadline, &codePage) ||
        !SendBefore(target, SCI_GETSELECTIONSTART, 0, 0, deadline, &start) ||
        !SendBefore(target, SCI_GETSELECTIONEND, 0, 0, deadline, &end))
        return "";
    LONG_PTR length = (LONG_PTR)end - (LONG_PTR)start;
    if (length <= 0 || length > maxBytes) return "";
    // What a copy of the selection needs: its length, with or without the closing zero as versions
    // of the control differ. Any other size means several selections, which would not fit.
    if (!SendBefore(target, SCI_GETSELTEXT, 0, 0, deadline, &needed) ||
        (needed != (DWORD_PTR)length && needed != (DWORD_PTR)length + 1))
        return "";

    RemoteBuffer remote;
    if (!RemoteBufferOpen(target, PROCESS_VM_OPERATION | PROCESS_VM_READ, (size_t)length + 1, &remote))
        return "";
    std::string bytes((size_t)length, '\0');
    bool answered = SendBefore(target, SCI_GETSELTEXT, 0, (LPARAM)remote.address, deadline, &answer);
    SIZE_T read = 0;
    bool copied = answered &&
                  ReadProcessMemory(remote.process, remote.address, &bytes[0], bytes.size(), &read) &&
                  read == bytes.size();
    RemoteBufferClose(&remote, answered);
    if (!copied) return "";

    std::string ansi;
    if ((LRESULT)codePage != SCINTILLA_UTF8) return bytes;
    return Utf8ToAnsi(bytes, &ansi) ? ansi : std::string();
}

static std::string ReadEditSelection(HWND target, int maxBytes, const Deadline& deadline) {
    // Without pointers the answer holds the start in its low word and the end in its high word;
    // -1 when either does not fit 16 bits.
    DWORD_PTR range = 0, textLength = 0, copied = 0;
    if (!SendBefore(target, EM_GETSEL, 0, 0, deadline, &range) || range >= 0xFFFFFFFF) return "";
    size_t start = LOWORD(range), end = HIWORD(range);
    if (end <= start || end - start > (size_t)maxBytes) return "";
    if (!SendBefore(target, WM_GETTEXTLENGTH, 0, 0, deadline, &textLength) || textLength < end) return "";
    // The text up to the selection's end only.
    std::vector<char> text(end + 1, '\0');
    if (!SendBefore(target, WM_GETTEXT, (WPARAM)text.size(), (LPARAM)text.data(), deadline, &copied) ||
        copied < end)
        return "";
    return std::string(text.data() + start, end - start);
}

std::string WindowSelectedText(PlatformHandle window, int maxBytes, int timeoutMs) {
    HWND target = (HWND)window;
    // The broadcast handle would put the question to every top-level window.
    if (!target || target == HWND_BROADCAST || !IsWindow(target)) return "";
    Deadline deadline = DeadlineIn(timeoutMs);
    return FailOnNoMemory(std::string(), [&] {
        return IsScintillaWindow(target) ? ReadScintillaSelection(target, maxBytes, deadline)
                                         : ReadEditSelection(target, maxBytes, deadline);
    });
}
