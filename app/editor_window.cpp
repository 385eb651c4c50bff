#include "app/editor_window.h"

#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <memory>
#include <new>

#include "app/app_state.h"
#include "app/data_directory.h"
#include "app/message_boxes.h"
#include "app/secondary_window.h"
#include "app/window_numbers.h"
#include "catalogue/catalogue.h"
#include "catalogue/text.h"
#include "toolkit/toolkit.h"

const int32_t EDITOR_TEXT_COLOR = 0x00BC9343; // steel blue
const int LINES_SHOWN_BELOW_MATCH = 9;

static HWND Editor() {
    return (HWND)GadgetHandle(EDITOR_TEXT);
}

static bool EditorOpen = false; // EditCatalogue: while the editor window is open

bool EditorHoldsChanges() {
    return EditorOpen && SendMessageA(Editor(), EM_GETMODIFY, 0, 0);
}

// What the user is told when the editor could not load the catalogue file whole, and asked before
// such a file is replaced by what the editor holds.
static const char* const NOT_READ =
    "The catalogue file could not be read (another program may be using it), so the editor starts empty.";
static const char* const READ_SHORT =
    "The catalogue file could not be read to its end, so the editor shows only its beginning.";
static const char* const ZERO_BYTE =
    "The catalogue file holds a zero byte, so the editor shows only the text before it.";
static const char* const TOO_BIG = "The catalogue file is too big to load, so the editor starts empty.";
static const char* const NOT_TAKEN =
    "The editor could not take the catalogue file's text, so it starts empty.";
static const char* const SAVE_OVER_PART =
    "The editor does not hold the whole catalogue file: what was not loaded will be lost. Save anyway?";
static const char* const SAVE_OVER_CHANGED = "The catalogue was changed by another program after the editor "
                                             "opened it. Replace it with the editor's text?";

// The catalogue file as the editor loaded it, or last saved it: Save asks before it replaces a file
// that another program has written since.
static FileStampInfo g_loadedStamp;

// Puts the catalogue file into the editor. Null when the editor holds it whole, or there is none;
// else what kept it from loading it whole.
static const char* LoadEditorText() {
    try {
        std::string path = CataloguePath();
        // Noted before the read: a write in between then makes Save ask, rather than go unnoticed.
        g_loadedStamp = FileStamp(path.c_str());
        if (!FileOpenRead(CATALOGUE_FILE, path.c_str()))
            return FileMissing(path.c_str()) ? nullptr : NOT_READ;
        int64_t length = FileLength(CATALOGUE_FILE);
        if (length > EDITOR_TEXT_LIMIT) {
            FileClose(CATALOGUE_FILE);
            return TOO_BIG;
        }
        std::unique_ptr<char[]> text(new char[(size_t)length + 1]);
        int64_t read = FileRead(CATALOGUE_FILE, text.get(), length);
        char more;
        bool whole = read == length && FileRead(CATALOGUE_FILE, &more, 1) == 0;
        FileClose(CATALOGUE_FILE);
        text[(size_t)read] = 0;
        GadgetSetText(EDITOR_TEXT, text.get());
        // The text as loaded counts as unchanged.
        SendMessageA(Editor(), EM_SETMODIFY, FALSE, 0);
        if (text[0] && ItemCount(EDITOR_TEXT) == 0) return NOT_TAKEN;
        if (!whole) return READ_SHORT;
        return strlen(text.get()) < (size_t)read ? ZERO_BYTE : nullptr;
    } catch (const std::bad_alloc&) {
        FileClose(CATALOGUE_FILE);
        return TOO_BIG;
    }
}

static void ReportSaveFailure(const std::string& reason) {
    std::string message = "The catalogue could not be saved:\r\n" + reason +
                          "\r\n\r\nYour changes are still in the editor. Save again, or Cancel.";
    TellUser(EDITOR_WINDOW, message.c_str(), MB_ICONWARNING);
}

