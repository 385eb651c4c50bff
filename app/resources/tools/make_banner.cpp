// Writes the info window's banner: a 381 x 68, 24-bit, bottom-up BMP file.
// Usage: make_banner OUTPUT.bmp
#include <cmath>
#include <cstdio>
#include <string>

#include "pixel_font.h"
#include "raster.h"

namespace {

constexpr int WIDTH = 381;
constexpr int HEIGHT = 68;
constexpr int BAND_TOP = 44; // first row of the darker band under the title
constexpr double PI = 3.14159265358979323846;

void PaintGround(Canvas& canvas) {
    Colour top = Rgb(104, 120, 182), bottom = Rgb(80, 97, 160);
    Colour bandTop = Rgb(47, 59, 107), bandBottom = Rgb(36, 46, 88);
    for (int y = 0; y < HEIGHT; y++) {
        Colour row = y < BAND_TOP ? Mix(top, bottom, y / double(BAND_TOP - 1))
                                  : Mix(bandTop, bandBottom, (y - BAND_TOP) / double(HEIGHT - 1 - BAND_TOP));
        if (y == BAND_TOP - 1) row = Rgb(150, 165, 215); // a thin light edge above the band
        for (int x = 0; x < WIDTH; x++)
            BlendPixel(canvas, x, y, row, 1.0);
    }
}

// Columns of small 0s and 1s that fade in towards the right end.
void PaintBinaryDigits(Canvas& canvas) {
    unsigned seed = 20061;
    Colour digit = Rgb(190, 202, 240);
    for (int x = 236; x < WIDTH; x += 8) {
        double fade = (x - 236) / double(WIDTH - 236);
        for (int y = (x / 8) % 3 - 2; y < HEIGHT; y += 10) {
            seed = seed * 1103515245u + 12345u;
            std::string bit(1, ((seed >> 16) & 1) ? '1' : '0');
            DrawText(canvas, bit, x, y, 1, 0, digit, 0.08 + 0.30 * fade);
        }
    }
}

struct Gear {
    double cx, cy;
    double outer, root, hole;
    int teeth;
    double phase; // turn of the teeth, in teeth
    bool spokes;
};

bool InGear(const Gear& gear, double px, double py) {
    double dx = px - gear.cx, dy = py - gear.cy;
    double r = std::sqrt(dx * dx + dy * dy);
    if (r < gear.hole || r > gear.outer) return false;
    double angle = std::atan2(dy, dx);
    double turn = angle / (2 * PI) * gear.teeth + gear.phase;
    double f = turn - std::floor(turn);
    // Trapezoid teeth: flanks from 0 to 0.15 and from 0.45 to 0.6 of a tooth pitch.
    double height = f < 0.15 ? f / 0.15 : f < 0.45 ? 1.0 : f < 0.6 ? (0.6 - f) / 0.15 : 0.0;
    if (r > gear.root + (gear.outer - gear.root) * height) return false;
    if (gear.spokes && r > gear.hole + 3 && r < gear.root - 4) {
        double sector = angle / (2 * PI) * 5 + gear.phase;
        double s = sector - std::floor(sector);
        if (s > 0.22 && s < 0.98) return false;
    }
    return true;
}

void PaintGear(Canvas& canvas, const Gear& gear) {
    int x0 = int(gear.cx - gear.outer) - 2, x1 = int(gear.cx + gear.outer) + 3;
    int y0 = int(gear.cy - gear.outer) - 2, y1 = int(gear.cy + gear.outer) + 3;
    Gear shadow = gear;
    shadow.cx += 1.5;
    shadow.cy += 1.5;
    FillShape(canvas, x0, y0, x1 + 2, y1 + 2, Rgb(20, 26, 56), 0.35,
              [&](double px, double py) { return InGear(shadow, px, py); });
    FillShape(canvas, x0, y0, x1, y1, Rgb(226, 232, 250), 0.80,
              [&](double px, double py) { return InGear(gear, px, py); });
}

// Lettering in a heavier cut: every line is drawn twice, one pixel apart, over a soft shadow.
void DrawBoldText(Canvas& canvas, const std::string& text, int x, int y, int scale, int gap, Colour shadow) {
    DrawText(canvas, text, x + 2, y + 2, scale, gap, shadow, 0.40);
    DrawText(canvas, text, x + 1, y + 1, scale, gap, shadow, 0.40);
    DrawText(canvas, text, x, y, scale, gap, Rgb(255, 255, 255), 1.0);
    DrawText(canvas, text, x + 1, y, scale, gap, Rgb(255, 255, 255), 1.0);
}

void PaintLettering(Canvas& canvas) {
    DrawBoldText(canvas, "IDE Constants", 14, 11, 3, 3, Rgb(24, 30, 66));
    DrawBoldText(canvas, "Orvane", 14, 49, 2, 3, Rgb(8, 12, 32));
}

std::string EncodeBmp(const Canvas& canvas) {
    const uint32_t rowBytes = (uint32_t(canvas.width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(canvas.height);
    std::string out;
    out += "BM";
    PutLe32(out, 54 + imageBytes);
    PutLe32(out, 0);
    PutLe32(out, 54);
    PutLe32(out, 40);
    PutLe32(out, uint32_t(canvas.width));
    PutLe32(out, uint32_t(canvas.height));
    PutLe16(out, 1);
    PutLe16(out, 24);
    PutLe32(out, 0); // BI_RGB
    PutLe32(out, imageBytes);
    PutLe32(out, 2835);
    PutLe32(out, 2835);
    PutLe32(out, 0);
    PutLe32(out, 0);
    for (int y = canvas.height - 1; y >= 0; y--) {
        std::string row;
        for (int x = 0; x < canvas.width; x++) {
            const Colour& c = canvas.colour[size_t(y) * canvas.width + x];
            row += char(ToByte(c.b));
            row += char(ToByte(c.g));
            row += char(ToByte(c.r));
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_banner OUTPUT.bmp\n");
        return 2;
    }
    Canvas canvas = MakeCanvas(WIDTH, HEIGHT);
    PaintGround(canvas);
    PaintBinaryDigits(canvas);
    PaintGear(canvas, Gear{341, 27, 24, 19.5, 6, 12, 0.0, true});
    PaintGear(canvas, Gear{303.5, 49, 14, 10.5, 4, 8, 0.3, false});
    PaintLettering(canvas);
    if (!WriteFileBytes(argv[1], EncodeBmp(canvas))) {
        std::fprintf(stderr, "make_banner: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
