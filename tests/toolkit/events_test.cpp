#include <gtest/gtest.h>

#include <windows.h>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

class EventTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = (HWND)WindowOpen(1, 120, 100, 420, 300, WindowTitleBar | WindowCloseBox, "Events");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(BringToForeground(window));
        EventsBeforeSentinel(window); // whatever opening the window raised
    }
    void TearDown() override {
        WindowClose(1);
        PumpMessages();
    }

    bool WaitForCode(int code, int timeoutMs = 3000) {
        return RunEventsUntil([code](const SeenEvent& e) { return e.code == code; }, timeoutMs);
    }
    bool WaitForFocusOn(HWND control, int timeoutMs = 3000) {
        return RunEventsUntil([control](const SeenEvent&) { return GetFocus() == control; }, timeoutMs) ||
               GetFocus() == control;
    }

    HWND window = nullptr;
};

TEST_F(EventTest, ACloseRequestIsReportedAndTheWindowStaysOpen) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitForCode(EVENT_CLOSE));
    EXPECT_EQ(EventWindowNumber(), 1);
    EXPECT_TRUE(IsWindow(window));

    POINT closeBox;
    ASSERT_TRUE(CloseBoxPoint(window, &closeBox));
    LeftClickAt(closeBox.x, closeBox.y);
    EXPECT_TRUE(WaitForCode(EVENT_CLOSE));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ((HWND)WindowHandle(1), window);

    // A close request outlasts a later notification and a queued event handed out before it.
    EventsBeforeSentinel(window);
    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_COMMAND, 42, 0);
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    std::vector<SeenEvent> seen = EventsBeforeSentinel(window);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, EVENT_ACTIVATE);
    EXPECT_EQ(seen[1].code, EVENT_CLOSE);

    // It names the window it was for, also after messages for another window.
    HWND other = (HWND)WindowOpen(2, 300, 200, 200, 100, WindowTitleBar | WindowCloseBox, "Other");
    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(other, WM_COMMAND, 42, 0);
    int closed = 0;
    EXPECT_TRUE(RunEventsUntil(
        [&](const SeenEvent& e) {
            closed = EventWindowNumber();
            return e.code == EVENT_CLOSE;
        },
        3000));
    EXPECT_EQ(closed, 1);

    // Its sender gets the application's answer for that window; 0 without one.
    EXPECT_EQ(SendMessageA(other, WM_CLOSE, 0, 0), 0);
    WindowSetCloseAnswer([](int number) { return (std::intptr_t)(100 + number); });
    EXPECT_EQ(SendMessageA(other, WM_CLOSE, 0, 0), 102);
    WindowSetCloseAnswer(nullptr);
    EventsBeforeSentinel(window);
    WindowClose(2);
}

TEST_F(EventTest, KeysAndRightClicksArriveAsRawCodes) {
    PressKey('Q');
    EXPECT_TRUE(
        RunEventsUntil([](const SeenEvent& e) { return e.code == EVENT_KEYDOWN && e.wParam == 'Q'; }, 3000));
    RECT client;
    GetClientRect(window, &client);
    POINT centre = {client.right / 2, client.bottom / 2};
    ClientToScreen(window, &centre);
    RightClickAt(centre.x, centre.y);
    EXPECT_TRUE(WaitForCode(EVENT_RBUTTONDOWN));
}

TEST_F(EventTest, ReturnInATextFieldIsAKeyAndKeepsTheLastGadget) {
    BeginGadgets((PlatformHandle)window);
    HWND field = (HWND)AddTextField(6, 20, 20, 200, 22, "typed");
    ASSERT_NE(field, nullptr);
    SetFocus(field);
    ASSERT_TRUE(
        RunEventsUntil([](const SeenEvent& e) { return e.code == EVENT_GADGET && e.number == 6; }, 3000));
    // A menu command in between makes the number something else than the field's.
    PostMessageA(window, WM_COMMAND, 31, 0);
    ASSERT_TRUE(WaitForCode(EVENT_MENU));
    ASSERT_EQ(EventMenuNumber(), 31);

    PressKey(VK_RETURN);
    std::vector<SeenEvent> seen;
    ASSERT_TRUE(RunEventsUntil(
        [](const SeenEvent& e) { return e.code == EVENT_KEYDOWN && e.wParam == VK_RETURN; }, 3000, &seen));
    EXPECT_EQ(EventWParam(), 13);
    EXPECT_EQ(EventGadgetNumber(), 31) << "a raw key code leaves the number of the last event";
    for (const SeenEvent& e : seen)
        EXPECT_NE(e.code, EVENT_GADGET);
}

TEST_F(EventTest, TabMovesTheFocusOverEnabledVisibleTabStopsAndWraps) {
    BeginGadgets((PlatformHandle)window);
    HWND first = (HWND)AddButton(11, 10, 10, 90, 26, "First");
    HWND disabled = (HWND)AddButton(12, 10, 40, 90, 26, "Disabled");
    HWND label = (HWND)AddTextBox(13, 10, 70, 90, 20, "Label", 0);
    HWND second = (HWND)AddTextField(14, 10, 100, 90, 22, "");
    HWND hidden = (HWND)AddButton(15, 10, 130, 90, 26, "Hidden");
    HWND last = (HWND)AddButton(16, 10, 160, 90, 26, "Last");
    ASSERT_TRUE(first && disabled && label && second && hidden && last);
    EnableWindow(disabled, FALSE);
    ShowWindow(hidden, SW_HIDE);
    SetFocus(first);

    PressKey(VK_TAB);
    EXPECT_TRUE(WaitForFocusOn(second));
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitForFocusOn(last));
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitForFocusOn(first)) << "forward wraps to the first";
    PressKey(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(WaitForFocusOn(last)) << "backward wraps to the last";
    PressKey(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(WaitForFocusOn(second));
}

TEST_F(EventTest, CommandsBecomeMenuAndGadgetEvents) {
    PostMessageA(window, WM_COMMAND, 42, 0); // as the system posts a chosen menu item
    std::vector<SeenEvent> seen = EventsBeforeSentinel(window);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, EVENT_MENU);
    EXPECT_EQ(seen[0].number, 42);

    BeginGadgets((PlatformHandle)window);
    HWND button = (HWND)AddButton(21, 200, 200, 100, 30, "Press");
    ASSERT_NE(button, nullptr);
    RunEventsFor(100);
    ClickWindowCentre(button);
    EXPECT_TRUE(
        RunEventsUntil([](const SeenEvent& e) { return e.code == EVENT_GADGET && e.number == 21; }, 3000));
    EXPECT_EQ(EventType(), BN_CLICKED);

    // Return on the focused button presses it, as in a dialog: a click, no key.
    seen.clear();
    PressKey(VK_RETURN);
    EXPECT_TRUE(RunEventsUntil(
        [](const SeenEvent& e) { return e.code == EVENT_GADGET && e.type == BN_CLICKED; }, 3000, &seen));
    for (const SeenEvent& e : seen)
        EXPECT_FALSE(e.code == EVENT_KEYDOWN && e.wParam == VK_RETURN);
}

} // namespace
