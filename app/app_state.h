// Process-wide application state: set at start-up, read by the windows. Each field says who sets it.
//
// Failures: the application reports them to the user in message boxes, or goes on without what
// failed (an empty catalogue, the default window place). The catalogue editor's load is its one
// catch of std::bad_alloc: a catalogue file too big for memory opens the editor empty.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/toolkit.h"

// The top-left corner of a running instance's restored outer frame, which a new start takes over.
struct TakeoverRectangle {
    bool found; // false: no instance, or its place was not taken
    int32_t left, top;
};

// The main window's top-left corner on the screen.
struct WindowPosition {
    int32_t x, y;
};

extern std::string ToolWord;           // main: the IDE's word, else the command line's; may be empty
extern int32_t EditorHandle;           // main: the IDE editor's window handle as a number; 0: none
extern TakeoverRectangle TakeoverRect; // TakeOverRunningInstance; read when the main window opens
extern WindowPosition MainWindowPos;   // the settings, then the main loop as the window moves
extern PlatformHandle BannerHandle;    // main: image 1, the info window's banner
extern std::string LastComboText;      // the main window: the category box's text the list shows

// Sets every field back to zero or empty.
void ResetApplicationState();
