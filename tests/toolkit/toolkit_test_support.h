// Shared set-up of the toolkit suites: the toolkit started once for the whole program, bounded runs
// of the toolkit's own event loop (WaitEvent) while real input is processed, a toolkit window to put
// gadgets in, and the pixels a window draws. Input, focus and waiting come from tests/support/.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "support/win_input.h"
#include "support/win_process.h"
#include "toolkit/toolkit.h"

// ---- Toolkit events ------------------------------------------------------------------------------
struct SeenEvent {
    int code;
    int number; // EventGadgetNumber / EventMenuNumber after it
    int type;   // EventType after it
    std::intptr_t wParam;
};
// A private message the tests post behind other posted messages to learn that those were handled.
constexpr UINT SENTINEL_MESSAGE = WM_APP + 77;

// Runs WaitEvent until `match` accepts an event or timeoutMs passes. A thread timer makes WaitEvent
// return every 25 ms, so this never blocks for longer; its ticks go to `match` too (a condition on
// the windows' state is looked at regularly) but not into *seen, which, when given, gets every other
// event taken. A null `match` accepts none. True when one was accepted.
bool RunEventsUntil(const std::function<bool(const SeenEvent&)>& match, int timeoutMs,
                    std::vector<SeenEvent>* seen = nullptr);
// Runs WaitEvent until the condition holds or timeoutMs passes. True when it held.
bool RunEventsUntilTrue(const std::function<bool()>& condition, int timeoutMs = 3000);
// Runs WaitEvent for a while and forgets what it returned.
void RunEventsFor(int ms);
// Posts SENTINEL_MESSAGE to the window and takes events until it comes back: the events before it.
std::vector<SeenEvent> EventsBeforeSentinel(HWND window, int timeoutMs = 5000);

// ---- Gadgets -----------------------------------------------------------------------------------
// Opens toolkit window `number` with a title bar at a fixed place, makes it the gadget parent and
// brings it to the foreground. Returns its handle (0 on failure).
HWND OpenGadgetWindow(int number, int clientWidth = 520, int clientHeight = 420);

// A test with toolkit window WINDOW open as above, closed again after it.
class GadgetWindowTest : public ::testing::Test {
  protected:
    static constexpr int WINDOW = 5;
    void SetUp() override;
    void TearDown() override;
    HWND window = nullptr;
};

// Before the first click of a test: waits until the control's window is in the foreground and the
// control is what lies under the point, rests the mouse there and lets earlier clicks age beyond
// the double-click time. Returns false when the control cannot be reached.
bool PrepareToClick(HWND control, POINT screenPoint);
bool PrepareToClick(HWND control);

// Synthetic mouse input under Wine is now and then lost: performs the action (clicks) and waits for
// its outcome (a condition, or an event of the gadget), and tries again up to three times, each
// after the double-click time has passed.
bool ActUntil(const std::function<void()>& action, const std::function<bool()>& outcome);
bool ActUntilGadgetEvent(const std::function<void()>& action, int gadget, int type);

// ---- Pixels ------------------------------------------------------------------------------------
struct CapturedPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // top-down rows, 0x00RRGGBB as a 32-bit DIB holds them
    // The pixel at (x, y) of the window as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF At(int x, int y) const;
};
// Draws the whole window (frame included) into memory with PrintWindow, or with fromScreen copies
// what stands on the screen where the window is. False on failure.
bool CaptureWindow(HWND window, CapturedPixels* out, bool fromScreen = false);
// Reads one pixel of the client area as painted on the screen (after UpdateWindow).
COLORREF ClientPixel(HWND window, int x, int y);

// ---- Fonts -------------------------------------------------------------------------------------
// What a font handle was made with; a failed lookup fails the test.
LOGFONTA FontFacts(PlatformHandle font);
