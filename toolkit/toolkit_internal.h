// Shared state and helpers of the Win32 toolkit implementation. Not for the application.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "catalogue/platform.h"
#include "toolkit/object_table.h"
#include "toolkit/toolkit.h"

// ---- Slots of the six families ---------------------------------------------------------------------
// Each table owns its slots; a slot owns what its fields say.
struct WindowSlot {
    HWND handle;         // the window, destroyed by WindowClose
    HACCEL accelerators; // owned: Tab and Shift+Tab as focus moves
    int dpi;             // the scale its gadgets and fonts are made for
};

struct GadgetKind;

// Where the application put a gadget, in its figures for 96 dpi.
struct DesignPlace {
    int x, y, width, height;
};

struct GadgetSlot {
    HWND handle;            // the control; destroying it frees the slot
    const GadgetKind* kind; // the kind's operations, a table that lives for the whole program
    WNDPROC previousProc;   // the control's procedure before the layer subclassed it
    int32_t front, back;    // colours the application set (text box, text field, editor); -1: not set
    HBRUSH brush;           // owned: solid brush of the back colour (text box, text field)
    size_t longestText;     // list view: longest text ever added, the buffer size for reading cells
    int updateDepth;        // nesting of GadgetBeginUpdate
    void* kindData;         // owned by the kind, freed by its destroy hook (list view: colour records)
    DesignPlace design;     // where the application put it
    HFONT designFont;       // the font the application gave it (or the default font); not owned
    HFONT scaledFont;       // owned: that font made anew for the window's scale, when it differs
};

struct FontSlot {
    HFONT handle; // owned, deleted by FontFree
    int size;     // points, as the application asked
    int dpi;      // the scale it was made for
};

struct ImageSlot {
    HGDIOBJ handle; // owned bitmap
};

struct MenuSlot {
    HMENU handle; // owned popup menu
};

constexpr size_t FILE_BUFFER_SIZE = 4096;
struct FileSlot {
    PlatformFile handle;     // owned: an open file
    char* buffer;            // owned: FILE_BUFFER_SIZE bytes
    size_t buffered;         // bytes waiting in the buffer (writing)
    size_t readPos, readEnd; // unread bytes in the buffer (reading)
    int mode;                // FILE_MODE_READ or FILE_MODE_WRITE
};
constexpr int FILE_MODE_READ = 1;
constexpr int FILE_MODE_WRITE = 2;

extern ObjectTable<WindowSlot> WindowTable; // 16, WindowClose
extern ObjectTable<GadgetSlot> GadgetTable; // 50, destroy the control
extern ObjectTable<FontSlot> FontTable;     // 16, FontFree
extern ObjectTable<ImageSlot> ImageTable;   // 16, release the bitmap
extern ObjectTable<MenuSlot> MenuTable;     // 16, destroy the menu
extern ObjectTable<FileSlot> FileTable;     // 16, FileClose

// Start-up of each family, called by StartToolkit: sets up the family's table.
void WindowsStartup();
void GadgetsStartup();
void MenusStartup();
void FontsStartup();
void ImagesStartup();
void FilesStartup();
void DpiStartup();
// Writes what a file opened for writing holds in its buffer and asks the system to put it on the
// disk. False when a byte could not be written.
bool FileFlushToDisk(int number);

// ---- Display scale ---------------------------------------------------------------------------------
// The application's figures are for 96 dots per inch; ScaleToDpi gives them for another scale.
constexpr int DESIGN_DPI = 96;
int ScaleToDpi(int figure, int dpi);
// The scale windows open at and fonts are loaded for.
int SystemDpi();
// The scale of a toolkit window (or of the one a control belongs to) as it last learnt it; of
// another window, the system's answer.
int WindowDpi(HWND window);
int PlatformWindowDpi(HWND window);
// The outer size of a window of that style and client size (pixels) at the scale.
void FrameForClient(DWORD style, int clientWidth, int clientHeight, int dpi, int* outerWidth,
                    int* outerHeight);
// The window moved to a monitor of another scale (WM_DPICHANGED): it takes the suggested frame, and
// its gadgets, their fonts and the kinds' own measures follow the scale.
void WindowFollowDpi(HWND window, int dpi, const RECT* suggested);
void GadgetsFollowDpi(HWND window, int dpi);
// The font for a scale: the font itself when it was made for it, else a new one of the same face,
// size and style, which the caller owns.
HFONT FontForDpi(HFONT font, int dpi);

// ---- Events ------------------------------------------------------------------------------------------
// The one record of what the window procedure saw, owned by events.cpp and read by WaitEvent.
struct EventStateRecord {
    int objectNumber = 0;  // gadget of the last gadget event, or item of the last menu event
    int windowNumber = -1; // toolkit window of the last handled message; -1 without one
    int eventType = -1;    // sub-type of the last gadget event; -1 at the start of every WaitEvent
    int pendingEvent = 0;  // recorded by the window procedure while a message is handled; 0 none
    int closeWindow = -1;  // toolkit window the pending close request was for
    int queuedEvent = 0;   // returned by the next WaitEvent before it waits; 0 none
    int queuedWindow = 0;  // toolkit window of the queued event
    WPARAM lastWParam = 0; // of the last message WaitEvent returned as it came
};
extern EventStateRecord EventState;
// Records the event for the next WaitEvent (0: drops the one recorded). A close request, once
// recorded, stays until a WaitEvent hands it out: false then, and nothing is changed.
bool RecordEvent(int code);

