// A small floating-point RGBA canvas with anti-aliased shape filling, shared by the resource
// generators. Shapes are inside-tests sampled on a 4 x 4 grid per pixel, which keeps the output
// identical on every compiler that follows IEEE arithmetic.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Colour {
    double r, g, b;
};

inline Colour Rgb(int r, int g, int b) {
    return Colour{r / 255.0, g / 255.0, b / 255.0};
}

inline Colour Mix(Colour a, Colour b, double t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Colour> colour;
    std::vector<double> alpha;
};

inline Canvas MakeCanvas(int width, int height) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.colour.assign(size_t(width) * height, Colour{0, 0, 0});
    canvas.alpha.assign(size_t(width) * height, 0.0);
    return canvas;
}

// Paints colour over pixel x, y with the given coverage (0..1), like "source over".
inline void BlendPixel(Canvas& canvas, int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || coverage <= 0) return;
    if (coverage > 1) coverage = 1;
    size_t i = size_t(y) * canvas.width + x;
    double oldAlpha = canvas.alpha[i];
    double newAlpha = coverage + oldAlpha * (1 - coverage);
    Colour mixed = Mix(canvas.colour[i], colour, oldAlpha > 0 ? coverage / newAlpha : 1.0);
    canvas.colour[i] = mixed;
    canvas.alpha[i] = newAlpha;
}

// Fills every pixel of the box [x0, x1) x [y0, y1) by the share of its 16 sample points for which
// inside(px, py) holds; coordinates are in pixels, pixel centres at .5.
template <typename InsideTest>
void FillShape(Canvas& canvas, int x0, int y0, int x1, int y1, Colour colour, double opacity,
               InsideTest inside) {
    for (int y = y0; y < y1; y++) {
        for (int x = x0; x < x1; x++) {
            int hits = 0;
            for (int sy = 0; sy < 4; sy++)
                for (int sx = 0; sx < 4; sx++)
                    if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) hits++;
            BlendPixel(canvas, x, y, colour, opacity * hits / 16.0);
        }
    }
}

inline double Clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

inline uint8_t ToByte(double v) {
    return uint8_t(std::lround(Clamp01(v) * 255.0));
}

inline void PutLe16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

inline void PutLe32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; i++)
        out += char((v >> (8 * i)) & 0xFF);
}

// Distance from point p to the segment a-b.
inline double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    double cx = ax + t * dx - px, cy = ay + t * dy - py;
    return std::sqrt(cx * cx + cy * cy);
}

// Inside a rectangle with rounded corners of the given radius.
inline bool InRoundedRect(double px, double py, double x0, double y0, double x1, double y1, double radius) {
    if (px < x0 || px > x1 || py < y0 || py > y1) return false;
    double cx = px < x0 + radius ? x0 + radius : (px > x1 - radius ? x1 - radius : px);
    double cy = py < y0 + radius ? y0 + radius : (py > y1 - radius ? y1 - radius : py);
    double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
