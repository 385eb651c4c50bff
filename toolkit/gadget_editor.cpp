// Multi-line editor on the rich edit control. Its lines are separated by CR LF in the text it
// hands out; Tab reaches it as a character (WaitEvent leaves Tab untranslated for "Rich" classes).
#include "toolkit/toolkit_internal.h"

#include <richedit.h>

#include <vector>

namespace {

bool LibraryTried;
const char* EditorClass = "RichEdit";

// From the system folder only: the program's own folder, searched first for a bare name, is the
// user's data folder, and a library of that name placed there must not be run.
HMODULE LoadSystemLibrary(const char* name) {
    HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library) return library;
    // Systems without that search flag refuse it: name the library by its full path there.
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return FailOnNoMemory(HMODULE(),
                          [&] { return LoadLibraryA((std::string(folder) + "\\" + name).c_str()); });
}

void LoadRichEditLibrary() {
    if (LibraryTried) return;
    LibraryTried = true;
    if (LoadSystemLibrary("RICHED20.DLL")) {
        EditorClass = "RichEdit20A";
        return;
    }
    LoadSystemLibrary("RICHED32.DLL");
}

std::string EditorGetText(int, GadgetSlot* g) {
    return ToolkitWindowText(g->handle);
}

void EditorSetText(int, GadgetSlot* g, const char* text) {
    SetWindowTextA(g->handle, text);
}

void EditorClear(int, GadgetSlot* g) {
    SetWindowTextA(g->handle, "");
}

int EditorCountItems(int, GadgetSlot* g) {
    if (GetWindowTextLengthA(g->handle) == 0) return 0;
    LRESULT lines = SendMessageA(g->handle, EM_GETLINECOUNT, 0, 0);
    return lines < 0 ? 0 : (int)lines;
}

std::string StripLineBreak(const char* text, size_t length) {
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        --length;
    return std::string(text, length);
}

std::string EditorItemText(int, GadgetSlot* g, int item, int) {
    if (item < 0) return "";
    LRESULT first = SendMessageA(g->handle, EM_LINEINDEX, (WPARAM)item, 0);
    if (first < 0) return "";
    LRESULT length = SendMessageA(g->handle, EM_LINELENGTH, (WPARAM)first, 0);
    if (length <= 0) return "";
    // Characters may take two bytes in a multi-byte code page.
    size_t capacity = (size_t)length * 2 + 2;
    std::vector<char> buffer(capacity + sizeof(WORD), '\0');
    if (capacity <= 0xFFFF) {
        // EM_GETLINE takes the buffer's size in its first WORD; it can only describe 65535 bytes.
        WORD size = (WORD)capacity;
        memcpy(buffer.data(), &size, sizeof size);
        LRESULT copied = SendMessageA(g->handle, EM_GETLINE, (WPARAM)item, (LPARAM)buffer.data());
        if (copied < 0) copied = 0;
        if ((size_t)copied > capacity) copied = (LRESULT)capacity;
        return StripLineBreak(buffer.data(), (size_t)copied);
    }
    TEXTRANGEA range = {};
    range.chrg.cpMin = (LONG)first;
    range.chrg.cpMax = (LONG)(first + length);
    range.lpstrText = buffer.data();
    LRESULT copied = SendMessageA(g->handle, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    if (copied < 0) copied = 0;
    return StripLineBreak(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void EditorSetColor(int, GadgetSlot* g, int attribute, int32_t colour) {
    if (attribute == FrontColor) {
        g->front = colour < 0 ? -1 : colour;
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR;
        if (colour < 0)
            format.dwEffects = CFE_AUTOCOLOR;
        else
            format.crTextColor = (COLORREF)colour;
        SendMessageA(g->handle, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
        SendMessageA(g->handle, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    } else if (attribute == BackColor) {
        g->back = colour < 0 ? -1 : colour;
        SendMessageA(g->handle, EM_SETBKGNDCOLOR, colour < 0 ? 1 : 0, colour < 0 ? 0 : (LPARAM)colour);
    }
}

GadgetKind MakeEditorKind() {
    GadgetKind k = {};
    k.kind = KIND_EDITOR;
    k.getText = EditorGetText;
    k.setText = EditorSetText;
    k.clearItems = EditorClear;
    k.countItems = EditorCountItems;
    k.itemText = EditorItemText;
    k.setColor = EditorSetColor;
    return k;
}

} // namespace

const GadgetKind EditorKind = MakeEditorKind();

PlatformHandle AddEditor(int number, int x, int y, int width, int height, uint32_t flags) {
    LoadRichEditLibrary();
    GadgetCreation creation = {number, {x, y, width, height}, &EditorKind, EditorClass};
    // No word wrap; the selection stays visible without the focus; Return inserts a line break.
    creation.style = flags | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                     ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
    creation.extendedStyle = WS_EX_CLIENTEDGE;
    HWND editor = GadgetCreate(creation);
    if (!editor) return 0;
    // Typing and pasting stop at the control's text limit, 32,767 characters until it is raised;
    // a catalogue of any size must stay editable.
    SendMessageA(editor, EM_EXLIMITTEXT, 0, EDITOR_TEXT_LIMIT);
    // The control posts messages while it sets itself up; let them pass before the application's
    // next WaitEvent, without handing it an event; a close request among them is kept.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    RecordEvent(0);
    return (PlatformHandle)editor;
}
