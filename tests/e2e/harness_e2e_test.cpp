// The harness itself: the stand-in IDE and real input reach what they are meant to reach.
#include <gtest/gtest.h>

#include "window_e2e_support.h"

TEST(Harness, TypedKeysReachTheHostEditorAcrossProcesses) {
    ChildProcess host;
    HWND editor = nullptr;
    ASSERT_TRUE(StartHostEditor("", &host, &editor));
    HWND frame = GetAncestor(editor, GA_ROOT);
    ASSERT_TRUE(BringToForeground(frame));
    ASSERT_TRUE(ClickWindowCentre(editor));
    ASSERT_TRUE(TypeText("abC 1"));
    // The keys are queued for the host's thread: its text follows once it has taken them all.
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "abC 1"; }, 3000)) << WindowTextOf(editor);
}

TEST(Harness, HostEditorHandleTravelsAsDecimal) {
    ChildProcess host;
    HWND editor = nullptr;
    ASSERT_TRUE(StartHostEditor("keep me", &host, &editor));
    std::string decimal = HandleAsDecimal(editor);
    HWND back = (HWND)(intptr_t)std::stoi(decimal);
    EXPECT_EQ(back, editor);
    EXPECT_EQ(WindowTextOf(back), "keep me");
}
