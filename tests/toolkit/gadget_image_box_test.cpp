#include <gtest/gtest.h>

#include <windows.h>

#include "support/win_controls.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

constexpr int BOX = 50;

// A 24-bit picture of one colour, as the banner is.
HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    size_t stride = ((size_t)width * 3 + 3) & ~(size_t)3;
    unsigned char* row = (unsigned char*)bits;
    for (int y = 0; y < height; ++y, row += stride)
        for (int x = 0; x < width; ++x) {
            row[x * 3] = GetBValue(colour);
            row[x * 3 + 1] = GetGValue(colour);
            row[x * 3 + 2] = GetRValue(colour);
        }
    return bitmap;
}

class ImageBoxTest : public GadgetWindowTest {
  protected:
    HBITMAP banner = nullptr;
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(GadgetWindowTest::SetUp());
        banner = SolidBitmap(381, 68, 0x2080F0);
        ASSERT_NE(banner, nullptr);
    }
    void TearDown() override {
        GadgetWindowTest::TearDown();
        DeleteObject(banner);
    }
};

TEST_F(ImageBoxTest, ClientEdgeAddsFourPixelsAroundTheImage) {
    HWND box = (HWND)AddImageBox(BOX, 7, 9, 381, 68, (PlatformHandle)banner, WS_EX_CLIENTEDGE);
    ASSERT_NE(box, nullptr);
    // The image's pixels count as 96-dpi figures, as the edge of four does.
    SIZE size = OuterSize(box);
    EXPECT_EQ(size.cx, Scaled(381) + Scaled(4));
    EXPECT_EQ(size.cy, Scaled(68) + Scaled(4));
    RECT corner = RectInParentClient(box);
    EXPECT_EQ(corner.left, Scaled(7));
    EXPECT_EQ(corner.top, Scaled(9));
    EXPECT_EQ(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0), (LRESULT)banner);
    EXPECT_EQ((DWORD)GetWindowLongPtrA(box, GWL_STYLE), 0x50000100u);

    RunEventsFor(100);
    EXPECT_EQ(ClientPixel(box, 0, 0), 0x2080F0u);
    EXPECT_EQ(ClientPixel(box, size.cx - 5, size.cy - 5), 0x2080F0u) << "the image fills the box";

    HWND plain = (HWND)AddImageBox(BOX + 1, 7, 100, 10, 10, (PlatformHandle)banner, 0);
    size = OuterSize(plain);
    EXPECT_EQ(size.cx, Scaled(381));
    EXPECT_EQ(size.cy, Scaled(68));

    HBITMAP small = SolidBitmap(20, 10, 0x0000FF);
    SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)small);
    size = OuterSize(box);
    EXPECT_EQ(size.cx, Scaled(20) + Scaled(4));
    EXPECT_EQ(size.cy, Scaled(10) + Scaled(4));
    EXPECT_EQ(ClientPixel(box, 5, 5), 0x0000FFu);
    WindowClose(WINDOW);
    DeleteObject(small);
}

TEST_F(ImageBoxTest, MouseClicksBecomeGadgetEvents) {
    HWND box = (HWND)AddImageBox(BOX, 10, 10, 381, 68, (PlatformHandle)banner, WS_EX_CLIENTEDGE);
    RunEventsFor(50);
    RECT r = OuterRect(box);
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ASSERT_TRUE(PrepareToClick(box, POINT{x, y}));

    EXPECT_TRUE(ActUntilGadgetEvent([&] { LeftClickAt(x, y); }, BOX, 0));
    RunEventsFor(600);
    EXPECT_TRUE(ActUntilGadgetEvent([&] { RightClickAt(x, y); }, BOX, 1));
    RunEventsFor(600);
    EXPECT_TRUE(ActUntilGadgetEvent(
        [&] {
            LeftClickAt(x, y);
            LeftClickAt(x, y);
        },
        BOX, 2));

    int singles = 0, doubles = 0;
    for (int attempt = 0; attempt < 3 && doubles == 0; ++attempt) {
        RunEventsFor(600);
        RightClickAt(x, y);
        RightClickAt(x, y);
        singles = doubles = 0;
        std::vector<SeenEvent> events;
        RunEventsUntil(nullptr, 700, &events);
        for (const SeenEvent& e : events) {
            if (e.code != EVENT_GADGET || e.number != BOX) continue;
            singles += e.type == 1;
            doubles += e.type == 3;
        }
    }
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(singles, 1) << "the release that ends a double click reports nothing";
}

} // namespace
