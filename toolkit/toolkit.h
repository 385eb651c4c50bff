// The window toolkit the application is written against: windows, gadgets, popup menus, fonts,
// images and files addressed by small numbers the application chooses, one blocking event call,
// and the clipboard. It rests on the Win32 user interface (ANSI functions).
//
// This header is portable on purpose: it never includes <windows.h>, so that the catalogue code
// that calls these operations builds natively, where the tests link a recording fake instead of
// the Win32 implementation. Platform handles travel as integers.
//
// Every operation given a number that names no object does nothing and returns 0 (or "").
// An operation that cannot get memory fails the same way: it gives its failure result (0, false,
// "") with nothing half done, and never lets an exception out.
#pragma once

#include <cstdint>
#include <string>

using PlatformHandle = std::intptr_t;

// ---- Event codes -------------------------------------------------------------------------------
// What WaitEvent returns besides the platform's own message numbers.
constexpr int EVENT_GADGET = 13100;   // a gadget reported something: EventGadgetNumber, EventType
constexpr int EVENT_MENU = 13101;     // a menu item was chosen: EventMenuNumber
constexpr int EVENT_ACTIVATE = 13104; // a window of the tool became the active one
// The platform's message numbers that the application tests, passed on as they are.
constexpr int EVENT_CLOSE = 16;        // a window is asked to close: close box, Alt+F4, or another program
constexpr int EVENT_KEYDOWN = 256;     // a key went down: EventWParam is its virtual key
constexpr int EVENT_RBUTTONDOWN = 516; // the right mouse button went down

// The toolkit's own window messages, counted from WM_APP (0x8000), the range the system leaves to
// a program's private use.
constexpr int TOOLKIT_MESSAGE_BASE = 0x8000;
// A gadget's event for its top-level window: wParam the gadget number, lParam the event type.
constexpr int MSG_GADGET_EVENT = TOOLKIT_MESSAGE_BASE + 3;
// A control's private note to its window, offered to the control's kind (lParam the control), as
// the system's colour and scroll notifications are.
constexpr int MSG_GADGET_NOTE = TOOLKIT_MESSAGE_BASE + 20;

// Accelerator commands for Tab and Shift+Tab.
constexpr int CMD_FOCUS_NEXT = 1212;
constexpr int CMD_FOCUS_PREVIOUS = 1213;

// Mouse events of a list view and an image box (event types of EVENT_GADGET); a button's click is 0 too.
constexpr int EVENT_TYPE_CLICK = 0, EVENT_TYPE_RIGHT_CLICK = 1;
constexpr int EVENT_TYPE_DOUBLE_CLICK = 2, EVENT_TYPE_RIGHT_DOUBLE_CLICK = 3;
// Text field focus events (event types of EVENT_GADGET).
constexpr int EVENT_TYPE_FOCUS = 14000;
constexpr int EVENT_TYPE_UNFOCUS = 14001;
// A combo box's list dropped down (event type of EVENT_GADGET).
constexpr int EVENT_TYPE_DROPDOWN = 7;

// ---- Window flags (all other bits are Win32 window styles) ------------------------------------------
constexpr uint32_t WindowScreenCentered = 1;
constexpr uint32_t WindowParentCentered = 2;
constexpr uint32_t WindowInvisible = 0x10000000;
// Window style bits the application passes (the platform's WS_CAPTION and WS_SYSMENU).
constexpr uint32_t WindowTitleBar = 0x00C00000;
constexpr uint32_t WindowCloseBox = 0x00080000; // with the system menu

// ---- Gadget constants ------------------------------------------------------------------------------
constexpr int FrontColor = 1;
constexpr int BackColor = 2;
constexpr int ItemSelected = 1;
constexpr int ItemChecked = 2;
constexpr uint32_t ListCheckBoxes = 1;
constexpr uint32_t ListMultiSelect = 4;
constexpr uint32_t ListGridLines = 0x10000;
constexpr uint32_t ListHeaderDragDrop = 0x10000000;
constexpr uint32_t ListFullRowSelect = 0x40000000;
constexpr uint32_t FieldBorderless = 0x20000;
constexpr uint32_t TextBorder = 0x20000;
// Combo box and button style bits the application passes (the platform's CBS_DROPDOWN,
// CBS_AUTOHSCROLL, CBS_SORT and BS_MULTILINE).
constexpr uint32_t ComboEditable = 0x2;
constexpr uint32_t ComboAutoScroll = 0x40;
constexpr uint32_t ComboSorted = 0x100;
constexpr uint32_t ButtonCaptionWraps = 0x2000;

// Gadget kind numbers.
constexpr int KIND_BUTTON = 1;
constexpr int KIND_TEXT_FIELD = 2;
constexpr int KIND_TEXT_BOX = 3;
constexpr int KIND_COMBO_BOX = 8;
constexpr int KIND_IMAGE_BOX = 9;
constexpr int KIND_LIST_VIEW = 12;
constexpr int KIND_EDITOR = 22;

