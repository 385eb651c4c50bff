#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

void PutU16(std::string& b, size_t at, uint16_t v) {
    b[at] = (char)(v & 0xFF);
    b[at + 1] = (char)(v >> 8);
}
void PutU32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + (size_t)i] = (char)((v >> (8 * i)) & 0xFF);
}

// A bitmap file as a paint program writes it: 14-byte file header, 40-byte information header,
// the colour table, then rows padded to 4 bytes (bottom-up unless the height is negative).
std::string BitmapFile(int width, int height, int bitCount, const std::vector<uint32_t>& palette = {}) {
    int rows = height < 0 ? -height : height;
    size_t stride = (size_t)((width * bitCount + 31) / 32) * 4;
    size_t pixelOffset = 54 + palette.size() * 4;
    std::string file(pixelOffset + stride * (size_t)rows, '\0');
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, (uint32_t)file.size());
    PutU32(file, 10, (uint32_t)pixelOffset);
    PutU32(file, 14, 40);
    PutU32(file, 18, (uint32_t)width);
    PutU32(file, 22, (uint32_t)height);
    PutU16(file, 26, 1);
    PutU16(file, 28, (uint16_t)bitCount);
    PutU32(file, 34, (uint32_t)(stride * (size_t)rows));
    PutU32(file, 46, (uint32_t)palette.size());
    for (size_t i = 0; i < palette.size(); ++i)
        PutU32(file, 54 + i * 4, palette[i]);
    return file;
}

// The colour (0x00RRGGBB) of the file's 24-bit pixel at column x of the picture's row y (top = 0).
uint32_t FilePixel24(const std::string& file, int width, int height, int x, int y) {
    size_t stride = (size_t)((width * 24 + 31) / 32) * 4;
    size_t row = (size_t)(height - 1 - y);
    const unsigned char* p = (const unsigned char*)file.data() + 54 + row * stride + (size_t)x * 3;
    return (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
}

// The bitmap's pixels as top-down 0x00RRGGBB values.
std::vector<uint32_t> BitmapPixels(PlatformHandle bitmap, int width, int height) {
    std::vector<uint32_t> pixels((size_t)width * (size_t)height, 0xDEADBEEF);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, (HBITMAP)bitmap, 0, (UINT)height, pixels.data(), &info, DIB_RGB_COLORS),
              height);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// Decodes the bytes placed at the very end of readable memory: any read beyond them faults.
PlatformHandle DecodeAgainstAGuardPage(int number, const std::string& bytes) {
    const size_t page = 4096;
    size_t readable = (bytes.size() + page - 1) / page * page + page;
    char* region = (char*)VirtualAlloc(nullptr, readable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!region) return (PlatformHandle)-1;
    DWORD old;
    VirtualProtect(region + readable, page, PAGE_NOACCESS, &old);
    char* start = region + readable - bytes.size();
    memcpy(start, bytes.data(), bytes.size());
    PlatformHandle image = ImageFromMemory(number, start, bytes.size());
    VirtualFree(region, 0, MEM_RELEASE);
    return image;
}

TEST(Images, TheBannerSizedBitmapKeepsEveryPixel) {
    const int width = 381, height = 68;
    std::string file = BitmapFile(width, height, 24);
    ASSERT_EQ(file.size(), 77846u);
    for (size_t i = 54; i < file.size(); ++i)
        file[i] = (char)((i * 31 + i / 1144 * 7) & 0xFF);

    PlatformHandle image = ImageFromMemory(1, file.data(), file.size());
    ASSERT_NE(image, 0);
    BITMAP facts = {};
    ASSERT_NE(GetObjectA((HBITMAP)image, sizeof facts, &facts), 0);
    EXPECT_EQ(facts.bmWidth, width);
    EXPECT_EQ(facts.bmHeight, height);
    EXPECT_EQ(facts.bmBitsPixel, 32);

    std::vector<uint32_t> pixels = BitmapPixels(image, width, height);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[(size_t)y * width + (size_t)x] != FilePixel24(file, width, height, x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST(Images, TopDownAndPalettedFilesDecode) {
    // 3 x 2, 8 bits per pixel, rows stored top-down.
    std::string file = BitmapFile(3, -2, 8, {0x00FF0000, 0x0000FF00, 0x000000FF});
    const char indices[2][3] = {{0, 1, 2}, {2, 2, 1}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            file[66 + (size_t)y * 4 + (size_t)x] = indices[y][x]; // pixels follow the 3 colours
    PlatformHandle image = ImageFromMemory(2, file.data(), file.size());
    ASSERT_NE(image, 0);
    std::vector<uint32_t> pixels = BitmapPixels(image, 3, 2);
    const uint32_t expected[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(pixels[(size_t)i], expected[i]) << "pixel " << i;
}

TEST(Images, TruncatedOrMalformedFilesGiveNothing) {
    std::string good = BitmapFile(381, 68, 24);
    auto decode = [](const std::string& bytes) { return DecodeAgainstAGuardPage(3, bytes); };
    EXPECT_EQ(decode(good.substr(0, good.size() - 1)), 0);
    EXPECT_EQ(decode(good.substr(0, 54)), 0);
    EXPECT_EQ(decode(good.substr(0, 30)), 0);
    EXPECT_EQ(decode("BM"), 0);
    EXPECT_EQ(decode(""), 0);
    EXPECT_EQ(ImageFromMemory(3, nullptr, 100), 0);

    std::string bad = good;
    PutU32(bad, 10, 0xFFFFFFF0); // pixels beyond the end
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU32(bad, 14, 0x7FFFFFFF); // header longer than the file
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU32(bad, 18, 0x80000000); // negative width
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU32(bad, 22, 0x80000000); // height that has no positive counterpart
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU32(bad, 22, 69); // one row more than the file holds
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU16(bad, 28, 0); // no bit count
    EXPECT_EQ(decode(bad), 0);
    bad = good;
    PutU32(bad, 30, BI_RLE8); // compressed data is not taken
    EXPECT_EQ(decode(bad), 0);

    std::string paletted = BitmapFile(4, 4, 8, std::vector<uint32_t>(256, 0));
    PutU32(paletted, 46, 0);  // all 256 colours expected, but the table runs into the end
    PutU32(paletted, 10, 54); // while the few pixel bytes fit
    EXPECT_EQ(decode(paletted.substr(0, 54 + 100)), 0);

    std::string notABitmap = good;
    notABitmap[1] = 'X';
    EXPECT_EQ(decode(notABitmap), 0);
    PlatformHandle decoded = decode(good);
    EXPECT_NE(decoded, 0) << "the untouched file still decodes";
    EXPECT_NE(decoded, -1);
}

TEST(Images, ReusingANumberReleasesTheOldBitmapEvenWhenDecodingFails) {
    std::string file = BitmapFile(16, 16, 24);
    PlatformHandle first = ImageFromMemory(4, file.data(), file.size());
    ASSERT_NE(first, 0);
    PlatformHandle second = ImageFromMemory(4, file.data(), file.size());
    ASSERT_NE(second, 0);
    EXPECT_EQ(GetObjectType((HGDIOBJ)first), 0u);
    EXPECT_EQ(ImageFromMemory(4, file.data(), 20), 0);
    EXPECT_EQ(GetObjectType((HGDIOBJ)second), 0u);
}

} // namespace
