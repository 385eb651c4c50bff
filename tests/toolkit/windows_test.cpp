#include <gtest/gtest.h>

#include <windows.h>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override {
        WindowClose(1);
        WindowClose(2);
        PumpMessages();
    }
};

TEST_F(WindowTest, ASecondaryWindowIsCentredOnTheScreenWithItsClientSize) {
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    HWND window = (HWND)WindowOpen(2, 0, 0, 400, 350, 0x00C00001, "Edit constantlist");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, (HWND)WindowHandle(2));
    SIZE client = ClientSize(window);
    EXPECT_EQ(400, client.cx);
    EXPECT_EQ(350, client.cy);
    RECT outer = OuterRect(window);
    EXPECT_EQ((1024 - (outer.right - outer.left)) / 2, outer.left);
    EXPECT_EQ((768 - (outer.bottom - outer.top)) / 2, outer.top);
    EXPECT_NE(0, outer.left) << "the 0, 0 position is ignored";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WS_CAPTION, StyleOf(window) & WS_CAPTION);
    EXPECT_EQ(0, StyleOf(window) & (WS_SYSMENU | WS_THICKFRAME)) << "no close box, fixed size";
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("Edit constantlist", title);
    int outerWidth = 0, outerHeight = 0;
    WindowOuterSize(400, 350, 0x00C00001, &outerWidth, &outerHeight);
    EXPECT_EQ(outer.right - outer.left, outerWidth);
    EXPECT_EQ(outer.bottom - outer.top, outerHeight);
}

TEST_F(WindowTest, AMainWindowStandsWhereItWasAsked) {
    HWND window = (HWND)WindowOpen(1, 130, 95, 300, 220, 0x00C80000, "Placed");
    ASSERT_NE(nullptr, window);
    RECT outer = OuterRect(window);
    EXPECT_EQ(130, outer.left);
    EXPECT_EQ(95, outer.top);
    EXPECT_EQ(130, WindowLeft(1));
    EXPECT_EQ(95, WindowTop(1));
    SIZE client = ClientSize(window);
    EXPECT_EQ(300, client.cx);
    EXPECT_EQ(220, client.cy);
    EXPECT_NE(0, StyleOf(window) & WS_SYSMENU);
    EXPECT_EQ(0, StyleOf(window) & WS_THICKFRAME);
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(WindowLeft(1) == 130 && WindowTop(1) == 95) << "minimised, the place it returns to";
}

TEST_F(WindowTest, ResizeKeepsWhatIsLeftAtMinusOne) {
    HWND window = (HWND)WindowOpen(1, 60, 70, 300, 220, 0x00C80000, "Resized");
    ASSERT_NE(nullptr, window);
    WindowResize(1, -1, -1, 320, 200);
    EXPECT_EQ(60, WindowLeft(1));
    EXPECT_EQ(70, WindowTop(1));
    SIZE client = ClientSize(window);
    EXPECT_EQ(320, client.cx);
    EXPECT_EQ(200, client.cy);

    WindowResize(1, 210, 150, -1, -1);
    EXPECT_EQ(210, WindowLeft(1));
    EXPECT_EQ(150, WindowTop(1));
    client = ClientSize(window);
    EXPECT_EQ(320, client.cx);
    EXPECT_EQ(200, client.cy);
    WindowResize(1, -1, -1, -1, 90);
    EXPECT_EQ(320, ClientSize(window).cx);
    EXPECT_EQ(90, ClientSize(window).cy);
}

TEST_F(WindowTest, ReusingANumberClosesTheOldWindow) {
    HWND first = (HWND)WindowOpen(1, 50, 50, 200, 100, 0x00C80000, "First");
    ASSERT_NE(nullptr, first);
    HWND second = (HWND)WindowOpen(1, 80, 80, 200, 100, 0x00C80000, "Second");
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(second, (HWND)WindowHandle(1));
    EXPECT_EQ(second, FindWindowA(nullptr, "Second"));
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "First"));
}

TEST_F(WindowTest, FlagsWithoutAStyleGiveACaptionedWindow) {
    HWND plain = (HWND)WindowOpen(1, 40, 40, 200, 100, 0, "Plain");
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(WS_CAPTION, StyleOf(plain) & WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(plain));
    EXPECT_EQ(200, ClientSize(plain).cx);

    HWND hidden = (HWND)WindowOpen(2, 40, 40, 200, 100, WindowInvisible | WindowScreenCentered, "Hidden");
    ASSERT_NE(nullptr, hidden);
    EXPECT_EQ(WS_CAPTION, StyleOf(hidden) & WS_CAPTION);
    EXPECT_FALSE(IsWindowVisible(hidden));
    WindowHide(2, 0);
    EXPECT_TRUE(IsWindowVisible(hidden));
    WindowHide(2, 1);
    EXPECT_FALSE(IsWindowVisible(hidden));
}

TEST_F(WindowTest, ClosingFreesTheNumberAndTheClass) {
    HWND window = (HWND)WindowOpen(1, 40, 40, 200, 100, 0x00C80000, "Closing");
    ASSERT_NE(nullptr, window);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "WindowClass_1", &info));
    EXPECT_EQ((HANDLE)2, GetPropA(window, "ZQ_WindowID"));
    WindowClose(1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "WindowClass_1", &info));
    EXPECT_EQ(0, WindowHandle(1));
    EXPECT_EQ(0, WindowLeft(1));
    EXPECT_EQ(0, WindowTop(1));
    EXPECT_EQ(0, WindowHandle(-4));
}

} // namespace
