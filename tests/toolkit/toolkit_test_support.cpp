#include "toolkit/toolkit_test_support.h"

#include <gtest/gtest.h>

#include "toolkit/toolkit.h"

namespace {

// The toolkit is started once for the whole test program, as the application does. Its windows
// belong to the test thread: every wait of the harness keeps their messages flowing.
class ToolkitEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        StartToolkit();
        WaitsPumpMessages = true;
    }
    void TearDown() override { EndToolkit(); }
};

const ::testing::Environment* const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

} // namespace

bool RunEventsUntil(const std::function<bool(const SeenEvent&)>& match, int timeoutMs,
                    std::vector<SeenEvent>* seen) {
    UINT_PTR timer = SetTimer(nullptr, 0, 25, nullptr);
    DWORD start = GetTickCount();
    bool matched = false;
    while (!matched && (int)(GetTickCount() - start) < timeoutMs) {
        SeenEvent event = {WaitEvent(), EventGadgetNumber(), EventType(), EventWParam()};
        bool tick = event.code == WM_TIMER && (UINT_PTR)event.wParam == timer;
        if (seen && !tick) seen->push_back(event);
        matched = match && match(event);
    }
    KillTimer(nullptr, timer);
    return matched;
}

bool RunEventsUntilTrue(const std::function<bool()>& condition, int timeoutMs) {
    return condition() || RunEventsUntil([&](const SeenEvent&) { return condition(); }, timeoutMs);
}

void RunEventsFor(int ms) {
    RunEventsUntil(nullptr, ms);
}

std::vector<SeenEvent> EventsBeforeSentinel(HWND window, int timeoutMs) {
    std::vector<SeenEvent> seen;
    PostMessageA(window, SENTINEL_MESSAGE, 0, 0);
    if (RunEventsUntil([](const SeenEvent& e) { return e.code == (int)SENTINEL_MESSAGE; }, timeoutMs, &seen))
        seen.pop_back();
    return seen;
}

HWND OpenGadgetWindow(int number, int clientWidth, int clientHeight) {
    HWND window = (HWND)WindowOpen(number, 40, 40, clientWidth, clientHeight, WindowTitleBar | WindowCloseBox,
                                   "Gadget test");
    if (!window) return nullptr;
    BeginGadgets((PlatformHandle)window);
    BringToForeground(window);
    PumpMessages();
    return window;
}

void GadgetWindowTest::SetUp() {
    window = OpenGadgetWindow(WINDOW);
    ASSERT_NE(window, nullptr);
}

void GadgetWindowTest::TearDown() {
    WindowClose(WINDOW);
}

bool PrepareToClick(HWND control, POINT screenPoint) {
    HWND top = GetAncestor(control, GA_ROOT);
    RunEventsFor((int)GetDoubleClickTime() + 50);
    if (!RunEventsUntilTrue([&] { return GetForegroundWindow() == top || BringToForeground(top, 200); }))
        return false;
    MovePointerTo(screenPoint.x, screenPoint.y);
    bool reached = RunEventsUntilTrue([&] { return WindowFromPoint(screenPoint) == control; });
    RunEventsFor(100);
    return reached;
}

bool PrepareToClick(HWND control) {
    RECT r = OuterRect(control);
    return PrepareToClick(control, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

static bool ActUntilEvent(const std::function<void()>& action,
                          const std::function<bool(const SeenEvent&)>& outcome) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) RunEventsFor((int)GetDoubleClickTime() + 100);
        action();
        if (RunEventsUntil(outcome, 1500)) return true;
    }
    return false;
}

bool ActUntil(const std::function<void()>& action, const std::function<bool()>& outcome) {
    return ActUntilEvent(action, [&](const SeenEvent&) { return outcome(); });
}

bool ActUntilGadgetEvent(const std::function<void()>& action, int gadget, int type) {
    return ActUntilEvent(action, [&](const SeenEvent& e) {
        return e.code == EVENT_GADGET && e.number == gadget && e.type == type;
    });
}

COLORREF CapturedPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    uint32_t p = pixels[(size_t)y * (size_t)width + (size_t)x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool CaptureWindow(HWND window, CapturedPixels* out, bool fromScreen) {
    SIZE size = OuterSize(window);
    if (!out || size.cx <= 0 || size.cy <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT outer = OuterRect(window);
        ok = fromScreen ? BitBlt(memory, 0, 0, size.cx, size.cy, screen, outer.left, outer.top, SRCCOPY) != 0
                        : PrintWindow(window, memory, 0) != 0;
        GdiFlush();
        if (ok) {
            out->width = size.cx;
            out->height = size.cy;
            out->pixels.assign((const uint32_t*)bits,
                               (const uint32_t*)bits + (size_t)size.cx * (size_t)size.cy);
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    if (!dc) return CLR_INVALID;
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

LOGFONTA FontFacts(PlatformHandle font) {
    LOGFONTA facts = {};
    EXPECT_EQ(GetObjectA((HFONT)font, sizeof facts, &facts), (int)sizeof facts);
    return facts;
}
