// Numbered images decoded from complete image files held in memory. Windows bitmap files ("BM")
// become 32-bit device-independent bitmaps. Every field of the file is checked against the size
// given, so that a truncated or malformed file is refused instead of being read beyond its end.
#include "toolkit/toolkit_internal.h"

#include <cstring>

ObjectTable<ImageSlot> ImageTable;

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t INFO_HEADER_SIZE = 40; // BITMAPINFOHEADER; later versions only add fields
constexpr int64_t LARGEST_SIDE = 0xFFFF;  // the largest side taken

uint32_t ReadU32(const uint8_t* p) {
    return p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
uint16_t ReadU16(const uint8_t* p) {
    return (uint16_t)(p[0] | p[1] << 8);
}

// The file's information header rebuilt as a plain BITMAPINFOHEADER with its masks and colour
// table, so that the system reads nothing of the file but the checked pixel rows.
struct DecodedInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256 + 3]; // bit-field masks first when the compression is BI_BITFIELDS
};

struct BitmapLayout {
    DecodedInfo info;
    const uint8_t* pixels;
    int width, height; // height as a count of rows
};

bool ReadBitmapLayout(const uint8_t* data, size_t size, BitmapLayout* out) {
    if (size < FILE_HEADER_SIZE + INFO_HEADER_SIZE) return false;
    uint32_t pixelOffset = ReadU32(data + 10);
    const uint8_t* header = data + FILE_HEADER_SIZE;
    uint32_t headerSize = ReadU32(header);
    if (headerSize < INFO_HEADER_SIZE || headerSize > size - FILE_HEADER_SIZE) return false;
    int64_t width = (int32_t)ReadU32(header + 4);
    int64_t height = (int32_t)ReadU32(header + 8);
    uint16_t bitCount = ReadU16(header + 14);
    uint32_t compression = ReadU32(header + 16);
    uint32_t coloursUsed = ReadU32(header + 32);
    int64_t rows = height < 0 ? -height : height;
    if (width <= 0 || width > LARGEST_SIDE || rows == 0 || rows > LARGEST_SIDE) return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    bool bitFields = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(bitFields && (bitCount == 16 || bitCount == 32))) return false;

    // Masks follow the 40-byte header, or are its first extra fields in the longer versions.
    size_t maskCount = bitFields ? 3 : 0;
    size_t tableStart = FILE_HEADER_SIZE + headerSize;
    if (bitFields && headerSize == INFO_HEADER_SIZE) tableStart += 12;
    size_t tableEntries =
        coloursUsed ? (coloursUsed < 256 ? coloursUsed : 256) : (bitCount <= 8 ? 1u << bitCount : 0);
    if (tableStart > size || tableEntries * 4 > size - tableStart) return false;
    if (bitFields && FILE_HEADER_SIZE + INFO_HEADER_SIZE + 12 > size) return false;

    int64_t stride = ((width * bitCount + 31) / 32) * 4;
    if (pixelOffset > size || stride * rows > (int64_t)(size - pixelOffset)) return false;

    memset(&out->info, 0, sizeof out->info);
    BITMAPINFOHEADER& h = out->info.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = (LONG)width;
    h.biHeight = (LONG)height; // negative: rows stored top-down
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = compression;
    h.biClrUsed = (DWORD)tableEntries;
    if (bitFields) memcpy(out->info.colours, data + FILE_HEADER_SIZE + INFO_HEADER_SIZE, 12);
    memcpy(out->info.colours + maskCount, data + tableStart, tableEntries * 4);
    out->pixels = data + pixelOffset;
    out->width = (int)width;
    out->height = (int)rows;
    return true;
}

HBITMAP BitmapFromFile(const uint8_t* data, size_t size) {
    BitmapLayout layout;
    if (!ReadBitmapLayout(data, size, &layout)) return nullptr;
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = layout.width;
    target.bmiHeader.biHeight = layout.height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && SetDIBits(memory, bitmap, 0, (UINT)layout.height, layout.pixels, (BITMAPINFO*)&layout.info,
                            DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

void ImageRelease(int number) {
    ImageSlot* image = ObjectFind(ImageTable, number);
    if (!image) return;
    DeleteObject(image->handle);
    ObjectFree(ImageTable, number);
}

} // namespace

void ImagesStartup() {
    ObjectTableInit(ImageTable, 16, ImageRelease);
}

PlatformHandle ImageFromMemory(int number, const void* data, size_t size) {
    ImageSlot* slot = ObjectClaim(ImageTable, number);
    if (!slot || !data) return 0;
    const uint8_t* bytes = (const uint8_t*)data;
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    HBITMAP bitmap = BitmapFromFile(bytes, size);
    if (!bitmap) return 0;
    slot->handle = bitmap;
    return (PlatformHandle)bitmap;
}
