// A new start replaces a running instance and takes its place on the screen.
#pragma once

// What a running instance's main window answers a close request with. CLOSE_ANSWER_ENDS (0, also
// the system's default answer): it ends, its process with it. CLOSE_ANSWER_STAYS: it stays to ask
// its user first (its editor holds changes not saved, or a question is up), and a new start gives
// way to it.
constexpr long CLOSE_ANSWER_ENDS = 0;
constexpr long CLOSE_ANSWER_STAYS = 0x4F41534B;

// How long a new start waits for a running instance to take its close request. An instance that
// does not answer by then (or is hung) is left alone, and the new start goes on as if there were none.
constexpr unsigned TAKEOVER_CLOSE_TIMEOUT_MS = 5000;
// How long a new start waits for an instance that said it ends until its process has ended, at the
// most; it goes on then all the same.
constexpr unsigned TAKEOVER_END_WAIT_MS = 10000;

// Starts take turns from the search for a running instance until the new main window is built, so
// that two starts a moment apart cannot both find none and both open: the later one finds and
// replaces the earlier. The turn is waited for START_TURN_WAIT_MS at the most, longer than a start
// holding it waits for the instance it replaces.
constexpr const char* START_TURN_NAME = "Orvane.Start.Mutex";
constexpr unsigned START_TURN_WAIT_MS = 30000;
void WaitForStartTurn();
void EndStartTurn();

// Finds the running instance's main window by its title, notes where its restored outer frame
// starts in TakeoverRect (moved inside its monitor's work area where part of it would be off it;
// not at all where it would be off every monitor) and asks it to close. An instance that ends is
// waited for until its process has ended (it saves its position first). False when it stays to ask
// its user about changes not saved: its foremost window is brought to the front, and this start is
// to end without a window of its own.
bool TakeOverRunningInstance();
