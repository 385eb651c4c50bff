#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/completion.h"
#include "support/fake_toolkit.h"

class CompletionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FakeReset();
        CompletionGadget = 0;
        CompletionLength = 0;
        FakeGadget& combo = FakeAddGadget(CATEGORY_BOX, KIND_COMBO_BOX);
        combo.items = {"Color", "Window", "WindowEx"};
    }

    // What the edit field holds after the user's keystroke, then the main window's call.
    static void Type(const std::string& text) {
        Fake.gadgets[CATEGORY_BOX].text = text;
        Fake.gadgets[CATEGORY_BOX].selectionStart = Fake.gadgets[CATEGORY_BOX].selectionEnd =
            (int)text.size();
        AutoCompleteCategory(1);
    }
    static std::string Text() { return Fake.gadgets[CATEGORY_BOX].text; }
    static std::string Selected() {
        const FakeGadget& g = Fake.gadgets[CATEGORY_BOX];
        return g.text.substr((size_t)g.selectionStart, (size_t)(g.selectionEnd - g.selectionStart));
    }
};

TEST_F(CompletionTest, CompletesToTheFirstItemAndSelectsTheRest) {
    Type("w"); // the typed part takes the item's case
    EXPECT_EQ(Text(), "Window");
    EXPECT_EQ(Selected(), "indow");
    EXPECT_EQ(FakeCallsStartingWith("GadgetSetState"), (std::vector<std::string>{"GadgetSetState(1,1)"}));
    EXPECT_EQ(FakeCallsStartingWith("ComboBoxSelectEditRange"),
              (std::vector<std::string>{"ComboBoxSelectEditRange(1,1,-1)"}));
    EXPECT_EQ(CompletionGadget, 1);
    EXPECT_EQ(CompletionLength, 1);

    // Typing on overwrites the selection; "Wi" completes again.
    Type("Wi");
    EXPECT_EQ(Text(), "Window");
    EXPECT_EQ(Selected(), "ndow");
}

TEST_F(CompletionTest, WholeItemTypedSelectsNothing) {
    Type("windowex");
    EXPECT_EQ(Text(), "WindowEx");
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(Fake.gadgets[CATEGORY_BOX].selectionStart, 8);
}

// A name the box holds exactly stays, also when one spelled in another case comes first.
TEST_F(CompletionTest, ExactNameIsNeverRewritten) {
    Fake.gadgets[CATEGORY_BOX].items = {"PrintN", "printn"};
    Type("printn");
    EXPECT_EQ(Text(), "printn");
    EXPECT_TRUE(Fake.calls.empty());
    Type("print"); // deleting from it does not complete
    EXPECT_EQ(Text(), "print");
    KeepExactItem(1, "printn"); // puts it back after the platform's drop-down replaced it
    EXPECT_EQ(Text(), "printn");
}

TEST_F(CompletionTest, DeletingAfterACompletionDoesNotComplete) {
    Type("w");
    ASSERT_EQ(Text(), "Window");
    Type("W"); // Backspace removed the selected rest
    EXPECT_EQ(Text(), "W");
    Type(""); // and the typed letter
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(CompletionLength, 0);
    EXPECT_EQ(FakeCallsStartingWith("GadgetSetState").size(), 1u);
    Type("c"); // a longer text searches again
    EXPECT_EQ(Text(), "Color");
    EXPECT_EQ(Selected(), "olor");
}

TEST_F(CompletionTest, AFailedSearchDisarmsTheDeletionRule) {
    Type("w");
    Type("Wx");
    EXPECT_EQ(Text(), "Wx");
    EXPECT_EQ(CompletionGadget, 0);
    EXPECT_EQ(CompletionLength, 1);
    Type("W"); // deleting back to a prefix completes at once
    EXPECT_EQ(Text(), "Window");
    EXPECT_EQ(Selected(), "indow");
}

TEST_F(CompletionTest, NoMatchChangesNothing) {
    Type("WindowExtra");
    Type("q");
    EXPECT_EQ(Text(), "q");
    EXPECT_TRUE(FakeCallsStartingWith("GadgetSetState").empty());
    EXPECT_TRUE(FakeCallsStartingWith("ComboBoxSelectEditRange").empty());
}

TEST_F(CompletionTest, EmptyTextLeavesTheStateAlone) {
    CompletionGadget = 0;
    CompletionLength = 4;
    Type("");
    EXPECT_EQ(CompletionGadget, 0);
    EXPECT_EQ(CompletionLength, 4);
    EXPECT_TRUE(Fake.calls.empty());
}

TEST_F(CompletionTest, LettersFoldAsUpperLatin1MapsThem) {
    Fake.gadgets[CATEGORY_BOX].items = {"\xC4rger", "_x",
                                        "\xDF"
                                        "end"};
    Type("\xE4r"); // a-umlaut matches A-umlaut
    EXPECT_EQ(Text(), "\xC4rger");
    EXPECT_EQ(Selected(), "ger");

    CompletionGadget = 0;
    Type("\xFF"); // 0xFF folds onto 0xDF
    EXPECT_EQ(Text(), "\xDF"
                      "end");

    CompletionGadget = 0;
    Type("\x7F"); // other bytes must be equal: no folding of '_' (0x5F) and 0x7F
    EXPECT_EQ(Text(), "\x7F");
}

TEST_F(CompletionTest, WorksOnTheGadgetGiven) {
    FakeGadget& other = FakeAddGadget(7, KIND_COMBO_BOX);
    other.items = {"Zebra"};
    other.text = "z";
    AutoCompleteCategory(7);
    EXPECT_EQ(Fake.gadgets[7].text, "Zebra");
    EXPECT_EQ(CompletionGadget, 7);
    // The deletion rule belongs to gadget 7: gadget 1 still completes a text of the same length.
    Type("c");
    EXPECT_EQ(Text(), "Color");
}
