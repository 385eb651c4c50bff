// Gadgets: the numbered table of controls, their common creation steps, the routing of parent
// messages to the kinds, and the generic operations that dispatch through each kind's table.
#include "toolkit/toolkit_internal.h"

#include <vector>

ObjectTable<GadgetSlot> GadgetTable;

namespace {

HWND CurrentParent;
HFONT DefaultFont;

const char* const ID_PROPERTY = "ZQ_ID";
const char* const PREVIOUS_PROC_PROPERTY = "ZQ_PrevProc";
const char* const OWN_PROC_NEXT_PROPERTY = "ZQ_OwnProcNext";

GadgetSlot* FindGadget(int number) {
    return ObjectFind(GadgetTable, number);
}

// Lets the kind free its data, deletes the gadget's scaled font and frees its number.
void FreeGadgetSlot(int number, GadgetSlot* g) {
    if (g->kind->destroyHook) g->kind->destroyHook(number, g);
    if (g->scaledFont) DeleteObject(g->scaledFont);
    ObjectFree(GadgetTable, number);
}

// Wraps every control: when the control goes away its number becomes free again.
LRESULT CALLBACK GadgetLayerProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    int number = -1;
    GadgetSlot* g = GadgetOfControl(control, &number);
    WNDPROC next = g ? g->previousProc : (WNDPROC)GetPropA(control, PREVIOUS_PROC_PROPERTY);
    if (message == WM_NCDESTROY) {
        if (g) FreeGadgetSlot(number, g);
        RemovePropA(control, ID_PROPERTY);
        RemovePropA(control, PREVIOUS_PROC_PROPERTY);
        SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)next);
    }
    if (!next) return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(next, control, message, wParam, lParam);
}

// Release operation of the table: destroying the control frees the number (WM_NCDESTROY above).
void ReleaseGadget(int number) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    HWND control = g->handle;
    DestroyWindow(control);
    g = FindGadget(number);
    if (g && g->handle == control) // the control could not be destroyed from here
        FreeGadgetSlot(number, g);
}

// Gives the gadget the font, made for the scale of its window.
void ApplyFont(GadgetSlot* g, HFONT font, int dpi) {
    HFONT shown = FontForDpi(font, dpi);
    SendMessageA(g->handle, WM_SETFONT, (WPARAM)shown, TRUE);
    if (g->scaledFont && g->scaledFont != shown) DeleteObject(g->scaledFont);
    g->scaledFont = shown != font ? shown : nullptr;
    g->designFont = font;
}

