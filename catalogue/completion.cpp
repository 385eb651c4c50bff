#include "catalogue/completion.h"

#include <string>

#include "catalogue/text.h"
#include "toolkit/toolkit.h"

int CompletionGadget = 0;
int CompletionLength = 0;

// The first item from the given one on whose text is the text exactly, case included; -1 for none.
static int ItemNamedExactly(int gadget, int first, const std::string& text) {
    int count = ItemCount(gadget);
    for (int item = first; item < count; item++)
        if (ItemText(gadget, item, 0) == text) return item;
    return -1;
}

void AutoCompleteCategory(int gadget) {
    std::string text = GadgetText(gadget);
    std::string typed = UpperLatin1(text);
    int typedLength = (int)typed.size();

    // Right after a completion the text shrinks or stays while the user deletes or moves about.
    if (gadget == CompletionGadget && typedLength <= CompletionLength) {
        CompletionLength = typedLength;
        return;
    }
    if (typedLength == 0) return;

    CompletionGadget = 0;
    int count = ItemCount(gadget);
    for (int item = 0; item < count; item++) {
        if (UpperLatin1(FirstChars(ItemText(gadget, item, 0), typedLength)) != typed) continue;
        // A text that already names a category is never rewritten, also not to one spelled in
        // another case that comes first (an item the text names matches too, so it stands here or
        // later). It counts as a completion with nothing left to select: deleting works alike.
        if (ItemNamedExactly(gadget, item, text) < 0) {
            GadgetSetState(gadget, item); // the edit field now holds the item's text in its own case
            ComboBoxSelectEditRange(gadget, typedLength, -1);
        }
        CompletionLength = typedLength;
        CompletionGadget = gadget;
        return;
    }
}

void KeepExactItem(int gadget, const std::string& named) {
    if (GadgetText(gadget) == named) return;
    int item = ItemNamedExactly(gadget, 0, named);
    if (item >= 0) GadgetSetState(gadget, item);
}
