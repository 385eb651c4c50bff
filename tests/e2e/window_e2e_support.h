// Driving a running Orvane's windows as a user does (real clicks and keys) and reading what they
// show from the test process: gadgets by number, the rich edit's selection, the list view's rows,
// message boxes and popup menus. Every wait is bounded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "e2e_support.h"

// In a namespace of their own, apart from the shared harness.
namespace gui {

constexpr const char* EDITOR_TITLE = "Edit constantlist";
constexpr const char* INFO_TITLE = "Informations";
constexpr const char* MESSAGE_TITLE = "Message";

// Orvane started in a fresh data folder of its own with the catalogue given, its main window up.
struct RunningOrvane {
    std::string folder;
    ChildProcess process;
    HWND main = nullptr;
};

// Writes constants.ovc (unless catalogue is null) and starts Orvane; true when its main window came.
bool LaunchOrvane(const char* catalogue, RunningOrvane* run, const char* word = nullptr);
// Waits until Orvane waits for input again after it showed a window.
void SettleOrvane(RunningOrvane& run);
// Asks the main window to close and waits for the end; the process is stopped when it hangs.
bool QuitOrvane(RunningOrvane& run);

// Polls the condition every 20 ms for at most timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A gadget of a window: the toolkit gives every control its gadget number as the control id.
HWND Gadget(HWND window, int number);

// Brings the top-level window to the front and waits until it is the foreground window.
bool MakeForeground(HWND window);
// Makes the gadget's window the foreground window and clicks the gadget's centre.
bool ClickGadget(HWND window, int number);
// Clicks the close box at the right end of the window's title bar.
bool ClickCloseBox(HWND window);
// Clicks a screen point with the left or the right button.
bool LeftClickScreenPoint(int x, int y);
bool RightClickScreenPoint(int x, int y);
// Presses the key while the modifier key (VK_CONTROL, ...) is held.
bool PressKeyWith(WORD modifier, WORD virtualKey);

// Presses the main window's button and waits for the window it opens, of Orvane's process.
HWND OpenEditor(RunningOrvane& run);
HWND OpenInfo(RunningOrvane& run);

// A message box of the process titled MESSAGE_TITLE, waited for; and the text it shows.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
std::string MessageBoxText(HWND box);
// Brings the message box to the front and presses Return; true when it went away.
bool DismissMessageBox(HWND box);

// The process's popup menu window (class "#32768") while one is shown, else null.
HWND VisiblePopupMenu(DWORD processId);

// The rich edit's caret or selection and the line of a character position, read across processes.
struct TextRange {
    long start = -1;
    long end = -1;
};
TextRange EditSelection(HWND edit);
long EditLineOfPosition(HWND edit, long position);
// A message with plain numbers as arguments, sent with a time limit; -1 when it got no answer.
LRESULT SendNumbers(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The texts of a list view's rows in another process.
std::vector<std::string> ListViewRows(HWND list);

// Saves a picture of the window as it is on the screen, frame included, to
// $ORVANE_SCREENSHOT_DIR/<name>.bmp; does nothing when that variable is unset.
void SaveScreenshotIfWanted(HWND window, const std::string& name);

} // namespace gui
