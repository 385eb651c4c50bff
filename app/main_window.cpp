#include "app/main_window.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/data_directory.h"
#include "app/editor_window.h"
#include "app/info_window.h"
#include "app/main_window_frame.h"
#include "app/message_boxes.h"
#include "app/window_numbers.h"
#include "catalogue/catalogue.h"
#include "catalogue/completion.h"
#include "catalogue/flag_set.h"
#include "catalogue/output.h"
#include "toolkit/toolkit.h"

const uint32_t CATEGORY_BOX_FLAGS = ComboEditable | ComboAutoScroll | ComboSorted;
const uint32_t BUTTON_FLAGS = ButtonCaptionWraps;

static PlatformHandle ButtonFont = 0; // BuildMainWindow: the buttons' and the category box's font

static void AddMainButton(int number, int x, int y, int width, const char* caption) {
    AddButton(number, x, y, width, 20, caption, BUTTON_FLAGS);
    GadgetSetFont(number, ButtonFont);
}

bool BuildMainWindow() {
    if (!WindowOpen(MAIN_WINDOW, MainWindowPos.x, MainWindowPos.y, MAIN_WINDOW_CLIENT_WIDTH,
                    MAIN_WINDOW_CLIENT_HEIGHT, MAIN_WINDOW_FLAGS, MAIN_WINDOW_TITLE))
        return false;
    if (TakeoverRect.found)
        WindowResize(MAIN_WINDOW, TakeoverRect.left, TakeoverRect.top, MAIN_WINDOW_CLIENT_WIDTH,
                     MAIN_WINDOW_CLIENT_HEIGHT);

    ButtonFont = FontLoad(BUTTON_FONT, "Arial", 8);
    PlatformHandle listFont = FontLoad(LIST_FONT, "Arial", 8, FontBold);

    // Filled while hidden: the user first sees the window with its category shown.
    WindowHide(MAIN_WINDOW, 1);
    if (BeginGadgets(WindowHandle(MAIN_WINDOW))) {
        AddComboBox(CATEGORY_BOX, 5, 5, 290, 200, CATEGORY_BOX_FLAGS);
        GadgetSetFont(CATEGORY_BOX, ButtonFont);
        LoadCatalogue(CataloguePath(), ShippedCataloguePath(), FILL_CATEGORY_BOX_LATER);
        std::string category = CategoryOfWord(ToolWord);
        GadgetSetText(CATEGORY_BOX, category.c_str());

        AddListView(ENTRY_LIST, 5, 30, 290, 325, "Constants", 285, ListCheckBoxes);
        GadgetSetFont(ENTRY_LIST, listFont);
        GadgetSetColor(ENTRY_LIST, BackColor, ODD_ROW_BACK);
        ShowCategory(category.empty() ? std::string(FIRST_CATEGORY_COMMAND) : category);
        TickEditorFlagSet(EditorHandle);

        AddMainButton(PASTE_BUTTON, 5, 360, 80, "Paste 2 IDE");
        AddMainButton(EDIT_BUTTON, 90, 360, 60, "Edit");
        AddMainButton(INFO_BUTTON, 155, 360, 60, "Info");
        AddMainButton(QUIT_BUTTON, 235, 360, 60, "Quit");
        AddMainButton(COPY_BUTTON, 5, 385, 145, "Copy 2 clipboard and exit");
    }
    WindowHide(MAIN_WINDOW, 0);
    // The user sees the window at once; its drop-down list of thousands of names is filled behind it,
    // before any input is taken.
    UpdateWindow((HWND)WindowHandle(MAIN_WINDOW));
    FillCategoryBox();
    LastComboText = GadgetText(CATEGORY_BOX);
    // Typing replaces the IDE's word at once.
    SetKeyboardFocus(GadgetHandle(CATEGORY_BOX));
    ComboBoxSelectEditRange(CATEGORY_BOX, 0, -1);
    return true;
}

// Shows what the text names and notes the box's text (which showing may have changed) as shown.
static void ShowBoxText(const std::string& text) {
    ShowCategory(text);
    LastComboText = GadgetText(CATEGORY_BOX);
}

// Shows what the combo box names when its text differs from the text last shown.
static void FollowCategoryBox() {
    std::string text = GadgetText(CATEGORY_BOX);
    if (text != LastComboText) ShowBoxText(text);
}

// Every event of the combo box: the list follows the text as typed, then completion may extend it
// to a category name, which is shown at once as Return would show it. A completion that leaves the
// text as it was (the whole name typed) keeps the list and its ticks.
static void CategoryBoxChanged() {
    // The list dropped down may have replaced a category's name with one spelled in another case.
    if (EventType() == EVENT_TYPE_DROPDOWN) KeepExactItem(CATEGORY_BOX, LastComboText);
    FollowCategoryBox();
    AutoCompleteCategory(CATEGORY_BOX);
    FollowCategoryBox();
}

// Sends the ticked entries and tells the user when that was not what the button says. True when the
// tool is to end: a text that reached neither the editor nor the clipboard keeps it open, ticks and
// all, for another try.
static bool SendAndTell(SendDestination destination) {
    SendResult result = SendSelection(destination, EditorHandle);
    bool keep = SendResultKeepsTheTool(result);
    if (const char* message = SendResultMessage(result))
        TellUser(MAIN_WINDOW, message, keep ? MB_ICONWARNING : MB_ICONINFORMATION);
    return !keep;
}

// Handles one event; returns the code with the actions that end the tool turned into EVENT_CLOSE.
static int DispatchMainEvent(int code) {
    if (code == EVENT_KEYDOWN) {
        // Escape ends the tool as "Quit" does. (Escape that closes the category box's list is the
        // box's event.)
        if (EventWParam() == VK_ESCAPE) return EVENT_CLOSE;
        // Return in the combo box confirms its text; anywhere else it leaves the list and its ticks.
        // The list then shows that text: later events of the box that leave it so keep the list and
        // its ticks.
        if (EventWParam() == VK_RETURN && GadgetHasFocus(CATEGORY_BOX)) ShowBoxText(GadgetText(CATEGORY_BOX));
        return code;
    }
    if (code != EVENT_GADGET) return code;
    switch (EventGadgetNumber()) {
    case QUIT_BUTTON:
        return EVENT_CLOSE;
    case PASTE_BUTTON:
        return SendAndTell(SEND_TO_EDITOR) ? EVENT_CLOSE : code;
    case COPY_BUTTON:
        return SendAndTell(SEND_TO_CLIPBOARD) ? EVENT_CLOSE : code;
    case INFO_BUTTON:
        if (ShowInfoWindow()) return EVENT_CLOSE;
        break;
    case EDIT_BUTTON:
        if (EditCatalogue()) return EVENT_CLOSE;
        break;
    case CATEGORY_BOX:
        CategoryBoxChanged();
        break;
    }
    return code;
}

void MainLoop() {
    int code;
    do {
        code = DispatchMainEvent(WaitEvent());
        MainWindowPos.x = WindowLeft(MAIN_WINDOW);
        MainWindowPos.y = WindowTop(MAIN_WINDOW);
    } while (code != EVENT_CLOSE);
}
