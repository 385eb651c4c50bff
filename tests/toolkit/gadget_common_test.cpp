#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "support/win_controls.h"
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
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetParent(button), window);
    EXPECT_EQ(GetDlgCtrlID(button), 3);
    EXPECT_EQ(GetPropA(button, "ZQ_ID"), (HANDLE)3);
    EXPECT_EQ(SendMessageA(button, WM_GETFONT, 0, 0), (LRESULT)GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ((DWORD)GetWindowLongPtrA(button, GWL_STYLE) & 0xFFFFFFF0,
              (DWORD)(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_MULTILINE));
    EXPECT_EQ((HWND)GadgetHandle(3), button);
    EXPECT_EQ(GadgetText(3), "Press");

    PlatformHandle font = FontLoad(9, "Arial", 12, FontBold);
    GadgetSetFont(-1, font);
    HWND field = (HWND)AddTextField(4, 10, 50, 200, 24, nullptr);
    EXPECT_EQ((PlatformHandle)SendMessageA(field, WM_GETFONT, 0, 0), font);
    EXPECT_TRUE(GetWindowLongPtrA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongPtrA(field, GWL_STYLE) & ES_AUTOHSCROLL);
    GadgetSetFont(3, font);
    EXPECT_EQ((PlatformHandle)SendMessageA(button, WM_GETFONT, 0, 0), font);
    GadgetSetFont(-1, -1);
    GadgetSetFont(3, -1);
    EXPECT_EQ(SendMessageA(button, WM_GETFONT, 0, 0), (LRESULT)GetStockObject(DEFAULT_GUI_FONT));
    HWND borderless = (HWND)AddTextField(5, 10, 80, 200, 24, "x", FieldBorderless);
    EXPECT_FALSE(GetWindowLongPtrA(borderless, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    HWND box = (HWND)AddTextBox(6, 10, 110, 200, 40, "About", TextBorder);
    EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(box, GWL_STYLE) & WS_TABSTOP);
    FontFree(9);
}

LONG FontHeightOf(HWND control) {
    return FontFacts((PlatformHandle)SendMessageA(control, WM_GETFONT, 0, 0)).lfHeight;
}

// A window moved to a monitor of another scale takes the frame the system suggests; its gadgets,
// their fonts, the list's column and the image box follow, and later gadgets are made at that scale.
TEST_F(GadgetTest, AWindowMovedToAnotherScaleTakesTheFrameAndItsGadgetsFollow) {
    const int dpi = 192;
    HWND button = (HWND)AddButton(3, 10, 20, 80, 24, "Press");
    GadgetSetFont(3, FontLoad(9, "Arial", 8));
    HWND field = (HWND)AddTextField(4, 10, 50, 100, 20, "default font");
    HWND list = (HWND)AddListView(5, 10, 80, 200, 100, "Column", 150, ListCheckBoxes);
    HBITMAP picture = CreateBitmap(20, 10, 1, 32, nullptr);
    HWND box = (HWND)AddImageBox(7, 250, 20, 20, 10, (PlatformHandle)picture, WS_EX_CLIENTEDGE);
    LONG defaultHeight = FontHeightOf(field);
    RECT frame = {40, 30, 40 + 900, 30 + 700};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&frame);

    RECT outer = OuterRect(window);
    EXPECT_TRUE(EqualRect(&outer, &frame));
    RECT r = RectInParentClient(button);
    EXPECT_TRUE(r.left == 20 && r.top == 40 && r.right == 180 && r.bottom == 88);
    EXPECT_EQ(FontHeightOf(button), -MulDiv(8, dpi, 72));
    EXPECT_EQ(FontHeightOf(field), MulDiv(defaultHeight, dpi, DisplayDpi()));
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 300);
    EXPECT_TRUE(OuterSize(box).cx == 48 && OuterSize(box).cy == 28);
    EXPECT_EQ(OuterSize((HWND)AddButton(6, 5, 5, 10, 10, "Later")).cx, 20);
    WindowClose(WINDOW);
    DeleteObject(picture);
    FontFree(9);
}

