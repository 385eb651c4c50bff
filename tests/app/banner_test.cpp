#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "app/banner.h"

namespace {

uint32_t Le16(size_t at) {
    return uint32_t(BannerBitmap[at]) | uint32_t(BannerBitmap[at + 1]) << 8;
}
uint32_t Le32(size_t at) {
    return Le16(at) | Le16(at + 2) << 16;
}

constexpr size_t ROW_BYTES = 1144;
constexpr size_t PIXEL_OFFSET = 54;

// Colour of pixel x, y counted from the top, as 0xRRGGBB; rows are stored bottom-up.
uint32_t PixelAt(int x, int y) {
    size_t at = PIXEL_OFFSET + size_t(67 - y) * ROW_BYTES + size_t(x) * 3;
    return uint32_t(BannerBitmap[at + 2]) << 16 | uint32_t(BannerBitmap[at + 1]) << 8 | BannerBitmap[at];
}

} // namespace

TEST(BannerBitmap, IsA381By68TrueColourBmpFile) {
    ASSERT_EQ(BannerBitmapSize, 77846u);
    EXPECT_EQ(BannerBitmap[0], 'B');
    EXPECT_EQ(BannerBitmap[1], 'M');
    EXPECT_EQ(Le32(2), 77846u);  // file size
    EXPECT_EQ(Le32(6), 0u);      // reserved
    EXPECT_EQ(Le32(10), 54u);    // pixel data offset
    EXPECT_EQ(Le32(14), 40u);    // BITMAPINFOHEADER
    EXPECT_EQ(Le32(18), 381u);   // width
    EXPECT_EQ(Le32(22), 68u);    // height, positive: bottom-up
    EXPECT_EQ(Le16(26), 1u);     // planes
    EXPECT_EQ(Le16(28), 24u);    // bits per pixel
    EXPECT_EQ(Le32(30), 0u);     // BI_RGB
    EXPECT_EQ(Le32(34), 77792u); // image size: 68 rows of 1,144 bytes
    EXPECT_EQ(Le32(38), 2835u);  // pixels per metre, across
    EXPECT_EQ(Le32(42), 2835u);  // and down
    EXPECT_EQ(Le32(46), 0u);     // no colour table
    EXPECT_EQ(Le32(50), 0u);     // all colours important
    EXPECT_EQ(PIXEL_OFFSET + 68 * ROW_BYTES, BannerBitmapSize);
}

TEST(BannerBitmap, RowFillerBytesAreZero) {
    for (size_t row = 0; row < 68; row++)
        EXPECT_EQ(BannerBitmap[PIXEL_OFFSET + row * ROW_BYTES + 1143], 0) << row;
}

TEST(BannerBitmap, ShowsWhiteLetteringOnABlueGroundOverADarkerBand) {
    std::set<uint32_t> colours;
    size_t white = 0;
    for (int y = 0; y < 68; y++) {
        for (int x = 0; x < 381; x++) {
            uint32_t pixel = PixelAt(x, y);
            colours.insert(pixel);
            if (pixel == 0xFFFFFF) white++;
        }
    }
    EXPECT_GT(colours.size(), 50u);
    EXPECT_GT(white, 500u);

    // The ground is blue and the band below it darker; both at the left, away from the lettering.
    uint32_t ground = PixelAt(2, 2), band = PixelAt(2, 66);
    auto red = [](uint32_t c) { return int(c >> 16); };
    auto blue = [](uint32_t c) { return int(c & 0xFF); };
    auto brightness = [](uint32_t c) { return int(c >> 16) + int((c >> 8) & 0xFF) + int(c & 0xFF); };
    EXPECT_GT(blue(ground), red(ground) + 40);
    EXPECT_GT(blue(band), red(band) + 20);
    EXPECT_LT(brightness(band), brightness(ground) - 100);

    // White lettering in both lines: the title above the band and the name on it.
    size_t whiteAbove = 0, whiteOnBand = 0;
    for (int y = 0; y < 68; y++)
        for (int x = 0; x < 240; x++)
            if (PixelAt(x, y) == 0xFFFFFF) (y < 43 ? whiteAbove : whiteOnBand)++;
    EXPECT_GT(whiteAbove, 300u);
    EXPECT_GT(whiteOnBand, 100u);
}
