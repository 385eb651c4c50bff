// Text box: left-aligned, wrapping static text with optional colours. It raises no events.
#include "toolkit/toolkit_internal.h"

namespace {

bool TextBoxParentMessage(int, GadgetSlot* g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_CTLCOLORSTATIC) return false;
    return GadgetAnswerBrushColours(g, (HDC)wParam, COLOR_BTNFACE, result);
}

void TextBoxDestroy(int, GadgetSlot* g) {
    if (g->brush) DeleteObject(g->brush);
    g->brush = nullptr;
}

void TextBoxSetColor(int, GadgetSlot* g, int attribute, int32_t colour) {
    GadgetSetBrushColour(g, attribute, colour);
}

GadgetKind MakeTextBoxKind() {
    GadgetKind k = {};
    k.kind = KIND_TEXT_BOX;
    k.parentMessage = TextBoxParentMessage;
    k.destroyHook = TextBoxDestroy;
    k.setColor = TextBoxSetColor;
    return k;
}

} // namespace

const GadgetKind TextBoxKind = MakeTextBoxKind();

PlatformHandle AddTextBox(int number, int x, int y, int width, int height, const char* text, uint32_t flags) {
    DWORD style = flags | WS_CHILD | WS_VISIBLE | WS_GROUP;
    DWORD extended = (flags & TextBorder) ? WS_EX_CLIENTEDGE : 0;
    return (PlatformHandle)GadgetCreate(number, &TextBoxKind, "Static", text, style, extended, x, y, width,
                                        height, nullptr);
}