// ---- Font flags ------------------------------------------------------------------------------------
constexpr uint32_t FontUnderline = 4;
constexpr uint32_t FontStrikeOut = 8;
constexpr uint32_t FontHighQuality = 0x10;
constexpr uint32_t FontBold = 0x100;
constexpr uint32_t FontItalic = 0x200;

// ---- Display scale ---------------------------------------------------------------------------------
// Every position, size, column width and font size the application writes is a figure for 96 dots
// per inch: the toolkit scales it by the scale of the window it is for (MulDiv(figure, dpi, 96)).
// Window positions (x, y, WindowLeft, WindowTop) are screen pixels.

// ---- Start and end ---------------------------------------------------------------------------------
void StartToolkit();
void EndToolkit(); // frees all images, closes all windows, frees all fonts, closes all files

// ---- Windows and events ----------------------------------------------------------------------------
// x, y: the outer frame's top-left corner; width, height: the client area.
PlatformHandle WindowOpen(int number, int x, int y, int width, int height, uint32_t flags, const char* title);
void WindowClose(int number);
void WindowResize(int number, int x, int y, int width, int height); // -1 keeps a value
void WindowHide(int number, int hide);
PlatformHandle WindowHandle(int number);
int WindowLeft(int number);
int WindowTop(int number);

int WaitEvent();
// What a window answers a close request with (the window procedure's result for WM_CLOSE, which
// reaches whoever sent the request): the application's function is called with the number of the
// window, after the request is recorded for WaitEvent. Without one, or with nullptr, the answer is 0.
using CloseAnswerFunction = std::intptr_t (*)(int window);
void WindowSetCloseAnswer(CloseAnswerFunction answer);
std::intptr_t EventWParam();
int EventGadgetNumber();
int EventMenuNumber();
int EventType();
// The toolkit window of the last event (-1 without one); after a close request, the window it was for.
int EventWindowNumber();

// The control with the keyboard focus, 0 with none; and giving it the focus. The program moves the
// focus, not the user: what the controls report about it raises no event.
PlatformHandle KeyboardFocus();
void SetKeyboardFocus(PlatformHandle control);

// ---- Gadgets ---------------------------------------------------------------------------------------
PlatformHandle BeginGadgets(PlatformHandle parentWindow);
PlatformHandle AddComboBox(int number, int x, int y, int width, int height, uint32_t flags);
PlatformHandle AddListView(int number, int x, int y, int width, int height, const char* columnTitle,
                           int columnWidth, uint32_t flags);
PlatformHandle AddButton(int number, int x, int y, int width, int height, const char* text,
                         uint32_t flags = 0);
PlatformHandle AddImageBox(int number, int x, int y, int width, int height, PlatformHandle image,
                           uint32_t extendedStyle);
PlatformHandle AddTextBox(int number, int x, int y, int width, int height, const char* text, uint32_t flags);
// The editor takes typed and pasted text up to EDITOR_TEXT_LIMIT characters.
PlatformHandle AddEditor(int number, int x, int y, int width, int height, uint32_t flags = 0);
constexpr int64_t EDITOR_TEXT_LIMIT = 0x7FFFFFFE;
PlatformHandle AddTextField(int number, int x, int y, int width, int height, const char* text,
                            uint32_t flags = 0);

// True when the keyboard focus is in the gadget's control or a child of it (a combo box's edit field).
bool GadgetHasFocus(int number);
PlatformHandle GadgetHandle(int number);
void GadgetSetFont(int number, PlatformHandle font); // number -1: default font of later gadgets
void GadgetSetText(int number, const char* text);
std::string GadgetText(int number);
void GadgetSetState(int number, int state);
void GadgetSetColor(int number, int attribute, int32_t colour); // COLORREF 0x00BBGGRR, -1 = default
void AddItem(int number, int position, const char* text);       // position -1: at the end
void ClearItems(int number);
int ItemCount(int number);
int ItemState(int number, int item);
std::string ItemText(int number, int item, int column);
// Sets the item's ItemSelected and ItemChecked flags as given (a list view's check box only where
// it has check boxes).
void ItemSetState(int number, int item, int state);
void ItemSetColor(int number, int item, int attribute, int32_t colour); // item -1: every item
// AddItem, then ItemSetColor of the new row with BackColor back and FrontColor front, in one step:
// a list gives all its rows of one pair of colours one shared colour record.
void AddItemWithColors(int number, int position, const char* text, int32_t front, int32_t back);

// Bulk changes: redrawing of the gadget is suspended until the matching end call.
void GadgetBeginUpdate(int number, int expectedItems);
void GadgetEndUpdate(int number);

