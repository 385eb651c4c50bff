#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

constexpr int COMBO = 1;

class ComboBoxTest : public GadgetWindowTest {
  protected:
    HWND combo = nullptr;
    HWND edit = nullptr;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GadgetWindowTest::SetUp());
        combo = (HWND)AddComboBox(COMBO, 10, 10, 250, 200, ComboEditable | ComboAutoScroll | ComboSorted);
        ASSERT_NE(nullptr, combo);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo, &info));
        edit = info.hwndItem;
        ASSERT_NE(nullptr, edit);
        for (const char* name : {"window", "colour", "file"})
            ComboBoxAddSorted(COMBO, name);
    }

    int Selected() { return (int)SendMessageA(combo, CB_GETCURSEL, 0, 0); }
};

bool Saw(const std::vector<SeenEvent>& events, int type) {
    return std::any_of(events.begin(), events.end(), [type](const SeenEvent& e) {
        return e.code == EVENT_GADGET && e.number == COMBO && e.type == type;
    });
}

TEST_F(ComboBoxTest, EditableSortedFieldWhoseEditPartIsATabStop) {
    LONG_PTR style = GetWindowLongPtrA(combo, GWL_STYLE);
    EXPECT_EQ(CBS_DROPDOWN, style & 3);
    EXPECT_TRUE(style & CBS_SORT);
    EXPECT_TRUE(style & CBS_HASSTRINGS);
    EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(style & WS_TABSTOP);

    EXPECT_EQ(3, ItemCount(COMBO));
    EXPECT_EQ("colour", ItemText(COMBO, 0, 0));
    EXPECT_EQ("file", ItemText(COMBO, 1, 5));
    EXPECT_EQ("window", ItemText(COMBO, 2, 0));
    EXPECT_EQ("", ItemText(COMBO, 3, 0));
    EXPECT_EQ("", ItemText(COMBO, -1, 0));

    AddItem(COMBO, -1, "aaa"); // inserted where asked, not sorted
    AddItem(COMBO, 0, "zzz");
    EXPECT_EQ("zzz", ItemText(COMBO, 0, 0));
    EXPECT_EQ("aaa", ItemText(COMBO, 4, 0));

    HWND list = (HWND)AddComboBox(3, 10, 250, 200, 150, 0);
    EXPECT_EQ(CBS_DROPDOWNLIST, GetWindowLongPtrA(list, GWL_STYLE) & 3);
    EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & WS_TABSTOP);
}

std::string BoxText(HWND box, int item) {
    char text[64] = "";
    SendMessageA(box, CB_GETLBTEXT, (WPARAM)item, (LPARAM)text);
    return text;
}

// Sorted additions land where the box's own sorting puts them, also those that go straight behind
// the last item, and the texts read back are the box's own, also after a change behind the
// toolkit's back.
TEST_F(ComboBoxTest, SortedAdditionsKeepTheBoxsOwnOrder) {
    HWND plain = (HWND)AddComboBox(3, 10, 250, 200, 150, 0x142);
    std::vector<std::string> names = {"beta", "Alpha", "alpha",   "alpha_2", "alpha2", "alpha_", "ALPHA3",
                                      "b",    "Zeta",  "zeta",    "z_z",     "zz",     "a-b",    "ab",
                                      "it's", "its",   "caf\xE9", "CAFE",    "cafe",   "0",      "_",
                                      "10",   "9",     "",        "x y"};
    for (int pass = 0; pass < 2; ++pass) { // in this order, then in the box's order
        ClearItems(COMBO);
        ClearItems(3);
        for (const std::string& name : names) {
            ComboBoxAddSorted(COMBO, name.c_str());
            SendMessageA(plain, CB_ADDSTRING, 0, (LPARAM)name.c_str());
        }
        ASSERT_EQ((int)names.size(), ItemCount(COMBO));
        for (int i = 0; i < (int)names.size(); ++i) {
            EXPECT_EQ(BoxText(plain, i), ItemText(COMBO, i, 0)) << pass << " " << i;
            EXPECT_EQ(BoxText(combo, i), ItemText(COMBO, i, 0)) << pass << " " << i;
            names[(size_t)i] = BoxText(plain, i);
        }
    }
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "zzzz");
    ComboBoxAddSorted(COMBO, "zzz");
    EXPECT_EQ((int)names.size() + 2, ItemCount(COMBO));
    EXPECT_EQ("zzzz", ItemText(COMBO, (int)names.size() + 1, 0));
    for (int i = 0; i <= (int)names.size() + 1; ++i)
        EXPECT_EQ(BoxText(combo, i), ItemText(COMBO, i, 0)) << i;
}

