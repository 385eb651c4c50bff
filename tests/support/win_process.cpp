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
