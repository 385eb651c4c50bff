// The about box: the banner, the about text and an OK button, until it is closed.
#pragma once

// True when it was closed by a close request for the main window: the tool is to end.
bool ShowInfoWindow();
