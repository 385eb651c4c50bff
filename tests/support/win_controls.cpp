#include "support/win_controls.h"

#include <commctrl.h>

#include <cstring>

#include "support/win_process.h"

// Memory in the process of a window, for messages whose parameters point at memory.
struct RemoteMemory {
    HANDLE process = nullptr;
    char* address = nullptr;
    explicit RemoteMemory(HWND window, size_t size) {
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                              ProcessOfWindow(window));
        if (process)
            address = (char*)VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    bool Write(size_t offset, const void* data, size_t size) {
        return address && WriteProcessMemory(process, address + offset, data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) {
        return address && ReadProcessMemory(process, address + offset, data, size, nullptr);
    }
};

int ListRowCount(HWND list) {
    return (int)SendNumbers(list, LVM_GETITEMCOUNT, 0, 0);
}

std::string ListRowText(HWND list, int row) {
    const size_t textSize = 512;
    RemoteMemory memory(list, sizeof(LVITEMA) + textSize);
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = memory.address + sizeof(LVITEMA);
    item.cchTextMax = (int)textSize;
    if (!memory.Write(0, &item, sizeof item) ||
        SendNumbers(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)memory.address) < 0)
        return std::string();
    std::vector<char> text(textSize, '\0');
    if (!memory.Read(sizeof(LVITEMA), text.data(), textSize)) return std::string();
    return std::string(text.data(), strnlen(text.data(), textSize));
}

std::vector<std::string> ListRowTexts(HWND list) {
    std::vector<std::string> texts;
    int count = ListRowCount(list);
    for (int row = 0; row < count; row++)
        texts.push_back(ListRowText(list, row));
    return texts;
}

bool ListRowChecked(HWND list, int row) {
    LRESULT state = SendNumbers(list, LVM_GETITEMSTATE, (WPARAM)row, LVIS_STATEIMAGEMASK);
    return state != -1 && ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

RECT ListRowRect(HWND list, int row, int part) {
    RECT r = {part, 0, 0, 0};
    RemoteMemory memory(list, sizeof r);
    if (!memory.Write(0, &r, sizeof r) ||
        SendNumbers(list, LVM_GETITEMRECT, (WPARAM)row, (LPARAM)memory.address) <= 0 ||
        !memory.Read(0, &r, sizeof r))
        return RECT{0, 0, 0, 0};
    return r;
}

bool TickListRow(HWND list, int row) {
    RemoteMemory memory(list, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    return memory.Write(0, &item, sizeof item) &&
           SendNumbers(list, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)memory.address) == TRUE &&
           ListRowChecked(list, row);
}

long ComboItemCount(HWND combo) {
    return (long)SendNumbers(combo, CB_GETCOUNT, 0, 0);
}

std::vector<std::string> ComboItemTexts(HWND combo) {
    std::vector<std::string> texts;
    long count = ComboItemCount(combo);
    for (long item = 0; item < count; item++) {
        // The item text crosses processes as UTF-16 only.
        wchar_t wide[512] = {};
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, item, (LPARAM)wide, SMTO_ABORTIFHUNG, 2000, &length))
            break;
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        texts.push_back(text);
    }
    return texts;
}

HWND ComboEditField(HWND combo) {
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}

TextRange EditSelection(HWND edit) {
    // With null pointers EM_GETSEL packs both positions into its result (each below 65536 here).
    LRESULT packed = SendNumbers(edit, EM_GETSEL, 0, 0);
    TextRange range;
    if (packed == -1) return range;
    range.start = (long)LOWORD(packed);
    range.end = (long)HIWORD(packed);
    return range;
}

long EditLineOfPosition(HWND edit, long position) {
    return (long)SendNumbers(edit, EM_LINEFROMCHAR, (WPARAM)position, 0);
}

static bool OpenClipboardSoon() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 3000, false);
}

std::string ReadClipboardText(const std::string& whenNone) {
    if (!OpenClipboardSoon()) return whenNone;
    std::string text = whenNone;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* locked = data ? (const char*)GlobalLock(data) : nullptr) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool WriteClipboardText(const std::string& text) {
    if (!OpenClipboardSoon()) return false;
    bool done = false;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

bool EmptyClipboardNow() {
    if (!OpenClipboardSoon()) return false;
    bool done = EmptyClipboard() != FALSE;
    CloseClipboard();
    return done;
}

bool PutOnlyAPictureOnClipboard() {
    if (!OpenClipboardSoon()) return false;
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    bool done = SetClipboardData(CF_BITMAP, picture) != nullptr; // the clipboard owns it now
    CloseClipboard();
    return done && !IsClipboardFormatAvailable(CF_TEXT);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    // Read from the screen where the window shows that pixel: another process's window surface is
    // not reachable through a DC of this process.
    POINT point = {x, y};
    if (!ClientToScreen(window, &point) || WindowFromPoint(point) != window) return CLR_INVALID;
    HDC screen = GetDC(nullptr);
    if (!screen) return CLR_INVALID;
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

int DisplayDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int figure) {
    return MulDiv(figure, DisplayDpi(), 96);
}

SIZE TextExtent(const char* face, int points, const std::string& text) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(points, DisplayDpi(), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen, text.c_str(), (int)text.size(), &size);
    DeleteObject(SelectObject(screen, old)); // the font
    ReleaseDC(nullptr, screen);
    return size;
}
