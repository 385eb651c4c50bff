// The preference file format: how lines are read, looked up, enumerated and written back.
#include <gtest/gtest.h>

#include "catalogue/preference_file.h"
#include "support/temp_dir.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

class PreferenceFileFormat : public ::testing::Test {
  protected:
    std::string path;

    void SetUp() override {
        std::string dir = MakeTempDir();
        ASSERT_FALSE(dir.empty());
        path = dir + "prefs.cfg";
    }
    void TearDown() override { PreferenceFile::Close(); }

    // Writes the bytes and opens them.
    void OpenWith(const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile(path, bytes));
        ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    }

    // Opens the bytes, lets change() write, closes and gives the file's new bytes.
    template <typename Change> std::string Rewrite(const std::string& bytes, Change change) {
        OpenWith(bytes);
        change();
        PreferenceFile::Close();
        return ReadWholeFile(path);
    }
};

// Every key of the current section as name/value pairs, in the order NextKey yields them.
std::vector<std::pair<std::string, std::string>> SectionKeys() {
    std::vector<std::pair<std::string, std::string>> keys;
    PreferenceFile::RewindKeys();
    while (PreferenceFile::NextKey()) {
        std::string name = PreferenceFile::KeyName();
        keys.emplace_back(name, PreferenceFile::ReadText(name.c_str(), "<none>"));
    }
    return keys;
}

std::vector<std::string> GroupNames() {
    std::vector<std::string> names;
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup())
        names.push_back(PreferenceFile::GroupName());
    return names;
}

using Keys = std::vector<std::pair<std::string, std::string>>;

TEST_F(PreferenceFileFormat, LookupsFoldAsciiLettersOnly) {
    OpenWith("[WindowPositions]\r\nwindowposx=12\r\n[Gr\xE4n]\r\nk\xE4y=1\r\n");
    EXPECT_TRUE(PreferenceFile::SelectGroup("WINDOWPOSITIONS"));
    EXPECT_EQ(PreferenceFile::ReadNumber("WindowPosX", -1), 12);
    // Bytes above 127 compare as they are.
    EXPECT_FALSE(PreferenceFile::SelectGroup("GR\xC4N"));
    EXPECT_TRUE(PreferenceFile::SelectGroup("gR\xE4N"));
    EXPECT_EQ(PreferenceFile::ReadNumber("K\xC4Y", -1), -1);
    EXPECT_EQ(PreferenceFile::ReadNumber("K\xE4Y", -1), 1);
}

TEST_F(PreferenceFileFormat, BlanksAroundNamesAndEqualsSign) {
    OpenWith("[g]\n"
             "a=1\n"
             "  \tb \t =  2 \n"
             "c =\t3\n"
             "d = x = y ; z\t \n"
             "e =\n"
             "f = \n"
             "g = 12abc\n"
             "h=  \n");
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_EQ(SectionKeys(), (Keys{{"a", "1"},
                                   {"b", " 2 "},
                                   {"c", "\t3"},
                                   {"d", "x = y ; z\t "},
                                   {"e", ""},
                                   {"f", ""},
                                   {"g", "12abc"},
                                   {"h", " "}}));
    EXPECT_EQ(PreferenceFile::ReadNumber("b", -1), 2);
    EXPECT_EQ(PreferenceFile::ReadNumber("c", -1), 3);
    EXPECT_EQ(PreferenceFile::ReadNumber("d", -1), 0);
    EXPECT_EQ(PreferenceFile::ReadNumber("e", -1), 0); // present but empty: 0, not the default
    EXPECT_EQ(PreferenceFile::ReadNumber("g", -1), 12);
    EXPECT_EQ(PreferenceFile::ReadNumber("missing", -1), -1);
    EXPECT_EQ(PreferenceFile::ReadText("missing", "dflt"), "dflt");
    EXPECT_EQ(PreferenceFile::ReadText("missing"), "");
    EXPECT_EQ(PreferenceFile::ReadText("missing", nullptr), "");
}

// The reading of the digits is the text helpers' one (overflow included): here the white space it
// is given.
TEST_F(PreferenceFileFormat, NumbersSkipCWhiteSpaceAndTakeTheirSign) {
    OpenWith("a= \t\v\f-5x\nb=+17\nc=-\nd=2147483647\ne=-2147483648\n");
    EXPECT_EQ(PreferenceFile::ReadNumber("a", 1), -5);
    EXPECT_EQ(PreferenceFile::ReadNumber("b", 1), 17);
    EXPECT_EQ(PreferenceFile::ReadNumber("c", 1), 0);
    EXPECT_EQ(PreferenceFile::ReadNumber("d", 1), 2147483647);
    EXPECT_EQ(PreferenceFile::ReadNumber("e", 1), INT32_MIN);
}

