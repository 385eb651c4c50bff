// Pasting into an editor window of another process. Edit and rich edit controls take EM_REPLACESEL,
// whose text the system copies across and converts for a Unicode window. A Scintilla control is a
// Unicode window that reads that text as bytes in its document's encoding, so the converted text
// arrives cut after its first character; it is given its own SCI_REPLACESEL instead, whose text is
// never marshalled and so must lie in the editor's process.
#include <string>

#include "toolkit/foreign_editor.h"
#include "toolkit/out_of_memory.h"
#include "toolkit/toolkit.h"

static const UINT SCI_REPLACESEL = 2170;
static const UINT SCI_GETREADONLY = 2140;

// Sends one message of the paste within its deadline. PASTE_LANDED when it was handled;
// PASTE_NO_WINDOW when the window went away meanwhile.
static PasteOutcome SendWithin(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                               const Deadline& deadline, DWORD_PTR* answer) {
    if (SendBefore(target, message, wParam, lParam, deadline, answer)) return PASTE_LANDED;
    return IsWindow(target) ? PASTE_NO_ANSWER : PASTE_NO_WINDOW;
}

// Places the text in the editor's process and sends SCI_REPLACESEL with its address there. The
// memory is freed once the editor has handled the message; after a time-out it stays, since the
// editor may still read it when it wakes up. *fallback is set when that process cannot be written
// to, and nothing was sent.
static PasteOutcome PasteIntoScintilla(HWND target, const char* text, const Deadline& deadline,
                                       bool* fallback) {
    DWORD_PTR codePage = 0;
    PasteOutcome asked = SendWithin(target, SCI_GETCODEPAGE, 0, 0, deadline, &codePage);
    if (asked != PASTE_LANDED) return asked;
    std::string bytes = (LRESULT)codePage == SCINTILLA_UTF8 ? AnsiToUtf8(text) : std::string(text);

    *fallback = true;
    RemoteBuffer remote;
    if (!RemoteBufferOpen(target, PROCESS_VM_OPERATION | PROCESS_VM_WRITE, bytes.size() + 1, &remote))
        return PASTE_NO_ANSWER;
    PasteOutcome result = PASTE_NO_ANSWER;
    SIZE_T written = 0;
    if (WriteProcessMemory(remote.process, remote.address, bytes.c_str(), bytes.size() + 1, &written) &&
        written == bytes.size() + 1) {
        *fallback = false;
        DWORD_PTR answer = 0;
        result = SendWithin(target, SCI_REPLACESEL, 0, (LPARAM)remote.address, deadline, &answer);
    }
    RemoteBufferClose(&remote, *fallback || result != PASTE_NO_ANSWER);
    return result;
}

PasteOutcome WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs) {
    HWND target = (HWND)window;
    Deadline deadline = DeadlineIn(timeoutMs);
    if (!target || !IsWindow(target)) return PASTE_NO_WINDOW;
    if (!text) text = "";
    DWORD_PTR answer = 0;
    if (IsScintillaWindow(target)) {
        // A read-only document ignores a paste: it is asked first and sent nothing.
        DWORD_PTR readOnly = 0;
        PasteOutcome asked = SendWithin(target, SCI_GETREADONLY, 0, 0, deadline, &readOnly);
        if (asked != PASTE_LANDED) return asked;
        if (readOnly) return PASTE_READ_ONLY;
        bool fallback = false;
        // Without memory for the text's copy nothing was sent.
        PasteOutcome pasted = FailOnNoMemory(
            PASTE_NO_ANSWER, [&] { return PasteIntoScintilla(target, text, deadline, &fallback); });
        if (!fallback) return pasted;
    }
    return SendWithin(target, EM_REPLACESEL, 0, (LPARAM)text, deadline, &answer);
}
