// Process-wide application state: set at start-up, read by the windows and the catalogue.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/toolkit.h"

struct TakeoverRectangle {
    bool found;
    int32_t left, top, right, bottom;
};

struct WindowPosition {
    int32_t x, y;
};

extern std::string ToolWord;        // the IDE's word, trimmed and lower-cased; may be empty
extern std::string CommandLineWord; // the fallback word from the command line
extern int32_t EditorHandle;        // the IDE editor's window handle as a number; 0 when not given
extern TakeoverRectangle TakeoverRect;
extern WindowPosition MainWindowPos;
extern PlatformHandle BannerHandle; // image 1, the info window's banner
extern std::string LastComboText;

// Sets every field back to zero or empty.
void ResetApplicationState();
