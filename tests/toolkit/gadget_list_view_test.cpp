#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "support/failing_allocation.h"
#include "support/win_controls.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

constexpr int LIST = 2;
constexpr COLORREF LIST_BACK = 0xD2FFFB;

class ListViewTest : public GadgetWindowTest {
  protected:
    HWND list = nullptr;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GadgetWindowTest::SetUp());
        list = (HWND)AddListView(LIST, 10, 10, 320, 220, "Constants", 285, ListCheckBoxes);
        ASSERT_NE(list, nullptr);
    }

    RECT LabelRect(int row) { return ListRowRect(list, row, LVIR_LABEL); }
    // The middle of a row's text on the screen.
    POINT RowPoint(int row) {
        RECT r = LabelRect(row);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    }

    void AddRows(std::initializer_list<const char*> texts) {
        for (const char* text : texts)
            AddItem(LIST, -1, text);
    }
};

// Pixels of the list as it draws itself, with client coordinates for lookups.
struct ListPicture {
    CapturedPixels pixels;
    POINT clientOrigin; // where client (0, 0) lies in the captured window

    COLORREF At(int x, int y) const { return pixels.At(x + clientOrigin.x, y + clientOrigin.y); }
    int CountInRect(const RECT& r, COLORREF colour) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += At(x, y) == colour;
        return count;
    }
};

ListPicture Capture(HWND list) {
    ListPicture picture = {};
    EXPECT_TRUE(CaptureWindow(list, &picture.pixels));
    RECT outer = OuterRect(list), client = ClientRectOnScreen(list);
    picture.clientOrigin = {client.left - outer.left, client.top - outer.top};
    return picture;
}

LPARAM ItemData(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item);
    return item.lParam;
}

