#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

constexpr int OTHER_WINDOW = 6;

class GadgetTest : public GadgetWindowTest {
  protected:
    void TearDown() override {
        WindowClose(OTHER_WINDOW);
        GadgetWindowTest::TearDown();
    }
};

TEST_F(GadgetTest, CreationSetsIdPropertyFontAndStyles) {
    HWND button = (HWND)AddButton(3, 10, 10, 100, 30, "Press", ButtonCaptionWraps);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(window, GetParent(button));
    EXPECT_EQ(3, GetDlgCtrlID(button));
    EXPECT_EQ((HANDLE)3, GetPropA(button, "ZQ_ID"));
    EXPECT_EQ((LRESULT)GetStockObject(DEFAULT_GUI_FONT), SendMessageA(button, WM_GETFONT, 0, 0));
    EXPECT_EQ(0x50032000, (DWORD)GetWindowLongPtrA(button, GWL_STYLE) & 0xFFFFFFF0);
    EXPECT_EQ(button, (HWND)GadgetHandle(3));
    EXPECT_EQ(KIND_BUTTON, GadgetKindOf(3));
    EXPECT_EQ("Press", GadgetText(3));

    PlatformHandle font = FontLoad(9, "Arial", 12, FontBold);
    GadgetSetFont(-1, font);
    HWND field = (HWND)AddTextField(4, 10, 50, 200, 24, nullptr);
    EXPECT_EQ(font, (PlatformHandle)SendMessageA(field, WM_GETFONT, 0, 0));
    EXPECT_TRUE(GetWindowLongPtrA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrA(field, GWL_STYLE) & ES_AUTOHSCROLL);
    GadgetSetFont(3, font);
    EXPECT_EQ(font, (PlatformHandle)SendMessageA(button, WM_GETFONT, 0, 0));
    GadgetSetFont(-1, -1);
    GadgetSetFont(3, -1);
    EXPECT_EQ((LRESULT)GetStockObject(DEFAULT_GUI_FONT), SendMessageA(button, WM_GETFONT, 0, 0));
    HWND borderless = (HWND)AddTextField(5, 10, 80, 200, 24, "x", FieldBorderless);
    EXPECT_FALSE(GetWindowLongPtrA(borderless, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    HWND box = (HWND)AddTextBox(6, 10, 110, 200, 40, "About", TextBorder);
    EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(box, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(KIND_TEXT_BOX, GadgetKindOf(6));
    FontFree(9);
}

TEST_F(GadgetTest, ReusingANumberDestroysTheOldControlInAnyWindow) {
    HWND first = (HWND)AddButton(3, 10, 10, 100, 30, "First");
    HWND other = OpenGadgetWindow(OTHER_WINDOW, 200, 100);
    ASSERT_NE(nullptr, other);
    HWND second = (HWND)AddTextField(3, 10, 10, 100, 24, "Second");
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(second, (HWND)GadgetHandle(3));
    EXPECT_EQ(KIND_TEXT_FIELD, GadgetKindOf(3));
    EXPECT_EQ(other, GetParent(second));

    // A control the platform refuses leaves the number as it was.
    HWND gone = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    BeginGadgets((PlatformHandle)gone);
    EXPECT_EQ(0, AddButton(3, 0, 0, 10, 10, "refused"));
    EXPECT_EQ(second, (HWND)GadgetHandle(3));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(0, AddButton(-1, 0, 0, 10, 10, "no automatic numbers"));
}

TEST_F(GadgetTest, ClosingTheWindowFreesItsGadgetNumbers) {
    OpenGadgetWindow(OTHER_WINDOW, 200, 100);
    AddButton(7, 10, 10, 100, 30, "Gone");
    AddListView(8, 10, 50, 100, 40, "List", 80, 1);
    AddItem(8, -1, "row");
    ItemSetColor(8, 0, BackColor, 0x00FF00);
    WindowClose(OTHER_WINDOW);
    EXPECT_EQ(0, GadgetHandle(7));
    EXPECT_EQ(0, GadgetKindOf(8));
    EXPECT_EQ(0, ItemCount(8));
}

TEST_F(GadgetTest, OperationsOnMissingNumbersDoNothing) {
    GadgetSetText(40, "x");
    GadgetSetState(40, 1);
    AddItem(40, -1, "x");
    ClearItems(40);
    ItemSetColor(40, 0, 1, 0);
    GadgetSetColor(-3, 1, 0);
    GadgetBeginUpdate(40, 5);
    GadgetEndUpdate(40);
    ComboBoxAddSorted(40, "x");
    ComboBoxSelectEditRange(40, 0, -1);
    EXPECT_EQ(0, GadgetHandle(40));
    EXPECT_EQ(0, GadgetHandle(100000));
    EXPECT_EQ("", GadgetText(40));
    EXPECT_EQ(0, GadgetState(40));
    EXPECT_EQ(0, ItemCount(40));
    EXPECT_EQ(0, ItemState(40, 0));
    EXPECT_EQ("", ItemText(40, 0, 0));

    // Operations a kind does not supply do nothing either.
    AddButton(3, 10, 10, 100, 30, "Button");
    AddItem(3, -1, "x");
    EXPECT_EQ(0, ItemCount(3));
    EXPECT_EQ("", ItemText(3, 0, 0));
}

// Under-reports its length (as a rich edit counting characters in a double-byte code page may)
// for its first 100 reads.
WNDPROC ShortLengthNext = nullptr;
int ShortLengthReads = 0;
LRESULT CALLBACK ShortLength(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXTLENGTH && ++ShortLengthReads < 100) return 3;
    return CallWindowProcA(ShortLengthNext, window, message, wParam, lParam);
}

TEST_F(GadgetTest, DefaultTextComesBackWholeAtAnyLength) {
    HWND box = (HWND)AddTextBox(3, 10, 10, 300, 60, "", 0);
    std::string text(100000, 'q');
    text += "tail";
    GadgetSetText(3, text.c_str());
    EXPECT_EQ(text, GadgetText(3));
    ShortLengthNext = (WNDPROC)SetWindowLongPtrA(box, GWLP_WNDPROC, (LONG_PTR)ShortLength);
    EXPECT_EQ(text, GadgetText(3));
    EXPECT_LT(ShortLengthReads, 40) << "the buffer grows whenever it comes back full";
    GadgetSetText(3, nullptr);
    EXPECT_EQ("", GadgetText(3));
}

TEST_F(GadgetTest, ButtonClickIsAGadgetEventOfTypeZero) {
    HWND button = (HWND)AddButton(4, 10, 10, 120, 30, "Press");
    RunEventsFor(50);
    ASSERT_TRUE(PrepareToClick(button));
    EXPECT_TRUE(ActUntilGadgetEvent([&] { ClickWindowCentre(button); }, 4, 0));
    HWND check = (HWND)AddButton(5, 10, 50, 120, 30, "Check", BS_AUTOCHECKBOX);
    ASSERT_NE(nullptr, check);
    GadgetSetState(5, 1);
    EXPECT_EQ(1, GadgetState(5));
}

TEST_F(GadgetTest, TextFieldReportsFocusAfterTheMessage) {
    HWND first = (HWND)AddTextField(3, 10, 10, 200, 24, "one");
    HWND second = (HWND)AddTextField(4, 10, 50, 200, 24, "two");
    RunEventsFor(50);
    ASSERT_TRUE(PrepareToClick(first));
    EXPECT_TRUE(ActUntilGadgetEvent([&] { ClickWindowCentre(first); }, 3, EVENT_TYPE_FOCUS));
    ASSERT_TRUE(PrepareToClick(second));
    ClickWindowCentre(second);
    std::vector<SeenEvent> events;
    RunEventsUntil(
        [](const SeenEvent& e) {
            return e.code == EVENT_GADGET && e.number == 4 && e.type == EVENT_TYPE_FOCUS;
        },
        3000, &events);
    bool unfocused = false, focused = false;
    for (const SeenEvent& e : events) {
        if (e.code != EVENT_GADGET) continue;
        if (e.number == 3 && e.type == EVENT_TYPE_UNFOCUS) unfocused = true;
        if (e.number == 4 && e.type == EVENT_TYPE_FOCUS) focused = unfocused; // after the other's
    }
    EXPECT_TRUE(focused);
    EXPECT_EQ(second, GetFocus());
}

TEST_F(GadgetTest, TextFieldAndTextBoxColoursAreDrawn) {
    HWND field = (HWND)AddTextField(3, 10, 10, 200, 24, "");
    HWND box = (HWND)AddTextBox(4, 10, 50, 200, 24, "", 0);
    GadgetSetColor(3, BackColor, 0x30C030);
    GadgetSetColor(4, BackColor, 0xC03030);
    RunEventsFor(100);
    EXPECT_EQ(0x30C030u, ClientPixel(field, 150, 10));
    EXPECT_EQ(0xC03030u, ClientPixel(box, 150, 10));

    GadgetSetColor(3, BackColor, -1);
    GadgetSetColor(4, BackColor, -1);
    GadgetSetColor(3, FrontColor, 0x0000FF); // a text colour alone: the highlight background
    RunEventsFor(100);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), ClientPixel(field, 150, 10));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ClientPixel(box, 150, 10));
}

} // namespace
