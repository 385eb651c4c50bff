// Reading what controls hold, also another process's, from the test process: list views, combo
// boxes, edit fields, the clipboard and pixels on the screen. Texts, items and rectangles that a
// message passes by pointer travel through memory allocated in the control's process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A list view's rows, their texts, check boxes and rectangles (LVIR_BOUNDS, LVIR_LABEL, ... in
// client pixels of the list). The count is -1 when the list did not answer.
int ListRowCount(HWND list);
std::string ListRowText(HWND list, int row);
std::vector<std::string> ListRowTexts(HWND list);
bool ListRowChecked(HWND list, int row);
RECT ListRowRect(HWND list, int row, int part);
// Ticks a row's check box; true when the row is ticked then.
bool TickListRow(HWND list, int row);

// A combo box's item count (-1 without an answer), its drop-down items (as ANSI text), and its edit
// field.
long ComboItemCount(HWND combo);
std::vector<std::string> ComboItemTexts(HWND combo);
HWND ComboEditField(HWND combo);

// The caret or selection of an edit or rich edit control (-1 without an answer), and the line of a
// character position in it.
struct TextRange {
    long start = -1;
    long end = -1;
};
TextRange EditSelection(HWND edit);
long EditLineOfPosition(HWND edit, long position);

// The clipboard as plain ANSI text, whenNone when it holds none. Writing replaces its contents;
// emptying leaves it without any; a picture alone leaves no text on it. Another program may hold the
// clipboard for a moment: each waits up to 3 s to open it.
std::string ReadClipboardText(const std::string& whenNone = "");
bool WriteClipboardText(const std::string& text);
bool EmptyClipboardNow();
bool PutOnlyAPictureOnClipboard();

// The colour of a window's client pixel as the window has drawn it on the screen; CLR_INVALID when
// another window covers it.
COLORREF WindowPixel(HWND window, int x, int y);

// The display's dots per inch, a 96-dpi figure at that scale, and a text's size in a font of the
// face and points at that scale.
int DisplayDpi();
int Scaled(int figure);
SIZE TextExtent(const char* face, int points, const std::string& text);
