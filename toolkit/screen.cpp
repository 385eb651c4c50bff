// The screen and monitor queries the application needs before it has a window, and where a window
// stands when restored.
#include "toolkit/toolkit_internal.h"

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

bool WorkAreaUnder(ScreenRect rect, ScreenRect* workArea) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return false;
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    // The monitor that shows the most of the rectangle, none when no monitor shows any of it.
    HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) return false;
    *workArea = ScreenRect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    return true;
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
