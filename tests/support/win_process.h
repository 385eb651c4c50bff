// Windows-only helpers for tests that start programs and look at windows: child processes with
// their own environment, bounded waits, top-level windows by title or class, and what a window,
// also another process's, tells about itself.
#pragma once

#include <windows.h>

#include <functional>
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
// listed, in the current directory given ("" keeps this process's). Paths are UTF-8; the command line
// is ANSI text but for the program's path quoted at its start.
bool StartProcess(const std::string& program, const std::string& commandLine,
                  const std::vector<EnvironmentChange>& changes, const std::string& currentDirectory,
                  ChildProcess* child);

// Waits at most timeoutMs for the child to end. True and its exit code when it did.
bool WaitForExit(ChildProcess& child, DWORD timeoutMs, DWORD* exitCode = nullptr);

// Terminates the child if it still runs and lets go of it.
void StopProcess(ChildProcess& child);

// A Unix path (the tests run under Wine) as a Windows path, reached through drive Z:.
std::string WindowsPathFromHost(const std::string& path);
// The folder an environment variable names, as a Windows path ending in "\"; "" when it is unset.
std::string FolderFromEnvironment(const char* name);
// The folder of the test programs and Orvane.exe, from ORVANE_BIN_DIR.
std::string BinDirectory();

// Whether waits dispatch this thread's messages while they wait. A test program whose windows
// belong to its own thread (the toolkit suites) turns it on once, so that those keep working.
extern bool WaitsPumpMessages;
// Dispatches every message waiting in this thread's queue.
void PumpMessages();
// Waits at most timeoutMs until the condition holds, looking every 20 ms (every 10 ms when it
// pumps messages). True when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs,
               bool pumpMessages = WaitsPumpMessages);

// The process a window belongs to.
DWORD ProcessOfWindow(HWND window);
// Top-level windows whose title is exactly the text, in z-order.
std::vector<HWND> TopLevelWindowsTitled(const std::string& title);
// Waits at most timeoutMs for a top-level window of that title, of the given process when
// processId is not 0; null when none came.
HWND WaitForWindowTitled(const std::string& title, DWORD timeoutMs, DWORD processId = 0);
// Waits at most timeoutMs until no top-level window has that title.
bool WaitUntilNoWindowTitled(const std::string& title, DWORD timeoutMs);
// Waits at most timeoutMs until no process runs a program file of that name (from any folder).
bool WaitUntilNoProcessNamed(const std::string& fileName, DWORD timeoutMs);
// The first visible top-level window of the class (of the process when processId is not 0), in
// z-order: a popup menu ("#32768"), a dropped-down list ("ComboLBox"); null when none is shown.
HWND VisibleWindowOfClass(const char* className, DWORD processId = 0);

// Outer screen rectangle and size; all zero when they cannot be read.
RECT OuterRect(HWND window);
SIZE OuterSize(HWND window);
// Client area of a window in screen pixels.
RECT ClientRectOnScreen(HWND window);
// A child's outer rectangle in the client pixels of its parent.
RECT RectInParentClient(HWND child);

// A message with plain numbers as arguments, sent with a time limit of 2 s; -1 when it got no
// answer.
LRESULT SendNumbers(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// True when the window's thread takes a message within two seconds.
bool Answers(HWND window);
// A window's text, also of another process's window (WM_GETTEXT, at most 2 s).
std::string WindowTextOf(HWND window);
