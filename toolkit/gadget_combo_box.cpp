// Combo box. It has no parent handler: every WM_COMMAND notification becomes EVENT_GADGET with the
// notification code as the event type.
#include "toolkit/toolkit_internal.h"

#include <algorithm>
#include <cstring>
#include <vector>

static_assert(ComboEditable == CBS_DROPDOWN && ComboAutoScroll == CBS_AUTOHSCROLL && ComboSorted == CBS_SORT,
              "combo box style bits");
static_assert(EVENT_TYPE_DROPDOWN == CBN_DROPDOWN, "combo box event types");

namespace {

constexpr uint32_t FROM_CONTROL = 0xFFFFFFFF;
constexpr size_t MAX_IDENTIFIER = 255;

// The items' texts, kept beside the control in its order, so that reading an item costs no message
// (completion reads thousands per keystroke). The toolkit's own operations are the only ones that
// change a combo box's items; should the control's count ever differ, the copy is dropped until the
// box is emptied. A text with a byte above 127 is read from the control, which may hand it back
// converted through the system's code page.
struct ComboItems {
    std::string texts;            // every kept text followed by a zero byte
    std::vector<uint32_t> starts; // per item, where its text starts in texts, or FROM_CONTROL
    bool valid = true;            // false while the copy is dropped
    LCID locale = 0;              // the box's, by which it sorts; 0 until asked
};

// Made with the box by AddComboBox.
ComboItems* ItemsOf(GadgetSlot* g) {
    return (ComboItems*)g->kindData;
}

void DropItems(GadgetSlot* g, bool valid) {
    ComboItems* items = ItemsOf(g);
    *items = ComboItems();
    items->valid = valid;
}

// Adds the text with the message (CB_INSERTSTRING at the position, or CB_ADDSTRING) and keeps it at
// the index where the control put it. The copy grows before the control is asked: when memory runs
// out, the control is left as it was.
void AddAndKeep(GadgetSlot* g, UINT message, WPARAM position, const char* text) {
    ComboItems* items = ItemsOf(g);
    size_t length = strlen(text);
    if (items->valid && items->texts.size() + length >= FROM_CONTROL) DropItems(g, false);
    size_t keptBytes = items->texts.size();
    if (items->valid) {
        uint32_t start = (uint32_t)keptBytes;
        for (size_t i = 0; i < length && start != FROM_CONTROL; ++i)
            if ((unsigned char)text[i] > 127) start = FROM_CONTROL;
        if (start != FROM_CONTROL) items->texts.append(text, length + 1);
        items->starts.push_back(start);
    }
    LRESULT index = SendMessageA(g->handle, message, position, (LPARAM)text);
    if (!items->valid) return;
    if (index < 0 || (size_t)index >= items->starts.size()) { // refused, or the copy is astray
        items->starts.pop_back();
        items->texts.resize(keptBytes);
        if (index >= 0) DropItems(g, false);
        return;
    }
    std::rotate(items->starts.begin() + index, items->starts.end() - 1, items->starts.end());
}

// Set in the types CBS_SIMPLE (1) and CBS_DROPDOWNLIST (3), clear in CBS_DROPDOWN (2), the editable one.
constexpr LONG_PTR LIST_TYPE_BIT = 0x1;

bool IsEditable(GadgetSlot* g) {
    return (GetWindowLongPtrA(g->handle, GWL_STYLE) & LIST_TYPE_BIT) == 0;
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
    if (position >= -1) AddAndKeep(g, CB_INSERTSTRING, (WPARAM)position, text);
}

void ComboClearItems(int, GadgetSlot* g) {
    SendMessageA(g->handle, CB_RESETCONTENT, 0, 0);
    DropItems(g, true);
    if (IsEditable(g)) SetWindowTextA(g->handle, "");
}

int ComboCountItems(int, GadgetSlot* g) {
    LRESULT count = SendMessageA(g->handle, CB_GETCOUNT, 0, 0);
    if (count < 0) count = 0;
    ComboItems* items = ItemsOf(g);
    if (items->valid && (size_t)count != items->starts.size()) DropItems(g, false);
    return (int)count;
}

std::string ComboItemText(int, GadgetSlot* g, int item, int) {
    if (item < 0) return "";
    ComboItems* items = ItemsOf(g);
    if (items->valid && (size_t)item < items->starts.size() && items->starts[(size_t)item] != FROM_CONTROL)
        return std::string(items->texts.c_str() + items->starts[(size_t)item]);
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

void ComboDestroy(int, GadgetSlot* g) {
    delete (ComboItems*)g->kindData;
    g->kindData = nullptr;
}

// The system leaves an editable box's selection drawn after the focus left it: the box the user
// left shows none, as an edit field does. The notification is an event all the same.
bool ComboParentMessage(int, GadgetSlot* g, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message != WM_COMMAND || HIWORD(wParam) != CBN_KILLFOCUS || !IsEditable(g)) return false;
    if (HWND edit = ComboBoxEditField(g->handle)) SendMessageA(edit, EM_SETSEL, (WPARAM)-1, 0);
    return false;
}

GadgetKind MakeComboBoxKind() {
    GadgetKind k = {};
    k.kind = KIND_COMBO_BOX;
    k.parentMessage = ComboParentMessage;
    k.destroyHook = ComboDestroy;
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

namespace {

// A name of ASCII letters, digits and "_" that fits the buffer, widened as the system widens it.
bool WidenIdentifier(const char* text, wchar_t (&wide)[MAX_IDENTIFIER + 1]) {
    size_t i = 0;
    for (; text[i]; ++i) {
        char c = text[i];
        bool identifier =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!identifier || i == MAX_IDENTIFIER) return false;
        wide[i] = (wchar_t)c;
    }
    wide[i] = 0;
    return i > 0;
}

// Whether the sorted box would put the text behind its last item, as far as can be told without
// asking it: both are kept names of ASCII letters, digits and "_", which the box's comparison (its
// locale's collation, case ignored) ranks as CompareStringW does. Anything else: not known.
bool SortsBehindLast(GadgetSlot* g, const char* text) {
    ComboItems* items = ItemsOf(g);
    if (!items->valid || items->starts.empty() || items->starts.back() == FROM_CONTROL) return false;
    wchar_t last[MAX_IDENTIFIER + 1], wide[MAX_IDENTIFIER + 1];
    if (!WidenIdentifier(items->texts.c_str() + items->starts.back(), last) || !WidenIdentifier(text, wide))
        return false;
    if (!items->locale) items->locale = (LCID)SendMessageA(g->handle, CB_GETLOCALE, 0, 0);
    if (CompareStringW(items->locale, NORM_IGNORECASE, last, -1, wide, -1) != CSTR_LESS_THAN) return false;
    ComboCountItems(0, g); // drops the kept texts if the box changed behind the toolkit's back
    return items->valid;
}

} // namespace

// The box's search for a name's place is the bulk of an addition: a name that would land behind
// the last item goes straight there, which a catalogue in sorted order has for every name.
void ComboBoxAddSorted(int number, const char* text) {
    GadgetSlot* g = ObjectFind(GadgetTable, number);
    if (!g || g->kind->kind != KIND_COMBO_BOX) return;
    if (!text) text = "";
    bool behindLast = SortsBehindLast(g, text);
    FailOnNoMemory(
        [&] { AddAndKeep(g, behindLast ? CB_INSERTSTRING : CB_ADDSTRING, behindLast ? -1 : 0, text); });
}

bool ComboListClosedByEscape(HWND control) {
    for (HWND combo : {control, GetParent(control)}) { // the box, or its edit field
        GadgetSlot* g = GadgetOfControl(combo, nullptr);
        if (!g || g->kind != &ComboBoxKind || !SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) continue;
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        return true;
    }
    return false;
}

PlatformHandle AddComboBox(int number, int x, int y, int width, int height, uint32_t flags) {
    GadgetCreation creation = {number, {x, y, width, height}, &ComboBoxKind, "ComboBox"};
    creation.style = flags | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP | CBS_HASSTRINGS;
    bool editable = (flags & CBS_DROPDOWN) != 0;
    if (!editable) creation.style |= CBS_DROPDOWNLIST | WS_TABSTOP;
    creation.extendedStyle = WS_EX_CLIENTEDGE;
    HWND combo = GadgetCreate(creation);
    GadgetSlot* g = combo ? ObjectFind(GadgetTable, number) : nullptr;
    if (combo && (!g || !(g->kindData = new (std::nothrow) ComboItems()))) {
        DestroyWindow(combo);
        return 0;
    }
    // Tab reaches the edit field, not the combo box around it.
    HWND edit = combo && editable ? ComboBoxEditField(combo) : nullptr;
    if (edit) SetWindowLongPtrA(edit, GWL_STYLE, GetWindowLongPtrA(edit, GWL_STYLE) | WS_TABSTOP);
    return (PlatformHandle)combo;
}
