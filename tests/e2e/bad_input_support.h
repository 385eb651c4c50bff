// Helpers for the tests that feed Orvane bad files, bad hand-overs and faults: starting it on raw
// bytes, asking whether it still answers, ticking rows and reading the clipboard across
// processes, and running Unix commands (mounts, chattr) from under Wine. Every wait is bounded.
#pragma once

#include "support/unix_command.h"

#include <string>
#include <vector>

#include "window_e2e_support.h"

namespace faults {

// Gadget numbers of the main window.
constexpr int COMBO = 1;
constexpr int LIST = 2;
constexpr int PASTE = 3;
constexpr int COPY_AND_EXIT = 8;

// Starts Orvane from the folder (which holds Orvane.exe) and waits at most timeoutMs for its main
// window with all its gadgets.
bool StartAndWait(const std::string& folder, const IdeStart& ide, gui::RunningOrvane* run,
                  DWORD timeoutMs = 10000);
// Starts Orvane with this exact command line (no ZQ_TOOL_Word, no ZQ_TOOL_Scintilla).
bool StartWithCommandLine(const std::string& folder, const std::string& commandLine, gui::RunningOrvane* run);

// True when the window's thread takes a message within two seconds.
bool Answers(HWND window);

// Asks the main window to close and waits; the exit code, or -1 when it did not end in time.
long CloseAndWait(gui::RunningOrvane& run, DWORD timeoutMs = 20000);

// The combo box's items and the list view's row count, read across processes.
long ComboCount(HWND combo);
long ListCount(HWND list);

// Ticks a row of another process's list view.
bool TickRow(HWND list, int row);

// The clipboard's CF_TEXT bytes; "" when there is none.
std::string ClipboardText();
bool EmptyClipboardNow();

} // namespace faults
