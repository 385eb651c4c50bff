#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

class PopupMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner = (HWND)WindowOpen(1, 150, 120, 360, 260, WindowTitleBar | WindowCloseBox, "Menu owner");
        ASSERT_NE(owner, nullptr);
        ASSERT_TRUE(BringToForeground(owner));
        ASSERT_TRUE(MovePointerTo(300, 250));
        EventsBeforeSentinel(owner); // whatever opening the window raised
        ASSERT_NE(PopupMenuCreate(1), 0);
        MenuAddItem(1, "Cut");
        MenuAddItem(2, "Copy");
        MenuAddItem(3, "Paste");
    }
    void TearDown() override { WindowClose(1); }

    // Shows menu 1; a helper thread waits for the menu to appear, notes where it stands, and then
    // presses the keys. Returns when the menu has closed.
    void ShowMenuAndPress(std::initializer_list<WORD> keys) {
        std::vector<WORD> toPress(keys);
        menuRect = RECT{};
        std::thread user([this, toPress] {
            // This thread has no windows: its waits leave messages alone.
            HWND menu = nullptr;
            WaitUntil([&] { return (menu = VisibleWindowOfClass("#32768")) != nullptr; }, 5000, false);
            menuRect = OuterRect(menu);
            for (WORD key : toPress)
                PressKey(key);
            // Never leave the test blocked in the menu.
            if (!WaitUntil([] { return !VisibleWindowOfClass("#32768"); }, 3000, false))
                PostMessageA(owner, WM_CANCELMODE, 0, 0);
        });
        PopupMenuShow(1, (PlatformHandle)owner);
        user.join();
    }

    HWND owner = nullptr;
    RECT menuRect = {};
};

int CountMenuEvents(const std::vector<SeenEvent>& events, int* lastNumber) {
    int count = 0;
    for (const SeenEvent& e : events)
        if (e.code == EVENT_MENU) {
            ++count;
            *lastNumber = e.number;
        }
    return count;
}

TEST_F(PopupMenuTest, ItemsAreAppendedToTheMenuCreatedLast) {
    HMENU menu = (HMENU)PopupMenuCreate(1);
    ASSERT_NE(menu, nullptr);
    MenuAddItem(7, "Only");
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), 7u);
    char text[16] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Only");

    HMENU other = (HMENU)PopupMenuCreate(3);
    MenuAddItem(8, "Elsewhere");
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemCount(other), 1);
    // Creating under a number in use destroys the old menu.
    ASSERT_NE(PopupMenuCreate(3), 0);
    EXPECT_FALSE(IsMenu(other));
}

TEST_F(PopupMenuTest, EscapeClosesTheMenuWithoutAnEvent) {
    ShowMenuAndPress({VK_ESCAPE});
    // The menu opens with its top-left corner one pixel above and left of the cursor.
    EXPECT_EQ(menuRect.left, 299);
    EXPECT_EQ(menuRect.top, 249);
    int number = -1;
    EXPECT_EQ(CountMenuEvents(EventsBeforeSentinel(owner), &number), 0);
}

TEST_F(PopupMenuTest, ChoosingAnItemRaisesAMenuEventWithItsNumber) {
    ShowMenuAndPress({VK_DOWN, VK_DOWN, VK_RETURN});
    std::vector<SeenEvent> events = EventsBeforeSentinel(owner);
    int number = -1;
    EXPECT_EQ(CountMenuEvents(events, &number), 1);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(EventMenuNumber(), 2);
}

TEST_F(PopupMenuTest, AMissingMenuShowsNothing) {
    PopupMenuShow(9, (PlatformHandle)owner); // returns at once
    EXPECT_FALSE(WaitUntil([] { return VisibleWindowOfClass("#32768") != nullptr; }, 200));
}

} // namespace
