// Start and end of the toolkit: every family's table, the shared event record, and the icon and
// cursor of the window classes.
#include "toolkit/toolkit_internal.h"

HICON ToolkitIcon = nullptr;
HCURSOR ToolkitCursor = nullptr;

void StartToolkit() {
    DpiStartup();
    WindowsStartup();
    GadgetsStartup();
    MenusStartup();
    FontsStartup();
    ImagesStartup();
    FilesStartup();

    EventState = EventStateRecord();

    ToolkitIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    ToolkitCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
}

// Fonts go after the windows, so that no control still uses a font when it is deleted.
void EndToolkit() {
    ObjectReleaseAll(ImageTable);
    ObjectReleaseAll(WindowTable);
    ObjectReleaseAll(FontTable);
    ObjectReleaseAll(FileTable);
}
