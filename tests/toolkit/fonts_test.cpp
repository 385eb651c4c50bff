#include <gtest/gtest.h>

#include <windows.h>

#include "support/win_controls.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

TEST(Fonts, PointSizesBecomeCharacterHeightsForTheDisplay) {
    ASSERT_EQ(DisplayDpi(), 96);
    const int sizes[] = {8, 9, 10};
    const int heights[] = {-11, -12, -13};
    for (int i = 0; i < 3; ++i) {
        PlatformHandle font = FontLoad(7, "Arial", sizes[i]);
        ASSERT_NE(font, 0);
        LOGFONTA facts = FontFacts(font);
        EXPECT_EQ(facts.lfHeight, heights[i]) << sizes[i] << " points";
        EXPECT_EQ(facts.lfWeight, FW_NORMAL);
        EXPECT_EQ(facts.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(facts.lfFaceName, "Arial");
    }
    FontFree(7);
}

TEST(Fonts, FlagsSetWeightStyleAndQuality) {
    LOGFONTA plain = FontFacts(FontLoad(7, "Verdana", 10, 0));
    EXPECT_EQ(plain.lfItalic, 0);
    EXPECT_EQ(plain.lfUnderline, 0);
    EXPECT_EQ(plain.lfStrikeOut, 0);
    EXPECT_EQ(plain.lfQuality, DEFAULT_QUALITY);

    LOGFONTA all = FontFacts(
        FontLoad(7, "Verdana", 10, FontBold | FontItalic | FontUnderline | FontStrikeOut | FontHighQuality));
    EXPECT_EQ(all.lfWeight, FW_BOLD);
    EXPECT_NE(all.lfItalic, 0);
    EXPECT_NE(all.lfUnderline, 0);
    EXPECT_NE(all.lfStrikeOut, 0);
    EXPECT_EQ(all.lfQuality, PROOF_QUALITY);
    FontFree(7);
}

TEST(Fonts, ReusingANumberDeletesTheOldFont) {
    PlatformHandle first = FontLoad(2, "Arial", 9, FontBold);
    ASSERT_NE(first, 0);
    EXPECT_EQ((int)GetObjectType((HGDIOBJ)first), OBJ_FONT);
    PlatformHandle second = FontLoad(2, "Arial", 9, FontBold);
    ASSERT_NE(second, 0);
    EXPECT_EQ(GetObjectType((HGDIOBJ)first), 0u);
    EXPECT_EQ((int)GetObjectType((HGDIOBJ)second), OBJ_FONT);
    EXPECT_EQ(FontFacts(second).lfWeight, FW_BOLD);

    FontFree(2);
    EXPECT_EQ(GetObjectType((HGDIOBJ)second), 0u);
}

TEST(Fonts, NumbersBeyondTheFirstSlotsGrowTheTable) {
    PlatformHandle font = FontLoad(40, "Arial", 8);
    ASSERT_NE(font, 0);
    FontFree(40);
    EXPECT_EQ(GetObjectType((HGDIOBJ)font), 0u);
    EXPECT_EQ(FontLoad(-3, "Arial", 8), 0);
}

} // namespace
