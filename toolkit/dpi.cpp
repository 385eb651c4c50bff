// Display scale. The application writes every position, size and column width for 96 dots per inch;
// the toolkit scales them by the dots per inch of the window they are for, so that the tool is drawn
// sharp and whole at any scale. The per-monitor functions are looked up at run time: where the
// system lacks them, every window has the system's scale.
#include "toolkit/toolkit_internal.h"

namespace {

using ContextFunction = HANDLE(WINAPI*)();
using AwarenessFunction = int(WINAPI*)(HANDLE);
using SetContextFunction = BOOL(WINAPI*)(HANDLE);
using SetAwareFunction = BOOL(WINAPI*)();
using WindowDpiFunction = UINT(WINAPI*)(HWND);
using SystemDpiFunction = UINT(WINAPI*)();
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The values of DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE(_V2) and DPI_AWARENESS_UNAWARE.
const HANDLE PER_MONITOR_AWARE_V2 = (HANDLE)(INT_PTR)-4;
const HANDLE PER_MONITOR_AWARE = (HANDLE)(INT_PTR)-3;
constexpr int UNAWARE = 0;

struct DpiFunctions {
    WindowDpiFunction dpiForWindow;
    SystemDpiFunction dpiForSystem;
    AdjustForDpiFunction adjustForDpi;
};

template <typename Function> Function Lookup(const char* name) {
    return (Function)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), name);
}

const DpiFunctions& Functions() {
    static const DpiFunctions functions = {Lookup<WindowDpiFunction>("GetDpiForWindow"),
                                           Lookup<SystemDpiFunction>("GetDpiForSystem"),
                                           Lookup<AdjustForDpiFunction>("AdjustWindowRectExForDpi")};
    return functions;
}

} // namespace

void DpiStartup() {
    auto context = Lookup<ContextFunction>("GetThreadDpiAwarenessContext");
    auto awareness = Lookup<AwarenessFunction>("GetAwarenessFromDpiAwarenessContext");
    if (context && awareness && awareness(context()) != UNAWARE) return; // the manifest did it
    // A system without the manifest's settings, or a program without the manifest.
    auto setContext = Lookup<SetContextFunction>("SetProcessDpiAwarenessContext");
    if (setContext && (setContext(PER_MONITOR_AWARE_V2) || setContext(PER_MONITOR_AWARE))) return;
    if (auto setAware = Lookup<SetAwareFunction>("SetProcessDPIAware")) setAware();
}

int ScaleToDpi(int figure, int dpi) {
    return MulDiv(figure, dpi, DESIGN_DPI);
}

int SystemDpi() {
    if (Functions().dpiForSystem) return (int)Functions().dpiForSystem();
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DESIGN_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DESIGN_DPI;
}

int PlatformWindowDpi(HWND window) {
    UINT dpi = Functions().dpiForWindow && window ? Functions().dpiForWindow(window) : 0;
    return dpi ? (int)dpi : SystemDpi();
}

int WindowDpi(HWND window) {
    WindowSlot* slot = ObjectFind(WindowTable, ToolkitWindowNumberOf(window));
    return slot && slot->dpi ? slot->dpi : PlatformWindowDpi(window);
}

void FrameForClient(DWORD style, int clientWidth, int clientHeight, int dpi, int* outerWidth,
                    int* outerHeight) {
    RECT r = {0, 0, clientWidth, clientHeight};
    if (!Functions().adjustForDpi || !Functions().adjustForDpi(&r, style, FALSE, 0, (UINT)dpi))
        AdjustWindowRect(&r, style, FALSE);
    *outerWidth = r.right - r.left;
    *outerHeight = r.bottom - r.top;
}
