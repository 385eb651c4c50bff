#include "app/info_window.h"

#include <windows.h>

#include "app/about_text.h"
#include "app/app_state.h"
#include "app/secondary_window.h"
#include "app/window_numbers.h"
#include "toolkit/toolkit.h"

bool ShowInfoWindow() {
    PlatformHandle hadFocus = KeyboardFocus();
    bool endTool = false;
    PlatformHandle font = FontLoad(INFO_FONT, "Verdana", 10, FontBold);
    if (WindowOpen(INFO_WINDOW, 0, 0, 392, 285, WindowTitleBar | WindowScreenCentered, "Informations")) {
        WindowHide(INFO_WINDOW, 1);
        if (BeginGadgets(WindowHandle(INFO_WINDOW))) {
            AddImageBox(BANNER_BOX, 5, 5, 381, 68, BannerHandle, WS_EX_CLIENTEDGE);
            AddTextBox(ABOUT_BOX, 5, 85, 382, 170, AboutText, TextBorder);
            GadgetSetFont(ABOUT_BOX, font);
            AddButton(OK_BUTTON, 180, 260, 40, 20, "OK", 0);
        }
        // The main window takes no input from the moment the info window shows.
        HoldMainWindow();
        WindowHide(INFO_WINDOW, 0);
        SetKeyboardFocus(GadgetHandle(OK_BUTTON)); // Return closes it, as a dialog's default button does

        // OK and Escape count as a close request; a close request from any window ends the loop.
        int code;
        do {
            code = WaitEvent();
            if (code == EVENT_GADGET && EventGadgetNumber() == OK_BUTTON)
                code = EVENT_CLOSE;
            else if (code == EVENT_KEYDOWN && EventWParam() == VK_ESCAPE)
                code = EVENT_CLOSE;
            else if (code == EVENT_CLOSE)
                endTool = CloseRequestEndsTool();
        } while (code != EVENT_CLOSE);
    }
    CloseSecondaryWindow(INFO_WINDOW, INFO_FONT, hadFocus);
    return endTool;
}
