// The tool's output: the ticked entries of the list, joined by "|", pasted into the IDE's editor
// or put on the clipboard.
#pragma once

#include <cstdint>

// How long a paste waits for the IDE's editor before giving up.
constexpr int PASTE_TIMEOUT_MS = 5000;

// What became of the ticked entries.
enum SendResult {
    SEND_NOTHING_TICKED,
    SEND_PASTED,
    SEND_COPIED,
    // The paste did not land; the text went to the clipboard instead.
    SEND_COPIED_NO_EDITOR,  // the handle names no window (or is 0)
    SEND_COPIED_NO_ANSWER,  // the editor did not answer in time
    SEND_COPIED_READ_ONLY,  // the editor's document is read-only
    SEND_CLIPBOARD_REFUSED, // a copy: another program held the clipboard
    SEND_NOTHING_DELIVERED, // a paste that did not land, and the clipboard refused too
};

// Where the ticked entries go: any value but SEND_TO_EDITOR counts as the clipboard.
enum SendDestination : int { SEND_TO_EDITOR = 0, SEND_TO_CLIPBOARD = 1 };
// SEND_TO_EDITOR: replaces the selection of the editor window editorHandle (the IDE's handle as a
// 32-bit number; 0 for none) with the text, and puts the text on the clipboard when that paste does
// not land. SEND_TO_CLIPBOARD: puts the text on the clipboard. With nothing ticked nothing is sent
// and the clipboard stays.
SendResult SendSelection(SendDestination to, int32_t editorHandle);

// The sentence that tells the user what happened when it was not what the button says; null when
// it was.
const char* SendResultMessage(SendResult result);
// True when the text reached neither the editor nor the clipboard, so the tool stays open for
// another try.
bool SendResultKeepsTheTool(SendResult result);
