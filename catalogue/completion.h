// Inline completion of a category name typed into an editable combo box.
#pragma once

// The gadget of the last successful completion (0 after a search that found nothing), and the
// typed length at that completion, lowered while the user deletes after it.
extern int CompletionGadget;
extern int CompletionLength;

// Completes the combo box's text to the first item (in the list's order) that begins with it,
// ignoring case as UpperLatin1 folds it, and selects the completed rest. Does nothing while the
// text only shrinks or stays after a completion, so that deleting works.
void AutoCompleteCategory(int gadget);