TEST_F(ListViewTest, IsASingleSelectionReportListWithCheckBoxes) {
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);

    HWND multi = (HWND)AddListView(3, 10, 240, 200, 100, "Many", 100, ListMultiSelect);
    EXPECT_FALSE(GetWindowLongPtrA(multi, GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_FALSE(SendMessageA(multi, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
}

TEST_F(ListViewTest, LineFeedsSplitAnItemIntoColumns) {
    HWND two = (HWND)AddListView(3, 10, 240, 300, 100, "Name", 100, 0);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = (char*)"Value";
    SendMessageA(two, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);

    AddItem(3, -1, "left\nright");
    AddItem(3, 0, "first");
    EXPECT_EQ(ItemCount(3), 2);
    EXPECT_EQ(ItemText(3, 0, 0), "first");
    EXPECT_EQ(ItemText(3, 1, 0), "left");
    EXPECT_EQ(ItemText(3, 1, 1), "right");
    EXPECT_EQ(ItemText(3, 0, 1), "");

    AddItem(LIST, -1, "only\nhidden");
    EXPECT_EQ(ItemText(LIST, 0, 0), "only");
    EXPECT_EQ(ItemText(LIST, 0, 1), "");
    EXPECT_EQ(ItemText(LIST, 5, 0), "");
}

TEST_F(ListViewTest, CellsComeBackWholeWhateverTheirLength) {
    std::string longText(5000, 'x');
    longText += "end";
    AddItem(LIST, -1, "short");
    AddItem(LIST, -1, longText.c_str());
    EXPECT_EQ(ItemText(LIST, 1, 0), longText);
    EXPECT_EQ(ItemText(LIST, 0, 0), "short");

    // A text the list received without the toolkit knowing its length.
    std::string longer(20000, 'y');
    LVITEMA cell = {};
    cell.pszText = (char*)longer.c_str();
    SendMessageA(list, LVM_SETITEMTEXTA, 0, (LPARAM)&cell);
    EXPECT_EQ(ItemText(LIST, 0, 0), longer);

    ClearItems(LIST);
    AddItem(LIST, -1, "a");
    LVITEMA grown = {};
    grown.pszText = (char*)longText.c_str();
    SendMessageA(list, LVM_SETITEMTEXTA, 0, (LPARAM)&grown);
    EXPECT_EQ(ItemText(LIST, 0, 0), longText);
}

TEST_F(ListViewTest, ItemStateReportsSelectionAndTicksFromRealInput) {
    AddRows({"alpha", "beta", "gamma"});
    RunEventsFor(100);

    POINT row0 = RowPoint(0);
    ASSERT_TRUE(PrepareToClick(list, row0));
    ASSERT_TRUE(
        ActUntil([&] { LeftClickAt(row0.x, row0.y); }, [] { return ItemState(LIST, 0) == ItemSelected; }));
    EXPECT_EQ(ItemState(LIST, 1), 0);

    PressKey(VK_SPACE); // ticks the focused row
    ASSERT_TRUE(RunEventsUntilTrue([] { return ItemState(LIST, 0) == (ItemSelected | ItemChecked); }));

    POINT row1 = RowPoint(1);
    ASSERT_TRUE(
        ActUntil([&] { LeftClickAt(row1.x, row1.y); }, [] { return ItemState(LIST, 1) == ItemSelected; }));
    EXPECT_EQ(ItemState(LIST, 0), ItemChecked);
    EXPECT_EQ(GadgetText(LIST), "beta");
    EXPECT_EQ(ItemState(LIST, 7), 0);
}

TEST_F(ListViewTest, ClicksBecomeGadgetEventsOfTypesZeroToThree) {
    AddRows({"alpha", "beta"});
    RunEventsFor(100);
    POINT p = RowPoint(1);

    ASSERT_TRUE(PrepareToClick(list, p));
    EXPECT_TRUE(ActUntilGadgetEvent([&] { LeftClickAt(p.x, p.y); }, LIST, 0));
    RunEventsFor(600); // let the double-click time pass
    EXPECT_TRUE(ActUntilGadgetEvent([&] { RightClickAt(p.x, p.y); }, LIST, 1));
    RunEventsFor(600);
    EXPECT_TRUE(ActUntilGadgetEvent(
        [&] {
            LeftClickAt(p.x, p.y);
            LeftClickAt(p.x, p.y);
        },
        LIST, 2));
    RunEventsFor(600);
    EXPECT_TRUE(ActUntilGadgetEvent(
        [&] {
            RightClickAt(p.x, p.y);
            RightClickAt(p.x, p.y);
        },
        LIST, 3));
}

TEST_F(ListViewTest, RowColoursAreDrawnAsStored) {
    GadgetSetColor(LIST, BackColor, (int32_t)LIST_BACK);
    AddRows({"alpha", "beta", "gamma", "delta"});
    ItemSetColor(LIST, 0, BackColor, 0xC7FFFF);
    ItemSetColor(LIST, 0, FrontColor, 0x0000FF);
    ItemSetColor(LIST, 1, BackColor, 0); // black, stored as 1
    ItemSetColor(LIST, 1, FrontColor, 0xFFFFFF);
    ItemSetColor(LIST, 3, FrontColor, 0x008000);
    ItemSetColor(LIST, 4, BackColor, 0x123456); // no such row
    ItemSetColor(LIST, -2, BackColor, 0x123456);
    RunEventsFor(100);

    ListPicture picture = Capture(list);
    RECT r0 = LabelRect(0), r1 = LabelRect(1), r2 = LabelRect(2), r3 = LabelRect(3);
    auto background = [&](const RECT& r) { return picture.At(r.right - 4, (r.top + r.bottom) / 2); };

    EXPECT_EQ(background(r0), 0xC7FFFFu);
    EXPECT_GT(picture.CountInRect(r0, 0x0000FF), 5) << "red text in row 0";
    EXPECT_EQ(background(r1), 0x000000u);
    EXPECT_GT(picture.CountInRect(r1, 0xFFFFFF), 5) << "white text in row 1";
    EXPECT_EQ(background(r2), LIST_BACK) << "an uncoloured row lies on the list's background";
    EXPECT_EQ(background(r3), LIST_BACK) << "a row with only a text colour keeps the list's background";
    EXPECT_GT(picture.CountInRect(r3, 0x008000), 5);

    // Every row at once, and the colour stays after a repaint.
    ItemSetColor(LIST, -1, BackColor, 0xFFE0E0);
    RunEventsFor(100);
    picture = Capture(list);
    EXPECT_EQ(background(r2), 0xFFE0E0u);
    EXPECT_EQ(background(r1), 0xFFE0E0u);

    // A disabled list shows no row colours.
    EnableWindow(list, FALSE);
    picture = Capture(list);
    EXPECT_NE(background(r2), 0xFFE0E0u);
    EnableWindow(list, TRUE);

    // Rows added with their colours look the same; a change to one leaves the others alone.
    AddItemWithColors(LIST, -1, "epsilon", 0x0000FF, 0xC7FFFF);
    AddItemWithColors(LIST, -1, "zeta", 0x0000FF, 0xC7FFFF);
    ItemSetColor(LIST, 5, BackColor, 0);
    RunEventsFor(100);
    picture = Capture(list);
    RECT r4 = LabelRect(4), r5 = LabelRect(5);
    EXPECT_EQ(background(r4), 0xC7FFFFu);
    EXPECT_GT(picture.CountInRect(r4, 0x0000FF), 5);
    EXPECT_EQ(background(r5), 0x000000u);
    EXPECT_GT(picture.CountInRect(r5, 0x0000FF), 5);
}

TEST_F(ListViewTest, ClearingFreesTheColourRecords) {
    GadgetSetColor(LIST, BackColor, (int32_t)LIST_BACK);
    AddRows({"alpha", "beta"});
    ItemSetColor(LIST, -1, BackColor, 0xC7FFFF);
    EXPECT_NE(ItemData(list, 0), 0);

    ClearItems(LIST);
    EXPECT_EQ(ItemCount(LIST), 0);
    AddRows({"gamma", "delta"});
    EXPECT_EQ(ItemData(list, 0), 0);
    EXPECT_EQ(ItemData(list, 1), 0);
    RunEventsFor(100);
    ListPicture picture = Capture(list);
    RECT r0 = LabelRect(0);
    EXPECT_EQ(picture.At(r0.right - 4, (r0.top + r0.bottom) / 2), LIST_BACK);

    ItemSetColor(LIST, 1, BackColor, 0xC7FFFF);
    RunEventsFor(100);
    picture = Capture(list);
    RECT r1 = LabelRect(1);
    EXPECT_EQ(picture.At(r1.right - 4, (r1.top + r1.bottom) / 2), 0xC7FFFFu);
}

TEST_F(ListViewTest, DefaultColourRestoresTheListsOwnColours) {
    COLORREF text = (COLORREF)SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0);
    COLORREF back = (COLORREF)SendMessageA(list, LVM_GETBKCOLOR, 0, 0);
    GadgetSetColor(LIST, FrontColor, 0x112233);
    GadgetSetColor(LIST, BackColor, 0x445566);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), 0x112233u);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), 0x445566u);
    GadgetSetColor(LIST, FrontColor, -1);
    GadgetSetColor(LIST, BackColor, -1);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), text);
    EXPECT_EQ((COLORREF)SendMessageA(list, LVM_GETBKCOLOR, 0, 0), back);
}

