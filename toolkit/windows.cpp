// Numbered top-level windows: each has its own window class "WindowClass_<number>", the property
// "ZQ_WindowID" (number + 1) that routes its messages back to its number, and an accelerator table
// that turns Tab and Shift+Tab into focus moves.
#include "toolkit/toolkit_internal.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

static_assert(WindowTitleBar == WS_CAPTION && WindowCloseBox == WS_SYSMENU, "window style bits");

ObjectTable<WindowSlot> WindowTable;

static const char* const WINDOW_ID_PROPERTY = "ZQ_WindowID";

static void ReleaseWindow(int number) {
    WindowClose(number);
}

void WindowsStartup() {
    ObjectTableInit(WindowTable, 16, ReleaseWindow);
}

// The class name of window `number`, held without allocating.
struct WindowClassName {
    char text[32];
    explicit WindowClassName(int number) { snprintf(text, sizeof text, "WindowClass_%ld", (long)number); }
};

static HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// The style handed to the platform: the toolkit's own flag values are not window styles.
static DWORD PlatformStyle(uint32_t flags) {
    DWORD style = flags;
    if ((flags & ~(WindowScreenCentered | WindowParentCentered | WindowInvisible)) == 0) style |= WS_CAPTION;
    style ^= WindowInvisible; // the same bit as WS_VISIBLE: given, the window starts hidden
    return style & ~(WindowScreenCentered | WindowParentCentered);
}

void WindowOuterSize(int clientWidth, int clientHeight, uint32_t flags, int* outerWidth, int* outerHeight) {
    int dpi = SystemDpi(), width, height;
    FrameForClient(PlatformStyle(flags), ScaleToDpi(clientWidth, dpi), ScaleToDpi(clientHeight, dpi), dpi,
                   &width, &height);
    if (outerWidth) *outerWidth = width;
    if (outerHeight) *outerHeight = height;
}

// Centres the outer frame on the screen (cut to the screen's size) or on the active window, as the
// flags ask; otherwise x and y stay.
static void CentreFrame(uint32_t flags, int* x, int* y, int* outerWidth, int* outerHeight) {
    if (flags & WindowScreenCentered) {
        int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        if (*outerWidth > screenWidth) *outerWidth = screenWidth;
        if (*outerHeight > screenHeight) *outerHeight = screenHeight;
        *x = (screenWidth - *outerWidth) / 2;
        *y = (screenHeight - *outerHeight) / 2;
    } else if (flags & WindowParentCentered) {
        HWND around = GetActiveWindow();
        RECT r;
        if (around && GetWindowRect(around, &r)) {
            *x = r.left + ((r.right - r.left) - *outerWidth) / 2;
            *y = r.top + ((r.bottom - r.top) - *outerHeight) / 2;
            if (*x < 0) *x = 0;
            if (*y < 0) *y = 0;
        }
    }
}

PlatformHandle WindowOpen(int number, int x, int y, int width, int height, uint32_t flags,
                          const char* title) {
    if (!ObjectClaim(WindowTable, number)) return 0;

    WindowClassName className(number);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ToolkitWindowProc;
    wc.hInstance = Instance();
    wc.hIcon = ToolkitIcon;
    wc.hCursor = ToolkitCursor;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = className.text;
    RegisterClassExA(&wc);

    DWORD style = PlatformStyle(flags);
    int dpi = SystemDpi();
    int outerWidth, outerHeight;
    WindowOuterSize(width, height, flags, &outerWidth, &outerHeight);
    CentreFrame(flags, &x, &y, &outerWidth, &outerHeight);

    HWND window = CreateWindowExA(0, className.text, title ? title : "", style, x, y, outerWidth, outerHeight,
                                  nullptr, nullptr, Instance(), nullptr);
    if (!window) {
        UnregisterClassA(className.text, Instance());
        ObjectFree(WindowTable, number);
        return 0;
    }
    // Creation may have run code that grew the table: take the slot afresh.
    WindowSlot* slot = &WindowTable.slots[(size_t)number];
    if ((style & WS_MAXIMIZE) && (style & WS_VISIBLE)) ShowWindow(window, SW_SHOWMAXIMIZED);
    SetPropA(window, WINDOW_ID_PROPERTY, (HANDLE)(INT_PTR)(number + 1));
    slot->handle = window;
    slot->dpi = dpi;

    ACCEL keys[2] = {{FVIRTKEY, VK_TAB, (WORD)CMD_FOCUS_NEXT},
                     {FVIRTKEY | FSHIFT, VK_TAB, (WORD)CMD_FOCUS_PREVIOUS}};
    slot->accelerators = CreateAcceleratorTableA(keys, 2);
    // Opened on a monitor of another scale than the system's: the client area is made for that one.
    int monitorDpi = PlatformWindowDpi(window);
    if (monitorDpi != dpi) {
        slot->dpi = monitorDpi;
        WindowResize(number, -1, -1, width, height);
    }
    return (PlatformHandle)window;
}

