// A new start replaces a running instance and takes its place on the screen.
#pragma once

// How long a new start waits for a running instance to take its close request. An instance that
// does not answer by then (or is hung) is left alone, and the new start goes on as if there were none.
constexpr unsigned TAKEOVER_CLOSE_TIMEOUT_MS = 5000;
// How long a new start waits for an instance that took the close request to end, at the most.
constexpr unsigned TAKEOVER_END_WAIT_MS = 3000;

// Starts take turns from the search for a running instance until the new main window is built, so
// that two starts a moment apart cannot both find none and both open: the later one finds and
// replaces the earlier. The turn is waited for START_TURN_WAIT_MS at the most.
constexpr const char* START_TURN_NAME = "Orvane.Start.Mutex";
constexpr unsigned START_TURN_WAIT_MS = 10000;
void WaitForStartTurn();
void EndStartTurn();

// Finds the running instance's main window by its title, notes where its restored outer frame
// starts in TakeoverRect (moved inside its monitor's work area where part of it would be off it;
// not at all where it would be off every monitor), asks it to
// close and waits for it to end (it saves its position first). False when it is still there then, asking its
// user about changes not saved: its foremost window is brought to the front, and this start is to
// end without a window of its own.
bool TakeOverRunningInstance();
