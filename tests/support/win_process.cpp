#include "support/win_process.h"

#include "support/temp_dir.h"

#include <cstdlib>
#include <cstring>

#include <tlhelp32.h>

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

// The command line as the system's wide text: ANSI text, as an IDE's arguments are, but for the
// program's path quoted at its start, which is UTF-8 as every path.
static std::wstring WideCommandLine(const std::string& program, const std::string& line) {
    std::string quoted = "\"" + program + "\"";
    size_t pathEnd = line.compare(0, quoted.size(), quoted) == 0 ? quoted.size() : 0;
    std::string rest = line.substr(pathEnd);
    int length = MultiByteToWideChar(CP_ACP, 0, rest.c_str(), (int)rest.size(), nullptr, 0);
    std::wstring wideRest(length > 0 ? (size_t)length : 0, L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, rest.c_str(), (int)rest.size(), &wideRest[0], length);
    return WidePath(line.substr(0, pathEnd)) + wideRest;
}

bool StartProcess(const std::string& program, const std::string& commandLine,
                  const std::vector<EnvironmentChange>& changes, const std::string& currentDirectory,
                  ChildProcess* child) {
    StopProcess(*child);
    std::vector<char> environment = EnvironmentBlock(changes);
    std::wstring line = WideCommandLine(program, commandLine);
    std::wstring directory = WidePath(currentDirectory);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // The environment block stays ANSI text: without CREATE_UNICODE_ENVIRONMENT the system takes it so.
    if (!CreateProcessW(WidePath(program).c_str(), &line[0], nullptr, nullptr, FALSE, 0, environment.data(),
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info))
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

std::string FolderFromEnvironment(const char* name) {
    const char* value = getenv(name);
    std::string folder = WindowsPathFromHost(value ? value : "");
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string BinDirectory() {
    return FolderFromEnvironment("ORVANE_BIN_DIR");
}

bool WaitsPumpMessages = false;

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, bool pumpMessages) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pumpMessages) PumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(pumpMessages ? 10 : 20);
    }
}

DWORD ProcessOfWindow(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
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
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsTitled(title))
                if (processId == 0 || ProcessOfWindow(window) == processId)
                    return (found = window) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

bool WaitUntilNoWindowTitled(const std::string& title, DWORD timeoutMs) {
    return WaitUntil([&] { return TopLevelWindowsTitled(title).empty(); }, timeoutMs);
}

static bool ProcessNamedRuns(const std::string& fileName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return true;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, fileName.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

bool WaitUntilNoProcessNamed(const std::string& fileName, DWORD timeoutMs) {
    return WaitUntil([&] { return !ProcessNamedRuns(fileName); }, timeoutMs);
}

struct ClassSearch {
    const char* className;
    DWORD processId;
    HWND found;
};

// Enumeration callbacks need the system's calling convention (stdcall on i686), which a lambda lacks.
static BOOL CALLBACK FindVisibleOfClass(HWND window, LPARAM data) {
    ClassSearch* search = (ClassSearch*)data;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0 || !IsWindowVisible(window) ||
        (search->processId && ProcessOfWindow(window) != search->processId))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleWindowOfClass(const char* className, DWORD processId) {
    ClassSearch search = {className, processId, nullptr};
    EnumWindows(FindVisibleOfClass, (LPARAM)&search);
    return search.found;
}

RECT OuterRect(HWND window) {
    RECT r = {0, 0, 0, 0};
    if (!GetWindowRect(window, &r)) r = RECT{0, 0, 0, 0};
    return r;
}

SIZE OuterSize(HWND window) {
    RECT r = OuterRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
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

LRESULT SendNumbers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) return -1;
    return (LRESULT)result;
}

bool Answers(HWND window) {
    DWORD_PTR answer = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

std::string WindowTextOf(HWND window) {
    LRESULT length = SendNumbers(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) return std::string();
    std::vector<char> buffer((size_t)length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(), SMTO_ABORTIFHUNG, 2000,
                             &copied))
        return std::string();
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}
