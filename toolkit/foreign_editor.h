// Messages to an editor window of another process, shared by the paste and the reading of its
// selection: sends that give up on a hung or slow editor within one deadline, the test for a
// Scintilla control, memory in the editor's process for Scintilla's own messages (which carry no
// text across processes), and the conversions between the ANSI code page and a UTF-8 document.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT SCI_GETCODEPAGE = 2137;
constexpr LRESULT SCINTILLA_UTF8 = 65001;

// A time limit counted from the moment it was made.
struct Deadline {
    DWORD started;
    DWORD limitMs;
};
Deadline DeadlineIn(int timeoutMs); // below 0 counts as 0

// Sends a message that may cross into a hung process: gives up once the deadline has passed, and
// at once on a thread that does not answer at all. False when it was not handled.
bool SendBefore(HWND target, UINT message, WPARAM wParam, LPARAM lParam, const Deadline& deadline,
                DWORD_PTR* answer);

bool IsScintillaWindow(HWND window);

// The ANSI text as UTF-8; "" when it cannot be converted.
std::string AnsiToUtf8(const char* text);
// The UTF-8 bytes as ANSI text. False when they are no UTF-8 or a character has no exact ANSI form.
bool Utf8ToAnsi(const std::string& utf8, std::string* ansi);

// Memory in the process of another program's window.
struct RemoteBuffer {
    HANDLE process; // owned: that process, opened for the access asked
    void* address;  // the memory there, freed by RemoteBufferClose when asked to
};
// Opens the window's process with the access given and commits size zero bytes there.
bool RemoteBufferOpen(HWND window, DWORD access, size_t size, RemoteBuffer* buffer);
// Lets go of the process. freeMemory false leaves the memory in place: after a time-out the editor
// may still use it when it wakes up.
void RemoteBufferClose(RemoteBuffer* buffer, bool freeMemory);
