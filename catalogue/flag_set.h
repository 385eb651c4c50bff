// The flag set selected in the IDE's editor, such as "MB_OK | MB_ICONERROR", comes ticked in the
// entry list at start, so that a paste changes the set rather than starting it anew.
#pragma once

#include <cstdint>
#include <string>

// The longest selection taken, and how long the editor may take to give it.
constexpr int FLAG_SET_MAX_BYTES = 4096;
constexpr int SELECTION_READ_TIMEOUT_MS = 500;

// Splits the text at "|" and trims blanks (space, tab, CR, LF) from each part. When every part is
// non-empty and equals the text of a row of the entry list, ticks the first row of each text and
// returns true; otherwise ticks nothing, so that a paste never drops a part the list does not show.
bool TickFlagSet(const std::string& selection);

// Ticks the selection of the editor window editorHandle (0: none) as TickFlagSet does.
void TickEditorFlagSet(int32_t editorHandle);
