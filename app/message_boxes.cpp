#include "app/message_boxes.h"

#include <windows.h>

#include <cstring>

#include "toolkit/toolkit.h"

static int TellingBoxes = 0;                  // TellUser: boxes up that only tell
static int Questions = 0;                     // AskUser: questions up
static bool Stopped = false;                  // StopTelling
static const char* const CAPTION = "Message"; // of every box

void TellUser(int window, const char* text, unsigned icon) {
    if (Stopped) return;
    TellingBoxes++;
    MessageBoxA((HWND)WindowHandle(window), text, CAPTION, MB_OK | icon);
    TellingBoxes--;
}

int AskUser(int window, const char* question, unsigned buttons) {
    Questions++;
    int answer = MessageBoxA((HWND)WindowHandle(window), question, CAPTION, buttons);
    Questions--;
    return answer;
}

bool UserIsAsked() {
    return Questions > 0;
}

// A message box is the only dialog of the tool's thread.
static BOOL CALLBACK PressOk(HWND window, LPARAM) {
    char className[8] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void StopTelling() {
    Stopped = true;
    // Posted rather than ended here: this may run while another program waits for the tool's
    // answer, and the box's going (hiding a window) may take the system a while.
    if (TellingBoxes > 0 && Questions == 0) EnumThreadWindows(GetCurrentThreadId(), PressOk, 0);
}
