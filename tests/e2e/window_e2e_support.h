// Driving a running Orvane's windows as a user does (real clicks and keys) and reading what they
// show from the test process: gadgets, the editor and info windows, message boxes and pictures of
// the screen. Every wait is bounded.
#pragma once

#include <string>

#include "e2e_support.h"
#include "support/win_controls.h"
#include "support/win_input.h"

constexpr const char* EDITOR_TITLE = "Edit constantlist";
constexpr const char* INFO_TITLE = "Informations";
constexpr const char* MESSAGE_TITLE = "Message";

// Makes the gadget's window the foreground window and clicks the gadget's centre.
bool ClickGadget(HWND window, int number);
// Makes the window the foreground window and clicks the close box of its title bar.
bool ClickCloseBox(HWND window);

// Presses the main window's button and waits for the window it opens, of Orvane's process.
HWND OpenEditor(RunningOrvane& run);
HWND OpenInfo(RunningOrvane& run);

// A message box of the process titled MESSAGE_TITLE, waited for; and the text it shows.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
std::string MessageBoxText(HWND box);
// Brings the message box to the front and presses Return; true when it went away.
bool DismissMessageBox(HWND box);

// Clicks Save in the catalogue editor, whose editor holds "new " before the original catalogue,
// and expects the save refused: a message says why, and once it is dismissed the editor keeps the
// text and the data folder the original catalogue.
void ExpectRefusedSave(HWND editorWindow, DWORD processId, const std::string& original,
                       const std::string& folder);

// Saves a picture of the window as it is on the screen, frame included, to
// $ORVANE_SCREENSHOT_DIR/<name>.bmp; does nothing when that variable is unset.
void SaveScreenshotIfWanted(HWND window, const std::string& name);
