#include "bad_input_support.h"

#include <commctrl.h>

#include "support/temp_dir.h"

namespace faults {

static bool WaitForMainWindow(gui::RunningOrvane* run, DWORD timeoutMs) {
    run->main = WaitForWindowTitled(ORVANE_TITLE, timeoutMs, run->process.id);
    if (!run->main ||
        !gui::WaitUntil([&] { return IsWindowVisible(run->main) && gui::Gadget(run->main, COPY_AND_EXIT); },
                        timeoutMs))
        return false;
    gui::SettleOrvane(*run);
    return true;
}

bool StartAndWait(const std::string& folder, const IdeStart& ide, gui::RunningOrvane* run, DWORD timeoutMs) {
    run->folder = folder;
    return StartOrvane(folder, ide, &run->process) && WaitForMainWindow(run, timeoutMs);
}

bool StartWithCommandLine(const std::string& folder, const std::string& commandLine,
                          gui::RunningOrvane* run) {
    run->folder = folder;
    std::vector<EnvironmentChange> environment = {{"ZQ_TOOL_Word", "", true},
                                                  {"ZQ_TOOL_Scintilla", "", true}};
    return StartProcess(folder + "Orvane.exe", commandLine, environment, folder, &run->process) &&
           WaitForMainWindow(run, 10000);
}

bool Answers(HWND window) {
    DWORD_PTR answer = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

long CloseAndWait(gui::RunningOrvane& run, DWORD timeoutMs) {
    if (!run.process.process) return -1;
    if (run.main) PostMessageA(run.main, WM_CLOSE, 0, 0);
    DWORD code = 0;
    bool ended = WaitForExit(run.process, timeoutMs, &code);
    StopProcess(run.process);
    return ended ? (long)code : -1;
}

long ComboCount(HWND combo) {
    return (long)gui::SendNumbers(combo, CB_GETCOUNT, 0, 0);
}

long ListCount(HWND list) {
    return (long)gui::SendNumbers(list, LVM_GETITEMCOUNT, 0, 0);
}

bool TickRow(HWND list, int row) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return false;
    bool ok = false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        LVITEMA item = {};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(2);
        SIZE_T moved = 0;
        ok = WriteProcessMemory(process, remote, &item, sizeof item, &moved) &&
             gui::SendNumbers(list, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)remote) == TRUE;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok && ((gui::SendNumbers(list, LVM_GETITEMSTATE, (WPARAM)row, LVIS_STATEIMAGEMASK) >> 12) == 2);
}

// Another program may hold the clipboard for a moment.
static bool OpenClipboardSoon() {
    return gui::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000);
}

std::string ClipboardText() {
    if (!OpenClipboardSoon()) return "";
    std::string text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = data ? (const char*)GlobalLock(data) : nullptr;
    if (bytes) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool EmptyClipboardNow() {
    if (!OpenClipboardSoon()) return false;
    bool ok = EmptyClipboard() != FALSE;
    CloseClipboard();
    return ok;
}

} // namespace faults
