// Real input, as a user gives it (SendInput), to whatever window is in front, under the pointer or
// has the focus, also another process's; and the focus a top-level window needs to receive it.
// Every call returns false when the input could not be given.
#pragma once

#include <windows.h>

#include <string>

// Brings the top-level window to the front and waits at most timeoutMs until it is the foreground
// window, so that real input reaches it.
bool BringToForeground(HWND window, DWORD timeoutMs = 3000);

// The control that has the keyboard focus in the thread of a window, also another process's.
HWND FocusedControlOf(HWND window);

// Presses and releases a virtual key, with a modifier key (VK_SHIFT, VK_CONTROL, VK_MENU) held
// when one is given.
bool PressKey(WORD virtualKey, WORD modifier = 0);
// Types printable text key by key in the current keyboard layout, with Shift where a character
// needs it; stops at a character the layout has no key for.
bool TypeText(const std::string& text);

// Moves the pointer to the screen point and waits until the system has it there and it stays.
bool MovePointerTo(int x, int y);
// Clicks at the screen point with the left or the right button.
bool LeftClickAt(int x, int y);
bool RightClickAt(int x, int y);
// Left click on the centre of a window's or control's outer rectangle.
bool ClickWindowCentre(HWND window);
// Drags with the left button held from one screen point to another, in small steps.
bool DragScreenPoint(int fromX, int fromY, int toX, int toY);

// A screen point on the close box of a top-level window's title bar, found by asking the window
// itself (WM_NCHITTEST). False when it has none.
bool CloseBoxPoint(HWND window, POINT* point);
