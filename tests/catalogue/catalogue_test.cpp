#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "catalogue/catalogue.h"
#include "catalogue/platform.h"
#include "catalogue/preference_file.h"
#include "catalogue/search.h"
#include "catalogue/text.h"
#include "support/failing_allocation.h"
#include "support/fake_toolkit.h"
#include "support/temp_dir.h"

// PlatformEnvironment reads the process environment with the platform's own call; set it the same way.
static void SetToolWordVariable(const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableA("ZQ_TOOL_Word", value);
#else
    if (value)
        setenv("ZQ_TOOL_Word", value, 1);
    else
        unsetenv("ZQ_TOOL_Word");
#endif
}

class CatalogueTest : public ::testing::Test {
  protected:
    std::string dir;

    void SetUp() override {
        FakeReset();
        ClearCatalogue();
        SetToolWordVariable(nullptr);
        dir = MakeTempDir();
        ASSERT_FALSE(dir.empty());
        PlatformOverrideProgramPath((dir + "Orvane.exe").c_str());
        FakeAddGadget(CATEGORY_BOX, KIND_COMBO_BOX);
        FakeAddGadget(ENTRY_LIST, KIND_LIST_VIEW);
    }

    void TearDown() override {
        PlatformOverrideProgramPath(nullptr);
        SetToolWordVariable(nullptr);
    }

    void Load(const std::string& content) {
        ASSERT_TRUE(WriteWholeFile(dir + "constants.ovc", content));
        LoadCatalogue(dir + "constants.ovc", "");
    }

    static std::vector<std::string> Rows() {
        std::vector<std::string> texts;
        for (const FakeRow& row : Fake.gadgets[ENTRY_LIST].rows)
            texts.push_back(row.text);
        return texts;
    }
    static std::vector<std::string> ComboItems() { return Fake.gadgets[CATEGORY_BOX].items; }
    static std::string ComboText() { return Fake.gadgets[CATEGORY_BOX].text; }
};

using Strings = std::vector<std::string>;

static Strings Describe() {
    Strings out;
    for (size_t i = 0; i < CatalogueEntryCount(); i++)
        out.push_back(std::string(CatalogueEntryAt(i).Category) + "/" +
                      std::string(CatalogueEntryAt(i).Text));
    return out;
}

TEST_F(CatalogueTest, LoadKeepsFileOrderDuplicatesAndTrimmedTexts) {
    Load("TopKey = not part of the catalogue\r\n"
         "[beta]\r\n"
         "b1 = \tSecond value \t\r\n"
         "; a comment is no entry\r\n"
         "same = first\r\n"
         "SAME = second\r\n"
         "novalue\r\n"
         "empty =\r\n"
         "[Alpha]\r\n"
         "a = a=b;c\r\n"
         "[beta]\r\n"
         "b2 = again\r\n"
         "[gamma]\r\n");
    EXPECT_EQ(Describe(), (Strings{"beta/Second value", "beta/first", "beta/first", "beta/", "beta/",
                                   "Alpha/a=b;c", "beta/again"}));
    // Every header once, also the repeated and the empty group, at its sorted place.
    EXPECT_EQ(ComboItems(), (Strings{"Alpha", "beta", "beta", "gamma"}));
    EXPECT_EQ(FakeCallsStartingWith("ComboBoxAddSorted").size(), 4u);
    // The names go in while the box holds off redrawing, once for the whole load.
    std::vector<std::string> updates;
    for (const std::string& call : Fake.calls)
        if (call.rfind("Gadget", 0) == 0 && call.find("Update(1") != std::string::npos)
            updates.push_back(call);
    EXPECT_EQ(updates, (Strings{"GadgetBeginUpdate(1,4)", "GadgetEndUpdate(1)"}));
    EXPECT_EQ(Fake.calls.back(), "GadgetEndUpdate(1)");

    // Loading again rebuilds the list from empty; the combo box is the caller's to empty.
    LoadCatalogue(dir + "constants.ovc", "");
    EXPECT_EQ(CatalogueEntryCount(), 7u);
    EXPECT_EQ(ComboItems().size(), 8u);
}

