#include "app/instance.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window_frame.h"
#include "app/settings.h"

void TakeOverRunningInstance() {
    TakeoverRect = TakeoverRectangle{false, 0, 0, 0, 0};
    HWND running = FindWindowA(nullptr, MAIN_WINDOW_TITLE);
    if (!running) return;

    // Its place as restored, also while it is minimised or maximised. A place that would leave the
    // new window off every monitor is not taken, as with the remembered place.
    int left, top, right, bottom;
    if (WindowRestoredFrame((PlatformHandle)running, &left, &top, &right, &bottom) &&
        MainWindowWouldShow(left, top))
        TakeoverRect = TakeoverRectangle{true, left, top, right, bottom};

    // The running instance's window procedure only notes the request, so it answers at once; one
    // that does not answer must not hold this start. Its place is then not taken over either,
    // since its window stays where it is.
    DWORD_PTR answer = 0;
    LRESULT delivered =
        SendMessageTimeoutA(running, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, TAKEOVER_CLOSE_TIMEOUT_MS, &answer);
    if (!delivered) TakeoverRect = TakeoverRectangle{false, 0, 0, 0, 0};

    // Where its place could not be read (a minimised window of another process, on some systems),
    // this start opens at the remembered place, which the running instance writes as it ends: give
    // it a moment to do so before the settings are read.
    if (delivered && !TakeoverRect.found) {
        DWORD start = GetTickCount();
        while (IsWindow(running) && GetTickCount() - start < TAKEOVER_SAVE_WAIT_MS)
            Sleep(10);
    }

    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    Sleep(10);
    UpdateWindow(taskbar);
}
