// Combo box. It has no parent handler: every WM_COMMAND notification becomes EVENT_GADGET with the
// notification code as the event type.
#include "toolkit/toolkit_internal.h"

#include <vector>

static_assert(ComboEditable == CBS_DROPDOWN && ComboAutoScroll == CBS_AUTOHSCROLL && ComboSorted == CBS_SORT,
              "combo box style bits");

namespace {

bool IsEditable(GadgetSlot* g) {
    return (GetWindowLongPtrA(g->handle, GWL_STYLE) & 1) == 0;
}

void ComboSetText(int, GadgetSlot* g, const char* text) {
    if (IsEditable(g)) {
        SetWindowTextA(g->handle, text); // only the edit field; no entry becomes selected
        return;
    }
    if (!*text) {
        SendMessageA(g->handle, CB_SETCURSEL, (WPARAM)-1, 0);
        return;
    }
    LRESULT found = SendMessageA(g->handle, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    if (found != CB_ERR) SendMessageA(g->handle, CB_SETCURSEL, (WPARAM)found, 0);
}

void ComboAddItem(int, GadgetSlot* g, int position, const char* text) {
    if (position < -1) return;
    SendMessageA(g->handle, CB_INSERTSTRING, (WPARAM)position, (LPARAM)text);
}

void ComboClearItems(int, GadgetSlot* g) {
    SendMessageA(g->handle, CB_RESETCONTENT, 0, 0);
    if (IsEditable(g)) SetWindowTextA(g->handle, "");
}

int ComboCountItems(int, GadgetSlot* g) {
    LRESULT count = SendMessageA(g->handle, CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : (int)count;
}

std::string ComboItemText(int, GadgetSlot* g, int item, int) {
    if (item < 0) return "";
    LRESULT length = SendMessageA(g->handle, CB_GETLBTEXTLEN, (WPARAM)item, 0);
    if (length == CB_ERR || length <= 0) return "";
    std::vector<char> buffer((size_t)length + 1, '\0');
    LRESULT copied = SendMessageA(g->handle, CB_GETLBTEXT, (WPARAM)item, (LPARAM)buffer.data());
    if (copied == CB_ERR || copied <= 0) return "";
    if ((size_t)copied > (size_t)length) copied = length;
    return std::string(buffer.data(), (size_t)copied);
}

void ComboSetState(int, GadgetSlot* g, int state) {
    SendMessageA(g->handle, CB_SETCURSEL, (WPARAM)state, 0);
}

int ComboGetState(int, GadgetSlot* g) {
    return (int)SendMessageA(g->handle, CB_GETCURSEL, 0, 0);
}

GadgetKind MakeComboBoxKind() {
    GadgetKind k = {};
    k.kind = KIND_COMBO_BOX;
    k.getState = ComboGetState;
    k.setState = ComboSetState;
    k.setText = ComboSetText;
    k.addItem = ComboAddItem;
    k.clearItems = ComboClearItems;
    k.countItems = ComboCountItems;
    k.itemText = ComboItemText;
    return k;
}

} // namespace

const GadgetKind ComboBoxKind = MakeComboBoxKind();

PlatformHandle AddComboBox(int number, int x, int y, int width, int height, uint32_t flags) {
    DWORD style = flags | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP | CBS_HASSTRINGS;
    bool editable = (flags & CBS_DROPDOWN) != 0;
    if (!editable) style |= CBS_DROPDOWNLIST | WS_TABSTOP;
    HWND combo = GadgetCreate(number, &ComboBoxKind, "ComboBox", "", style, WS_EX_CLIENTEDGE, x, y, width,
                              height, nullptr);
    if (combo && editable) {
        // Tab reaches the edit field, not the combo box around it.
        POINT inside = {5, 5};
        HWND edit = ChildWindowFromPoint(combo, inside);
        if (edit && edit != combo)
            SetWindowLongPtrA(edit, GWL_STYLE, GetWindowLongPtrA(edit, GWL_STYLE) | WS_TABSTOP);
    }
    return (PlatformHandle)combo;
}