TEST_F(PreferenceFileFormat, GroupHeaders) {
    OpenWith("[ spaced name ]\na=1\n[open ended\nb=2\n[closed] trailing = text\nc=3\n  [indented]\nd=4\n");
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{" spaced name ", "open ended", "closed", "indented"}));
    EXPECT_FALSE(PreferenceFile::SelectGroup("spaced name"));
    EXPECT_TRUE(PreferenceFile::SelectGroup(" spaced name "));
    EXPECT_EQ(SectionKeys(), (Keys{{"a", "1"}}));
    EXPECT_TRUE(PreferenceFile::SelectGroup("open ended"));
    EXPECT_EQ(SectionKeys(), (Keys{{"b", "2"}}));
    EXPECT_TRUE(PreferenceFile::SelectGroup("closed"));
    EXPECT_EQ(SectionKeys(), (Keys{{"c", "3"}}));
    EXPECT_TRUE(PreferenceFile::SelectGroup("indented"));
    EXPECT_EQ(SectionKeys(), (Keys{{"d", "4"}}));
}

TEST_F(PreferenceFileFormat, KeyWithoutEqualsSignUnderEveryLineEnd) {
    const char* ends[] = {"\r\n", "\n", "\r", "\n\r"};
    for (const char* end : ends) {
        SCOPED_TRACE(testing::Message() << "line end " << testing::PrintToString(std::string(end)));
        OpenWith(std::string("[g]") + end + "lonely" + end + "next=1" + end + "last");
        ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
        EXPECT_EQ(SectionKeys(), (Keys{{"lonely", ""}, {"next", "1"}, {"last", ""}}));
        EXPECT_EQ(PreferenceFile::ReadNumber("lonely", -1), 0);
        EXPECT_EQ(PreferenceFile::ReadNumber("last", -1), 0);
        PreferenceFile::Close();
    }
}

TEST_F(PreferenceFileFormat, EmptyKeyNamesCommentsAndEmptyLines) {
    OpenWith("=first\n ; spaced\n;tight\n;  two\n\n   \n\t\n = second\n[g]\n;only\n   ");
    EXPECT_EQ(SectionKeys(), (Keys{{"", "first"}, {"", "first"}}));
    EXPECT_EQ(PreferenceFile::ReadText(""), "first");
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"g"}));
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_TRUE(SectionKeys().empty()); // comments are never yielded
}

TEST_F(PreferenceFileFormat, TopSectionIsReachedOnlyByTheEmptyName) {
    OpenWith("top=1\n[g]\ntop=2\n");
    EXPECT_EQ(PreferenceFile::ReadNumber("top", -1), 1);
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_EQ(PreferenceFile::ReadNumber("top", -1), 2);
    EXPECT_TRUE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(PreferenceFile::ReadNumber("top", -1), 1);
    EXPECT_TRUE(PreferenceFile::SelectGroup(nullptr));
    EXPECT_EQ(SectionKeys(), (Keys{{"top", "1"}}));
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"g"}));
}

TEST_F(PreferenceFileFormat, RepeatedGroupsAndKeys) {
    OpenWith("[g]\nk=1\nK=2\n[other]\nk=3\n[G]\nk=4\n");
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"g", "other", "G"}));
    ASSERT_TRUE(PreferenceFile::SelectGroup("G"));
    // Both keys are yielded, but lookups by name find the first.
    EXPECT_EQ(SectionKeys(), (Keys{{"k", "1"}, {"K", "1"}}));

    // Enumeration as the catalogue does it: each group's own keys, including the second "g".
    std::vector<std::string> seen;
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey())
            seen.push_back(PreferenceFile::GroupName() + ":" + PreferenceFile::ReadText("k"));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"g:1", "g:1", "other:3", "G:4"}));
}

// A mark at the very start is skipped and never written back; elsewhere its bytes are text.
TEST_F(PreferenceFileFormat, ByteOrderMarkAtTheStartIsSkipped) {
    // A blank in front keeps such bytes a first key's own.
    EXPECT_EQ(Rewrite("\xEF\xBB\xBF\xEF\xBB\xBFk=1", [] { PreferenceFile::WriteNumber("k", 2); }),
              " \xEF\xBB\xBFk = 1\r\nk = 2\r\n");
    OpenWith("\xEF\xBB\xBF[g]\nk=1\n\xEF\xBB\xBF[h]\n");
    EXPECT_EQ(GroupNames(), (std::vector<std::string>{"g"}));
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_EQ(SectionKeys(), (Keys{{"k", "1"}, {"\xEF\xBB\xBF[h]", ""}}));
}

