// The tool's output: the ticked entries of the list, joined by "|", pasted into the IDE's editor
// or put on the clipboard.
#pragma once

#include <cstdint>

// How long a paste waits for the IDE's editor before giving up.
constexpr int PASTE_TIMEOUT_MS = 5000;

// toClipboard 0: replaces the selection of the editor window editorHandle (the IDE's handle as a
// 32-bit number; 0 for none) with the text; otherwise puts the text on the clipboard. With nothing
// ticked nothing is sent and the clipboard stays.
void SendSelection(int toClipboard, int32_t editorHandle);