// Every key of a name (ASCII letters folded) takes the first such key's value of its own group, as
// a lookup by name gives it; Latin-1 letters are not folded. Checked against the library's lookup
// on a big group with many repeated names.
TEST_F(CatalogueTest, RepeatedKeyNamesTakeTheFirstValueOfTheirGroup) {
    std::string content = "[big]\r\n";
    for (int i = 0; i < 3000; ++i) {
        std::string name = "Key" + std::to_string(i % 701);
        if (i % 3 == 1) name = LowerAscii(name);
        if (i % 3 == 2) name = "kEY" + std::to_string(i % 701);
        content += name + " = v" + std::to_string(i) + "\r\n";
    }
    content += "\xC4x = upper umlaut\r\n\xE4x = lower umlaut\r\n\xC4X = upper again\r\n";
    content += "[small]\r\nKEY5 = own first\r\nkey5 = own second\r\n[big]\r\nkey5 = new group\r\n";
    Load(content);

    ASSERT_TRUE(PreferenceFile::Open((dir + "constants.ovc").c_str()));
    Strings expected;
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        std::string category(TrimBlanks(PreferenceFile::GroupName()));
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey())
            expected.push_back(
                category + "/" +
                std::string(TrimBlanks(PreferenceFile::ReadText(PreferenceFile::KeyName().c_str()))));
    }
    PreferenceFile::Close();

    Strings loaded = Describe();
    ASSERT_EQ(loaded.size(), 3006u);
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(loaded[701], "big/v0");
    EXPECT_EQ(loaded[2999], "big/v" + std::to_string(2999 % 701));
    EXPECT_EQ(Strings(loaded.begin() + 3000, loaded.end()),
              (Strings{"big/upper umlaut", "big/lower umlaut", "big/upper umlaut", "small/own first",
                       "small/own first", "big/new group"}));
}

TEST_F(CatalogueTest, MissingFileOrMemoryGivesAnEmptyCatalogue) {
    Load("[old]\r\nk = entry\r\n");
    ASSERT_EQ(CatalogueEntryCount(), 1u);
    ASSERT_EQ(std::remove((dir + "constants.ovc").c_str()), 0);
    Fake.gadgets[CATEGORY_BOX].items = {"kept"};
    LoadCatalogue(dir + "constants.ovc", "");
    EXPECT_EQ(CatalogueEntryCount(), 0u);
    EXPECT_EQ(ComboItems(), (Strings{"kept"}));     // a missing file leaves the combo box alone
    EXPECT_TRUE(FileExists(dir + "constants.ovc")); // opened for reading and writing: created empty
    EXPECT_EQ(ReadWholeFile(dir + "constants.ovc"), "");

    // Whichever allocation fails, nothing of the catalogue is kept and the next load reads it all.
    std::string path = dir + "constants.ovc";
    ASSERT_TRUE(WriteWholeFile(path, "[a]\r\nk = 1\r\n[b]\r\nk = 2\r\nl = 3\r\n"));
    Fake.gadgets[CATEGORY_BOX].items.clear();
    long allowed = 0;
    for (; RunOutOfMemory(
             allowed, [&] { LoadCatalogue(path, ""); }, true);
         allowed++)
        EXPECT_TRUE(CatalogueEntryCount() == 0 && ComboItems().empty()) << "allocation " << allowed;
    EXPECT_GT(allowed, 4); // the load's allocations were failed in turn
    EXPECT_EQ(Describe(), (Strings{"a/1", "b/2", "b/3"}));
}

