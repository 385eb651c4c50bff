#include <gtest/gtest.h>

#include <windows.h>

#include "toolkit/toolkit.h"

namespace {

LOGFONTA FontFacts(PlatformHandle font) {
    LOGFONTA facts = {};
    EXPECT_EQ((int)sizeof facts, GetObjectA((HFONT)font, sizeof facts, &facts));
    return facts;
}

int DisplayDotsPerInch() {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int dpi = GetDeviceCaps(display, LOGPIXELSY);
    DeleteDC(display);
    return dpi;
}

TEST(Fonts, PointSizesBecomeCharacterHeightsForTheDisplay) {
    ASSERT_EQ(96, DisplayDotsPerInch());
    const int sizes[] = {8, 9, 10};
    const int heights[] = {-11, -12, -13};
    for (int i = 0; i < 3; ++i) {
        PlatformHandle font = FontLoad(7, "Arial", sizes[i]);
        ASSERT_NE(0, font);
        LOGFONTA facts = FontFacts(font);
        EXPECT_EQ(heights[i], facts.lfHeight) << sizes[i] << " points";
        EXPECT_EQ(FW_NORMAL, facts.lfWeight);
        EXPECT_EQ(DEFAULT_CHARSET, facts.lfCharSet);
        EXPECT_STREQ("Arial", facts.lfFaceName);
    }
    FontFree(7);
}

TEST(Fonts, FlagsSetWeightStyleAndQuality) {
    LOGFONTA plain = FontFacts(FontLoad(7, "Verdana", 10, 0));
    EXPECT_EQ(0, plain.lfItalic);
    EXPECT_EQ(0, plain.lfUnderline);
    EXPECT_EQ(0, plain.lfStrikeOut);
    EXPECT_EQ(DEFAULT_QUALITY, plain.lfQuality);

    LOGFONTA all = FontFacts(
        FontLoad(7, "Verdana", 10, FontBold | FontItalic | FontUnderline | FontStrikeOut | FontHighQuality));
    EXPECT_EQ(FW_BOLD, all.lfWeight);
    EXPECT_NE(0, all.lfItalic);
    EXPECT_NE(0, all.lfUnderline);
    EXPECT_NE(0, all.lfStrikeOut);
    EXPECT_EQ(PROOF_QUALITY, all.lfQuality);
    FontFree(7);
}

TEST(Fonts, ReusingANumberDeletesTheOldFont) {
    PlatformHandle first = FontLoad(2, "Arial", 9, FontBold);
    ASSERT_NE(0, first);
    EXPECT_EQ(OBJ_FONT, (int)GetObjectType((HGDIOBJ)first));
    PlatformHandle second = FontLoad(2, "Arial", 9, FontBold);
    ASSERT_NE(0, second);
    EXPECT_EQ(0u, GetObjectType((HGDIOBJ)first));
    EXPECT_EQ(OBJ_FONT, (int)GetObjectType((HGDIOBJ)second));
    EXPECT_EQ(FW_BOLD, FontFacts(second).lfWeight);

    FontFree(2);
    EXPECT_EQ(0u, GetObjectType((HGDIOBJ)second));
}

TEST(Fonts, NumbersBeyondTheFirstSlotsGrowTheTable) {
    PlatformHandle font = FontLoad(40, "Arial", 8);
    ASSERT_NE(0, font);
    FontFree(40);
    EXPECT_EQ(0u, GetObjectType((HGDIOBJ)font));
    EXPECT_EQ(0, FontLoad(-3, "Arial", 8));
}

} // namespace
