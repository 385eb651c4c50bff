// A tiny 5 x 9 bitmap font (7 rows above the baseline, 2 below for descenders) for the banner's
// lettering.
#pragma once

#include <string>

#include "raster.h"

constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_HEIGHT = 9;

// The rows of one glyph, top to bottom, '#' for a set pixel; a blank glyph for unknown characters.
const char* const* GlyphRows(char c);

// Width in pixels of text drawn at the given scale with the given gap between glyphs.
int TextWidth(const std::string& text, int scale, int gap);

// Draws text with its top-left corner at x, y; every font pixel becomes a scale x scale block.
void DrawText(Canvas& canvas, const std::string& text, int x, int y, int scale, int gap, Colour colour,
              double opacity);
