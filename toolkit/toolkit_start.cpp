// Start and end of the toolkit: every family's table, the shared event record, the icon and cursor
// of the window classes, and the common controls the list view needs.
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
    EventState.windowNumber = -1;
    EventState.eventType = -1;
    EventState.closeWindow = -1;

    ToolkitIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    ToolkitCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);

    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

// Fonts go after the windows, so that no control still uses a font when it is deleted.
void EndToolkit() {
    ObjectReleaseAll(ImageTable);
    ObjectReleaseAll(WindowTable);
    ObjectReleaseAll(FontTable);
    ObjectReleaseAll(FileTable);
}
