#include "window_e2e_support.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace gui {

bool LaunchOrvane(const char* catalogue, RunningOrvane* run, const char* word) {
    if (!WaitUntilNoWindowTitled(ORVANE_TITLE, 5000)) return false;
    run->folder = PrepareDataFolder();
    if (run->folder.empty()) return false;
    if (catalogue && !WriteDataFile(run->folder, "constants.ovc", catalogue)) return false;
    IdeStart ide;
    ide.word = word;
    if (!StartOrvane(run->folder, ide, &run->process)) return false;
    run->main = WaitForWindowTitled(ORVANE_TITLE, 10000, run->process.id);
    // The gadgets are made before the window shows; the list is its last one.
    if (!run->main || !WaitUntil([&] { return IsWindowVisible(run->main) && Gadget(run->main, 8); }, 5000))
        return false;
    SettleOrvane(*run);
    return true;
}

void SettleOrvane(RunningOrvane& run) {
    WaitForInputIdle(run.process.process, 3000);
    Sleep(150); // a window just shown takes clicks only once Wine has mapped it
}

bool QuitOrvane(RunningOrvane& run) {
    if (!run.process.process) return true;
    // One close request per loop: an open editor or info window takes the first one.
    bool ended = false;
    for (int i = 0; i < 10 && !ended; i++) {
        if (run.main) PostMessageA(run.main, WM_CLOSE, 0, 0);
        ended = WaitForExit(run.process, 1000);
    }
    StopProcess(run.process);
    return ended;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

HWND Gadget(HWND window, int number) {
    return window ? GetDlgItem(window, number) : nullptr;
}

bool MakeForeground(HWND window) {
    if (!window) return false;
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            BringToFront(window);
            return false;
        },
        3000);
}

static bool SendInputs(std::vector<INPUT>& inputs);

bool ClickGadget(HWND window, int number) {
    HWND gadget = Gadget(window, number);
    RECT r = OuterRect(gadget);
    return gadget && MakeForeground(window) &&
           LeftClickScreenPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool ClickCloseBox(HWND window) {
    RECT outer = OuterRect(window);
    POINT clientTop = {0, 0};
    if (!MakeForeground(window) || !ClientToScreen(window, &clientTop)) return false;
    int border = clientTop.x - outer.left;
    int buttonWidth = GetSystemMetrics(SM_CXSIZE);
    return LeftClickScreenPoint(outer.right - border - buttonWidth / 2,
                                clientTop.y - GetSystemMetrics(SM_CYCAPTION) / 2);
}

static bool SendInputs(std::vector<INPUT>& inputs) {
    UINT sent = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Sleep(30);
    return sent == inputs.size();
}

static bool CursorIsAt(int x, int y) {
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}

// Moves the pointer and waits until the system has it there and it stays: Wine also hears of the
// pointer from the X server, and a late report of an earlier place can still move it back.
static bool MovePointerTo(int x, int y) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1) return false;
    std::vector<INPUT> move(1);
    move[0].type = INPUT_MOUSE;
    move[0].mi.dx = (LONG)(((int64_t)x * 65536 + width - 1) / width);
    move[0].mi.dy = (LONG)(((int64_t)y * 65536 + height - 1) / height);
    move[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    for (int attempt = 0; attempt < 5; attempt++) {
        if (!SendInputs(move)) return false;
        if (!WaitUntil([&] { return CursorIsAt(x, y); }, 300)) continue;
        Sleep(80);
        if (CursorIsAt(x, y)) return true;
    }
    POINT at = {-1, -1};
    GetCursorPos(&at);
    fprintf(stderr, "the pointer did not stay at %d,%d but is at %ld,%ld\n", x, y, at.x, at.y);
    return false;
}

// Under Wine a press can come with a late report of the pointer's place at the previous press, so
// that the press lands there. The pointer then goes back before the release, so that neither place
// gets a whole click, and the click is made again: the stale report has been used up by then.
static bool ClickWith(int x, int y, DWORD down, DWORD up) {
    std::vector<INPUT> press(1), release(1);
    press[0].type = release[0].type = INPUT_MOUSE;
    press[0].mi.dwFlags = down;
    release[0].mi.dwFlags = up;
    for (int attempt = 0; attempt < 3; attempt++) {
        if (!MovePointerTo(x, y) || !SendInputs(press)) return false;
        Sleep(20);
        bool stayed = CursorIsAt(x, y);
        if (!stayed) MovePointerTo(x, y);
        if (!SendInputs(release)) return false;
        if (stayed) return true;
        Sleep(100);
    }
    fprintf(stderr, "the click at %d,%d kept going astray\n", x, y);
    return false;
}

