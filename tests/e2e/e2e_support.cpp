#include "e2e_support.h"

#include <cstdio>

#include "support/temp_dir.h"

HWND Gadget(HWND window, int number) {
    return window ? GetDlgItem(window, number) : nullptr;
}

std::string PrepareDataFolder(bool nonAnsiName) {
    std::string folder = nonAnsiName ? MakeNonAnsiTempDir() : MakeTempDir();
    if (folder.empty()) return folder;
    std::string program = BinDirectory() + "Orvane.exe";
    if (!CopyFileW(WidePath(program).c_str(), WidePath(folder + "Orvane.exe").c_str(), FALSE))
        return std::string();
    return folder;
}

bool WaitForEarlierOrvanes() {
    return WaitUntilNoProcessNamed("Orvane.exe", 10000) && WaitUntilNoWindowTitled(ORVANE_TITLE, 5000);
}

void DataFolderTest::SetUp() {
    ASSERT_TRUE(WaitForEarlierOrvanes()) << "an Orvane of an earlier test still runs";
    folder = PrepareDataFolder();
    ASSERT_FALSE(folder.empty()) << "no Orvane.exe in " << BinDirectory();
}

bool WriteDataFile(const std::string& folder, const std::string& name, const std::string& bytes) {
    return WriteWholeFile(folder + name, bytes);
}

std::string ReadDataFile(const std::string& folder, const std::string& name) {
    return ReadWholeFile(folder + name);
}

bool DataFileExists(const std::string& folder, const std::string& name) {
    return FileExists(folder + name);
}

std::string SettingsFileText(int x, int y) {
    return "[WindowPositions]\r\nWindowPosX = " + std::to_string(x) +
           "\r\nWindowPosY = " + std::to_string(y) + "\r\n";
}

bool StartOrvane(const std::string& folder, const IdeStart& ide, ChildProcess* child) {
    std::string program = folder + "Orvane.exe";
    std::vector<EnvironmentChange> environment = {
        {"ZQ_TOOL_Word", ide.word ? ide.word : "", ide.word == nullptr},
        {"ZQ_TOOL_Scintilla", ide.editorHandle ? ide.editorHandle : "", ide.editorHandle == nullptr},
    };
    std::string line = ide.commandLine.empty() ? "\"" + program + "\" " + ide.commandWord : ide.commandLine;
    std::string directory = ide.currentDirectory.empty() ? folder : ide.currentDirectory;
    // The system has been seen to refuse a start right after the program was copied: once more.
    if (StartProcess(program, line, environment, directory, child)) return true;
    std::printf("note: Orvane.exe did not start (error %lu); trying once more\n", GetLastError());
    Sleep(500);
    return StartProcess(program, line, environment, directory, child);
}

HWND WaitForOrvaneWindow(const ChildProcess& child, DWORD timeoutMs) {
    HWND window = WaitForWindowTitled(ORVANE_TITLE, timeoutMs, child.id);
    // The window is filled while hidden and shown with its last gadget, the copy button, in place.
    if (!window ||
        !WaitUntil([&] { return IsWindowVisible(window) && Gadget(window, COPY_BUTTON); }, timeoutMs))
        return nullptr;
    return window;
}

HWND StartOrvaneWindow(const std::string& folder, const IdeStart& ide, ChildProcess* child, DWORD timeoutMs) {
    HWND window = StartOrvane(folder, ide, child) ? WaitForOrvaneWindow(*child, timeoutMs) : nullptr;
    if (!window) StopProcess(*child);
    return window;
}

long WaitForOrvaneExit(ChildProcess& child, DWORD timeoutMs) {
    DWORD code = 0;
    bool ended = WaitForExit(child, timeoutMs, &code);
    StopProcess(child);
    return ended ? (long)code : -1;
}

long CloseOrvane(ChildProcess& child, HWND window, DWORD timeoutMs) {
    if (!window || !PostMessageA(window, WM_CLOSE, 0, 0)) return -1;
    return WaitForOrvaneExit(child, timeoutMs);
}

long RunOrvaneAndClose(const std::string& folder, const IdeStart& ide) {
    ChildProcess orvane;
    HWND window = StartOrvaneWindow(folder, ide, &orvane);
    return window ? CloseOrvane(orvane, window) : -1;
}

bool LaunchOrvaneIn(const std::string& folder, const IdeStart& ide, RunningOrvane* run, DWORD timeoutMs) {
    run->folder = folder;
    run->main = StartOrvaneWindow(folder, ide, &run->process, timeoutMs);
    if (run->main) SettleOrvane(*run);
    return run->main != nullptr;
}

bool LaunchOrvane(const char* catalogue, RunningOrvane* run, const char* word, bool nonAnsiName) {
    if (!WaitForEarlierOrvanes()) return false;
    std::string folder = PrepareDataFolder(nonAnsiName);
    if (folder.empty() || (catalogue && !WriteDataFile(folder, "constants.ovc", catalogue))) return false;
    return LaunchOrvaneIn(folder, IdeStart{word}, run);
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

bool StartStandInInstance(int x, int y, const std::string& recordFile, StandInMode mode,
                          ChildProcess* child) {
    static const char* const modes[] = {"answer", "hang", "slow"};
    std::string program = BinDirectory() + "standin_instance.exe";
    std::string line = "\"" + program + "\" " + std::to_string(x) + " " + std::to_string(y) + " \"" +
                       recordFile + "\" " + modes[mode];
    if (!StartProcess(program, line, {}, "", child)) return false;
    return WaitForWindowTitled(ORVANE_TITLE, 10000, child->id) != nullptr;
}

// Starts a stand-in IDE and finds its editor, a child of the given class in the frame of that title.
static bool StartHostProgram(const std::string& name, const std::string& arguments, const char* title,
                             const char* editorClass, ChildProcess* child, HWND* editor) {
    std::string program = BinDirectory() + name;
    if (!StartProcess(program, "\"" + program + "\" " + arguments, {}, "", child)) return false;
    HWND frame = WaitForWindowTitled(title, 10000, child->id);
    *editor = frame ? FindWindowExA(frame, nullptr, editorClass, nullptr) : nullptr;
    return *editor != nullptr;
}

bool StartHostEditor(const std::string& text, ChildProcess* child, HWND* editor, bool hang) {
    return StartHostProgram("host_editor.exe", "\"" + text + "\"" + (hang ? " 60 hang" : ""),
                            "Orvane Test Host", "Edit", child, editor);
}

bool StartScintillaHost(const std::string& text, int selStart, int selEnd, int codePage,
                        const std::string& documentFile, bool hang, ChildProcess* child, HWND* editor,
                        bool readOnly) {
    std::string arguments = "\"" + text + "\" " + std::to_string(selStart) + " " + std::to_string(selEnd) +
                            " " + std::to_string(codePage) + " \"" + documentFile + "\"" +
                            (hang ? " hang" : "") + (readOnly ? " readonly" : "");
    return StartHostProgram("scintilla_host.exe", arguments, "Orvane Test Scintilla Host", "Scintilla", child,
                            editor);
}

std::string HandleAsDecimal(HWND window) {
    return std::to_string((int32_t)(intptr_t)window);
}
