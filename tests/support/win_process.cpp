#include "support/win_process.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

ChildProcess::~ChildProcess() {
    StopProcess(*this);
}

static bool SameNameIgnoringCase(const std::string& entry, const std::string& name) {
    if (entry.size() <= name.size() || entry[name.size()] != '=') return false;
    return _strnicmp(entry.c_str(), name.c_str(), name.size()) == 0;
}

// The environment block: this process's entries less the changed names, then the values set.
static std::vector<char> EnvironmentBlock(const std::vector<EnvironmentChange>& changes) {
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry && *entry; entry += strlen(entry) + 1) {
        std::string text(entry);
        bool changed = false;
        for (const EnvironmentChange& change : changes)
            changed = changed || SameNameIgnoringCase(text, change.name);
        if (!changed) block.insert(block.end(), text.c_str(), text.c_str() + text.size() + 1);
    }
    if (strings) FreeEnvironmentStringsA(strings);
    for (const EnvironmentChange& change : changes) {
        if (change.unset) continue;
        std::string text = change.name + "=" + change.value;
        block.insert(block.end(), text.c_str(), text.c_str() + text.size() + 1);
    }
    block.push_back('\0');
    if (block.size() == 1) block.push_back('\0');
    return block;
}

bool StartProcess(const std::string& program, const std::string& commandLine,
                  const std::vector<EnvironmentChange>& changes, const std::string& currentDirectory,
                  ChildProcess* child) {
    StopProcess(*child);
    std::vector<char> environment = EnvironmentBlock(changes);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    child->process = info.hProcess;
    child->id = info.dwProcessId;
    return true;
}