void WindowClose(int number) {
    WindowSlot* slot = ObjectFind(WindowTable, number);
    if (!slot) return;
    WindowSlot closing = *slot;

    HWND owner = GetWindow(closing.handle, GW_OWNER);
    if (owner) SetActiveWindow(owner);
    RemovePropA(closing.handle, WINDOW_ID_PROPERTY);
    slot->handle = nullptr;        // no longer a toolkit window for the messages that destroying sends
    DestroyWindow(closing.handle); // its gadgets free their numbers as they go
    UnregisterClassA(WindowClassName(number).text, Instance());
    if (closing.accelerators) DestroyAcceleratorTable(closing.accelerators);
    ObjectFree(WindowTable, number);
}

void WindowResize(int number, int x, int y, int width, int height) {
    WindowSlot* slot = ObjectFind(WindowTable, number);
    if (!slot) return;
    HWND window = slot->handle;
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    if (x == -1) x = outer.left;
    if (y == -1) y = outer.top;
    width = width == -1 ? client.right - client.left : ScaleToDpi(width, slot->dpi);
    height = height == -1 ? client.bottom - client.top : ScaleToDpi(height, slot->dpi);
    int outerWidth, outerHeight;
    FrameForClient((DWORD)GetWindowLongPtrA(window, GWL_STYLE), width, height, slot->dpi, &outerWidth,
                   &outerHeight);
    SetWindowPos(window, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowHide(int number, int hide) {
    WindowSlot* slot = ObjectFind(WindowTable, number);
    if (!slot) return;
    HWND window = slot->handle;
    if (hide) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner) SetActiveWindow(owner);
        ShowWindow(window, SW_HIDE);
    } else {
        ShowWindow(window, IsZoomed(window) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    }
}

void WindowFollowDpi(HWND window, int dpi, const RECT* suggested) {
    WindowSlot* slot = ObjectFind(WindowTable, ToolkitWindowNumberOf(window));
    if (!slot || slot->handle != window || dpi <= 0) return;
    slot->dpi = dpi;
    GadgetsFollowDpi(window, dpi);
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

PlatformHandle KeyboardFocus() {
    return (PlatformHandle)GetFocus();
}

void SetKeyboardFocus(PlatformHandle control) {
    if (!IsWindow((HWND)control)) return;
    EventStateRecord before = EventState;
    SetFocus((HWND)control);
    if (!RecordEvent(before.pendingEvent)) return;
    EventState.objectNumber = before.objectNumber;
    EventState.eventType = before.eventType;
}

PlatformHandle WindowHandle(int number) {
    WindowSlot* slot = ObjectFind(WindowTable, number);
    return slot ? (PlatformHandle)slot->handle : 0;
}

// A minimised or maximised window gives the place it returns to, where it is to be remembered.
static bool RestoredCorner(int number, int* left, int* top) {
    WindowSlot* slot = ObjectFind(WindowTable, number);
    int right, bottom;
    return slot && WindowRestoredFrame((PlatformHandle)slot->handle, left, top, &right, &bottom);
}

int WindowLeft(int number) {
    int left, top;
    return RestoredCorner(number, &left, &top) ? left : 0;
}

int WindowTop(int number) {
    int left, top;
    return RestoredCorner(number, &left, &top) ? top : 0;
}

static bool IsChildWindow(HWND window) {
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The number a toolkit window carries in "ZQ_WindowID" from WindowOpen to WindowClose; -1 for any
// other window.
static int NumberOfWindow(HWND window) {
    return (int)(INT_PTR)GetPropA(window, WINDOW_ID_PROPERTY) - 1;
}

int ToolkitWindowNumberOf(HWND window) {
    for (HWND w = window; w; w = IsChildWindow(w) ? GetParent(w) : nullptr)
        if (int number = NumberOfWindow(w); number >= 0) return number;
    return -1;
}

// The window that carries the number is the one its slot holds.
HWND ToolkitTopWindowOf(HWND window) {
    return (HWND)WindowHandle(ToolkitWindowNumberOf(window));
}

std::string ToolkitWindowText(HWND window) {
    // The reported length may fall short (a rich edit counting characters in a double-byte code
    // page) and the text may grow between the calls: whenever the text fills the buffer, the next
    // read gets at least twice the room, until the whole text fits with room to spare.
    size_t size = 0;
    for (;;) {
        int length = GetWindowTextLengthA(window);
        size = std::max(size * 2, (size_t)(length > 0 ? length : 0) + 2);
        if (size > (size_t)INT_MAX) size = (size_t)INT_MAX;
        std::vector<char> buffer(size);
        int copied = GetWindowTextA(window, buffer.data(), (int)size);
        if (copied <= 0) return std::string();
        if ((size_t)copied + 1 < size || size == (size_t)INT_MAX)
            return std::string(buffer.data(), (size_t)copied);
    }
}