// The user's "constants.ovc" comes first in everything; the shipped "api.ovc" beside it adds what
// the user's does not hold, and is only ever read.
TEST_F(CatalogueTest, UsersFileComesFirstAndTheShippedFileAddsToIt) {
    std::string user = dir + "constants.ovc", shipped = dir + "api.ovc";
    const std::string shippedText =
        "[messagebox]\r\na = MB_OK\r\nb = MB_YESNO\r\n[createfile]\r\ng = GENERIC_READ\r\n";
    ASSERT_TRUE(
        WriteWholeFile(user, "[mine]\r\nk = MY_FLAG\r\n[messagebox]\r\nx = MB_YESNO\r\ny = MY_MB\r\n"));
    ASSERT_TRUE(WriteWholeFile(shipped, shippedText));
    LoadCatalogue(user, shipped);
    EXPECT_EQ(ComboItems(), (Strings{"createfile", "messagebox", "mine"})); // "messagebox" once
    ShowCategory(FIRST_CATEGORY_COMMAND);
    EXPECT_EQ(ComboText(), "mine");
    ShowCategory("messagebox");
    EXPECT_EQ(Rows(), (Strings{"MB_YESNO", "MY_MB", "MB_OK"}));
    for (size_t i = 0; i < 3; i++) // one run of colours over both files' entries
        EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows[i].back, i == 1 ? ODD_ROW_BACK : EVEN_ROW_BACK) << i;
    ShowCategory("generic_");
    EXPECT_EQ(Rows(), (Strings{"GENERIC_READ"}));
    // The IDE's word as programmers write the call: a final "a" or "w" that names no category.
    Strings words = {"messageboxw", "createfilea", "mine", "minew", "mina", "nosuchw", "w", ""};
    Strings categories;
    for (const std::string& word : words)
        categories.push_back(CategoryOfWord(word));
    EXPECT_EQ(categories, (Strings{"messagebox", "createfile", "mine", "mine", "mina", "nosuchw", "w", ""}));

    // Without a file of the user's, the shipped file's first category shows; the user's is created
    // empty, as ever. A shipped file that is missing is not created.
    ASSERT_EQ(std::remove(user.c_str()), 0);
    Fake.gadgets[CATEGORY_BOX].items.clear();
    LoadCatalogue(user, shipped);
    ShowCategory(FIRST_CATEGORY_COMMAND);
    EXPECT_EQ(ComboText() + "/" + Rows()[0], "messagebox/MB_OK");
    EXPECT_TRUE(FileExists(user));
    EXPECT_EQ(ReadWholeFile(shipped), shippedText);
    ASSERT_EQ(std::remove(shipped.c_str()), 0);
    Fake.gadgets[CATEGORY_BOX].items.clear();
    LoadCatalogue(user, shipped);
    EXPECT_TRUE(ComboItems().empty() && !FileExists(shipped));
}

TEST_F(CatalogueTest, GroupWithoutKeysIsListedAndShowsAnEmptyList) {
    Load("[empty]\r\n[full]\r\nk = v\r\n");
    EXPECT_EQ(ComboItems(), (Strings{"empty", "full"}));
    Fake.gadgets[ENTRY_LIST].rows = {FakeRow{"stale"}};
    ShowCategory("empty");
    EXPECT_TRUE(Rows().empty());
    ShowCategory("full");
    EXPECT_EQ(Rows(), (Strings{"v"}));
}

TEST_F(CatalogueTest, BlanksInsideBracketsStayInTheComboItemButNotInTheCategory) {
    Load("[ \tspaced ]\r\nk = v\r\n");
    EXPECT_EQ(ComboItems(), (Strings{" \tspaced "}));
    ShowCategory(" \tspaced ");
    EXPECT_TRUE(Rows().empty());
    ShowCategory("spaced");
    EXPECT_EQ(Rows(), (Strings{"v"}));
}

TEST_F(CatalogueTest, MatchingIsByteForByteAndCaseSensitive) {
    Load("[PrintN]\r\nk = upper\r\n[printn]\r\nk = lower\r\n[]\r\nk = nameless\r\n[  ]\r\nk = blank\r\n");
    ShowCategory("printn");
    EXPECT_EQ(Rows(), (Strings{"lower"}));
    ShowCategory("PRINTN");
    EXPECT_TRUE(Rows().empty());
    ShowCategory("printn ");
    EXPECT_TRUE(Rows().empty());
    // The empty text matches the groups whose trimmed name is empty.
    ShowCategory("");
    EXPECT_EQ(Rows(), (Strings{"nameless", "blank"}));
}

TEST_F(CatalogueTest, RowsAlternateColoursInOneRunAcrossGroupsOfTheSameName) {
    Load("[c]\r\na = 1\r\nb = 2\r\nc = 3\r\n[other]\r\nx = x\r\n[c]\r\nd = 4\r\ne = 5\r\n");
    ShowCategory("c");
    ASSERT_EQ(Rows(), (Strings{"1", "2", "3", "4", "5"}));
    for (size_t i = 0; i < 5; i++) {
        const FakeRow& row = Fake.gadgets[ENTRY_LIST].rows[i];
        EXPECT_EQ(row.back, i % 2 ? 0x00D2FFFB : 0x00C7FFFF) << i;
        EXPECT_EQ(row.front, i % 2 ? 0x00000000 : 0x00AC7453) << i;
        EXPECT_EQ(row.state, 0);
    }
    // One call per row; the emptying and every row inside one bulk update.
    Strings calls;
    for (const std::string& c : Fake.calls)
        if (c.find("(2") != std::string::npos) calls.push_back(c);
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0], "GadgetBeginUpdate(2,5)");
    EXPECT_EQ(calls[1], "ClearItems(2)");
    EXPECT_EQ(calls.back(), "GadgetEndUpdate(2)");

    // A new fill starts from an empty list and from the first colour pair.
    ShowCategory("other");
    ASSERT_EQ(Rows(), (Strings{"x"}));
    EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows[0].back, 0x00C7FFFF);
}