// The toolkit window a window belongs to: walks up through the parents to the first window with
// the property "ZQ_WindowID". Its number, or -1; and its handle, or 0.
int ToolkitWindowNumberOf(HWND window);
HWND ToolkitTopWindowOf(HWND window);

// The one window procedure of every toolkit window class.
LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Offers a message the parent received about a control to that control's gadget kind. True when
// the kind handled it, with its answer in *result.
bool GadgetOfferParentMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The program's icon (resource 1) and the arrow cursor, loaded by StartToolkit.
extern HICON ToolkitIcon;
extern HCURSOR ToolkitCursor;

// ---- Gadget kinds --------------------------------------------------------------------------------------
// One table of operations per kind. An entry left null does nothing and returns 0 for that kind.
struct GadgetKind {
    int kind;
    // WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, scroll messages the parent window receives about the control.
    bool (*parentMessage)(int number, GadgetSlot* g, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result);
    void (*destroyHook)(int number, GadgetSlot* g);
    void (*setState)(int number, GadgetSlot* g, int state);
    std::string (*getText)(int number, GadgetSlot* g);
    void (*setText)(int number, GadgetSlot* g, const char* text);
    void (*addItem)(int number, GadgetSlot* g, int position, const char* text);
    void (*clearItems)(int number, GadgetSlot* g);
    int (*countItems)(int number, GadgetSlot* g);
    int (*itemState)(int number, GadgetSlot* g, int item);
    void (*setItemState)(int number, GadgetSlot* g, int item, int state);
    std::string (*itemText)(int number, GadgetSlot* g, int item, int column);
    void (*setColor)(int number, GadgetSlot* g, int attribute, int32_t colour);
    void (*setItemColor)(int number, GadgetSlot* g, int item, int column, int attribute, int32_t colour);
    void (*beginUpdate)(int number, GadgetSlot* g, int expectedItems);
    void (*endUpdate)(int number, GadgetSlot* g);
    void (*addItemWithColors)(int number, GadgetSlot* g, int position, const char* text, int32_t front,
                              int32_t back);
    // The kind's own measures at a new scale, after the control was placed and given its font.
    void (*followDpi)(int number, GadgetSlot* g, int dpi);
};

// Common creation steps of every gadget kind, for the control the record describes: creates it in
// the current gadget parent, claims the number, records the kind, subclasses, sets the ID, "ZQ_ID"
// and the default font. Returns the control, or 0 (the number is then left as it was).
struct GadgetCreation {
    int number;                 // the gadget's number, and its control's ID
    DesignPlace place;          // where the application put it
    const GadgetKind* kind;     // its operations
    const char* className;      // the platform's window class of its control
    const char* text = nullptr; // the control's initial text; null: ""
    DWORD style = 0, extendedStyle = 0;
    WNDPROC ownProc = nullptr; // the kind's own procedure, installed before the layer's subclass; or null
};
HWND GadgetCreate(const GadgetCreation& creation);

// Return on a push button of a toolkit window presses it, as in a dialog: true when the control
// is one, and its click was reported.
bool ButtonPressedByReturn(HWND control);
// The edit field of a combo box; null for a drop-down list, which has none.
inline HWND ComboBoxEditField(HWND combo) {
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}
// Escape while the list of a combo box (the control or its edit field's box) is open closes the
// list, as the user meant: true when it did.
bool ComboListClosedByEscape(HWND control);

// Sends MSG_GADGET_EVENT for the gadget to its toolkit top-level window (list view and image box).
void GadgetSendEvent(HWND control, int number, int eventType);
// Posts it instead (text field focus events arrive after the current message).
void GadgetPostEvent(HWND control, int number, int eventType);

// Reads a window's whole text, whatever its length.
std::string ToolkitWindowText(HWND window);

// The procedure an own-procedure kind (image box, text field) passes its messages on to: the
// control's class procedure that GadgetCreate replaced with the kind's own.
WNDPROC GadgetOwnProcNext(HWND control);
// Drops what GadgetOwnProcNext reads, when the control is destroyed.
void GadgetOwnProcForget(HWND control);

// The gadget of a control created by GadgetCreate, or null (also after its number was reused).
GadgetSlot* GadgetOfControl(HWND control, int* number);

// Solid-brush colours of the text field and text box, as their set-colour and destroy entries:
// keeps the colour and its brush, and deletes the brush with the control.
void GadgetSetBrushColour(int number, GadgetSlot* g, int attribute, int32_t colour);
void GadgetReleaseBrush(int number, GadgetSlot* g);
// Answers WM_CTLCOLOR* from the kept colours; fallbackSysColour is the background used when only
// a front colour is set. False with neither colour set (the default colours apply).
bool GadgetAnswerBrushColours(GadgetSlot* g, HDC dc, int fallbackSysColour, LRESULT* result);

// Kind tables, one per file.
extern const GadgetKind ButtonKind;
extern const GadgetKind TextFieldKind;
extern const GadgetKind TextBoxKind;
extern const GadgetKind ComboBoxKind;
extern const GadgetKind ListViewKind;
extern const GadgetKind ImageBoxKind;
extern const GadgetKind EditorKind;
