// Plain ANSI text on the system clipboard (CF_TEXT). The clipboard is opened and closed within
// each call, since other programs share it; writing opens it with a window of the tool.
#include "toolkit/toolkit_internal.h"

#include <cstring>

// The window the clipboard is opened with for writing: the lowest-numbered window of the tool,
// which is the main window whenever it is open. Emptying a clipboard opened without a window can
// make the system refuse the new text.
static HWND ClipboardWindow() {
    for (const WindowSlot& slot : WindowTable.slots)
        if (slot.handle) return slot.handle;
    return nullptr;
}

// Another program may hold the clipboard open for a moment: opening is tried this often, this far
// apart (about a second in all).
static const int OPEN_TRIES = 40;
static const DWORD OPEN_RETRY_MS = 25;

static bool OpenClipboardForWriting() {
    for (int attempt = 0; attempt < OPEN_TRIES; attempt++) {
        if (attempt > 0) Sleep(OPEN_RETRY_MS);
        if (OpenClipboard(ClipboardWindow())) return true;
    }
    return false;
}

bool ClipboardSetText(const char* text) {
    if (!text) text = "";
    if (!OpenClipboardForWriting()) return false;
    size_t length = strlen(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
    char* copy = memory ? (char*)GlobalLock(memory) : nullptr;
    if (!copy) {
        if (memory) GlobalFree(memory);
        CloseClipboard(); // the clipboard keeps what it had
        return false;
    }
    memcpy(copy, text, length + 1);
    GlobalUnlock(memory);
    EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);
    CloseClipboard();
    return placed;
}

std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "";
    std::string text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* chars = data ? (const char*)GlobalLock(data) : nullptr;
    if (chars) {
        // The text ends at its zero, but never beyond the memory block.
        size_t limit = GlobalSize(data);
        const void* zero = memchr(chars, 0, limit);
        FailOnNoMemory([&] { text.assign(chars, zero ? (size_t)((const char*)zero - chars) : limit); });
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