TEST_F(CatalogueTest, FirstCategoryCommandTakesTheFirstEntryInFileOrder) {
    // "zeta" comes first but has no keys; "Beta" is the first group with an entry although
    // "alpha" sorts first in the combo box.
    Load("[zeta]\r\n[Beta]\r\nb = one\r\nc = two\r\n[alpha]\r\na = x\r\n");
    Fake.gadgets[CATEGORY_BOX].text = "typed";
    ShowCategory("first_one_of_the_list");
    EXPECT_EQ(ComboItems().front(), "alpha");
    EXPECT_EQ(ComboText(), "Beta");
    EXPECT_EQ(Rows(), (Strings{"one", "two"}));
}

TEST_F(CatalogueTest, FirstCategoryCommandOnAnEmptyCatalogueEmptiesOnlyTheList) {
    Load("[nothing]\r\n");
    Fake.gadgets[CATEGORY_BOX].text = "keep me";
    Fake.gadgets[ENTRY_LIST].rows = {FakeRow{"stale"}};
    ShowCategory("first_one_of_the_list");
    EXPECT_EQ(ComboText(), "keep me");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(FakeCallsStartingWith("GadgetSetText").empty());
}

TEST_F(CatalogueTest, ToolWordCommandReadsTheEnvironmentAtCallTime) {
    Load("[printn]\r\nk = print\r\n[openfile]\r\nk = open\r\n[read_sysvar_again]\r\nk = literal\r\n"
         "[]\r\nk = nameless\r\n");
    Fake.gadgets[CATEGORY_BOX].text = "read_sysvar_again";

    SetToolWordVariable(" \tPrintN\t ");
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"print"}));
    EXPECT_EQ(ComboText(), "read_sysvar_again");

    SetToolWordVariable("OpenFileW"); // the call's wide form names its category too
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"open"}));

    // Missing: the empty category. The group of the command's own name shows only when the word names it.
    SetToolWordVariable(nullptr);
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"nameless"}));
    SetToolWordVariable("READ_SYSVAR_AGAIN");
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"literal"}));
    EXPECT_EQ(ComboText(), "read_sysvar_again");

    SetToolWordVariable("first_one_of_the_list");
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"print"}));
    EXPECT_EQ(ComboText(), "printn");
}

TEST_F(CatalogueTest, FirstCategoryNamedLikeACommandDoesNotLoop) {
    Load("[first_one_of_the_list]\r\nk = self\r\n[other]\r\nk = other\r\n");
    ShowCategory("first_one_of_the_list");
    EXPECT_EQ(ComboText(), "first_one_of_the_list");
    EXPECT_EQ(Rows(), (Strings{"self"}));
    EXPECT_EQ(FakeCallsStartingWith("GadgetSetText").size(), 1u);
}

