#include "app/secondary_window.h"

#include <windows.h>

#include "app/window_numbers.h"
#include "toolkit/toolkit.h"

void HoldMainWindow() {
    EnableWindow((HWND)WindowHandle(MAIN_WINDOW), FALSE);
}

bool CloseRequestEndsTool() {
    return EventWindowNumber() == MAIN_WINDOW;
}

void CloseSecondaryWindow(int window, int font, PlatformHandle focusBack) {
    FontFree(font);
    EnableWindow((HWND)WindowHandle(MAIN_WINDOW), TRUE);
    WindowClose(window);
    SetKeyboardFocus(focusBack ? focusBack : WindowHandle(MAIN_WINDOW));
}
