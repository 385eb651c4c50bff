// The info window's banner picture: a complete 381 x 68, 24-bit, bottom-up BMP file.
#pragma once

#include <cstddef>

extern const unsigned char BannerBitmap[];
extern const size_t BannerBitmapSize; // 77,846 bytes
