#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <string>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

constexpr int EDITOR = 51;

class EditorTest : public GadgetWindowTest {
  protected:
    HWND editor = nullptr;
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GadgetWindowTest::SetUp());
        editor = (HWND)AddEditor(EDITOR, 10, 10, 400, 250);
        ASSERT_NE(editor, nullptr);
    }
};

TEST_F(EditorTest, IsARichEditThatKeepsItsSelectionVisible) {
    char className[64] = "";
    GetClassNameA(editor, className, sizeof className);
    EXPECT_STREQ(className, "RichEdit20A");
    // The control shows its scroll bars only while the text needs them.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                        ES_NOHIDESEL | ES_WANTRETURN;
    EXPECT_EQ((DWORD)GetWindowLongPtrA(editor, GWL_STYLE) & style, style);
}

TEST_F(EditorTest, LinesAreCountedAndReadWithoutTheirBreaks) {
    EXPECT_EQ(ItemCount(EDITOR), 0);
    GadgetSetText(EDITOR, "a\r\nb");
    EXPECT_EQ(ItemCount(EDITOR), 2);
    EXPECT_EQ(ItemText(EDITOR, 0, 0), "a");
    EXPECT_EQ(ItemText(EDITOR, 1, 3), "b");
    EXPECT_EQ(ItemText(EDITOR, 2, 0), "");
    EXPECT_EQ(GadgetText(EDITOR), "a\r\nb");

    GadgetSetText(EDITOR, "a\r\n");
    EXPECT_EQ(ItemCount(EDITOR), 2);
    EXPECT_EQ(ItemText(EDITOR, 0, 0), "a");
    EXPECT_EQ(ItemText(EDITOR, 1, 0), "");

    GadgetSetText(EDITOR, "");
    EXPECT_EQ(ItemCount(EDITOR), 0);
    EXPECT_EQ(GadgetText(EDITOR), "");

    GadgetSetText(EDITOR, "one\r\ntwo\r\nthree");
    ClearItems(EDITOR);
    EXPECT_EQ(ItemCount(EDITOR), 0);
}

TEST_F(EditorTest, LongLinesComeBackWhole) {
    SendMessageA(editor, EM_EXLIMITTEXT, 0, 4 * 1024 * 1024);
    std::string medium(3000, 'm');
    std::string huge(70000, 'h');
    huge += "end";
    std::string text = medium + "\r\n" + huge + "\r\nlast";
    GadgetSetText(EDITOR, text.c_str());
    EXPECT_EQ(ItemCount(EDITOR), 3);
    EXPECT_EQ(ItemText(EDITOR, 0, 0), medium);
    EXPECT_EQ(ItemText(EDITOR, 1, 0), huge);
    EXPECT_EQ(ItemText(EDITOR, 2, 0), "last");
    EXPECT_EQ(GadgetText(EDITOR), text);
}

TEST_F(EditorTest, TabTypesATabCharacter) {
    AddButton(52, 10, 300, 100, 30, "Save");
    RunEventsFor(50);
    ASSERT_TRUE(PrepareToClick(editor));
    ASSERT_TRUE(ActUntil([&] { ClickWindowCentre(editor); }, [&] { return GetFocus() == editor; }));
    TypeText("x");
    PressKey(VK_TAB);
    TypeText("y");
    EXPECT_TRUE(RunEventsUntilTrue([] { return GadgetText(EDITOR) == "x\ty"; })) << GadgetText(EDITOR);
    EXPECT_EQ(GetFocus(), editor);
}

TEST_F(EditorTest, ColoursApplyToTextAndBackground) {
    GadgetSetText(EDITOR, "coloured");
    GadgetSetColor(EDITOR, FrontColor, 0x0000FF);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_SETSEL, 0, -1);
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_EQ(format.crTextColor, 0x0000FFu);
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);

    GadgetSetText(EDITOR, "later text"); // the default format carries the colour
    SendMessageA(editor, EM_SETSEL, 0, -1);
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_EQ(format.crTextColor, 0x0000FFu);

    GadgetSetColor(EDITOR, FrontColor, -1);
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&format);
    EXPECT_TRUE(format.dwEffects & CFE_AUTOCOLOR);

    GadgetSetColor(EDITOR, BackColor, 0x80FFFF);
    SendMessageA(editor, EM_SETSEL, 0, 0);
    RunEventsFor(100);
    EXPECT_EQ(ClientPixel(editor, 380, 200), 0x80FFFFu);
    GadgetSetColor(EDITOR, BackColor, -1);
    RunEventsFor(100);
    EXPECT_EQ(ClientPixel(editor, 380, 200), GetSysColor(COLOR_WINDOW));
}

} // namespace
