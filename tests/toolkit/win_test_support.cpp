#include "toolkit/win_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/toolkit.h"

namespace {

// The toolkit is started once for the whole test program, as the application does.
class ToolkitEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { StartToolkit(); }
    void TearDown() override { EndToolkit(); }
};

const ::testing::Environment* const toolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

void SendKeyboardInput(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = (WORD)MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

// Absolute mouse coordinates map 0..65535 onto the screen as (value * size) >> 16; rounding up
// makes that land exactly on the wanted pixel.
LONG NormalisedCoordinate(int pixel, int screenSize) {
    if (screenSize <= 0) return 0;
    return (LONG)(((int64_t)pixel * 65536 + screenSize - 1) / screenSize);
}

struct ClassSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisibleOfClass(HWND window, LPARAM lParam) {
    ClassSearch* search = (ClassSearch*)lParam;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, search->className) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if ((int)(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(10);
    }
}

void PumpFor(int ms) {
    WaitUntil([] { return false; }, ms);
}

bool BringToForeground(HWND window, int timeoutMs) {
    SetForegroundWindow(window);
    return WaitUntil([window] { return GetForegroundWindow() == window; }, timeoutMs);
}

HWND WaitForVisibleWindowOfClass(const char* className, int timeoutMs) {
    ClassSearch search = {className, nullptr};
    DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(FindVisibleOfClass, (LPARAM)&search);
        if (search.found || (int)(GetTickCount() - start) >= timeoutMs) return search.found;
        Sleep(10);
    }
}

bool WaitEventMatching(const std::function<bool(const SeenEvent&)>& match, int timeoutMs,
                       std::vector<SeenEvent>* seen) {
    UINT_PTR timer = SetTimer(nullptr, 0, (UINT)timeoutMs, nullptr);
    bool matched = false;
    for (;;) {
        SeenEvent event = {WaitEvent(), EventGadgetNumber(), EventWParam()};
        if (event.code == WM_TIMER && (UINT_PTR)event.wParam == timer) break;
        if (seen) seen->push_back(event);
        if (match(event)) {
            matched = true;
            break;
        }
    }
    KillTimer(nullptr, timer);
    return matched;
}

std::vector<SeenEvent> EventsBeforeSentinel(HWND window, int timeoutMs) {
    std::vector<SeenEvent> seen;
    PostMessageA(window, SENTINEL_MESSAGE, 0, 0);
    bool arrived = WaitEventMatching([](const SeenEvent& e) { return e.code == (int)SENTINEL_MESSAGE; },
                                     timeoutMs, &seen);
    if (arrived) seen.pop_back();
    return seen;
}

void KeyDown(WORD virtualKey) {
    SendKeyboardInput(virtualKey, 0);
}
void KeyUp(WORD virtualKey) {
    SendKeyboardInput(virtualKey, KEYEVENTF_KEYUP);
}

void PressKey(WORD virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void PressKeyWith(WORD modifier, WORD virtualKey) {
    KeyDown(modifier);
    PressKey(virtualKey);
    KeyUp(modifier);
}

void PressKeyWithShift(WORD virtualKey) {
    PressKeyWith(VK_SHIFT, virtualKey);
}

void TypeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        SHORT scan = VkKeyScanA(*c);
        if (scan == -1) continue;
        WORD virtualKey = LOBYTE(scan);
        if (HIBYTE(scan) & 1)
            PressKeyWithShift(virtualKey);
        else
            PressKey(virtualKey);
    }
}

void MoveMouseTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = NormalisedCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = NormalisedCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

// Each button event carries its own position: under Wine's X11 driver the pointer may still be
// on its way from a separate move when a bare button event arrives, and the click lands elsewhere.
static void ButtonAt(int x, int y, DWORD buttonFlags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = NormalisedCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = NormalisedCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = buttonFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

static void ClickAt(int x, int y, DWORD downFlag, DWORD upFlag) {
    MoveMouseTo(x, y);
    ButtonAt(x, y, downFlag);
    ButtonAt(x, y, upFlag);
}

void LeftClickAt(int x, int y) {
    ClickAt(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(int x, int y) {
    ClickAt(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void ClickWindowCentre(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    LeftClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

COLORREF CapturedPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    uint32_t p = pixels[(size_t)y * (size_t)width + (size_t)x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool CaptureWindow(HWND window, CapturedPixels* out) {
    RECT r;
    if (!out || !GetWindowRect(window, &r)) return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
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
        ok = PrintWindow(window, memory, 0) != 0;
        GdiFlush();
        if (ok) {
            out->width = width;
            out->height = height;
            out->pixels.assign((const uint32_t*)bits, (const uint32_t*)bits + (size_t)width * (size_t)height);
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
