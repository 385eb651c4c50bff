// Single-line text field. Its own procedure reports gaining and losing the focus; being posted,
// those events arrive after the message that moved the focus.
#include "toolkit/toolkit_internal.h"

namespace {

LRESULT CALLBACK TextFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC next = GadgetOwnProcNext(control);
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        int number = -1;
        if (GadgetOfControl(control, &number))
            GadgetPostEvent(control, number, message == WM_SETFOCUS ? EVENT_TYPE_FOCUS : EVENT_TYPE_UNFOCUS);
    }
    if (message == WM_NCDESTROY) {
        GadgetOwnProcForget(control);
        SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)next);
    }
    if (!next) return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(next, control, message, wParam, lParam);
}

bool TextFieldParentMessage(int, GadgetSlot* g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_CTLCOLOREDIT) return false;
    return GadgetAnswerBrushColours(g, (HDC)wParam, COLOR_BTNHIGHLIGHT, result);
}

GadgetKind MakeTextFieldKind() {
    GadgetKind k = {};
    k.kind = KIND_TEXT_FIELD;
    k.parentMessage = TextFieldParentMessage;
    k.destroyHook = GadgetReleaseBrush;
    k.setColor = GadgetSetBrushColour;
    return k;
}

} // namespace

const GadgetKind TextFieldKind = MakeTextFieldKind();

PlatformHandle AddTextField(int number, int x, int y, int width, int height, const char* text,
                            uint32_t flags) {
    GadgetCreation creation = {number, {x, y, width, height}, &TextFieldKind, "Edit"};
    creation.text = text;
    creation.style = flags | WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
    creation.extendedStyle = (flags & FieldBorderless) ? 0 : WS_EX_CLIENTEDGE;
    creation.ownProc = TextFieldProc;
    return (PlatformHandle)GadgetCreate(creation);
}
