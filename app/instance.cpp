#include "app/instance.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window_frame.h"
#include "app/settings.h"

static HANDLE StartTurn = nullptr; // WaitForStartTurn: the named mutex of the starts' turns
static bool StartTurnHeld = false; // this start holds the turn until EndStartTurn

void WaitForStartTurn() {
    StartTurn = CreateMutexA(nullptr, FALSE, START_TURN_NAME);
    if (!StartTurn) return;
    // A start that ended while it held the turn leaves it abandoned: the turn is this one's then. A
    // start that holds it too long is not waited for any longer.
    DWORD waited = WaitForSingleObject(StartTurn, START_TURN_WAIT_MS);
    StartTurnHeld = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void EndStartTurn() {
    if (StartTurnHeld) ReleaseMutex(StartTurn);
    if (StartTurn) CloseHandle(StartTurn);
    StartTurn = nullptr;
    StartTurnHeld = false;
}

struct ForemostWindowSearch {
    DWORD process; // the instance's process
    HWND found;    // its foremost visible window so far
};

static BOOL CALLBACK TakeForemostWindow(HWND window, LPARAM data) {
    ForemostWindowSearch* search = (ForemostWindowSearch*)data;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The instance's foremost visible window (its question, else its editor, else its main window),
// brought to the front so that the user sees what it waits for.
static void BringInstanceToFront(HWND mainWindow) {
    ForemostWindowSearch search = {0, mainWindow};
    GetWindowThreadProcessId(mainWindow, &search.process);
    EnumWindows(TakeForemostWindow, (LPARAM)&search); // top-level windows, foremost first
    SetForegroundWindow(search.found);
}

// The window's process, to wait for; null where it may not be waited for.
static HANDLE OpenProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id ? OpenProcess(SYNCHRONIZE, FALSE, id) : nullptr;
}

// Waits at most TAKEOVER_END_WAIT_MS until the process has ended; without it, until the window has
// gone. Lets go of the process.
static void WaitForEnd(HANDLE process, HWND window) {
    if (process) {
        WaitForSingleObject(process, TAKEOVER_END_WAIT_MS);
        CloseHandle(process);
        return;
    }
    DWORD start = GetTickCount();
    while (IsWindow(window) && GetTickCount() - start < TAKEOVER_END_WAIT_MS)
        Sleep(20);
}

bool TakeOverRunningInstance() {
    TakeoverRect = TakeoverRectangle{false, 0, 0};
    HWND running = FindWindowA(nullptr, MAIN_WINDOW_TITLE);
    if (!running) return true;

    // Its place as restored, also while it is minimised or maximised, kept on the screen as the
    // remembered place is. A place that would leave the new window off every monitor is not taken.
    int left, top, right, bottom;
    if (WindowRestoredFrame((PlatformHandle)running, &left, &top, &right, &bottom) &&
        PlaceMainWindow(&left, &top))
        TakeoverRect = TakeoverRectangle{true, left, top};

    // Opened before the request, while the window still names its process: one that ends may take
    // its window down while it answers.
    HANDLE process = OpenProcessOf(running);

    // The running instance's window procedure only notes the request and answers what it will do,
    // so it answers at once; one that does not answer must not hold this start. Its place is then
    // not taken over either, since its window stays where it is.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(running, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, TAKEOVER_CLOSE_TIMEOUT_MS, &answer)) {
        if (process) CloseHandle(process);
        TakeoverRect = TakeoverRectangle{false, 0, 0};
        return true;
    }
    // One that stays to ask its user keeps running, and this start gives way to it.
    if (answer == (DWORD_PTR)CLOSE_ANSWER_STAYS) {
        if (process) CloseHandle(process);
        BringInstanceToFront(running);
        return false;
    }

    // It saves its place and ends, in its own time: a busy machine or a slow folder may hold it
    // for seconds. Where its place could not be read, this start then reads that saved place.
    WaitForEnd(process, running);
    return true;
}
