// Inline completion of a category name typed into an editable combo box.
#pragma once

#include <string>

// The gadget of the last successful completion (0 after a search that found nothing), and the
// typed length at that completion, lowered while the user deletes after it.
extern int CompletionGadget;
extern int CompletionLength;

// Completes the combo box's text to the first item (in the list's order) that begins with it,
// ignoring case as UpperLatin1 folds it, and selects the completed rest. Does nothing while the
// text only shrinks or stays after a completion, so that deleting works.
void AutoCompleteCategory(int gadget);

// Puts a text that names an item exactly (case included) back into the box, with that item
// current, when the box shows another text. Dropping an editable combo box's list down makes the
// platform show the first item that begins with the box's text, ignoring case.
void KeepExactItem(int gadget, const std::string& named);
