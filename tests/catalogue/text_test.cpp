#include <gtest/gtest.h>

#include "catalogue/text.h"

TEST(TextHelpers, TrimBlanksRemovesOnlySpacesAndTabs) {
    EXPECT_EQ(TrimBlanks("  \tMyWord\t "), "MyWord");
    EXPECT_EQ(TrimBlanks(" \r\nx\r\n "), "\r\nx\r\n");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
}

TEST(TextHelpers, CaseMappingTouchesOnlyTheirRanges) {
    EXPECT_EQ(LowerAscii("PrintN \xC4\xE4"), "printn \xC4\xE4");
    EXPECT_EQ(UpperLatin1("window \xE4\xFF\xDF@[`{"), "WINDOW \xC4\xDF\xDF@[`{");
}

TEST(TextHelpers, FirstAndLastCharsClampTheirCount) {
    EXPECT_EQ(FirstChars("Window", -3), "");
    EXPECT_EQ(FirstChars("Window", 3), "Win");
    EXPECT_EQ(FirstChars("Window", 99), "Window");
    EXPECT_EQ(LastChars("Window", 3), "dow");
    EXPECT_EQ(LastChars("Window", 0), "");
    EXPECT_EQ(LastChars("Window", 99), "Window");
}

TEST(TextHelpers, ParseDecimal32ReadsSignedDigitsAndWraps) {
    EXPECT_EQ(ParseDecimal32("987", IsBlank), 987);
    EXPECT_EQ(ParseDecimal32("  -12abc", IsBlank), -12);
    EXPECT_EQ(ParseDecimal32("+7", IsBlank), 7);
    EXPECT_EQ(ParseDecimal32("", IsBlank), 0);
    EXPECT_EQ(ParseDecimal32("0x1F", IsBlank), 0);
    EXPECT_EQ(ParseDecimal32("\n5", IsBlank), 0);
    EXPECT_EQ(ParseDecimal32("\r\n\v\f 5", IsCSpace), 5);
    EXPECT_EQ(ParseDecimal32("4294967297", IsBlank), 1); // 2^32 + 1 wraps to 1
    EXPECT_EQ(ParseDecimal32("-2147483648", IsBlank), INT32_MIN);
    EXPECT_EQ(ParseDecimal32(nullptr, IsBlank), 0);
}

TEST(TextHelpers, EqualFoldAsciiFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(EqualFoldAscii("WindowPosX", "windowposx"));
    EXPECT_FALSE(EqualFoldAscii("\xC4", "\xE4"));
    EXPECT_FALSE(EqualFoldAscii("abc", "abc "));
    EXPECT_TRUE(EqualFoldAscii(nullptr, ""));
    EXPECT_FALSE(EqualFoldAscii("@", "`"));
}
