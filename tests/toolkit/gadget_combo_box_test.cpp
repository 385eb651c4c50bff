#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/failing_allocation.h"
#include "support/win_controls.h"
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
        ASSERT_NE(combo, nullptr);
        edit = ComboEditField(combo);
        ASSERT_NE(edit, nullptr);
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
    EXPECT_EQ(style & 3, CBS_DROPDOWN);
    EXPECT_TRUE(style & CBS_SORT);
    EXPECT_TRUE(style & CBS_HASSTRINGS);
    EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(style & WS_TABSTOP);

    EXPECT_EQ(ItemCount(COMBO), 3);
    EXPECT_EQ(ItemText(COMBO, 0, 0), "colour");
    EXPECT_EQ(ItemText(COMBO, 1, 5), "file");
    EXPECT_EQ(ItemText(COMBO, 2, 0), "window");
    EXPECT_EQ(ItemText(COMBO, 3, 0), "");
    EXPECT_EQ(ItemText(COMBO, -1, 0), "");

    AddItem(COMBO, -1, "aaa"); // inserted where asked, not sorted
    AddItem(COMBO, 0, "zzz");
    EXPECT_EQ(ItemText(COMBO, 0, 0), "zzz");
    EXPECT_EQ(ItemText(COMBO, 4, 0), "aaa");

    HWND list = (HWND)AddComboBox(3, 10, 250, 200, 150, 0);
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
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
        ASSERT_EQ(ItemCount(COMBO), (int)names.size());
        for (int i = 0; i < (int)names.size(); ++i) {
            EXPECT_EQ(ItemText(COMBO, i, 0), BoxText(plain, i)) << pass << " " << i;
            EXPECT_EQ(ItemText(COMBO, i, 0), BoxText(combo, i)) << pass << " " << i;
            names[(size_t)i] = BoxText(plain, i);
        }
    }
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "zzzz");
    ComboBoxAddSorted(COMBO, "zzz");
    EXPECT_EQ(ItemCount(COMBO), (int)names.size() + 2);
    EXPECT_EQ(ItemText(COMBO, (int)names.size() + 1, 0), "zzzz");
    for (int i = 0; i <= (int)names.size() + 1; ++i)
        EXPECT_EQ(ItemText(COMBO, i, 0), BoxText(combo, i)) << i;
}

TEST_F(ComboBoxTest, SettingTheTextOfAnEntryDoesNotSelectIt) {
    GadgetSetText(COMBO, "file");
    EXPECT_EQ(GadgetText(COMBO), "file");
    EXPECT_EQ(Selected(), -1);

    GadgetSetState(COMBO, 2);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(GadgetText(COMBO), "window");

    ClearItems(COMBO);
    EXPECT_EQ(ItemCount(COMBO), 0);
    EXPECT_EQ(GadgetText(COMBO), "");
    EXPECT_EQ(GetWindowTextLengthA(edit), 0);
}

TEST_F(ComboBoxTest, DropDownListSelectsEntriesByText) {
    HWND box = (HWND)AddComboBox(3, 10, 250, 200, 150, 0);
    // Without memory to keep its first item the box takes none, and works on afterwards.
    EXPECT_TRUE(RunOutOfMemory(0, [] { AddItem(3, -1, "one"); }));
    EXPECT_EQ(ItemCount(3), 0);
    for (const char* name : {"one", "two"})
        AddItem(3, -1, name);
    auto selected = [&] { return SendMessageA(box, CB_GETCURSEL, 0, 0); };
    GadgetSetText(3, "two");
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(GadgetText(3), "two");
    GadgetSetText(3, "none such");
    EXPECT_EQ(selected(), 1);
    GadgetSetText(3, "");
    EXPECT_EQ(selected(), -1);
}

TEST_F(ComboBoxTest, SelectEditRangeSelectsInTheEditField) {
    GadgetSetText(COMBO, "colours");
    ComboBoxSelectEditRange(COMBO, 2, -1);
    EXPECT_TRUE(EditSelection(edit).start == 2 && EditSelection(edit).end == 7);
    ComboBoxSelectEditRange(COMBO, 0, 3);
    EXPECT_TRUE(EditSelection(edit).start == 0 && EditSelection(edit).end == 3);
}

TEST_F(ComboBoxTest, TypingAndChoosingArriveAsNotificationEvents) {
    RunEventsFor(50);
    // The program giving the box the focus raises no event; the user's click below does. Leaving the
    // box drops its selection.
    GadgetSetText(COMBO, "file");
    SetKeyboardFocus((PlatformHandle)combo);
    EXPECT_EQ(GetFocus(), edit);
    for (const SeenEvent& e : EventsBeforeSentinel(window))
        EXPECT_NE(e.code, EVENT_GADGET);
    ComboBoxSelectEditRange(COMBO, 0, -1);
    SetFocus(window);
    EXPECT_EQ(EditSelection(edit).start, EditSelection(edit).end);
    GadgetSetText(COMBO, "");
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
    EXPECT_EQ(GadgetText(COMBO), "fi");

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
    EXPECT_EQ(GadgetText(COMBO), ItemText(COMBO, Selected(), 0));
}

} // namespace