// Yes or No, No the default: true for Yes.
static bool UserAgrees(const char* question) {
    return AskUser(EDITOR_WINDOW, question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// True when the window is to close: the catalogue was saved and the main window reloaded.
static bool Save(bool holdsPart) {
    if (holdsPart && !UserAgrees(SAVE_OVER_PART)) return false;
    std::string path = CataloguePath();
    if (!SameFileStamp(FileStamp(path.c_str()), g_loadedStamp) && !UserAgrees(SAVE_OVER_CHANGED))
        return false;
    // The text goes to a file beside the catalogue, which then takes its place in one step: a failed
    // or interrupted save leaves the old catalogue whole.
    std::string text = GadgetText(EDITOR_TEXT);
    FileReplaceResult saved = FileReplace(CATALOGUE_FILE, path.c_str(), text.data(), (int64_t)text.size());
    if (!saved.replaced) {
        ReportSaveFailure(saved.reason);
        return false;
    }
    g_loadedStamp = FileStamp(path.c_str());
    ClearItems(CATEGORY_BOX);
    ClearItems(ENTRY_LIST);
    LoadCatalogue(path, ShippedCataloguePath());
    ShowCategory(FIRST_CATEGORY_COMMAND);
    // The main window's list shows the category in its box: the next event of the box keeps it.
    LastComboText = GadgetText(CATEGORY_BOX);
    SendMessageA(Editor(), EM_SETMODIFY, FALSE, 0);
    return true;
}

// Before a close request closes the editor: changes not saved are asked about. Yes saves them (the
// editor stays open when that fails), No drops them, Cancel keeps the editor open. True when it may
// close.
static bool MayClose(bool holdsPart) {
    if (!EditorHoldsChanges()) return true;
    int answer =
        AskUser(EDITOR_WINDOW, "Save the changes to the catalogue?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) return Save(holdsPart);
    return answer == IDNO;
}

// The caret goes to the start of the line nine below the match, or of the last line when the match
// is among the last nine, so that the match comes into view.
static void ShowMatch(int line) {
    HWND editor = Editor();
    LRESULT position = SendMessageA(editor, EM_LINEINDEX, (WPARAM)(line + LINES_SHOWN_BELOW_MATCH), 0);
    if (position < 0) {
        LRESULT lastLine = SendMessageA(editor, EM_GETLINECOUNT, 0, 0) - 1;
        position = SendMessageA(editor, EM_LINEINDEX, (WPARAM)(lastLine > 0 ? lastLine : 0), 0);
    }
    CHARRANGE range = {(LONG)position, (LONG)position};
    SendMessageA(editor, EM_EXSETSEL, 0, (LPARAM)&range);
}

int FindInEditor(const std::string& searchText, int startLine) {
    std::string wanted = LowerAscii(searchText);
    for (int i = 0; i < ItemCount(EDITOR_TEXT); i++) {
        if (wanted.empty()) break;
        std::string line = ItemText(EDITOR_TEXT, i, 0);
        if (line.empty() || LowerAscii(line).find(wanted) == std::string::npos) continue;
        ShowMatch(i);
        if (i > startLine) return i;
    }
    return FIND_NOT_FOUND;
}

// Where the next Find goes on: the line of the last match, for the text that found it.
struct FindPlace {
    int line = FIND_NOT_FOUND;
    std::string text;
};

// Finds the next match of the search field's text; another text (letter case aside, as the search
// ignores it) starts over from the top. Tells the user when there is none.
static void FindNext(FindPlace& place) {
    std::string text = GadgetText(SEARCH_FIELD);
    if (!EqualFoldAscii(text.c_str(), place.text.c_str())) place.line = FIND_NOT_FOUND;
    place.text = text;
    place.line = FindInEditor(text, place.line);
    if (place.line == FIND_NOT_FOUND) TellUser(EDITOR_WINDOW, "It wasn't found!", MB_ICONINFORMATION);
}

// Null when the editor holds the whole catalogue file, as LoadEditorText.
static const char* BuildEditorGadgets(PlatformHandle font) {
    AddEditor(EDITOR_TEXT, 5, 5, 390, 315);
    GadgetSetColor(EDITOR_TEXT, BackColor, ODD_ROW_BACK);
    GadgetSetFont(EDITOR_TEXT, font);
    GadgetSetColor(EDITOR_TEXT, FrontColor, EDITOR_TEXT_COLOR);
    const char* notWhole = LoadEditorText();
    AddButton(SAVE_BUTTON, 5, 325, 40, 20, "Save", 0);
    AddButton(CANCEL_BUTTON, 50, 325, 60, 20, "Cancel", 0);
    AddTextField(SEARCH_FIELD, 120, 325, 205, 20, "Searchtext", 0);
    AddButton(FIND_BUTTON, 335, 325, 60, 20, "Find", 0);
    return notWhole;
}

static void MenuChosen(int item) {
    HWND editor = Editor();
    if (item == MENU_CUT) {
        SendMessageA(editor, WM_CUT, 0, 0);
    } else if (item == MENU_COPY) {
        SendMessageA(editor, WM_COPY, 0, 0);
    } else if (item == MENU_PASTE) {
        std::string text = ClipboardText();
        SendMessageA(editor, EM_REPLACESEL, 0, (LPARAM)text.c_str());
    }
}

// True when a close request for the main window closed the editor: the tool is to end.
static bool RunEditorLoop(bool holdsPart) {
    FindPlace findPlace;
    for (;;) {
        int code = WaitEvent();
        if (code == EVENT_CLOSE) {
            bool endTool = CloseRequestEndsTool();
            if (MayClose(holdsPart)) return endTool;
        } else if (code == EVENT_RBUTTONDOWN) {
            // The menu belongs to the editor: it shows only while the editor has the keyboard focus.
            if (GetFocus() == Editor() && Editor()) PopupMenuShow(EDIT_MENU, WindowHandle(EDITOR_WINDOW));
        } else if (code == EVENT_GADGET) {
            int gadget = EventGadgetNumber();
            if (gadget == SAVE_BUTTON && Save(holdsPart)) return false;
            if (gadget == CANCEL_BUTTON) return false;
            if (gadget == FIND_BUTTON) FindNext(findPlace);
        } else if (code == EVENT_MENU) {
            MenuChosen(EventMenuNumber());
        }
    }
}

bool EditCatalogue() {
    PlatformHandle hadFocus = KeyboardFocus();
    bool endTool = false;
    PlatformHandle font = FontLoad(EDITOR_FONT, "Arial", 9, FontBold);
    if (WindowOpen(EDITOR_WINDOW, 0, 0, 400, 350, WindowTitleBar | WindowScreenCentered,
                   "Edit constantlist")) {
        HoldMainWindow();
        const char* notWhole = nullptr;
        if (BeginGadgets(WindowHandle(EDITOR_WINDOW))) notWhole = BuildEditorGadgets(font);
        SetKeyboardFocus(GadgetHandle(EDITOR_TEXT)); // typing goes into the text at once, at its start
        if (PopupMenuCreate(EDIT_MENU)) {
            MenuAddItem(MENU_CUT, "Cut");
            MenuAddItem(MENU_COPY, "Copy");
            MenuAddItem(MENU_PASTE, "Paste");
        }
        EditorOpen = true;
        if (notWhole) TellUser(EDITOR_WINDOW, notWhole, MB_ICONWARNING);
        endTool = RunEditorLoop(notWhole != nullptr);
        EditorOpen = false;
    }
    CloseSecondaryWindow(EDITOR_WINDOW, EDITOR_FONT, hadFocus);
    return endTool;
}
