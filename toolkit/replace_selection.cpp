// Pasting into an editor window of another process. Edit and rich edit controls take EM_REPLACESEL,
// whose text the system copies across and converts for a Unicode window. A Scintilla control is a
// Unicode window that reads that text as bytes in its document's encoding, so the converted text
// arrives cut after its first character; it is given its own SCI_REPLACESEL instead, whose text is
// never marshalled and so must lie in the editor's process.
#include <string>

#include "toolkit/foreign_editor.h"
#include "toolkit/toolkit.h"

static const UINT SCI_REPLACESEL = 2170;

enum ScintillaPaste { PASTE_DONE, PASTE_NOT_DELIVERED, PASTE_NEEDS_FALLBACK };

// Places the text in the editor's process and sends SCI_REPLACESEL with its address there. The
// memory is freed once the editor has handled the message; after a time-out it stays, since the
// editor may still read it when it wakes up.
static ScintillaPaste PasteIntoScintilla(HWND target, const char* text, const Deadline& deadline) {
    DWORD_PTR codePage = 0;
    if (!SendBefore(target, SCI_GETCODEPAGE, 0, 0, deadline, &codePage)) return PASTE_NOT_DELIVERED;
    std::string bytes = (LRESULT)codePage == SCINTILLA_UTF8 ? AnsiToUtf8(text) : std::string(text);

    RemoteBuffer remote;
    if (!RemoteBufferOpen(target, PROCESS_VM_OPERATION | PROCESS_VM_WRITE, bytes.size() + 1, &remote))
        return PASTE_NEEDS_FALLBACK;
    ScintillaPaste result = PASTE_NEEDS_FALLBACK;
    SIZE_T written = 0;
    if (WriteProcessMemory(remote.process, remote.address, bytes.c_str(), bytes.size() + 1, &written) &&
        written == bytes.size() + 1) {
        DWORD_PTR answer = 0;
        result = SendBefore(target, SCI_REPLACESEL, 0, (LPARAM)remote.address, deadline, &answer)
                     ? PASTE_DONE
                     : PASTE_NOT_DELIVERED;
    }
    RemoteBufferClose(&remote, result != PASTE_NOT_DELIVERED);
    return result;
}

bool WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs) {
    HWND target = (HWND)window;
    if (!target || !IsWindow(target)) return false;
    if (!text) text = "";
    Deadline deadline = DeadlineIn(timeoutMs);
    if (IsScintillaWindow(target)) {
        ScintillaPaste pasted = PasteIntoScintilla(target, text, deadline);
        if (pasted != PASTE_NEEDS_FALLBACK) return pasted == PASTE_DONE;
    }
    DWORD_PTR answer = 0;
    return SendBefore(target, EM_REPLACESEL, 0, (LPARAM)text, deadline, &answer);
}