TEST_F(ListViewTest, SelectionTextAndStateOperations) {
    AddRows({"alpha", "beta", "gamma"});
    EXPECT_EQ(GadgetText(LIST), "");
    GadgetSetState(LIST, 2);
    EXPECT_EQ(ItemState(LIST, 2), ItemSelected);
    EXPECT_EQ(GadgetText(LIST), "gamma");
    GadgetSetText(LIST, "renamed");
    EXPECT_EQ(ItemText(LIST, 2, 0), "renamed");
    GadgetSetState(LIST, -1);
    EXPECT_EQ(ItemState(LIST, 2), 0);
    EXPECT_EQ(GadgetText(LIST), "");

    ItemSetState(LIST, 1, ItemChecked); // ticks the check box as a click does
    EXPECT_EQ(ItemState(LIST, 1), ItemChecked);
}

TEST_F(ListViewTest, BulkFillAndClearKeepEveryRow) {
    GadgetBeginUpdate(LIST, 2000);
    GadgetBeginUpdate(LIST, 0); // nested
    for (int i = 0; i < 2000; ++i) {
        std::string text = "row " + std::to_string(i);
        AddItem(LIST, -1, text.c_str());
        ItemSetColor(LIST, i, BackColor, (i % 2) ? 0xC7FFFF : 0xFFFFFF);
    }
    GadgetEndUpdate(LIST);
    EXPECT_EQ(ItemCount(LIST), 2000);
    GadgetEndUpdate(LIST);
    GadgetEndUpdate(LIST); // unmatched: harmless
    EXPECT_EQ(ItemText(LIST, 1999, 0), "row 1999");
    EXPECT_TRUE(IsWindowVisible(list));

    // After each bulk change the screen shows what a whole redraw shows: the scroll bars stay with
    // as many rows, change with fewer and go with none.
    for (int rows : {2000, 50, 0}) {
        GadgetBeginUpdate(LIST, rows);
        ClearItems(LIST);
        for (int i = 0; i < rows; ++i)
            AddItemWithColors(LIST, -1, ("again " + std::to_string(i)).c_str(), 0, 0xC7FFFF);
        GadgetEndUpdate(LIST);
        CapturedPixels shown, whole;
        RunEventsFor(100);
        EXPECT_TRUE(CaptureWindow(list, &shown, true));
        RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        RunEventsFor(100);
        EXPECT_TRUE(CaptureWindow(list, &whole, true) && shown.pixels == whole.pixels) << rows;
    }
    EXPECT_EQ(ItemCount(LIST), 0);
    // Without memory for its colour record the first row is not added; the list works on.
    EXPECT_TRUE(RunOutOfMemory(0, [] { AddItemWithColors(LIST, -1, "no memory", 0, 0xC7FFFF); }));
    EXPECT_EQ(ItemCount(LIST), 0);
    AddItem(LIST, -1, "after");
    EXPECT_EQ(ItemCount(LIST), 1);
}

} // namespace
