// The info window of the real Orvane.exe, opened and closed with real clicks: its layout and text,
// where the focus goes, and what a close request or a click on the main window does while it is open.
#include <gtest/gtest.h>

#include <algorithm>

#include "window_e2e_support.h"

static const char* const CATALOGUE = "[fruit]\r\nA = apple\r\n";

class Info : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(LaunchOrvane(CATALOGUE, &run)); }
    void TearDown() override { EXPECT_TRUE(QuitOrvane(run)) << "Orvane did not end when asked"; }
    bool InfoClosed(HWND info) {
        return WaitUntil([&] { return !IsWindow(info); }, 5000);
    }
    RunningOrvane run;
};

static struct WindowCount {
    DWORD processId;
    int count;
} counting;

static BOOL CALLBACK CountProcessWindows(HWND window, LPARAM) {
    if (ProcessOfWindow(window) == counting.processId) counting.count++;
    return TRUE;
}

// Top-level windows of the process, hidden ones included.
static int TopLevelWindowsOf(DWORD processId) {
    counting = WindowCount{processId, 0};
    EnumWindows(CountProcessWindows, 0);
    return counting.count;
}

TEST_F(Info, ShowsBannerAndAboutTextCentredAndEscapeGivesTheFocusBack) {
    HWND info = OpenInfo(run);
    ASSERT_TRUE(info);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(info, &client));
    EXPECT_EQ(client.right, Scaled(392));
    EXPECT_EQ(client.bottom, Scaled(285));
    SIZE outer = OuterSize(info);
    RECT where = OuterRect(info);
    EXPECT_EQ(where.left, (1024 - outer.cx) / 2);
    EXPECT_EQ(where.top, (768 - outer.cy) / 2);
    EXPECT_EQ(GetWindowLongPtrA(info, GWL_STYLE) & WS_SYSMENU, 0);

    // 381 x 68 pixels inside a sunken edge of two pixels, at the display's scale; the picture fills
    // the box to its last pixel.
    HWND bannerBox = Gadget(info, BANNER_BOX);
    SIZE banner = OuterSize(bannerBox);
    EXPECT_EQ(banner.cx, Scaled(381) + Scaled(4));
    EXPECT_EQ(banner.cy, Scaled(68) + Scaled(4));
    RECT inside = {};
    GetClientRect(bannerBox, &inside);
    EXPECT_NE(WindowPixel(bannerBox, inside.right - 1, inside.bottom - 1), GetSysColor(COLOR_BTNFACE));
    std::string about = WindowTextOf(Gadget(info, ABOUT_BOX));
    EXPECT_NE(about.find("\r\nVersion 1.2.2\r\n"), std::string::npos) << about;
    EXPECT_NE(about.find("\r\n" + std::string(75, '-') + "\r\n"), std::string::npos);
    EXPECT_EQ(std::count(about.begin(), about.end(), '\n'), 8);
    EXPECT_EQ(WindowTextOf(Gadget(info, OK_BUTTON)), "OK");

    SaveScreenshotIfWanted(info, "info-window");
    EXPECT_EQ(FocusedControlOf(info), Gadget(info, OK_BUTTON)); // Return closes it as OK does
    ASSERT_TRUE(BringToForeground(info) && PressKey(VK_ESCAPE));
    ASSERT_TRUE(InfoClosed(info));
    EXPECT_TRUE(IsWindowEnabled(run.main));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run.main; }, 3000));
    // Back on the button that opened it.
    EXPECT_TRUE(WaitUntil([&] { return FocusedControlOf(run.main) == Gadget(run.main, INFO_BUTTON); }, 3000));
    EXPECT_FALSE(WaitForExit(run.process, 200)) << "Escape ended the program";
}

TEST_F(Info, MainWindowWaitsAndItsCloseRequestEndsTheTool) {
    HWND info = OpenInfo(run);
    ASSERT_TRUE(info);
    EXPECT_FALSE(IsWindowEnabled(run.main));
    ASSERT_TRUE(ClickWindowCentre(Gadget(run.main, QUIT_BUTTON)));
    EXPECT_FALSE(WaitForExit(run.process, 500)) << "Quit ended the program";
    EXPECT_TRUE(IsWindowVisible(info));
    // As a new start asks it to: the info window closes and the tool ends.
    ASSERT_TRUE(PostMessageA(run.main, WM_CLOSE, 0, 0));
    EXPECT_EQ(WaitForOrvaneExit(run.process), 0);
}

TEST_F(Info, InfoClickedAgainOpensNoSecondWindowAndReopeningLeavesNothingBehind) {
    HWND first = OpenInfo(run);
    ASSERT_TRUE(first);
    int windowsWhileOpen = TopLevelWindowsOf(run.process.id);
    // The main window's button while the info window is open: it takes no clicks.
    ASSERT_TRUE(ClickWindowCentre(Gadget(run.main, INFO_BUTTON)));
    Sleep(300);
    EXPECT_EQ(TopLevelWindowsTitled(INFO_TITLE).size(), 1u);
    ASSERT_TRUE(ClickGadget(first, OK_BUTTON));
    ASSERT_TRUE(InfoClosed(first));
    int windowsAfter = TopLevelWindowsOf(run.process.id);
    EXPECT_FALSE(WaitUntil([&] { return !TopLevelWindowsTitled(INFO_TITLE).empty(); }, 300))
        << "the ignored click opened the window later";

    std::string firstText;
    for (int i = 0; i < 3; i++) {
        HWND info = OpenInfo(run);
        ASSERT_TRUE(info) << "opening " << i;
        std::string text = WindowTextOf(Gadget(info, ABOUT_BOX));
        if (i == 0) firstText = text;
        EXPECT_EQ(text, firstText);
        EXPECT_EQ(TopLevelWindowsOf(run.process.id), windowsWhileOpen);
        ASSERT_TRUE(ClickGadget(info, OK_BUTTON));
        ASSERT_TRUE(InfoClosed(info));
        EXPECT_EQ(TopLevelWindowsOf(run.process.id), windowsAfter);
    }
}
