#include "app/settings.h"

#include <cstdint>

#include "app/app_state.h"
#include "app/data_directory.h"
#include "app/main_window_frame.h"
#include "catalogue/preference_file.h"
#include "toolkit/toolkit.h"

static const char* const POSITION_GROUP = "WindowPositions";
static const char* const POSITION_X_KEY = "WindowPosX";
static const char* const POSITION_Y_KEY = "WindowPosY";

std::string SettingsFilePath() {
    return ResolveDataDirectory() + SETTINGS_FILE_NAME;
}

// Near the right edge: the window's width and a margin from it, at any display scale.
int DefaultWindowX() {
    return ScreenWidth() - ScreenScaled(310);
}
int DefaultWindowY() {
    return 10;
}

// The coordinate that keeps a span of that length inside from..to, moved as little as it takes.
static int KeptInside(int at, int length, int from, int to) {
    if (at > to - length) at = to - length;
    return at < from ? from : at;
}

bool PlaceMainWindow(int* x, int* y) {
    int width = 0, height = 0;
    WindowOuterSize(MAIN_WINDOW_CLIENT_WIDTH, MAIN_WINDOW_CLIENT_HEIGHT, MAIN_WINDOW_FLAGS, &width, &height);
    // 64-bit sums: a remembered coordinate near the 32-bit limit must not wrap onto the screen.
    long long right = (long long)*x + width, bottom = (long long)*y + height;
    ScreenRect workArea;
    if (right > INT32_MAX || bottom > INT32_MAX ||
        !WorkAreaUnder(ScreenRect{*x, *y, (int)right, (int)bottom}, &workArea))
        return false;
    *x = KeptInside(*x, width, workArea.left, workArea.right);
    *y = KeptInside(*y, height, workArea.top, workArea.bottom);
    return true;
}

void LoadWindowPosition() {
    // The result is not needed: a file that cannot be opened makes both reads give their defaults.
    PreferenceFile::Open(SettingsFilePath().c_str());
    PreferenceFile::SelectGroup(POSITION_GROUP);
    MainWindowPos.x = PreferenceFile::ReadNumber(POSITION_X_KEY, DefaultWindowX());
    MainWindowPos.y = PreferenceFile::ReadNumber(POSITION_Y_KEY, DefaultWindowY());
    PreferenceFile::Close();

    if (!PlaceMainWindow(&MainWindowPos.x, &MainWindowPos.y)) {
        MainWindowPos.x = DefaultWindowX();
        MainWindowPos.y = DefaultWindowY();
    }
}

void SaveWindowPosition() {
    if (!PreferenceFile::Create(SettingsFilePath().c_str())) return;
    PreferenceFile::SelectGroup(POSITION_GROUP);
    PreferenceFile::WriteNumber(POSITION_X_KEY, MainWindowPos.x);
    PreferenceFile::WriteNumber(POSITION_Y_KEY, MainWindowPos.y);
    PreferenceFile::Close();
}
