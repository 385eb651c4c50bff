#include <gtest/gtest.h>

#include <windows.h>

#include "support/win_controls.h"
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
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    HWND window = (HWND)WindowOpen(2, 0, 0, 400, 350, 0x00C00001, "Edit constantlist");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ((HWND)WindowHandle(2), window);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, Scaled(400));
    EXPECT_EQ(client.cy, Scaled(350));
    RECT outer = OuterRect(window);
    EXPECT_EQ(outer.left, (1024 - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (768 - (outer.bottom - outer.top)) / 2);
    EXPECT_NE(outer.left, 0) << "the 0, 0 position is ignored";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(StyleOf(window) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(StyleOf(window) & (WS_SYSMENU | WS_THICKFRAME), 0) << "no close box, fixed size";
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Edit constantlist");
    int outerWidth = 0, outerHeight = 0;
    WindowOuterSize(400, 350, 0x00C00001, &outerWidth, &outerHeight);
    EXPECT_EQ(outerWidth, outer.right - outer.left);
    EXPECT_EQ(outerHeight, outer.bottom - outer.top);
}

TEST_F(WindowTest, AMainWindowStandsWhereItWasAsked) {
    HWND window = (HWND)WindowOpen(1, 130, 95, 300, 220, WindowTitleBar | WindowCloseBox, "Placed");
    ASSERT_NE(window, nullptr);
    RECT outer = OuterRect(window);
    EXPECT_EQ(outer.left, 130);
    EXPECT_EQ(outer.top, 95);
    EXPECT_EQ(WindowLeft(1), 130);
    EXPECT_EQ(WindowTop(1), 95);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, Scaled(300));
    EXPECT_EQ(client.cy, Scaled(220));
    EXPECT_NE(StyleOf(window) & WS_SYSMENU, 0);
    EXPECT_EQ(StyleOf(window) & WS_THICKFRAME, 0);
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(WindowLeft(1) == 130 && WindowTop(1) == 95) << "minimised, the place it returns to";
}

TEST_F(WindowTest, ResizeKeepsWhatIsLeftAtMinusOne) {
    HWND window = (HWND)WindowOpen(1, 60, 70, 300, 220, WindowTitleBar | WindowCloseBox, "Resized");
    ASSERT_NE(window, nullptr);
    WindowResize(1, -1, -1, 320, 200);
    EXPECT_EQ(WindowLeft(1), 60);
    EXPECT_EQ(WindowTop(1), 70);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, Scaled(320));
    EXPECT_EQ(client.cy, Scaled(200));

    WindowResize(1, 210, 150, -1, -1);
    EXPECT_EQ(WindowLeft(1), 210);
    EXPECT_EQ(WindowTop(1), 150);
    client = ClientSize(window);
    EXPECT_EQ(client.cx, Scaled(320));
    EXPECT_EQ(client.cy, Scaled(200));
    WindowResize(1, -1, -1, -1, 90);
    EXPECT_EQ(ClientSize(window).cx, Scaled(320));
    EXPECT_EQ(ClientSize(window).cy, Scaled(90));
}

TEST_F(WindowTest, ReusingANumberClosesTheOldWindow) {
    HWND first = (HWND)WindowOpen(1, 50, 50, 200, 100, WindowTitleBar | WindowCloseBox, "First");
    ASSERT_NE(first, nullptr);
    HWND second = (HWND)WindowOpen(1, 80, 80, 200, 100, WindowTitleBar | WindowCloseBox, "Second");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ((HWND)WindowHandle(1), second);
    EXPECT_EQ(FindWindowA(nullptr, "Second"), second);
    EXPECT_EQ(FindWindowA(nullptr, "First"), nullptr);
}

TEST_F(WindowTest, FlagsWithoutAStyleGiveACaptionedWindow) {
    HWND plain = (HWND)WindowOpen(1, 40, 40, 200, 100, 0, "Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(StyleOf(plain) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(plain));
    EXPECT_EQ(ClientSize(plain).cx, Scaled(200));

    HWND hidden = (HWND)WindowOpen(2, 40, 40, 200, 100, WindowInvisible | WindowScreenCentered, "Hidden");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(StyleOf(hidden) & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(IsWindowVisible(hidden));
    WindowHide(2, 0);
    EXPECT_TRUE(IsWindowVisible(hidden));
    WindowHide(2, 1);
    EXPECT_FALSE(IsWindowVisible(hidden));
}

TEST_F(WindowTest, ClosingFreesTheNumberAndTheClass) {
    HWND window = (HWND)WindowOpen(1, 40, 40, 200, 100, WindowTitleBar | WindowCloseBox, "Closing");
    ASSERT_NE(window, nullptr);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "WindowClass_1", &info));
    EXPECT_EQ(GetPropA(window, "ZQ_WindowID"), (HANDLE)2);
    WindowClose(1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "WindowClass_1", &info));
    EXPECT_EQ(WindowHandle(1), 0);
    EXPECT_EQ(WindowLeft(1), 0);
    EXPECT_EQ(WindowTop(1), 0);
    EXPECT_EQ(WindowHandle(-4), 0);
}

} // namespace
