// The remembered main window position in the settings file (group "WindowPositions").
#pragma once

#include <string>

// The settings file's full path in the data directory.
std::string SettingsFilePath();

// Reads MainWindowPos. Opening creates a missing file empty; missing keys give the default place
// near the right edge of the primary screen. A remembered place that would leave the whole window
// off every monitor (a monitor since removed, a changed layout) gives the default place too; one
// that would leave part of it off its monitor's work area is moved inside, as PlaceMainWindow does.
void LoadWindowPosition();

// Replaces the settings file with the group and the two keys of MainWindowPos. When the file
// cannot be created, nothing is written.
void SaveWindowPosition();

// The default place: x = primary screen width - 310, y = 10.
int DefaultWindowX();
int DefaultWindowY();

// Where the main window goes with its outer frame's top-left corner at x, y: there when the whole
// window lies in the work area of the monitor that shows most of it; else moved inside that work
// area by as little as it takes, keeping its size (a display scale or a taskbar changed since the
// place was noted), its top-left corner first where it is larger. False, and x, y unchanged, when
// no monitor would show any of it.
bool PlaceMainWindow(int* x, int* y);
