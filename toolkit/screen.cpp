// The screen and monitor queries the application needs before it has a window, and where a window
// stands when restored.
#include "toolkit/toolkit_internal.h"

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

bool RectTouchesAnyMonitor(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return false;
    RECT r = {left, top, right, bottom};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

bool WindowRestoredFrame(PlatformHandle handle, int* left, int* top, int* right, int* bottom) {
    HWND window = (HWND)handle;
    RECT frame;
    if (!GetWindowRect(window, &frame)) return false;
    if (IsIconic(window) || IsZoomed(window)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (!GetWindowPlacement(window, &placement)) return false;
        // Wine hands out the current frame as the normal one for another process's window.
        if (EqualRect(&placement.rcNormalPosition, &frame)) return false;
        frame = placement.rcNormalPosition;
        // Workspace coordinates (but for a tool window) start at the top-left corner of the work
        // area of the window's monitor.
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        bool workspace = !(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        if (workspace && GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
            OffsetRect(&frame, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
    }
    *left = frame.left;
    *top = frame.top;
    *right = frame.right;
    *bottom = frame.bottom;
    return true;
}

int ScreenScaled(int figure) {
    return ScaleToDpi(figure, SystemDpi());
}
