// Numbered popup menus: created empty, filled item by item, shown at the mouse cursor.
#include "toolkit/toolkit_internal.h"

ObjectTable<MenuSlot> MenuTable;

namespace {

// The menu that MenuAddItem appends to: the one PopupMenuCreate made last.
HMENU CurrentMenu = nullptr;

void MenuRelease(int number) {
    MenuSlot* menu = ObjectFind(MenuTable, number);
    if (!menu) return;
    if (CurrentMenu == menu->handle) CurrentMenu = nullptr;
    DestroyMenu(menu->handle);
    ObjectFree(MenuTable, number);
}

} // namespace

void MenusStartup() {
    ObjectTableInit(MenuTable, 16, MenuRelease);
    CurrentMenu = nullptr;
}

PlatformHandle PopupMenuCreate(int number) {
    MenuSlot* menu = ObjectClaim(MenuTable, number);
    if (!menu) return 0;
    HMENU handle = CreatePopupMenu();
    if (!handle) return 0;
    menu->handle = handle;
    CurrentMenu = handle;
    return (PlatformHandle)handle;
}

void MenuAddItem(int item, const char* text) {
    if (!CurrentMenu) return;
    AppendMenuA(CurrentMenu, MF_STRING, (UINT_PTR)item, text ? text : "");
}

void PopupMenuShow(int number, PlatformHandle owner) {
    MenuSlot* menu = ObjectFind(MenuTable, number);
    if (!menu) return;
    POINT at = {0, 0};
    GetCursorPos(&at);
    HWND ownerWindow = (HWND)owner;
    SetForegroundWindow(ownerWindow);
    // A chosen item arrives later as WM_COMMAND posted to the owner; dismissal posts nothing.
    TrackPopupMenu(menu->handle, TPM_RIGHTBUTTON, at.x - 1, at.y - 1, 0, ownerWindow, nullptr);
}