TEST_F(ComboBoxTest, SettingTheTextOfAnEntryDoesNotSelectIt) {
    GadgetSetText(COMBO, "file");
    EXPECT_EQ("file", GadgetText(COMBO));
    EXPECT_EQ(-1, Selected());

    GadgetSetState(COMBO, 2);
    EXPECT_EQ(2, Selected());
    EXPECT_EQ("window", GadgetText(COMBO));

    ClearItems(COMBO);
    EXPECT_EQ(0, ItemCount(COMBO));
    EXPECT_EQ("", GadgetText(COMBO));
    EXPECT_EQ(0, GetWindowTextLengthA(edit));
}

TEST_F(ComboBoxTest, DropDownListSelectsEntriesByText) {
    AddComboBox(3, 10, 250, 200, 150, 0);
    for (const char* name : {"one", "two"})
        AddItem(3, -1, name);
    GadgetSetText(3, "two");
    EXPECT_EQ(1, GadgetState(3));
    EXPECT_EQ("two", GadgetText(3));
    GadgetSetText(3, "none such");
    EXPECT_EQ(1, GadgetState(3));
    GadgetSetText(3, "");
    EXPECT_EQ(-1, GadgetState(3));
}

TEST_F(ComboBoxTest, SelectEditRangeSelectsInTheEditField) {
    GadgetSetText(COMBO, "colours");
    ComboBoxSelectEditRange(COMBO, 2, -1);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(2u, start);
    EXPECT_EQ(7u, end);
    ComboBoxSelectEditRange(COMBO, 0, 3);
    SendMessageA(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(3u, end);
}

TEST_F(ComboBoxTest, TypingAndChoosingArriveAsNotificationEvents) {
    RunEventsFor(50);
    ASSERT_TRUE(PrepareToClick(edit));
    ASSERT_TRUE(ActUntil([&] { ClickWindowCentre(edit); }, [&] { return GetFocus() == edit; }));
    TypeText("fi");
    std::vector<SeenEvent> typed, dropped, chosen;
    RunEventsUntil(
        [&](const SeenEvent& e) {
            return e.code == EVENT_GADGET && e.type == CBN_EDITCHANGE && GadgetText(COMBO) == "fi";
        },
        3000, &typed);
    EXPECT_TRUE(Saw(typed, CBN_EDITCHANGE));
    EXPECT_EQ("fi", GadgetText(COMBO));

    PressKey(VK_DOWN, VK_MENU); // drop the list down
    RunEventsUntil([](const SeenEvent& e) { return e.code == EVENT_GADGET && e.type == CBN_DROPDOWN; }, 3000,
                   &dropped);
    EXPECT_TRUE(Saw(dropped, CBN_DROPDOWN));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    RunEventsUntil([](const SeenEvent& e) { return e.code == EVENT_GADGET && e.type == CBN_CLOSEUP; }, 3000,
                   &chosen);
    EXPECT_TRUE(Saw(chosen, CBN_SELCHANGE));
    EXPECT_TRUE(Saw(chosen, CBN_CLOSEUP));
    EXPECT_GE(Selected(), 0);
    EXPECT_EQ(ItemText(COMBO, Selected(), 0), GadgetText(COMBO));
}

} // namespace