// Places the gadget where the application put it, at the scale.
void PlaceGadget(GadgetSlot* g, int dpi) {
    const DesignPlace& p = g->design;
    SetWindowPos(g->handle, nullptr, ScaleToDpi(p.x, dpi), ScaleToDpi(p.y, dpi), ScaleToDpi(p.width, dpi),
                 ScaleToDpi(p.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

// Sets up the table and the common controls the list view needs.
void GadgetsStartup() {
    ObjectTableInit(GadgetTable, 50, ReleaseGadget);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CurrentParent = nullptr;
    DefaultFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

GadgetSlot* GadgetOfControl(HWND control, int* number) {
    if (!control) return nullptr;
    int id = (int)GetWindowLongPtrA(control, GWLP_ID);
    GadgetSlot* g = FindGadget(id);
    if (!g || g->handle != control) return nullptr;
    if (number) *number = id;
    return g;
}

WNDPROC GadgetOwnProcNext(HWND control) {
    return (WNDPROC)GetPropA(control, OWN_PROC_NEXT_PROPERTY);
}

void GadgetOwnProcForget(HWND control) {
    RemovePropA(control, OWN_PROC_NEXT_PROPERTY);
}

HWND GadgetCreate(const GadgetCreation& creation) {
    if (creation.number < 0) return nullptr;
    int dpi = WindowDpi(CurrentParent);
    const DesignPlace& p = creation.place;
    HWND control = CreateWindowExA(creation.extendedStyle, creation.className,
                                   creation.text ? creation.text : "", creation.style, ScaleToDpi(p.x, dpi),
                                   ScaleToDpi(p.y, dpi), ScaleToDpi(p.width, dpi), ScaleToDpi(p.height, dpi),
                                   CurrentParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;

    GadgetSlot* g = ObjectClaim(GadgetTable, creation.number);
    if (!g) {
        DestroyWindow(control);
        return nullptr;
    }
    g->handle = control;
    g->kind = creation.kind;
    g->front = g->back = -1;
    g->design = p;

    if (creation.ownProc) {
        LONG_PTR classProc = SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)creation.ownProc);
        SetPropA(control, OWN_PROC_NEXT_PROPERTY, (HANDLE)classProc);
    }
    g->previousProc = (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)GadgetLayerProc);
    SetPropA(control, PREVIOUS_PROC_PROPERTY, (HANDLE)g->previousProc);

    SetWindowLongPtrA(control, GWLP_ID, creation.number);
    SetPropA(control, ID_PROPERTY, (HANDLE)(INT_PTR)creation.number);
    if (GadgetSlot* claimed = FindGadget(creation.number)) ApplyFont(claimed, DefaultFont, dpi);
    return control;
}

// The notifications a list view sends about each row it adds, changes or deletes, thousands in a
// bulk change; no kind takes them.
static bool IsRowByRowNotification(UINT message, LPARAM lParam) {
    if (message != WM_NOTIFY) return false;
    UINT code = ((NMHDR*)lParam)->code;
    return code == LVN_INSERTITEM || code == LVN_DELETEITEM || code == LVN_ITEMCHANGING ||
           code == LVN_ITEMCHANGED;
}

bool GadgetOfferParentMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // Cheap checks first, the property last: some systems answer a window property slowly. The
    // control carries its number in "ZQ_ID" as in its ID from its creation's end until it is
    // destroyed.
    int number = -1;
    GadgetSlot* g = GadgetOfControl(control, &number);
    if (!g || !g->kind->parentMessage || IsRowByRowNotification(message, lParam)) return false;
    if ((INT_PTR)GetPropA(control, ID_PROPERTY) != number) return false;
    LRESULT answer = 0;
    if (!g->kind->parentMessage(number, g, message, wParam, lParam, &answer)) return false;
    if (result) *result = answer;
    return true;
}

void GadgetSendEvent(HWND control, int number, int eventType) {
    HWND top = ToolkitTopWindowOf(control);
    if (top) SendMessageA(top, MSG_GADGET_EVENT, (WPARAM)number, (LPARAM)eventType);
}

void GadgetPostEvent(HWND control, int number, int eventType) {
    HWND top = ToolkitTopWindowOf(control);
    if (top) PostMessageA(top, MSG_GADGET_EVENT, (WPARAM)number, (LPARAM)eventType);
}

void GadgetReleaseBrush(int, GadgetSlot* g) {
    if (g->brush) DeleteObject(g->brush);
    g->brush = nullptr;
}

void GadgetSetBrushColour(int, GadgetSlot* g, int attribute, int32_t colour) {
    if (attribute == FrontColor) {
        g->front = colour < 0 ? -1 : colour;
    } else if (attribute == BackColor) {
        g->back = colour < 0 ? -1 : colour;
        if (g->brush) DeleteObject(g->brush);
        g->brush = g->back >= 0 ? CreateSolidBrush((COLORREF)g->back) : nullptr;
    } else {
        return;
    }
    InvalidateRect(g->handle, nullptr, TRUE);
}

bool GadgetAnswerBrushColours(GadgetSlot* g, HDC dc, int fallbackSysColour, LRESULT* result) {
    if (g->front < 0 && g->back < 0) return false;
    if (g->front >= 0) SetTextColor(dc, (COLORREF)g->front);
    if (g->back >= 0 && g->brush) {
        SetBkColor(dc, (COLORREF)g->back);
        *result = (LRESULT)g->brush;
    } else {
        SetBkColor(dc, GetSysColor(fallbackSysColour));
        *result = (LRESULT)GetSysColorBrush(fallbackSysColour);
    }
    return true;
}

// ---- Public operations ------------------------------------------------------------------------------

PlatformHandle BeginGadgets(PlatformHandle parentWindow) {
    CurrentParent = (HWND)parentWindow;
    return parentWindow;
}

PlatformHandle GadgetHandle(int number) {
    GadgetSlot* g = FindGadget(number);
    return g ? (PlatformHandle)g->handle : 0;
}

bool GadgetHasFocus(int number) {
    GadgetSlot* g = FindGadget(number);
    HWND focus = GetFocus();
    return g && focus && (focus == g->handle || IsChild(g->handle, focus));
}

void GadgetSetFont(int number, PlatformHandle font) {
    HFONT handle = font == -1 ? (HFONT)GetStockObject(DEFAULT_GUI_FONT) : (HFONT)font;
    if (number == -1) {
        DefaultFont = handle;
        return;
    }
    GadgetSlot* g = FindGadget(number);
    if (g) ApplyFont(g, handle, WindowDpi(g->handle));
}

void GadgetsFollowDpi(HWND window, int dpi) {
    for (size_t number = 0; number < GadgetTable.slots.size(); number++) {
        GadgetSlot* g = FindGadget((int)number);
        if (!g || ToolkitTopWindowOf(g->handle) != window) continue;
        PlaceGadget(g, dpi);
        ApplyFont(g, g->designFont, dpi);
        if (g->kind->followDpi) g->kind->followDpi((int)number, g, dpi);
    }
}

void GadgetSetText(int number, const char* text) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    if (!text) text = "";
    if (g->kind->setText)
        g->kind->setText(number, g, text);
    else
        SetWindowTextA(g->handle, text);
}

