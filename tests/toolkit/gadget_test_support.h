// Shared set-up of the gadget tests: a toolkit window to put gadgets in, and a bounded way to run
// the toolkit's own event loop (WaitEvent) while real input is processed.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct ObservedEvent {
    int code;
    int gadget;
    int type;
};

// Opens toolkit window `number` with a title bar at a fixed place, makes it the gadget parent and
// brings it to the foreground. Returns its handle (0 on failure).
HWND OpenGadgetWindow(int number, int clientWidth = 520, int clientHeight = 420);

// Runs WaitEvent until `done` accepts an event or timeoutMs passes; a thread timer makes WaitEvent
// return regularly, so this never blocks for longer. Returns every event seen.
std::vector<ObservedEvent> RunEventsUntil(const std::function<bool(const ObservedEvent&)>& done,
                                          int timeoutMs);
// True when EVENT_GADGET of that gadget and type arrives in time.
bool WaitForGadgetEvent(int gadget, int type, int timeoutMs = 3000);
// Runs WaitEvent until the condition holds or timeoutMs passes. True when it held.
bool RunEventsUntilTrue(const std::function<bool()>& condition, int timeoutMs = 3000);
// Runs WaitEvent for a while and forgets what it returned.
void RunEventsFor(int ms);

// Before the first click of a test: waits until the control's window is in the foreground and the
// control is what lies under the point, rests the mouse there and lets earlier clicks age beyond
// the double-click time. Returns false when the control cannot be reached.
bool PrepareToClick(HWND control, POINT screenPoint);
bool PrepareToClick(HWND control);

// Synthetic mouse input under Wine is now and then lost: performs the action (clicks) and waits for
// its outcome, and tries again up to three times, each after the double-click time has passed.
bool ActUntil(const std::function<void()>& action, const std::function<bool()>& outcome);
bool ActUntilGadgetEvent(const std::function<void()>& action, int gadget, int type);

// Centre of a client rectangle of a control, in screen coordinates.
POINT ScreenPointOf(HWND control, const RECT& clientRect);
