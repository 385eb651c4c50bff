#include "catalogue/output.h"

#include <string>

#include "toolkit/toolkit.h"

static const int LIST_GADGET = 2;

// 0xFFFF is the broadcast handle: a paste sent there would reach every top-level window.
static const int32_t BROADCAST_HANDLE = 0xFFFF;

// The texts of the ticked rows, in row order, joined by "|". *anyTicked tells a single ticked empty
// row (text "") from no ticked row.
static std::string TickedEntriesText(bool* anyTicked) {
    std::string result;
    bool any = false;
    int count = ItemCount(LIST_GADGET);
    for (int row = 0; row < count; row++) {
        if (!(ItemState(LIST_GADGET, row) & ItemChecked)) continue;
        if (any) result += '|';
        result += ItemText(LIST_GADGET, row, 0);
        any = true;
    }
    if (anyTicked) *anyTicked = any;
    return result;
}

void SendSelection(int toClipboard, int32_t editorHandle) {
    bool anyTicked = false;
    std::string text = TickedEntriesText(&anyTicked);
    if (!anyTicked) return;
    if (toClipboard) {
        ClipboardSetText(text.c_str());
        return;
    }
    if (editorHandle == 0 || editorHandle == BROADCAST_HANDLE) return;
    // A hung IDE must not hang the tool: the paste gives up after the time-out.
    WindowReplaceSelection((PlatformHandle)editorHandle, text.c_str(), PASTE_TIMEOUT_MS);
}
