#include "app/instance.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window_frame.h"

void TakeOverRunningInstance() {
    TakeoverRect = TakeoverRectangle{false, 0, 0, 0, 0};
    HWND running = FindWindowA(nullptr, MAIN_WINDOW_TITLE);
    if (!running) return;

    RECT frame;
    bool frameRead = GetWindowRect(running, &frame) != 0;
    if (frameRead) TakeoverRect = TakeoverRectangle{true, frame.left, frame.top, frame.right, frame.bottom};

    // The running instance's window procedure only notes the request, so it answers at once; one
    // that does not answer must not hold this start. Its place is then not taken over either,
    // since its window stays where it is.
    DWORD_PTR answer = 0;
    LRESULT delivered =
        SendMessageTimeoutA(running, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, TAKEOVER_CLOSE_TIMEOUT_MS, &answer);
    if (!delivered) TakeoverRect = TakeoverRectangle{false, 0, 0, 0, 0};

    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    Sleep(10);
    UpdateWindow(taskbar);
}
