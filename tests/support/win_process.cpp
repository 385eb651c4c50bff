#include "support/win_process.h"

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

bool ClickScreenPoint(int x, int y) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1) return false;
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dx = (LONG)((x * 65535LL) / (width - 1));
    inputs[0].mi.dy = (LONG)((y * 65535LL) / (height - 1));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return Send(inputs);
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
