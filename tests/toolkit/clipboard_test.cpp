#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "support/win_controls.h"
#include "toolkit/toolkit.h"

namespace {

TEST(Clipboard, TextMakesTheRoundTripOwnedByAWindowOfTheTool) {
    HWND window = (HWND)WindowOpen(3, 10, 10, 100, 50, WindowTitleBar | WindowCloseBox, "Owner");
    ASSERT_NE(window, nullptr);
    ClipboardSetText("ALPHA|beta|Gamma 3");
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(ClipboardText(), "ALPHA|beta|Gamma 3");
    EXPECT_EQ(ReadClipboardText("<none>"), "ALPHA|beta|Gamma 3");
    WindowClose(3);
    ClipboardSetText(nullptr);
    EXPECT_EQ(ReadClipboardText("<none>"), "");
}

TEST(Clipboard, EmptyTextLeavesAnEmptyTextOnTheClipboard) {
    ClipboardSetText("something");
    ClipboardSetText("");
    EXPECT_EQ(ReadClipboardText("<none>"), "");
    EXPECT_EQ(ClipboardText(), "");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    CloseClipboard();
}

TEST(Clipboard, APictureOnlyClipboardReadsAsNoText) {
    ClipboardSetText("old text");
    ASSERT_TRUE(PutOnlyAPictureOnClipboard());
    EXPECT_EQ(ClipboardText(), "");
}

TEST(Clipboard, LongTextComesBackWhole) {
    std::string text(1 << 20, 'x');
    for (size_t i = 0; i < text.size(); i += 97)
        text[i] = (char)('a' + i % 26);
    ClipboardSetText(text.c_str());
    std::string back = ClipboardText();
    EXPECT_EQ(back.size(), text.size());
    EXPECT_TRUE(back == text);
}

TEST(Clipboard, AClipboardHeldOpenElsewhereIsLeftAlone) {
    ClipboardSetText("kept");
    // A window of another thread holds the clipboard open until it is told to let go.
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
        bool ok = OpenClipboard(owner) != 0;
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (ok) CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened, 10000);
    EXPECT_FALSE(ClipboardSetText("replaced")); // after trying for a while
    std::string whileHeld = ClipboardText();
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(whileHeld, "");
    EXPECT_EQ(ClipboardText(), "kept");
}

} // namespace
