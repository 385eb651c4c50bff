// The screen and monitor queries the application needs before it has a window.
#include "toolkit/toolkit_internal.h"

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

bool RectTouchesAnyMonitor(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return false;
    RECT r = {left, top, right, bottom};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

// The toolkit flags 1, 2 and 0x10000000 are not styles; with no style bit left, a window gets a caption.
void WindowOuterSize(int clientWidth, int clientHeight, uint32_t flags, int* outerWidth, int* outerHeight) {
    DWORD style = flags & ~(WindowScreenCentered | WindowParentCentered | WindowInvisible);
    if (style == 0) style = WS_CAPTION;
    RECT r = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&r, style, FALSE);
    if (outerWidth) *outerWidth = r.right - r.left;
    if (outerHeight) *outerHeight = r.bottom - r.top;
}
