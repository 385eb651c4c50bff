// The program's entry: gathers what the IDE hands over, replaces a running instance, runs the main
// window at the remembered place and remembers the place again at the end.
#include <windows.h>

#include "app/app_state.h"
#include "app/banner.h"
#include "app/instance.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "toolkit/toolkit.h"

enum { MAIN_WINDOW = 1, BANNER_IMAGE = 1 };

// The steps run in exactly this order.
static int Main() {
    // 1. Every piece of application state starts zero or empty.
    ResetApplicationState();
    StartToolkit();

    // 2.
    ClearCatalogue();

    // 3. to 6. What the IDE hands over; its own word wins over the command line's.
    CommandLineWord = ReadCommandLineWord();
    ToolWord = ReadToolWord();
    EditorHandle = ReadEditorHandle();
    if (ToolWord.empty()) ToolWord = CommandLineWord;

    // 7. Before reading the settings, so that the running instance is already on its way out.
    TakeOverRunningInstance();

    // 8. The info window's banner lives for the whole run.
    BannerHandle = ImageFromMemory(BANNER_IMAGE, BannerBitmap, BannerBitmapSize);

    // 9.
    LoadWindowPosition();

    // 10. to 12. A window that cannot be opened leaves the settings as they are.
    if (BuildMainWindow()) {
        MainLoop();
        SaveWindowPosition();
        WindowClose(MAIN_WINDOW);
    }

    // 13.
    EndToolkit();

    // 14. The exit code is always 0.
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return Main();
}
