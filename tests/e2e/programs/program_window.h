// What the stand-in programs share: a top-level window of a class of their own, the end of the
// program with its window or its lifetime, and the message loop.
#pragma once

#include <windows.h>

// Registers a window class with the arrow cursor and the system colour as its background, and
// creates a window of it; null on failure.
inline HWND CreateProgramWindow(HINSTANCE instance, const char* className, WNDPROC procedure, int colour,
                                const char* title, DWORD style, int x, int y, int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(INT_PTR)(colour + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) return nullptr;
    return CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr, instance,
                           nullptr);
}

// A window's lifetime timer (WM_TIMER) destroys it, and its end (WM_DESTROY) ends the program with
// exit code 0. True when the message was one of those.
inline bool EndsWithTheWindow(HWND window, UINT message) {
    if (message == WM_TIMER)
        DestroyWindow(window);
    else if (message == WM_DESTROY)
        PostQuitMessage(0);
    else
        return false;
    return true;
}

// Runs the message loop until the program is asked to end; the exit code it was asked for.
inline int RunMessageLoop() {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
