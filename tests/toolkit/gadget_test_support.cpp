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
