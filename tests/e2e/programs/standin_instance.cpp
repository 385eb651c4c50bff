// Stands in for a running instance of the tool: a top-level window with the main window's title at
// a given place. It writes the close request it receives into a file and then ends, as the real
// instance does. In "hang" mode it stops taking messages once its window is up, like a hung program;
// in "slow" mode its window and process stay 4.5 s after it answered, as on a busy machine.
//   standin_instance.exe X Y RECORD_FILE [answer|hang|slow] [LIFETIME_SECONDS]
// It never outlives LIFETIME_SECONDS (default 60), so that no test can leave it behind for long.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program_window.h"

static const char* g_recordPath = "";
static bool g_slow = false; // "slow" mode

static void Record(const char* text) {
    FILE* f = fopen(g_recordPath, "ab");
    if (!f) return;
    fputs(text, f);
    fclose(f);
}

static LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: {
        char line[64];
        snprintf(line, sizeof line, "WM_CLOSE %lld %lld\r\n", (long long)wParam, (long long)lParam);
        Record(line);
        if (g_slow)
            PostQuitMessage(0);
        else
            DestroyWindow(window);
        return 0;
    }
    case WM_TIMER: // the lifetime is over: ends with exit code 3
        PostQuitMessage(3);
        return 0;
    }
    return EndsWithTheWindow(window, message) ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 2;
    int x = atoi(__argv[1]);
    int y = atoi(__argv[2]);
    g_recordPath = __argv[3];
    bool hang = __argc > 4 && strcmp(__argv[4], "hang") == 0;
    g_slow = __argc > 4 && strcmp(__argv[4], "slow") == 0;
    int lifetimeSeconds = __argc > 5 ? atoi(__argv[5]) : 60;

    const char* title = "Orvane V1.2.2";
    HWND window = CreateProgramWindow(instance, "OrvaneStandInInstance", StandInProc, COLOR_BTNFACE,
                                      hang ? "Stand-in starting" : title,
                                      WS_CAPTION | WS_SYSMENU | WS_VISIBLE, x, y, 306, 435);
    if (!window) return 2;

    if (hang) {
        // Take what is queued now, so that the window is fully up, then never look again. The title
        // comes last: whoever finds the window by it finds a thread that no longer takes messages.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        SetWindowTextA(window, title);
        Sleep((DWORD)lifetimeSeconds * 1000);
        return 4;
    }

    SetTimer(window, 1, (UINT)lifetimeSeconds * 1000, nullptr);
    int code = RunMessageLoop();
    if (g_slow && code == 0) Sleep(4500); // closed, not at the end of its lifetime
    return code;
}
