// Windows-only helpers for tests that start other programs and look at their windows: child
// processes with their own environment, bounded waits, and top-level windows by title.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One change to the environment a child inherits: set to value, or removed when unset is true.
struct EnvironmentChange {
    std::string name;
    std::string value;
    bool unset = false;
};

// A started program. It is stopped (terminated if still running) when this goes away, so that a
// failing test never leaves it behind.
struct ChildProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
};

// Starts the program with the whole command line as given, this process's environment changed as
// listed, in the current directory given ("" keeps this process's).
bool StartProcess(const std::string& program, const std::string& commandLine,
                  const std::vector<EnvironmentChange>& changes, const std::string& currentDirectory,
                  ChildProcess* child);

// Waits at most timeoutMs for the child to end. True and its exit code when it did.
bool WaitForExit(ChildProcess& child, DWORD timeoutMs, DWORD* exitCode = nullptr);

// Terminates the child if it still runs and lets go of it.
void StopProcess(ChildProcess& child);

// The folder of the test programs and Orvane.exe, from ORVANE_BIN_DIR, as a Windows path ending
// in "\". A Unix path (the tests run under Wine) is reached through drive Z:.
std::string BinDirectory();
std::string WindowsPathFromHost(const std::string& path);

// Top-level windows whose title is exactly the text, in z-order.
std::vector<HWND> TopLevelWindowsTitled(const std::string& title);
// Waits at most timeoutMs for a top-level window of that title, of the given process when
// processId is not 0; null when none came.
HWND WaitForWindowTitled(const std::string& title, DWORD timeoutMs, DWORD processId = 0);
// Waits at most timeoutMs until no top-level window has that title.
bool WaitUntilNoWindowTitled(const std::string& title, DWORD timeoutMs);

// Outer screen rectangle; all zero when it cannot be read.
RECT OuterRect(HWND window);

// A window's text, also of another process's window (WM_GETTEXT, at most 2 s).
std::string WindowTextOf(HWND window);

// Real input, as a user gives it, to whatever window is at the point or has the focus.
// Brings a top-level window to the front (also another process's).
bool BringToFront(HWND window);
// Moves the mouse to the screen point and clicks the left button there.
bool ClickScreenPoint(int x, int y);
// Clicks the centre of the window's outer rectangle.
bool ClickWindowCentre(HWND window);
// Presses and releases a virtual key, with Shift held when shift is true.
bool PressKey(WORD virtualKey, bool shift = false);
// Types printable ASCII text key by key.
bool TypeText(const std::string& text);

// Waits at most timeoutMs until the condition holds, looking every 20 ms. True when it held.
template <typename Condition> bool WaitForCondition(Condition condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

// Brings the top-level window to the front and waits until it is the foreground window (at most
// timeoutMs), so that real input reaches it.
bool BringToForeground(HWND window, DWORD timeoutMs = 3000);
// Presses and releases a key while a modifier key (VK_MENU, VK_CONTROL, VK_SHIFT) is held.
bool PressKeyWithModifier(WORD modifier, WORD virtualKey);
// Drags with the left button held from one screen point to another, in small steps.
bool DragScreenPoint(int fromX, int fromY, int toX, int toY);

// Client area of a window in screen pixels.
RECT ClientRectOnScreen(HWND window);
// A child's outer rectangle in the client pixels of its parent.
RECT RectInParentClient(HWND child);

// Another process's list view: rows, their texts, check boxes and rectangles (LVIR_BOUNDS,
// LVIR_LABEL, ... in client pixels of the list). Texts and rectangles travel through memory
// allocated in the list's process.
int ListRowCount(HWND list);
std::string ListRowText(HWND list, int row);
std::vector<std::string> ListRowTexts(HWND list);
bool ListRowChecked(HWND list, int row);
RECT ListRowRect(HWND list, int row, int part);

// Another process's combo box: its drop-down items (as ANSI text), and its edit field with the
// selection in it.
std::vector<std::string> ComboItemTexts(HWND combo);
HWND ComboEditField(HWND combo);
bool EditFieldSelection(HWND edit, DWORD* start, DWORD* end);

// The clipboard as plain ANSI text; "" when it holds none. Setting it replaces its contents.
std::string ClipboardText();
bool SetClipboardText(const std::string& text);

// The colour of a window's client pixel as the window has drawn it on the screen; CLR_INVALID when
// another window covers it.
COLORREF WindowPixel(HWND window, int x, int y);

// A screen point on the close box of a top-level window's title bar, found by asking the window
// itself (WM_NCHITTEST). False when it has none.
bool CloseBoxPoint(HWND window, POINT* point);
