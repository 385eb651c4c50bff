#include "app/editor_window.h"

#include <windows.h>
#include <richedit.h>

#include "app/data_directory.h"
#include "catalogue/catalogue.h"
#include "catalogue/text.h"
#include "toolkit/toolkit.h"

enum { EDITOR_WINDOW = 2, EDITOR_FONT = 2, EDIT_MENU = 1, CATALOGUE_FILE = 1 };
enum { EDITOR = 51, SAVE_BUTTON = 52, CANCEL_BUTTON = 53, SEARCH_FIELD = 54, FIND_BUTTON = 55 };
enum { MENU_CUT = 1, MENU_COPY = 2, MENU_PASTE = 3 };
enum { MAIN_WINDOW = 1, CATEGORY_BOX = 1, ENTRY_LIST = 2 };

const int32_t EDITOR_BACKGROUND = 0x00D2FFFB; // pale yellow
const int32_t EDITOR_TEXT = 0x00BC9343;       // steel blue
const int LINES_SHOWN_BELOW_MATCH = 9;

static HWND Editor() {
    return (HWND)GadgetHandle(EDITOR);
}

static std::string CataloguePath() {
    return ResolveDataDirectory() + CATALOGUE_FILE_NAME;
}

// The whole file; it ends at its first zero byte, as the editor cannot hold one.
static void LoadEditorText() {
    if (!FileOpenRead(CATALOGUE_FILE, CataloguePath().c_str())) return;
    uint32_t length = (uint32_t)FileLength(CATALOGUE_FILE);
    std::string text(length, ' ');
    int64_t read = FileRead(CATALOGUE_FILE, &text[0], length);
    FileClose(CATALOGUE_FILE);
    text.resize(read > 0 ? (size_t)read : 0);
    text.resize(strlen(text.c_str()));
    GadgetSetText(EDITOR, text.c_str());
}

static bool FileSizeIs(const std::string& path, uint64_t expected) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    return (((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow) == expected;
}

// Refuses when another program holds the catalogue so that it may not be written, or it is
// write-protected: replacing it by name would otherwise go around that program's sharing.
static DWORD CatalogueWritable(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;
    }
    CloseHandle(h);
    return 0;
}

// The text goes to a temporary file beside the catalogue, which then takes the catalogue's place in
// one step: a failed or interrupted save leaves the old catalogue whole. 0, or the system's error.
static DWORD SaveCatalogueText(const std::string& text) {
    std::string path = CataloguePath();
    DWORD error = CatalogueWritable(path);
    if (error) return error;

    std::string temporary = path + ".saving";
    if (!FileCreate(CATALOGUE_FILE, temporary.c_str()))
        return GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    int64_t written = FileWrite(CATALOGUE_FILE, text.data(), (int64_t)text.size());
    FileClose(CATALOGUE_FILE);
    if ((text.size() > 0 && written != (int64_t)text.size()) || !FileSizeIs(temporary, text.size())) {
        DeleteFileA(temporary.c_str());
        return ERROR_DISK_FULL;
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileA(temporary.c_str());
        return error ? error : ERROR_WRITE_FAULT;
    }
    return 0;
}

static std::string SystemMessage(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, (LPSTR)&text, 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "Error " + std::to_string(error) + ".";
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

static void ReportSaveFailure(DWORD error) {
    std::string message = "The catalogue could not be saved:\r\n" + SystemMessage(error) +
                          "\r\n\r\nYour changes are still in the editor. Save again, or Cancel.";
    MessageBoxA((HWND)WindowHandle(EDITOR_WINDOW), message.c_str(), "Message", MB_OK | MB_ICONWARNING);
}

// True when the window is to close: the catalogue was saved and the main window reloaded.
static bool Save() {
    DWORD error = SaveCatalogueText(GadgetText(EDITOR));
    if (error) {
        ReportSaveFailure(error);
        return false;
    }
    ClearItems(CATEGORY_BOX);
    ClearItems(ENTRY_LIST);
    LoadCatalogue(CataloguePath());
    ShowCategory(FIRST_CATEGORY_COMMAND);
    return true;
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
    for (int i = 0; i < ItemCount(EDITOR); i++) {
        if (wanted.empty()) break;
        std::string line = ItemText(EDITOR, i, 0);
        if (line.empty() || LowerAscii(line).find(wanted) == std::string::npos) continue;
        ShowMatch(i);
        if (i > startLine) return i;
    }
    MessageBoxA(nullptr, "It wasn't found!", "Message", MB_OK | MB_ICONINFORMATION);
    return FIND_NOT_FOUND;
}

static void BuildEditorGadgets(PlatformHandle font) {
    AddEditor(EDITOR, 5, 5, 390, 315);
    GadgetSetColor(EDITOR, BackColor, EDITOR_BACKGROUND);
    GadgetSetFont(EDITOR, font);
    GadgetSetColor(EDITOR, FrontColor, EDITOR_TEXT);
    LoadEditorText();
    AddButton(SAVE_BUTTON, 5, 325, 40, 20, "Save", 0);
    AddButton(CANCEL_BUTTON, 50, 325, 60, 20, "Cancel", 0);
    AddTextField(SEARCH_FIELD, 120, 325, 205, 20, "Searchtext", 0);
    AddButton(FIND_BUTTON, 335, 325, 60, 20, "Find", 0);
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

static void RunEditorLoop() {
    int lastFoundLine = FIND_NOT_FOUND;
    for (;;) {
        int code = WaitEvent();
        if (code == EVENT_CLOSE) return;
        if (code == EVENT_RBUTTONDOWN) {
            // The menu belongs to the editor: it shows only while the editor has the keyboard focus.
            if (GetFocus() == Editor() && Editor()) PopupMenuShow(EDIT_MENU, WindowHandle(EDITOR_WINDOW));
        } else if (code == EVENT_GADGET) {
            int gadget = EventGadgetNumber();
            if (gadget == SAVE_BUTTON && Save()) return;
            if (gadget == CANCEL_BUTTON) return;
            if (gadget == FIND_BUTTON) lastFoundLine = FindInEditor(GadgetText(SEARCH_FIELD), lastFoundLine);
        } else if (code == EVENT_MENU) {
            MenuChosen(EventMenuNumber());
        }
    }
}

void EditCatalogue() {
    PlatformHandle font = FontLoad(EDITOR_FONT, "Arial", 9, FontBold);
    if (WindowOpen(EDITOR_WINDOW, 0, 0, 400, 350, 0x00C00001, "Edit constantlist")) {
        if (BeginGadgets(WindowHandle(EDITOR_WINDOW))) BuildEditorGadgets(font);
        if (PopupMenuCreate(EDIT_MENU)) {
            MenuAddItem(MENU_CUT, "Cut");
            MenuAddItem(MENU_COPY, "Copy");
            MenuAddItem(MENU_PASTE, "Paste");
        }
        RunEditorLoop();
    }
    FontFree(EDITOR_FONT);
    WindowClose(EDITOR_WINDOW);
    SetFocus((HWND)WindowHandle(MAIN_WINDOW));
}
