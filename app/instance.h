// A new start replaces a running instance and takes its place on the screen.
#pragma once

// How long a new start waits for a running instance to take its close request. An instance that
// does not answer by then (or is hung) is left alone, and the new start goes on as if there were none.
constexpr unsigned TAKEOVER_CLOSE_TIMEOUT_MS = 5000;
// How long a new start waits for a closing instance to write its place, at the most.
constexpr unsigned TAKEOVER_SAVE_WAIT_MS = 2000;

// Finds the running instance's main window by its title, notes its restored outer rectangle in
// TakeoverRect (unless that would leave the new window off every monitor), asks it to close (the
// old instance saves its position and ends by itself), and lets the taskbar repaint.
void TakeOverRunningInstance();
