// The program's entry: gathers what the IDE hands over, replaces a running instance, runs the main
// window at the remembered place and remembers the place again at the end.
#include <windows.h>

#include "app/app_state.h"
#include "app/instance.h"
#include "app/settings.h"
#include "app/startup.h"

// The steps run in this order; the numbers keep the places of the steps that other parts bring
// (toolkit start and end, the catalogue list, the banner, the main window and its closing).
static int Main() {
    // 1. Every piece of application state starts zero or empty.
    ResetApplicationState();

    // 3. to 6. What the IDE hands over; its own word wins over the command line's.
    CommandLineWord = ReadCommandLineWord();
    ToolWord = ReadToolWord();
    EditorHandle = ReadEditorHandle();
    if (ToolWord.empty()) ToolWord = CommandLineWord;

    // 7. Before reading the settings, so that the running instance is already on its way out.
    TakeOverRunningInstance();

    // 9.
    LoadWindowPosition();

    // 11.
    SaveWindowPosition();

    // 14. The exit code is always 0.
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return Main();
}