TEST_F(PreferenceFileFormat, ZeroByteEndsALineAndTheRestIsALineOfItsOwn) {
    OpenWith(std::string("[g]\na=12\0b=3\n[h\0c=4\n", 20));
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_EQ(SectionKeys(), (Keys{{"a", "12"}, {"b", "3"}}));
    ASSERT_TRUE(PreferenceFile::SelectGroup("h"));
    EXPECT_EQ(SectionKeys(), (Keys{{"c", "4"}}));
}

TEST_F(PreferenceFileFormat, CursorsAndPendingGroup) {
    OpenWith("[a]\nx=1\n[b]\ny=2\n");
    ASSERT_TRUE(PreferenceFile::SelectGroup("b"));
    EXPECT_FALSE(PreferenceFile::SelectGroup("missing"));
    // The group cursor stays on "b", but nothing of it can be read while the name is pending.
    EXPECT_EQ(PreferenceFile::GroupName(), "b");
    EXPECT_EQ(PreferenceFile::ReadNumber("y", -1), -1);
    EXPECT_EQ(PreferenceFile::FindKey("y"), nullptr);
    EXPECT_FALSE(PreferenceFile::RewindKeys());
    EXPECT_FALSE(PreferenceFile::NextKey());
    EXPECT_TRUE(PreferenceFile::RewindGroups());
    EXPECT_EQ(PreferenceFile::GroupName(), "");
    EXPECT_EQ(PreferenceFile::KeyName(), "");
    EXPECT_TRUE(PreferenceFile::RewindKeys());
    EXPECT_TRUE(PreferenceFile::NextGroup());
    EXPECT_TRUE(PreferenceFile::NextGroup());
    EXPECT_EQ(PreferenceFile::GroupName(), "b");
    EXPECT_FALSE(PreferenceFile::NextGroup());
    EXPECT_EQ(PreferenceFile::GroupName(), "b");
    // NextGroup leaves the key cursor alone: RewindKeys belongs in front of the keys.
    EXPECT_TRUE(PreferenceFile::RewindKeys());
    EXPECT_EQ(PreferenceFile::KeyName(), "");
    EXPECT_TRUE(PreferenceFile::NextKey());
    EXPECT_EQ(PreferenceFile::KeyName(), "y");
    EXPECT_FALSE(PreferenceFile::NextKey());
    EXPECT_EQ(PreferenceFile::KeyName(), "y");
}

TEST_F(PreferenceFileFormat, ClosedLibraryGivesEmptyResults) {
    PreferenceFile::Close();
    EXPECT_FALSE(PreferenceFile::SelectGroup(""));
    EXPECT_EQ(PreferenceFile::ReadNumber("x", 42), 42);
    EXPECT_EQ(PreferenceFile::ReadText("x", "d"), "d");
    EXPECT_EQ(PreferenceFile::StoreKey("x", 3), nullptr);
    PreferenceFile::WriteNumber("x", 1);
    EXPECT_FALSE(PreferenceFile::RewindGroups());
    EXPECT_FALSE(PreferenceFile::NextGroup());
    EXPECT_FALSE(PreferenceFile::RewindKeys());
    EXPECT_FALSE(PreferenceFile::NextKey());
    EXPECT_EQ(PreferenceFile::GroupName(), "");
    EXPECT_EQ(PreferenceFile::KeyName(), "");
}

// ---- Writing back --------------------------------------------------------------------------------

TEST_F(PreferenceFileFormat, AWriteRewritesTheWholeFileCanonically) {
    std::string before = "\xEF\xBB\xBF[x]\n"
                         "top=1\n"
                         "\n"
                         ";tight comment\r\n"
                         " ;  wide comment\r"
                         "\t[ Group ] ignored\n\r"
                         "  lonely\n"
                         "=empty name\n"
                         "key=a=b;c  \n"
                         "WINDOWPOSX=1\n"
                         "[open\n"
                         "last = 5   \n"
                         "   ";
    std::string after = Rewrite(before, [] {
        PreferenceFile::SelectGroup(" group ");
        PreferenceFile::WriteNumber("WindowPosX", -5);
    });
    EXPECT_EQ(after, "[x]\r\n"
                     "top = 1\r\n"
                     "; tight comment\r\n"
                     ";  wide comment\r\n"
                     "[ Group ]\r\n"
                     "lonely = \r\n"
                     " = empty name\r\n"
                     "key = a=b;c  \r\n"
                     "WindowPosX = -5\r\n"
                     "[open]\r\n"
                     "last = 5   \r\n");
}