bool LeftClickScreenPoint(int x, int y) {
    return ClickWith(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

bool RightClickScreenPoint(int x, int y) {
    return ClickWith(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

bool PressKeyWith(WORD modifier, WORD virtualKey) {
    std::vector<INPUT> inputs(4);
    WORD keys[4] = {modifier, virtualKey, virtualKey, modifier};
    for (int i = 0; i < 4; i++) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    return SendInputs(inputs);
}

// A second click, should the first one get lost, is harmless: the window's loop ignores the main
// window's buttons.
static HWND OpenWindowByButton(RunningOrvane& run, int button, const char* title) {
    HWND window = nullptr;
    for (int attempt = 0; attempt < 3 && !window; attempt++) {
        if (!ClickGadget(run.main, button)) return nullptr;
        window = WaitForWindowTitled(title, 2000, run.process.id);
    }
    if (!window || !WaitUntil([&] { return IsWindowVisible(window) != 0; }, 3000)) return nullptr;
    SettleOrvane(run);
    return window;
}

HWND OpenEditor(RunningOrvane& run) {
    HWND editor = OpenWindowByButton(run, 4, EDITOR_TITLE);
    // The Find button is the last gadget made.
    return editor && WaitUntil([&] { return Gadget(editor, 55) != nullptr; }, 3000) ? editor : nullptr;
}

HWND OpenInfo(RunningOrvane& run) {
    HWND info = OpenWindowByButton(run, 5, INFO_TITLE);
    return info && WaitUntil([&] { return Gadget(info, 52) != nullptr; }, 3000) ? info : nullptr;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = WaitForWindowTitled(MESSAGE_TITLE, timeoutMs, processId);
    if (box && WaitUntil([&] { return IsWindowVisible(box) != 0; }, 2000)) Sleep(150);
    return box;
}

static BOOL CALLBACK CollectStaticText(HWND child, LPARAM found) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    std::string text = WindowTextOf(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) *(std::string*)found += text;
    return TRUE;
}

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, (LPARAM)&text);
    return text;
}

bool DismissMessageBox(HWND box) {
    if (!MakeForeground(box) || !PressKey(VK_RETURN)) return false;
    return WaitUntil([&] { return !IsWindow(box); }, 3000);
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK FindVisibleMenu(HWND window, LPARAM search) {
    MenuSearch* s = (MenuSearch*)search;
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (strcmp(className, "#32768") == 0 && owner == s->processId && IsWindowVisible(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisiblePopupMenu(DWORD processId) {
    MenuSearch search{processId, nullptr};
    EnumWindows(FindVisibleMenu, (LPARAM)&search);
    return search.found;
}

LRESULT SendNumbers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) return -1;
    return (LRESULT)result;
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

// LVM_GETITEMTEXTA writes through pointers, so the item and its buffer live in the list's process.
std::vector<std::string> ListViewRows(HWND list) {
    std::vector<std::string> rows;
    LRESULT count = SendNumbers(list, LVM_GETITEMCOUNT, 0, 0);
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process || count <= 0) {
        if (process) CloseHandle(process);
        return rows;
    }
    const SIZE_T textSize = 512;
    char* remote =
        (char*)VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE);
    for (LRESULT i = 0; remote && i < count; i++) {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = remote + sizeof(LVITEMA);
        item.cchTextMax = (int)textSize;
        char text[textSize] = "";
        SIZE_T moved = 0;
        if (!WriteProcessMemory(process, remote, &item, sizeof item, &moved)) break;
        LRESULT length = SendNumbers(list, LVM_GETITEMTEXTA, (WPARAM)i, (LPARAM)remote);
        if (length < 0 || !ReadProcessMemory(process, remote + sizeof(LVITEMA), text, textSize, &moved))
            break;
        text[textSize - 1] = 0;
        rows.push_back(text);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

static bool WriteBitmapFile(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD rowBytes = ((DWORD)width * 3 + 3) & ~3u;
    std::string pixels((size_t)rowBytes * height, '\0');
    if (!GetDIBits(dc, bitmap, 0, (UINT)height, &pixels[0], (BITMAPINFO*)&header, DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    std::string bytes((const char*)&file, sizeof file);
    bytes.append((const char*)&header, sizeof header);
    bytes += pixels;
    HANDLE out =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    CloseHandle(out);
    return ok;
}

void SaveScreenshotIfWanted(HWND window, const std::string& name) {
    const char* dir = getenv("ORVANE_SCREENSHOT_DIR");
    if (!dir || !*dir || !MakeForeground(window)) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500); // the window's process paints at its own pace
    RECT r = OuterRect(window);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    std::string folder = WindowsPathFromHost(dir);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    WriteBitmapFile(folder + name + ".bmp", memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

} // namespace gui