std::string GadgetText(int number) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return "";
    return FailOnNoMemory(std::string(), [&] {
        return g->kind->getText ? g->kind->getText(number, g) : ToolkitWindowText(g->handle);
    });
}

void GadgetSetState(int number, int state) {
    GadgetSlot* g = FindGadget(number);
    if (g && g->kind->setState) g->kind->setState(number, g, state);
}

void GadgetSetColor(int number, int attribute, int32_t colour) {
    GadgetSlot* g = FindGadget(number);
    if (g && g->kind->setColor) g->kind->setColor(number, g, attribute, colour);
}

void AddItem(int number, int position, const char* text) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    if (!text) text = "";
    if (g->kind->addItem) FailOnNoMemory([&] { g->kind->addItem(number, g, position, text); });
}

void ClearItems(int number) {
    GadgetSlot* g = FindGadget(number);
    if (g && g->kind->clearItems) g->kind->clearItems(number, g);
}

int ItemCount(int number) {
    GadgetSlot* g = FindGadget(number);
    return g && g->kind->countItems ? g->kind->countItems(number, g) : 0;
}

int ItemState(int number, int item) {
    GadgetSlot* g = FindGadget(number);
    return g && g->kind->itemState ? g->kind->itemState(number, g, item) : 0;
}

void ItemSetState(int number, int item, int state) {
    GadgetSlot* g = FindGadget(number);
    if (g && g->kind->setItemState) g->kind->setItemState(number, g, item, state);
}

std::string ItemText(int number, int item, int column) {
    GadgetSlot* g = FindGadget(number);
    if (!g || !g->kind->itemText) return "";
    return FailOnNoMemory(std::string(), [&] { return g->kind->itemText(number, g, item, column); });
}

void ItemSetColor(int number, int item, int attribute, int32_t colour) {
    GadgetSlot* g = FindGadget(number);
    if (g && g->kind->setItemColor)
        FailOnNoMemory([&] { g->kind->setItemColor(number, g, item, -1, attribute, colour); });
}

void AddItemWithColors(int number, int position, const char* text, int32_t front, int32_t back) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    if (!g->kind->addItemWithColors) {
        AddItem(number, position, text);
        return;
    }
    FailOnNoMemory([&] { g->kind->addItemWithColors(number, g, position, text ? text : "", front, back); });
}

// Kinds without their own bulk mode simply stop redrawing until the matching end call.
void GadgetBeginUpdate(int number, int expectedItems) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    if (g->kind->beginUpdate) {
        g->kind->beginUpdate(number, g, expectedItems);
        return;
    }
    if (g->updateDepth++ == 0) SendMessageA(g->handle, WM_SETREDRAW, FALSE, 0);
}

void GadgetEndUpdate(int number) {
    GadgetSlot* g = FindGadget(number);
    if (!g) return;
    if (g->kind->endUpdate) {
        g->kind->endUpdate(number, g);
        return;
    }
    if (g->updateDepth <= 0) return;
    if (--g->updateDepth == 0) {
        SendMessageA(g->handle, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(g->handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void ComboBoxSelectEditRange(int number, int start, int end) {
    GadgetSlot* g = FindGadget(number);
    if (!g || g->kind->kind != KIND_COMBO_BOX) return;
    HWND edit = ComboBoxEditField(g->handle);
    if (!edit) return;
    if (end < 0) end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, (WPARAM)start, (LPARAM)end);
}