TEST_F(CatalogueTest, FirstCategoryNamedReadSysvarAgainDoesNotLoopThroughTheToolWord) {
    Load("[read_sysvar_again]\r\nk = literal\r\n[other]\r\nk = other\r\n");
    SetToolWordVariable("first_one_of_the_list");
    ShowCategory("first_one_of_the_list");
    EXPECT_EQ(ComboText(), "read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"literal"}));
    ShowCategory("read_sysvar_again");
    EXPECT_EQ(ComboText(), "read_sysvar_again");
    EXPECT_EQ(Rows(), (Strings{"literal"}));
    EXPECT_EQ(FakeCallsStartingWith("GadgetSetText").size(), 2u);
}

// A text of two characters or more that names no category, is no command and begins no group name
// lists the entries containing it, ASCII letters folded: in file order, each text once, the colours
// starting afresh with each category, at most 1,000; the box keeps the text.
TEST_F(CatalogueTest, TextThatNamesNoCategoryListsTheEntriesContainingIt) {
    Load("[messagebox]\r\nok = MB_OK\r\nerr = MB_ICONERROR\r\nhand = MB_ICONHAND\r\n[messagebeep]\r\n"
         "err = MB_ICONERROR\r\nq = MB_ICONQUESTION\r\n[icons]\r\n[window]\r\nlast = ends_Mb_IcoN\r\n");
    Fake.gadgets[CATEGORY_BOX].text = "mb_icon";
    ShowCategory("mB_iCoN");
    EXPECT_EQ(Rows(), (Strings{"MB_ICONERROR", "MB_ICONHAND", "MB_ICONQUESTION", "ends_Mb_IcoN"}));
    for (size_t i = 0; i < 4; i++)
        EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows[i].back, i == 1 ? ODD_ROW_BACK : EVEN_ROW_BACK) << i;
    EXPECT_EQ(ComboText(), "mb_icon");
    SetToolWordVariable("mb_icon"); // one character, a group name's start or part, a command: none
    for (const char* text : {"O", "ICO", "beep", "read_sysvar_again"}) {
        ShowCategory(text);
        EXPECT_TRUE(Rows().empty()) << text;
    }

    std::string big = "[first]\r\n"; // Item_0 to Item_699, again from Item_400, then up to Item_1199
    for (int i = 0; i < 1500; i++)
        big += (i == 600 ? "[second]\r\nk" : "k") + std::to_string(i) + " = Item_" +
               std::to_string(i < 700 ? i : i - 300) + "\r\n";
    Load(big);
    ShowCategory("item_");
    ASSERT_EQ(Rows().size(), 1000u);
    EXPECT_EQ(Rows()[700] + Rows()[999], "Item_700Item_999");
    EXPECT_EQ(Fake.gadgets[ENTRY_LIST].rows[599].back + Fake.gadgets[ENTRY_LIST].rows[600].back,
              ODD_ROW_BACK + EVEN_ROW_BACK);
    // Without the memory for the search, nothing is found and the tool goes on.
    std::vector<CatalogueMatch> found = {{0, 0}};
    EXPECT_TRUE(RunOutOfMemory(0, [&] { found = FindEntriesContaining("item_1"); }));
    EXPECT_TRUE(found.empty());
}

#ifndef ORVANE_SHIPPED_CATALOGUE
#error "ORVANE_SHIPPED_CATALOGUE must name samples/api.ovc"
#endif

// The catalogue that ships with the program, beside a new user's empty one: plain ASCII with CR LF,
// a header that explains it, "messagebox" first, lower-case category names, and clean entries.
TEST_F(CatalogueTest, ShippedCatalogueLoadsBesideANewUsersEmptyOne) {
    std::string shipped = ReadWholeFile(ORVANE_SHIPPED_CATALOGUE);
    ASSERT_FALSE(shipped.empty()) << ORVANE_SHIPPED_CATALOGUE;
    for (size_t i = 0; i < shipped.size(); i++) {
        ASSERT_LT((unsigned char)shipped[i], 0x80u) << "byte " << i;
        bool lineEnd = shipped[i] == '\r' || shipped[i] == '\n';
        bool crlf = shipped[i] == '\r' ? i + 1 < shipped.size() && shipped[i + 1] == '\n'
                                       : i > 0 && shipped[i - 1] == '\r';
        ASSERT_TRUE(!lineEnd || crlf) << "line end without CR LF at byte " << i;
    }
    ASSERT_EQ(shipped.substr(0, 1), ";"); // the explaining header

    LoadCatalogue(dir + "constants.ovc", ORVANE_SHIPPED_CATALOGUE);
    EXPECT_EQ(ReadWholeFile(dir + "constants.ovc"), "");
    std::set<std::string> categories;
    for (size_t i = 0; i < CatalogueEntryCount(); i++) {
        std::string category(CatalogueEntryAt(i).Category), text(CatalogueEntryAt(i).Text);
        EXPECT_EQ(category, LowerAscii(category));
        ASSERT_FALSE(text.empty() || text.find_first_of(" \t|") != std::string::npos)
            << category << ": " << text;
        categories.insert(category);
    }
    EXPECT_GE(categories.size(), 5000u);
    // Every header is written without blanks; a group of too many constants for a function names
    // their families in a comment instead, and so may have no entries.
    EXPECT_GE(ComboItems().size(), categories.size());
    for (const std::string& item : ComboItems())
        EXPECT_EQ(item, LowerAscii(std::string(TrimBlanks(item)))) << item;

    ShowCategory("first_one_of_the_list");
    EXPECT_EQ(ComboText(), "messagebox");
    Strings rows = Rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "MB_OK"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "MB_ICONERROR"), rows.end());
}