bool WaitForExit(ChildProcess& child, DWORD timeoutMs, DWORD* exitCode) {
    if (!child.process || WaitForSingleObject(child.process, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(child.process, &code);
    if (exitCode) *exitCode = code;
    return true;
}

void StopProcess(ChildProcess& child) {
    if (!child.process) return;
    if (WaitForSingleObject(child.process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(child.process, 99);
        WaitForSingleObject(child.process, 5000);
    }
    CloseHandle(child.process);
    child.process = nullptr;
    child.id = 0;
}

std::string WindowsPathFromHost(const std::string& path) {
    std::string result = (!path.empty() && path[0] == '/') ? "Z:" + path : path;
    for (char& c : result)
        if (c == '/') c = '\\';
    return result;
}

std::string BinDirectory() {
    const char* value = getenv("ORVANE_BIN_DIR");
    std::string folder = WindowsPathFromHost(value ? value : "");
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

struct TitleSearch {
    const std::string* title;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectTitled(HWND window, LPARAM data) {
    TitleSearch* search = (TitleSearch*)data;
    char text[512];
    int length = GetWindowTextA(window, text, sizeof text);
    if (length >= 0 && std::string(text, (size_t)length) == *search->title) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsTitled(const std::string& title) {
    TitleSearch search{&title, {}};
    EnumWindows(CollectTitled, (LPARAM)&search);
    return search.found;
}

HWND WaitForWindowTitled(const std::string& title, DWORD timeoutMs, DWORD processId) {
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : TopLevelWindowsTitled(title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (processId == 0 || owner == processId) return window;
        }
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

bool WaitUntilNoWindowTitled(const std::string& title, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (TopLevelWindowsTitled(title).empty()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

RECT OuterRect(HWND window) {
    RECT r = {0, 0, 0, 0};
    if (!GetWindowRect(window, &r)) r = RECT{0, 0, 0, 0};
    return r;
}

std::string WindowTextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::string();
    std::vector<char> buffer(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(), SMTO_ABORTIFHUNG, 2000,
                             &copied))
        return std::string();
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

bool BringToFront(HWND window) {
    return SetForegroundWindow(window) != 0;
}

static bool Send(std::vector<INPUT>& inputs) {
    UINT sent = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Sleep(30); // lets the receiving thread take the input before the next call looks at results
    return sent == inputs.size();
}

static INPUT MouseInput(int x, int y, DWORD flags);

bool ClickScreenPoint(int x, int y) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1) return false;
    // Every event carries the point: Wine may place a button event sent along with a move at the
    // cursor's earlier position.
    std::vector<INPUT> move = {MouseInput(x, y, 0)};
    std::vector<INPUT> click = {MouseInput(x, y, MOUSEEVENTF_LEFTDOWN), MouseInput(x, y, MOUSEEVENTF_LEFTUP)};
    return Send(move) && Send(click);
}

bool ClickWindowCentre(HWND window) {
    RECT r = OuterRect(window);
    if (r.right <= r.left || r.bottom <= r.top) return false;
    return ClickScreenPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

static void AddKey(std::vector<INPUT>& inputs, WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
}

bool PressKey(WORD virtualKey, bool shift) {
    std::vector<INPUT> inputs;
    if (shift) AddKey(inputs, VK_SHIFT, false);
    AddKey(inputs, virtualKey, false);
    AddKey(inputs, virtualKey, true);
    if (shift) AddKey(inputs, VK_SHIFT, true);
    return Send(inputs);
}

bool TypeText(const std::string& text) {
    for (char c : text) {
        SHORT key = VkKeyScanA(c);
        if (key == -1) return false;
        if (!PressKey((WORD)(key & 0xFF), (key & 0x100) != 0)) return false;
    }
    return true;
}

bool BringToForeground(HWND window, DWORD timeoutMs) {
    return WaitForCondition(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        timeoutMs);
}

bool PressKeyWithModifier(WORD modifier, WORD virtualKey) {
    std::vector<INPUT> inputs;
    AddKey(inputs, modifier, false);
    AddKey(inputs, virtualKey, false);
    AddKey(inputs, virtualKey, true);
    AddKey(inputs, modifier, true);
    return Send(inputs);
}

static INPUT MouseInput(int x, int y, DWORD flags) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)((x * 65535LL) / (width > 1 ? width - 1 : 1));
    input.mi.dy = (LONG)((y * 65535LL) / (height > 1 ? height - 1 : 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

bool DragScreenPoint(int fromX, int fromY, int toX, int toY) {
    std::vector<INPUT> press = {MouseInput(fromX, fromY, 0), MouseInput(fromX, fromY, MOUSEEVENTF_LEFTDOWN)};
    if (!Send(press)) return false;
    const int steps = 8;
    for (int i = 1; i <= steps; i++) {
        std::vector<INPUT> move = {
            MouseInput(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, 0)};
        if (!Send(move)) return false;
    }
    std::vector<INPUT> release = {MouseInput(toX, toY, MOUSEEVENTF_LEFTUP)};
    return Send(release);
}

RECT ClientRectOnScreen(HWND window) {
    RECT r = {0, 0, 0, 0};
    if (!GetClientRect(window, &r)) return RECT{0, 0, 0, 0};
    MapWindowPoints(window, nullptr, (POINT*)&r, 2);
    return r;
}

RECT RectInParentClient(HWND child) {
    RECT r = OuterRect(child);
    MapWindowPoints(nullptr, GetParent(child), (POINT*)&r, 2);
    return r;
}

// Memory in the process of a window, for messages whose parameters point at memory.
struct RemoteMemory {
    HANDLE process = nullptr;
    char* address = nullptr;
    explicit RemoteMemory(HWND window, size_t size) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
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

static bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, result) != 0;
}

int ListRowCount(HWND list) {
    DWORD_PTR count = 0;
    return SendWithin(list, LVM_GETITEMCOUNT, 0, 0, &count) ? (int)count : -1;
}

std::string ListRowText(HWND list, int row) {
    const size_t textSize = 512;
    RemoteMemory memory(list, sizeof(LVITEMA) + textSize);
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = memory.address + sizeof(LVITEMA);
    item.cchTextMax = (int)textSize;
    DWORD_PTR length = 0;
    if (!memory.Write(0, &item, sizeof item) ||
        !SendWithin(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)memory.address, &length))
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
    DWORD_PTR state = 0;
    if (!SendWithin(list, LVM_GETITEMSTATE, (WPARAM)row, LVIS_STATEIMAGEMASK, &state)) return false;
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

RECT ListRowRect(HWND list, int row, int part) {
    RECT r = {part, 0, 0, 0};
    RemoteMemory memory(list, sizeof r);
    DWORD_PTR ok = 0;
    if (!memory.Write(0, &r, sizeof r) ||
        !SendWithin(list, LVM_GETITEMRECT, (WPARAM)row, (LPARAM)memory.address, &ok) || !ok ||
        !memory.Read(0, &r, sizeof r))
        return RECT{0, 0, 0, 0};
    return r;
}

std::vector<std::string> ComboItemTexts(HWND combo) {
    std::vector<std::string> texts;
    DWORD_PTR count = 0;
    if (!SendWithin(combo, CB_GETCOUNT, 0, 0, &count)) return texts;
    for (DWORD_PTR item = 0; item < count; item++) {
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

bool EditFieldSelection(HWND edit, DWORD* start, DWORD* end) {
    DWORD_PTR packed = 0;
    if (!SendWithin(edit, EM_GETSEL, 0, 0, &packed)) return false;
    *start = LOWORD(packed);
    *end = HIWORD(packed);
    return true;
}

static bool OpenClipboardWithin(DWORD timeoutMs) {
    return WaitForCondition([] { return OpenClipboard(nullptr) != 0; }, timeoutMs);
}

std::string ClipboardText() {
    if (!OpenClipboardWithin(2000)) return std::string();
    std::string text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* locked = data ? (const char*)GlobalLock(data) : nullptr) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::string& text) {
    if (!OpenClipboardWithin(2000)) return false;
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

bool CloseBoxPoint(HWND window, POINT* point) {
    RECT r = OuterRect(window);
    RECT client = ClientRectOnScreen(window);
    for (int y = r.top + 1; y < client.top; y += 2) {
        for (int x = r.right - 2; x > r.right - 80; x -= 2) {
            DWORD_PTR hit = 0;
            if (!SendWithin(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), &hit)) return false;
            if (hit == HTCLOSE) {
                // The middle of the close box: step on to its other edges.
                int right = x, left = x, bottom = y;
                while (left > r.left && SendWithin(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y), &hit) &&
                       hit == HTCLOSE)
                    left--;
                while (bottom < client.top &&
                       SendWithin(window, WM_NCHITTEST, 0, MAKELPARAM(x, bottom + 1), &hit) && hit == HTCLOSE)
                    bottom++;
                point->x = (left + right) / 2;
                point->y = (y + bottom) / 2;
                return true;
            }
        }
    }
    return false;
}