// What the catalogue needs from the combo box and from another process's window.
// Adds the text at its sorted place in a sorted combo box (CB_ADDSTRING).
void ComboBoxAddSorted(int number, const char* text);
// Selects from start to end (-1: the end of the text) in an editable combo box's edit field.
void ComboBoxSelectEditRange(int number, int start, int end);
// Replaces the selection of an editor window, also of another process, with the text: EM_REPLACESEL
// for edit and rich edit controls; for a Scintilla control its own SCI_REPLACESEL with the text in
// the control's process, as UTF-8 where its document is UTF-8 (EM_REPLACESEL where that process
// cannot be written to). A Scintilla document that is read-only is sent nothing. Waits at most
// timeoutMs in all and gives up at once on a window whose thread does not answer.
enum PasteOutcome { PASTE_LANDED, PASTE_NO_WINDOW, PASTE_NO_ANSWER, PASTE_READ_ONLY };
PasteOutcome WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs);
// The selected text of an editor window, also of another process, as ANSI text: a Scintilla
// control's through its own messages with the bytes copied in its process, converted from UTF-8
// where its document is UTF-8; any other window's through EM_GETSEL and its text. "" when nothing is
// selected, the selection is longer than maxBytes, does not convert exactly, or cannot be read
// within timeoutMs (a window whose thread does not answer is given up at once).
std::string WindowSelectedText(PlatformHandle window, int maxBytes, int timeoutMs);

// ---- Popup menus -----------------------------------------------------------------------------------
PlatformHandle PopupMenuCreate(int number);
void MenuAddItem(int item, const char* text);
void PopupMenuShow(int number, PlatformHandle owner);

// ---- Fonts -----------------------------------------------------------------------------------------
PlatformHandle FontLoad(int number, const char* face, int size, uint32_t flags = 0);
void FontFree(int number);

// ---- Images ----------------------------------------------------------------------------------------
// Decodes a complete image file held in memory ("BM" bitmaps). size bounds every read.
PlatformHandle ImageFromMemory(int number, const void* data, size_t size);

// ---- Clipboard -------------------------------------------------------------------------------------
// Tries for about a second while another program holds the clipboard open. False when the text was
// not placed (the clipboard then keeps what it had).
bool ClipboardSetText(const char* text);
std::string ClipboardText();

// ---- Numbered files --------------------------------------------------------------------------------
PlatformHandle FileOpenRead(int number, const char* path);
PlatformHandle FileCreate(int number, const char* path);
int64_t FileLength(int number);
int64_t FileRead(int number, void* destination, int64_t length);
int64_t FileWrite(int number, const void* data, int64_t length);
void FileClose(int number);
// Replaces the file at path with the bytes in one step: they are written under the number to
// "<path>.saving" beside it, put on the disk, and that file then takes the old one's place, so that a
// failed or interrupted replace leaves the old file whole. Refused while another program holds the
// file so that it may not be written, or it is write-protected.
struct FileReplaceResult {
    bool replaced;
    std::string reason; // when not replaced, the system's reason, a sentence for the user
};
FileReplaceResult FileReplace(int number, const char* path, const void* data, int64_t length);
// True when nothing is at the path: neither the file nor a folder on its way exists.
bool FileMissing(const char* path);
// What tells whether a file was written since it was looked at: its size and last-write time (in
// the system's units), or that nothing could be found at its path.
struct FileStampInfo {
    bool present;
    int64_t size;
    int64_t lastWrite;
};
FileStampInfo FileStamp(const char* path);
inline bool SameFileStamp(const FileStampInfo& a, const FileStampInfo& b) {
    return a.present == b.present && a.size == b.size && a.lastWrite == b.lastWrite;
}

// ---- Screen ----------------------------------------------------------------------------------------
int ScreenWidth(); // primary screen, pixels
// A 96-dpi figure in pixels at the scale windows open at.
int ScreenScaled(int figure);
// A rectangle on the screen, in pixels.
struct ScreenRect {
    int left, top, right, bottom;
};
// The work area (the monitor less its taskbars) of the monitor that shares the most pixels with the
// rectangle. False when the rectangle shares no pixel with any monitor.
bool WorkAreaUnder(ScreenRect rect, ScreenRect* workArea);
// The outer frame (screen pixels) a top-level window of any process has when restored: its frame,
// or while it is minimised or maximised the frame it returns to. False when that cannot be read,
// also where the platform gives another process's minimised or maximised window only its frame.
bool WindowRestoredFrame(PlatformHandle window, int* left, int* top, int* right, int* bottom);
// The outer size (pixels) of a window of that client size (a 96-dpi figure) and toolkit flags, at the
// scale windows open at.
void WindowOuterSize(int clientWidth, int clientHeight, uint32_t flags, int* outerWidth, int* outerHeight);
