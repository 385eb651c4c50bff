// TakeOverRunningInstance against a stand-in instance in another process.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/instance.h"
#include "e2e/e2e_support.h"
#include "support/temp_dir.h"

class Takeover : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WaitUntilNoWindowTitled(ORVANE_TITLE, 5000)) << "a window of an earlier test is still up";
        ResetApplicationState();
        folder = MakeTempDir();
        ASSERT_FALSE(folder.empty());
    }
    std::string folder;
};

TEST_F(Takeover, NothingRunningLeavesTheRectangleUnfound) {
    TakeoverRect = TakeoverRectangle{true, 1, 2};
    TakeOverRunningInstance();
    EXPECT_FALSE(TakeoverRect.found);
}

TEST_F(Takeover, NotesTheRunningWindowsFrameAndClosesIt) {
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(137, 91, folder + "record.txt", STANDIN_ANSWERS, &standIn));
    HWND running = WaitForWindowTitled(ORVANE_TITLE, 1000);
    RECT expected = OuterRect(running);
    ASSERT_EQ(expected.left, 137);
    ASSERT_EQ(expected.top, 91);

    EXPECT_TRUE(TakeOverRunningInstance()) << "the closed window is gone, so this start goes on";

    EXPECT_TRUE(TakeoverRect.found);
    EXPECT_EQ(TakeoverRect.left, 137);
    EXPECT_EQ(TakeoverRect.top, 91);
    // The close request was taken synchronously: it is on record as soon as the call returns.
    EXPECT_EQ(ReadWholeFile(folder + "record.txt"), "WM_CLOSE 0 0\r\n");
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(standIn, 10000, &code));
    EXPECT_EQ(code, 0u);
}

// Minimised or maximised, an instance gives the place it returns to, or none where the platform
// does not tell another process that place (Wine); a place off every monitor is never taken.
TEST_F(Takeover, TakesOnlyTheRestoredPlaceOnTheScreen) {
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE, SW_SHOWNA}) {
        ChildProcess standIn;
        ASSERT_TRUE(StartStandInInstance(show == SW_SHOWNA ? 5000 : 137, 91, folder + std::to_string(show),
                                         STANDIN_ANSWERS, &standIn));
        ShowWindow(WaitForWindowTitled(ORVANE_TITLE, 1000), show);
        TakeOverRunningInstance();
        EXPECT_TRUE(!TakeoverRect.found ||
                    (show != SW_SHOWNA && TakeoverRect.left == 137 && TakeoverRect.top == 91))
            << show;
        EXPECT_TRUE(WaitForExit(standIn, 10000)) << "closed all the same";
    }
}

TEST_F(Takeover, OfTwoRunningWindowsOnlyTheOneFoundIsClosed) {
    ChildProcess first, second;
    ASSERT_TRUE(StartStandInInstance(10, 10, folder + "first.txt", STANDIN_ANSWERS, &first));
    ASSERT_TRUE(StartStandInInstance(400, 10, folder + "second.txt", STANDIN_ANSWERS, &second));
    ASSERT_EQ(TopLevelWindowsTitled(ORVANE_TITLE).size(), 2u);

    TakeOverRunningInstance();

    EXPECT_TRUE(TakeoverRect.found);
    bool firstClosed = FileExists(folder + "first.txt"), secondClosed = FileExists(folder + "second.txt");
    EXPECT_NE(firstClosed, secondClosed);
    EXPECT_EQ(TakeoverRect.left, firstClosed ? 10 : 400);
    EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE).size(), 1u);
}

TEST_F(Takeover, HungInstanceIsLeftAloneAfterTheTimeOut) {
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(137, 91, folder + "record.txt", STANDIN_HANGS, &standIn));

    DWORD started = GetTickCount();
    TakeOverRunningInstance();
    DWORD elapsed = GetTickCount() - started;

    EXPECT_FALSE(TakeoverRect.found);
    EXPECT_LT(elapsed, 20000u);
    EXPECT_FALSE(FileExists(folder + "record.txt"));
    StopProcess(standIn);
}
