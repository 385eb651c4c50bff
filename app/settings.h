// The remembered main window position in the settings file (group "WindowPositions").
#pragma once

#include <string>

// The settings file's full path in the data directory.
std::string SettingsFilePath();

// Reads MainWindowPos. Opening creates a missing file empty; missing keys give the default place
// near the right edge of the primary screen. A remembered place that would leave the whole window
// off every monitor (a monitor since removed, a changed layout) gives the default place too.
void LoadWindowPosition();

// Replaces the settings file with the group and the two keys of MainWindowPos. When the file
// cannot be created, nothing is written.
void SaveWindowPosition();

// The default place: x = primary screen width - 310, y = 10.
int DefaultWindowX();
int DefaultWindowY();

// True when the main window's outer frame at that top-left corner shares a pixel with a monitor.
bool MainWindowWouldShow(int x, int y);
