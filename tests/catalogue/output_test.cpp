#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "catalogue/catalogue.h"
#include "catalogue/flag_set.h"
#include "catalogue/output.h"
#include "support/failing_allocation.h"
#include "support/fake_toolkit.h"

class OutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FakeReset();
        ResetApplicationState();
        EditorHandle = 0x2A0456;
        FakeAddGadget(ENTRY_LIST, KIND_LIST_VIEW);
        Fake.clipboardHasText = true;
        Fake.clipboard = "old";
    }
    void TearDown() override { ResetApplicationState(); }

    // Rows as text and state (ItemSelected | ItemChecked).
    static void SetRows(const std::vector<std::pair<std::string, int>>& rows) {
        Fake.gadgets[ENTRY_LIST].rows.clear();
        for (const auto& r : rows) {
            FakeRow row;
            row.text = r.first;
            row.state = r.second;
            Fake.gadgets[ENTRY_LIST].rows.push_back(row);
        }
    }
    static std::string Ticks() {
        std::string ticks;
        for (const FakeRow& row : Fake.gadgets[ENTRY_LIST].rows)
            ticks += row.state == ItemChecked ? '1' : '0';
        return ticks;
    }
    static std::string Pasted() {
        return Fake.replaceSelections.size() == 1 ? Fake.replaceSelections[0].second : "<not one paste>";
    }
};

TEST_F(OutputTest, TickedRowsInRowOrderJoinedByBars) {
    SetRows(
        {{"row1", ItemChecked}, {"row2", 0}, {"row3", ItemChecked}, {"row4", ItemChecked | ItemSelected}});
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_PASTED);
    EXPECT_EQ(Pasted(), "row1|row3|row4");
    // To the IDE's editor, waiting at most five seconds for it.
    EXPECT_EQ(FakeCallsStartingWith("WindowReplaceSelection"),
              (std::vector<std::string>{"WindowReplaceSelection(" + std::to_string(0x2A0456) +
                                        ",row1|row3|row4,5000)"}));
    EXPECT_EQ(Fake.clipboard, "old");
}

TEST_F(OutputTest, ClipboardGetsTheSameText) {
    SetRows({{"a", 0}, {"b|", ItemChecked}, {"c", ItemChecked}});
    EXPECT_EQ(SendSelection(SEND_TO_CLIPBOARD, EditorHandle), SEND_COPIED);
    EXPECT_EQ(Fake.clipboard, "b||c");
    EXPECT_TRUE(Fake.replaceSelections.empty());

    SetRows({{"ends in bar|", ItemChecked}});
    SendSelection(static_cast<SendDestination>(7), EditorHandle);
    EXPECT_EQ(Fake.clipboard, "ends in bar|");
}

TEST_F(OutputTest, EmptyTickedRowsKeepTheirFields) {
    SetRows({{"", ItemChecked}, {"second", ItemChecked}});
    SendSelection(SEND_TO_EDITOR, EditorHandle);
    EXPECT_EQ(Pasted(), "|second");

    SetRows({{"x", 0}, {"", ItemChecked}});
    SendSelection(SEND_TO_CLIPBOARD, EditorHandle);
    EXPECT_TRUE(Fake.clipboardHasText);
    EXPECT_EQ(Fake.clipboard, "");
    EXPECT_EQ(FakeCallsStartingWith("ClipboardSetText").size(), 1u);
}

TEST_F(OutputTest, NothingTickedSendsNothing) {
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_NOTHING_TICKED); // empty list
    SendSelection(SEND_TO_CLIPBOARD, EditorHandle);
    SetRows({{"selected only", ItemSelected}, {"plain", 0}});
    SendSelection(SEND_TO_EDITOR, EditorHandle);
    SendSelection(SEND_TO_CLIPBOARD, EditorHandle);
    EXPECT_TRUE(Fake.replaceSelections.empty());
    EXPECT_TRUE(FakeCallsStartingWith("ClipboardSetText").empty());
    EXPECT_EQ(Fake.clipboard, "old");
}

