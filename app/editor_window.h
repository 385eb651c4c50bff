// The catalogue editor: the catalogue file as plain text, with Save, Cancel, Find and a
// Cut / Copy / Paste menu. Runs its own event loop until the window is to close.
#pragma once

#include <string>

// True when a close request for the main window closed it: the tool is to end.
bool EditCatalogue();

// True while the editor is open with changes not saved.
bool EditorHoldsChanges();

// Searches the editor's lines from the first one for the text (ASCII letters folded). Every match
// moves the caret nine lines below it; the first match after startLine ends the search and gives
// its line. Without one, gives FIND_NOT_FOUND, which lies before the first line; it tells the user
// nothing.
int FindInEditor(const std::string& searchText, int startLine);

constexpr int FIND_NOT_FOUND = -1;
