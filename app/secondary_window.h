// What the editor and the info window share: while one of them is open the main window takes no
// input, as a dialog's owner, and a close request for the main window ends the tool.
#pragma once

#include "toolkit/toolkit.h"

// The main window takes no clicks or keys until the secondary window closes. Close requests sent
// to it still arrive.
void HoldMainWindow();

// True when the close request WaitEvent just returned was for the main window (a new start of the
// tool, or any close sent to it): the tool is to end once the secondary window is closed. Read it
// before anything else takes messages.
bool CloseRequestEndsTool();

// Frees the window's font, enables the main window again before the secondary window goes (so
// that the main window becomes the active one), closes it and gives the keyboard focus back to the
// control that had it before the window opened (focusBack, from KeyboardFocus), else to the main
// window.
void CloseSecondaryWindow(int window, int font, PlatformHandle focusBack);
