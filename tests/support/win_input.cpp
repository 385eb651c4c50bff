#include "support/win_input.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "support/win_process.h"

bool BringToForeground(HWND window, DWORD timeoutMs) {
    return window && WaitUntil(
                         [&] {
                             if (GetForegroundWindow() == window) return true;
                             SetForegroundWindow(window);
                             return GetForegroundWindow() == window;
                         },
                         timeoutMs);
}

HWND FocusedControlOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

static bool Send(std::vector<INPUT> inputs) {
    UINT sent = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Sleep(30); // lets the receiving thread take the input before the next call looks at results
    return sent == inputs.size();
}

static INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = (WORD)MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool PressKey(WORD virtualKey, WORD modifier) {
    std::vector<INPUT> inputs;
    if (modifier) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    if (modifier) inputs.push_back(KeyInput(modifier, true));
    return Send(inputs);
}

bool TypeText(const std::string& text) {
    for (char c : text) {
        SHORT key = VkKeyScanA(c);
        if (key == -1 || !PressKey(LOBYTE(key), (HIBYTE(key) & 1) ? VK_SHIFT : 0)) return false;
    }
    return true;
}

// Absolute mouse coordinates map 0..65535 onto the screen as (value * size) >> 16; rounding up makes
// that land exactly on the wanted pixel.
static LONG NormalisedCoordinate(int pixel, int screenSize) {
    if (screenSize <= 0) return 0;
    return (LONG)(((int64_t)pixel * 65536 + screenSize - 1) / screenSize);
}

// Every event carries the point, button events too: under Wine's X11 driver a bare button event may
// land where an earlier report still has the pointer.
static INPUT MouseInput(int x, int y, DWORD buttonFlags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = NormalisedCoordinate(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = NormalisedCoordinate(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = buttonFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

static bool CursorIsAt(int x, int y) {
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}

// Wine also hears of the pointer from the X server, and a late report of an earlier place can still
// move it back: the move is made again until the pointer stays. The wait dispatches no messages, so
// that a toolkit suite's event loop sees every message the input causes.
bool MovePointerTo(int x, int y) {
    for (int attempt = 0; attempt < 5; attempt++) {
        if (!Send({MouseInput(x, y, 0)})) return false;
        if (!WaitUntil([&] { return CursorIsAt(x, y); }, 300, false)) continue;
        Sleep(80);
        if (CursorIsAt(x, y)) return true;
    }
    POINT at = {-1, -1};
    GetCursorPos(&at);
    fprintf(stderr, "the pointer did not stay at %d,%d but is at %ld,%ld\n", x, y, at.x, at.y);
    return false;
}

static bool ClickWith(int x, int y, DWORD down, DWORD up) {
    return MovePointerTo(x, y) && Send({MouseInput(x, y, down)}) && Send({MouseInput(x, y, up)});
}

bool LeftClickAt(int x, int y) {
    return ClickWith(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

bool RightClickAt(int x, int y) {
    return ClickWith(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

bool ClickWindowCentre(HWND window) {
    RECT r = OuterRect(window);
    if (r.right <= r.left || r.bottom <= r.top) return false;
    return LeftClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool DragScreenPoint(int fromX, int fromY, int toX, int toY) {
    if (!MovePointerTo(fromX, fromY) || !Send({MouseInput(fromX, fromY, MOUSEEVENTF_LEFTDOWN)})) return false;
    const int steps = 8;
    for (int i = 1; i <= steps; i++)
        if (!Send({MouseInput(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, 0)}))
            return false;
    return Send({MouseInput(toX, toY, MOUSEEVENTF_LEFTUP)});
}

static LRESULT HitTest(HWND window, int x, int y) {
    return SendNumbers(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

bool CloseBoxPoint(HWND window, POINT* point) {
    RECT r = OuterRect(window);
    RECT client = ClientRectOnScreen(window);
    for (int y = r.top + 1; y < client.top; y += 2) {
        for (int x = r.right - 2; x > r.right - 80; x -= 2) {
            LRESULT hit = HitTest(window, x, y);
            if (hit == -1) return false;
            if (hit != HTCLOSE) continue;
            // The middle of the close box: step on to its other edges.
            int left = x, bottom = y;
            while (left > r.left && HitTest(window, left - 1, y) == HTCLOSE)
                left--;
            while (bottom < client.top && HitTest(window, x, bottom + 1) == HTCLOSE)
                bottom++;
            *point = POINT{(left + x) / 2, (y + bottom) / 2};
            return true;
        }
    }
    return false;
}
