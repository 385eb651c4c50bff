// Helpers for the toolkit tests: they drive real windows the way the system would, with queued
// messages and synthetic input (SendInput), and read back what was drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// Dispatches every message waiting in this thread's queue.
void PumpMessages();
// Pumps messages until the condition holds or timeoutMs passed. True when the condition held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);
// Pumps messages for the given time.
void PumpFor(int ms);

// Brings a top-level window to the foreground and waits until it is there. True on success.
bool BringToForeground(HWND window, int timeoutMs = 3000);
// The first visible top-level window of that class (any thread), waiting up to timeoutMs; 0 if none.
HWND WaitForVisibleWindowOfClass(const char* className, int timeoutMs);

// ---- Toolkit events ------------------------------------------------------------------------------
struct SeenEvent {
    int code;
    int number; // EventGadgetNumber / EventMenuNumber after it
    std::intptr_t wParam;
};
// A private message the tests post behind other posted messages to learn that those were handled.
constexpr UINT SENTINEL_MESSAGE = WM_APP + 77;
// Takes events with WaitEvent until one matches or timeoutMs passes (a thread timer ends the
// wait). True when one matched; *seen, when given, gets every event taken.
bool WaitEventMatching(const std::function<bool(const SeenEvent&)>& match, int timeoutMs,
                       std::vector<SeenEvent>* seen = nullptr);
// Posts SENTINEL_MESSAGE to the window and takes events until it comes back: the events before it.
std::vector<SeenEvent> EventsBeforeSentinel(HWND window, int timeoutMs = 5000);

// ---- Keyboard ----------------------------------------------------------------------------------
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void PressKey(WORD virtualKey);
// Holds the modifier (VK_SHIFT, VK_CONTROL, VK_MENU) while the key goes down and up.
void PressKeyWith(WORD modifier, WORD virtualKey);
void PressKeyWithShift(WORD virtualKey);
// Types the characters of the current keyboard layout, with Shift where a character needs it.
void TypeText(const char* text);

// ---- Mouse -------------------------------------------------------------------------------------
// Screen coordinates of the primary screen, sent as absolute positions scaled to 0..65535.
void MoveMouseTo(int x, int y);
void LeftClickAt(int x, int y);
void RightClickAt(int x, int y);
// Left click on the centre of a window or control.
void ClickWindowCentre(HWND window);

// ---- Pixels ------------------------------------------------------------------------------------
struct CapturedPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // top-down rows, 0x00RRGGBB as a 32-bit DIB holds them
    // The pixel at (x, y) of the window as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF At(int x, int y) const;
};
// Draws the whole window (frame included) into memory with PrintWindow. False on failure.
bool CaptureWindow(HWND window, CapturedPixels* out);
// Reads one pixel of the client area as painted on the screen (after UpdateWindow).
COLORREF ClientPixel(HWND window, int x, int y);