TEST_F(PreferenceFileFormat, ReadingWithoutWritingLeavesTheBytesAlone) {
    static const char raw[] = "  [g]  junk\n\n;c\r\nk=1\r\r\nz\0y\n";
    std::string bytes(raw, sizeof raw - 1);
    std::string after = Rewrite(bytes, [] {
        PreferenceFile::SelectGroup("g");
        PreferenceFile::ReadNumber("k", 0);
        PreferenceFile::SelectGroup("missing");
    });
    EXPECT_EQ(after, bytes);
}

TEST_F(PreferenceFileFormat, WritesIntoAMissingGroupAppendItAtTheEnd) {
    std::string after = Rewrite("[a]\nx=1\n;end", [] {
        EXPECT_FALSE(PreferenceFile::SelectGroup("WindowPositions"));
        PreferenceFile::WriteNumber("WindowPosX", 714);
        PreferenceFile::WriteNumber("WindowPosY", 10);
        EXPECT_EQ(PreferenceFile::GroupName(), "WindowPositions");
        EXPECT_TRUE(PreferenceFile::SelectGroup("windowpositions"));
        EXPECT_EQ(PreferenceFile::ReadNumber("windowposy", -1), 10);
    });
    EXPECT_EQ(after, "[a]\r\nx = 1\r\n; end\r\n[WindowPositions]\r\nWindowPosX = 714\r\nWindowPosY = 10\r\n");
}

TEST_F(PreferenceFileFormat, NewKeysGoBehindTheirSectionsLastLine) {
    std::string after = Rewrite(";head\n[a]\nx=1\n;a's comment\n[b]\ny=2\n", [] {
        PreferenceFile::SelectGroup("a");
        PreferenceFile::WriteNumber("new", 1);
        PreferenceFile::SelectGroup("");
        PreferenceFile::WriteNumber("top", 2);
        PreferenceFile::SelectGroup("b");
        PreferenceFile::WriteNumber("z", 3);
    });
    EXPECT_EQ(after,
              "; head\r\ntop = 2\r\n[a]\r\nx = 1\r\n; a's comment\r\nnew = 1\r\n[b]\r\ny = 2\r\nz = 3\r\n");

    // An empty top section takes its key at the very start.
    after = Rewrite("[a]\nx=1\n", [] {
        PreferenceFile::SelectGroup("");
        PreferenceFile::WriteNumber("top", 2);
    });
    EXPECT_EQ(after, "top = 2\r\n[a]\r\nx = 1\r\n");
}

TEST_F(PreferenceFileFormat, WritingAnExistingKeyChangesOnlyTheFirstOfItsName) {
    std::string after = Rewrite("[g]\nwindowposx=100000\nwindowposx=7\nshort\n", [] {
        PreferenceFile::SelectGroup("G");
        PreferenceFile::WriteNumber("WindowPosX", 3);     // shorter: the old storage is reused
        PreferenceFile::WriteNumber("Short", -123456789); // longer than the empty value
        EXPECT_EQ(PreferenceFile::KeyName(), "Short");
        PreferenceFile::WriteNumber("WindowPosX", 2147483647);
        PreferenceFile::WriteNumber("WINDOWPOSX", INT32_MIN);
    });
    EXPECT_EQ(after, "[g]\r\nWINDOWPOSX = -2147483648\r\nwindowposx = 7\r\nShort = -123456789\r\n");
}

TEST_F(PreferenceFileFormat, StoreKeyGivesStorageForTheAskedLength) {
    std::string after = Rewrite("[g]\nk=abcdef\n", [] {
        PreferenceFile::SelectGroup("g");
        char* value = PreferenceFile::StoreKey("k", 3);
        ASSERT_NE(value, nullptr);
        memcpy(value, "xyz", 4);
        value = PreferenceFile::StoreKey("new", 20);
        ASSERT_NE(value, nullptr);
        memcpy(value, "01234567890123456789", 21);
    });
    EXPECT_EQ(after, "[g]\r\nk = xyz\r\nnew = 01234567890123456789\r\n");
}

TEST_F(PreferenceFileFormat, SettingsRoundTrip) {
    ASSERT_TRUE(PreferenceFile::Create(path.c_str()));
    EXPECT_FALSE(PreferenceFile::SelectGroup("WindowPositions"));
    PreferenceFile::WriteNumber("WindowPosX", -5);
    PreferenceFile::WriteNumber("WindowPosY", 200);
    PreferenceFile::Close();
    EXPECT_EQ(ReadWholeFile(path), "[WindowPositions]\r\nWindowPosX = -5\r\nWindowPosY = 200\r\n");

    PreferenceFile::Open(path.c_str());
    PreferenceFile::SelectGroup("WindowPositions");
    EXPECT_EQ(PreferenceFile::ReadNumber("WindowPosX", 714), -5);
    EXPECT_EQ(PreferenceFile::ReadNumber("WindowPosY", 10), 200);
}

} // namespace
