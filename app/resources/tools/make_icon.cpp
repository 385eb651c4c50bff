// Writes the program's icon: a list with a tick mark on a slate-blue tile, at 16, 32 and 48 pixels,
// each a 32-bit image with alpha and an AND mask, in one .ico file.
// Usage: make_icon OUTPUT.ico
#include <cstdio>
#include <string>
#include <vector>

#include "raster.h"

namespace {

// The design in unit coordinates (0..1 across the icon), drawn at any size.
Canvas PaintIcon(int size) {
    Canvas canvas = MakeCanvas(size, size);
    const double s = size;
    auto unit = [s](double v) { return v * s; };

    // Tile: slate blue, a little lighter at the top.
    Colour top = Rgb(112, 128, 190), bottom = Rgb(58, 72, 130);
    for (int y = 0; y < size; y++) {
        Colour row = Mix(top, bottom, y / double(size - 1));
        FillShape(canvas, 0, y, size, y + 1, row, 1.0, [&](double px, double py) {
            return InRoundedRect(px, py, unit(0.03), unit(0.03), unit(0.97), unit(0.97), unit(0.16));
        });
    }

    // Three list rows: a bullet and a line each.
    const double rows[] = {0.26, 0.46, 0.66};
    const double bar = size <= 16 ? 0.13 : 0.10;
    for (double row : rows) {
        FillShape(canvas, 0, 0, size, size, Rgb(255, 255, 255), 1.0, [&](double px, double py) {
            return InRoundedRect(px, py, unit(0.16), unit(row - bar / 2), unit(0.16 + bar),
                                 unit(row + bar / 2), unit(0.02));
        });
        FillShape(canvas, 0, 0, size, size, Rgb(232, 237, 252), 1.0, [&](double px, double py) {
            return InRoundedRect(px, py, unit(0.35), unit(row - bar / 2), unit(0.84), unit(row + bar / 2),
                                 unit(0.02));
        });
    }

    // The tick: a dark outline under a golden stroke, across the lower right.
    const double ax = 0.46, ay = 0.68, bx = 0.60, by = 0.84, cx = 0.90, cy = 0.44;
    auto onTick = [&](double px, double py, double halfWidth) {
        double ux = px / s, uy = py / s;
        return SegmentDistance(ux, uy, ax, ay, bx, by) <= halfWidth ||
               SegmentDistance(ux, uy, bx, by, cx, cy) <= halfWidth;
    };
    const double stroke = size <= 16 ? 0.085 : 0.07;
    FillShape(canvas, 0, 0, size, size, Rgb(30, 36, 70), 1.0,
              [&](double px, double py) { return onTick(px, py, stroke + 1.2 / s); });
    FillShape(canvas, 0, 0, size, size, Rgb(255, 208, 64), 1.0,
              [&](double px, double py) { return onTick(px, py, stroke); });
    return canvas;
}

// One icon image: BITMAPINFOHEADER (height doubled for the mask), bottom-up BGRA rows, AND mask.
std::string EncodeIconImage(const Canvas& canvas) {
    const int size = canvas.width;
    const uint32_t maskRow = uint32_t((size + 31) / 32) * 4;
    std::string out;
    PutLe32(out, 40);
    PutLe32(out, uint32_t(size));
    PutLe32(out, uint32_t(size * 2));
    PutLe16(out, 1);
    PutLe16(out, 32);
    PutLe32(out, 0);
    PutLe32(out, uint32_t(size * size * 4) + maskRow * uint32_t(size));
    for (int i = 0; i < 4; i++)
        PutLe32(out, 0);
    for (int y = size - 1; y >= 0; y--) {
        for (int x = 0; x < size; x++) {
            size_t i = size_t(y) * size + x;
            out += char(ToByte(canvas.colour[i].b));
            out += char(ToByte(canvas.colour[i].g));
            out += char(ToByte(canvas.colour[i].r));
            out += char(ToByte(canvas.alpha[i]));
        }
    }
    for (int y = size - 1; y >= 0; y--) {
        std::vector<unsigned char> row(maskRow, 0);
        for (int x = 0; x < size; x++)
            if (ToByte(canvas.alpha[size_t(y) * size + x]) == 0) row[x / 8] |= 0x80 >> (x % 8);
        out.append(row.begin(), row.end());
    }
    return out;
}

std::string EncodeIcon(const std::vector<Canvas>& images) {
    std::vector<std::string> encoded;
    for (const Canvas& canvas : images)
        encoded.push_back(EncodeIconImage(canvas));
    std::string out;
    PutLe16(out, 0);
    PutLe16(out, 1); // icon
    PutLe16(out, unsigned(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); i++) {
        out += char(images[i].width);
        out += char(images[i].height);
        out += char(0); // no palette
        out += char(0);
        PutLe16(out, 1);
        PutLe16(out, 32);
        PutLe32(out, uint32_t(encoded[i].size()));
        PutLe32(out, offset);
        offset += uint32_t(encoded[i].size());
    }
    for (const std::string& image : encoded)
        out += image;
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    std::vector<Canvas> images = {PaintIcon(16), PaintIcon(32), PaintIcon(48)};
    if (!WriteFileBytes(argv[1], EncodeIcon(images))) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
