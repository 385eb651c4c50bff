#include "catalogue/output.h"

#include <string>

#include "catalogue/catalogue.h"
#include "toolkit/toolkit.h"

// 0xFFFF is the broadcast handle: a paste sent there would reach every top-level window.
static const int32_t BROADCAST_HANDLE = 0xFFFF;

// The texts of the ticked rows, in row order, joined by "|". *anyTicked tells a single ticked empty
// row (text "") from no ticked row.
static std::string TickedEntriesText(bool* anyTicked) {
    std::string result;
    bool any = false;
    int count = ItemCount(ENTRY_LIST);
    for (int row = 0; row < count; row++) {
        if (!(ItemState(ENTRY_LIST, row) & ItemChecked)) continue;
        if (any) result += '|';
        result += ItemText(ENTRY_LIST, row, 0);
        any = true;
    }
    if (anyTicked) *anyTicked = any;
    return result;
}

static SendResult CopiedInstead(PasteOutcome pasted) {
    switch (pasted) {
    case PASTE_NO_ANSWER:
        return SEND_COPIED_NO_ANSWER;
    case PASTE_READ_ONLY:
        return SEND_COPIED_READ_ONLY;
    default:
        return SEND_COPIED_NO_EDITOR;
    }
}

SendResult SendSelection(SendDestination to, int32_t editorHandle) {
    bool anyTicked = false;
    std::string text = TickedEntriesText(&anyTicked);
    if (!anyTicked) return SEND_NOTHING_TICKED;
    if (to != SEND_TO_EDITOR) return ClipboardSetText(text.c_str()) ? SEND_COPIED : SEND_CLIPBOARD_REFUSED;
    PasteOutcome pasted = PASTE_NO_WINDOW;
    // A hung IDE must not hang the tool: the paste gives up after the time-out.
    if (editorHandle != 0 && editorHandle != BROADCAST_HANDLE)
        pasted = WindowReplaceSelection((PlatformHandle)editorHandle, text.c_str(), PASTE_TIMEOUT_MS);
    if (pasted == PASTE_LANDED) return SEND_PASTED;
    // The text is not lost: it waits on the clipboard.
    return ClipboardSetText(text.c_str()) ? CopiedInstead(pasted) : SEND_NOTHING_DELIVERED;
}

const char* SendResultMessage(SendResult result) {
    switch (result) {
    case SEND_COPIED_NO_EDITOR:
        return "The IDE's editor window could not be found, so the text was put on the clipboard instead.";
    case SEND_COPIED_NO_ANSWER:
        return "The IDE's editor did not answer, so the text was put on the clipboard instead.";
    case SEND_COPIED_READ_ONLY:
        return "The IDE's document is read-only, so the text was put on the clipboard instead.";
    case SEND_CLIPBOARD_REFUSED:
        return "Another program is holding the clipboard, so the text was not copied; please try again.";
    case SEND_NOTHING_DELIVERED:
        return "The IDE's editor did not take the text and another program is holding the clipboard, so "
               "nothing was sent; please try again.";
    default:
        return nullptr;
    }
}

bool SendResultKeepsTheTool(SendResult result) {
    return result == SEND_CLIPBOARD_REFUSED || result == SEND_NOTHING_DELIVERED;
}
