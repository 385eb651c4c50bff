// Push button: clicks arrive as WM_COMMAND BN_CLICKED and become EVENT_GADGET of type EVENT_TYPE_CLICK
// (0) by default.
#include "toolkit/toolkit_internal.h"

static_assert(ButtonCaptionWraps == BS_MULTILINE, "button style bits");

namespace {

void ButtonSetState(int, GadgetSlot* g, int state) {
    SendMessageA(g->handle, BM_SETCHECK, (WPARAM)state, 0);
}

GadgetKind MakeButtonKind() {
    GadgetKind k = {};
    k.kind = KIND_BUTTON;
    k.setState = ButtonSetState;
    return k;
}

} // namespace

const GadgetKind ButtonKind = MakeButtonKind();

bool ButtonPressedByReturn(HWND control) {
    int number = -1;
    GadgetSlot* g = GadgetOfControl(control, &number);
    if (!g || g->kind != &ButtonKind || !IsWindowEnabled(control)) return false;
    LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return false;
    // Reported as a click is: the button's notification to its window.
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(number, BN_CLICKED), (LPARAM)control);
    return true;
}

PlatformHandle AddButton(int number, int x, int y, int width, int height, const char* text, uint32_t flags) {
    GadgetCreation creation = {number, {x, y, width, height}, &ButtonKind, "Button"};
    creation.text = text;
    creation.style = flags | WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;
    return (PlatformHandle)GadgetCreate(creation);
}
