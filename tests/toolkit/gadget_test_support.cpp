#include "gadget_test_support.h"

#include "toolkit/toolkit.h"
#include "win_test_support.h"

HWND OpenGadgetWindow(int number, int clientWidth, int clientHeight) {
    HWND window = (HWND)WindowOpen(number, 40, 40, clientWidth, clientHeight, 0x00C80000, "Gadget test");
    if (!window) return nullptr;
    BeginGadgets((PlatformHandle)window);
    BringToForeground(window);
    PumpMessages();
    return window;
}

std::vector<ObservedEvent> RunEventsUntil(const std::function<bool(const ObservedEvent&)>& done,
                                          int timeoutMs) {
    std::vector<ObservedEvent> seen;
    UINT_PTR timer = SetTimer(nullptr, 0, 25, nullptr);
    DWORD start = GetTickCount();
    while ((int)(GetTickCount() - start) < timeoutMs) {
        ObservedEvent event = {WaitEvent(), 0, 0};
        event.gadget = EventGadgetNumber();
        event.type = EventType();
        if (event.code == WM_TIMER) continue;
        seen.push_back(event);
        if (done && done(event)) break;
    }
    KillTimer(nullptr, timer);
    return seen;
}

bool WaitForGadgetEvent(int gadget, int type, int timeoutMs) {
    bool found = false;
    RunEventsUntil(
        [&](const ObservedEvent& e) {
            found = e.code == EVENT_GADGET && e.gadget == gadget && e.type == type;
            return found;
        },
        timeoutMs);
    return found;
}

bool RunEventsUntilTrue(const std::function<bool()>& condition, int timeoutMs) {
    if (condition()) return true;
    UINT_PTR timer = SetTimer(nullptr, 0, 25, nullptr);
    DWORD start = GetTickCount();
    bool held = false;
    while (!held && (int)(GetTickCount() - start) < timeoutMs) {
        WaitEvent();
        held = condition();
    }
    KillTimer(nullptr, timer);
    return held;
}

void RunEventsFor(int ms) {
    RunEventsUntil(nullptr, ms);
}

POINT ScreenPointOf(HWND control, const RECT& clientRect) {
    POINT p = {(clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2};
    ClientToScreen(control, &p);
    return p;
}

bool PrepareToClick(HWND control, POINT screenPoint) {
    HWND top = GetAncestor(control, GA_ROOT);
    RunEventsFor((int)GetDoubleClickTime() + 50);
    if (!RunEventsUntilTrue([&] { return GetForegroundWindow() == top || BringToForeground(top, 200); }))
        return false;
    MoveMouseTo(screenPoint.x, screenPoint.y);
    bool reached = RunEventsUntilTrue([&] { return WindowFromPoint(screenPoint) == control; });
    RunEventsFor(100);
    return reached;
}

bool PrepareToClick(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return PrepareToClick(control, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

bool ActUntil(const std::function<void()>& action, const std::function<bool()>& outcome) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) RunEventsFor((int)GetDoubleClickTime() + 100);
        action();
        if (RunEventsUntilTrue(outcome, 1500)) return true;
    }
    return false;
}

bool ActUntilGadgetEvent(const std::function<void()>& action, int gadget, int type) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) RunEventsFor((int)GetDoubleClickTime() + 100);
        action();
        if (WaitForGadgetEvent(gadget, type, 1500)) return true;
    }
    return false;
}