TEST_F(GadgetTest, ReusingANumberDestroysTheOldControlInAnyWindow) {
    HWND first = (HWND)AddButton(3, 10, 10, 100, 30, "First");
    HWND other = OpenGadgetWindow(OTHER_WINDOW, 200, 100);
    ASSERT_NE(other, nullptr);
    HWND second = (HWND)AddTextField(3, 10, 10, 100, 24, "Second");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ((HWND)GadgetHandle(3), second);
    EXPECT_EQ(GadgetText(3), "Second");
    EXPECT_EQ(GetParent(second), other);

    // A control the platform refuses leaves the number as it was.
    HWND gone = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    BeginGadgets((PlatformHandle)gone);
    EXPECT_EQ(AddButton(3, 0, 0, 10, 10, "refused"), 0);
    EXPECT_EQ((HWND)GadgetHandle(3), second);
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(AddButton(-1, 0, 0, 10, 10, "no automatic numbers"), 0);
}

TEST_F(GadgetTest, ClosingTheWindowFreesItsGadgetNumbers) {
    OpenGadgetWindow(OTHER_WINDOW, 200, 100);
    AddButton(7, 10, 10, 100, 30, "Gone");
    AddListView(8, 10, 50, 100, 40, "List", 80, 1);
    AddItem(8, -1, "row");
    ItemSetColor(8, 0, BackColor, 0x00FF00);
    WindowClose(OTHER_WINDOW);
    EXPECT_EQ(GadgetHandle(7), 0);
    EXPECT_EQ(GadgetHandle(8), 0);
    EXPECT_EQ(ItemCount(8), 0);
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
    EXPECT_EQ(GadgetHandle(40), 0);
    EXPECT_EQ(GadgetHandle(100000), 0);
    EXPECT_EQ(GadgetText(40), "");
    EXPECT_EQ(ItemCount(40), 0);
    EXPECT_EQ(ItemState(40, 0), 0);
    EXPECT_EQ(ItemText(40, 0, 0), "");

    // Operations a kind does not supply do nothing either.
    AddButton(3, 10, 10, 100, 30, "Button");
    AddItem(3, -1, "x");
    EXPECT_EQ(ItemCount(3), 0);
    EXPECT_EQ(ItemText(3, 0, 0), "");
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
    EXPECT_EQ(GadgetText(3), text);
    ShortLengthNext = (WNDPROC)SetWindowLongPtrA(box, GWLP_WNDPROC, (LONG_PTR)ShortLength);
    EXPECT_EQ(GadgetText(3), text);
    EXPECT_LT(ShortLengthReads, 40) << "the buffer grows whenever it comes back full";
    GadgetSetText(3, nullptr);
    EXPECT_EQ(GadgetText(3), "");
}

TEST_F(GadgetTest, ButtonClickIsAGadgetEventOfTypeZero) {
    HWND button = (HWND)AddButton(4, 10, 10, 120, 30, "Press");
    RunEventsFor(50);
    ASSERT_TRUE(PrepareToClick(button));
    EXPECT_TRUE(ActUntilGadgetEvent([&] { ClickWindowCentre(button); }, 4, 0));
    HWND check = (HWND)AddButton(5, 10, 50, 120, 30, "Check", BS_AUTOCHECKBOX);
    ASSERT_NE(check, nullptr);
    GadgetSetState(5, 1);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
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
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(GadgetTest, TextFieldAndTextBoxColoursAreDrawn) {
    HWND field = (HWND)AddTextField(3, 10, 10, 200, 24, "");
    HWND box = (HWND)AddTextBox(4, 10, 50, 200, 24, "", 0);
    GadgetSetColor(3, BackColor, 0x30C030);
    GadgetSetColor(4, BackColor, 0xC03030);
    RunEventsFor(100);
    EXPECT_EQ(ClientPixel(field, 150, 10), 0x30C030u);
    EXPECT_EQ(ClientPixel(box, 150, 10), 0xC03030u);

    GadgetSetColor(3, BackColor, -1);
    GadgetSetColor(4, BackColor, -1);
    GadgetSetColor(3, FrontColor, 0x0000FF); // a text colour alone: the highlight background
    RunEventsFor(100);
    EXPECT_EQ(ClientPixel(field, 150, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ClientPixel(box, 150, 10), GetSysColor(COLOR_BTNFACE));
}

} // namespace
