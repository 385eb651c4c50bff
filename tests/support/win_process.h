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
