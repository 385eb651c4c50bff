// The program's entry: gathers what the IDE hands over, replaces a running instance, runs the main
// window at the remembered place and remembers the place again at the end.
#include <windows.h>

#include "app/app_state.h"
#include "app/banner.h"
#include "app/close_request.h"
#include "app/instance.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window_numbers.h"
#include "catalogue/catalogue.h"
#include "toolkit/toolkit.h"

// The order matters: the running instance is closed before the settings are read, and the settings
// are written only after the main window has run.
static int Main() {
    // Every piece of application state starts zero or empty.
    ResetApplicationState();
    StartToolkit();
    ClearCatalogue();
    // A new start of the tool learns from the main window's answer whether this one ends.
    WindowSetCloseAnswer(AnswerCloseRequest);

    // What the IDE hands over: the word at its cursor and its editor's handle. The IDE's own word
    // wins over the command line's.
    ToolWord = ReadToolWord();
    EditorHandle = ReadEditorHandle();
    if (ToolWord.empty()) ToolWord = ReadCommandLineWord();

    // A running instance is asked to close, and its place on the screen is taken over; this comes
    // before the settings are read, and waits for it to end, so that it has written its own place by
    // then. One that stays to ask its user about unsaved changes is left running, and this start
    // ends at once.
    WaitForStartTurn();
    if (!TakeOverRunningInstance()) {
        EndStartTurn();
        EndToolkit();
        return 0;
    }

    // The info window's banner lives for the whole run.
    BannerHandle = ImageFromMemory(BANNER_IMAGE, BannerBitmap, BannerBitmapSize);

    // Where the window stood when the tool last ended.
    LoadWindowPosition();

    // A window that cannot be opened leaves the remembered place as it is. The next start may look
    // for this one's window once it is built.
    bool built = BuildMainWindow();
    EndStartTurn();
    if (built) {
        MainLoop();
        SaveWindowPosition();
        WindowClose(MAIN_WINDOW);
    }

    EndToolkit();
    // The IDE reads nothing from the exit code: it is always 0.
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return Main();
}