TEST_F(OutputTest, PasteNeedsAWindowOfItsOwn) {
    SetRows({{"x", ItemChecked}});
    EditorHandle = 0; // the text goes to the clipboard instead
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_COPIED_NO_EDITOR);
    EditorHandle = 0xFFFF; // the broadcast handle would reach every top-level window
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_COPIED_NO_EDITOR);
    EXPECT_TRUE(Fake.replaceSelections.empty());
    EXPECT_EQ(Fake.clipboard, "x");

    // A 32-bit handle with the top bit set widens with its sign, as the system widens handles.
    EditorHandle = (int32_t)0x80001234;
    SendSelection(SEND_TO_EDITOR, EditorHandle);
    ASSERT_EQ(Fake.replaceSelections.size(), 1u);
    EXPECT_EQ(Fake.replaceSelections[0].first, (PlatformHandle)(int32_t)0x80001234);
}

// A paste that does not land puts the text on the clipboard, and the list stays as it was; only a
// text that reaches neither keeps the tool open.
TEST_F(OutputTest, PasteThatDoesNotLandGoesToTheClipboard) {
    SetRows({{"a", ItemChecked | ItemSelected}, {"b", 0}});
    Fake.replaceSelectionOutcome = PASTE_READ_ONLY;
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_COPIED_READ_ONLY);
    EXPECT_EQ(Pasted(), "a");
    EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows[0].state, ItemChecked | ItemSelected);
    EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows.size(), 2u);
    EXPECT_EQ(Fake.clipboard, "a");
    Fake.replaceSelectionOutcome = PASTE_NO_ANSWER;
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_COPIED_NO_ANSWER);
    EXPECT_FALSE(SendResultKeepsTheTool(SEND_COPIED_NO_ANSWER));

    Fake.clipboardRefuses = true;
    EXPECT_EQ(SendSelection(SEND_TO_EDITOR, EditorHandle), SEND_NOTHING_DELIVERED);
    EXPECT_EQ(SendSelection(SEND_TO_CLIPBOARD, EditorHandle), SEND_CLIPBOARD_REFUSED);
    EXPECT_TRUE(SendResultKeepsTheTool(SEND_NOTHING_DELIVERED) &&
                SendResultKeepsTheTool(SEND_CLIPBOARD_REFUSED));
}

// The flag set selected in the editor comes ticked, blanks around "|" dropped, on the first row of
// each text, and the paste gives it back; a set with any part that no row shows ticks nothing.
TEST_F(OutputTest, SelectedFlagSetComesTickedAndPastesBack) {
    const std::vector<std::pair<std::string, int>> rows = {
        {"MB_OK", 0}, {"MB_ICONERROR", 0}, {"MB_YESNO", 0}, {"MB_ICONERROR", 0}};
    SetRows(rows);
    Fake.editorSelection = " MB_YESNO |\tMB_OK\r\n|MB_ICONERROR|MB_OK";
    TickEditorFlagSet(EditorHandle);
    EXPECT_EQ(FakeCallsStartingWith("WindowSelectedText"),
              (std::vector<std::string>{"WindowSelectedText(" + std::to_string(0x2A0456) + ",4096,500)"}));
    EXPECT_EQ(Ticks(), "1110");
    SendSelection(SEND_TO_EDITOR, EditorHandle);
    EXPECT_EQ(Pasted(), "MB_OK|MB_ICONERROR|MB_YESNO");
    for (const char* selection : {"MB_OK|MB_NOPE", "MB_OK||MB_YESNO", "MB_OK|", "mb_ok", " \r\n"}) {
        SetRows(rows);
        EXPECT_FALSE(TickFlagSet(selection) || Ticks() != "0000") << selection;
    }
    // Without the memory to compare the parts, nothing is ticked and the tool goes on.
    SetRows(rows);
    bool ticked = true;
    EXPECT_TRUE(RunOutOfMemory(1, [&] { ticked = TickFlagSet("MB_OK|MB_YESNO"); }));
    EXPECT_FALSE(ticked || Ticks() != "0000");
}
