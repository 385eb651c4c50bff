// Text box: left-aligned, wrapping static text with optional colours. It raises no events.
#include "toolkit/toolkit_internal.h"

namespace {

bool TextBoxParentMessage(int, GadgetSlot* g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_CTLCOLORSTATIC) return false;
    return GadgetAnswerBrushColours(g, (HDC)wParam, COLOR_BTNFACE, result);
}

GadgetKind MakeTextBoxKind() {
    GadgetKind k = {};
    k.kind = KIND_TEXT_BOX;
    k.parentMessage = TextBoxParentMessage;
    k.destroyHook = GadgetReleaseBrush;
    k.setColor = GadgetSetBrushColour;
    return k;
}

} // namespace

const GadgetKind TextBoxKind = MakeTextBoxKind();

PlatformHandle AddTextBox(int number, int x, int y, int width, int height, const char* text, uint32_t flags) {
    GadgetCreation creation = {number, {x, y, width, height}, &TextBoxKind, "Static"};
    creation.text = text;
    creation.style = flags | WS_CHILD | WS_VISIBLE | WS_GROUP;
    creation.extendedStyle = (flags & TextBorder) ? WS_EX_CLIENTEDGE : 0;
    return (PlatformHandle)GadgetCreate(creation);
}
