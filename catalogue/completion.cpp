#include "catalogue/completion.h"

#include <string>

#include "catalogue/text.h"
#include "toolkit/toolkit.h"

int CompletionGadget = 0;
int CompletionLength = 0;

void AutoCompleteCategory(int gadget) {
    std::string typed = UpperLatin1(GadgetText(gadget));
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
        GadgetSetState(gadget, item); // the edit field now holds the item's text in its own case
        ComboBoxSelectEditRange(gadget, typedLength, -1);
        CompletionLength = typedLength;
        CompletionGadget = gadget;
        return;
    }
}
