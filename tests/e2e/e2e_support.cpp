#include "e2e_support.h"

#include "support/temp_dir.h"

std::string PrepareDataFolder() {
    std::string folder = MakeTempDir();
    if (folder.empty()) return folder;
    std::string program = BinDirectory() + "Orvane.exe";
    if (!CopyFileA(program.c_str(), (folder + "Orvane.exe").c_str(), FALSE)) return std::string();
    return folder;
}

bool StartOrvane(const std::string& folder, const IdeStart& ide, ChildProcess* child) {
    std::string program = folder + "Orvane.exe";
    std::vector<EnvironmentChange> environment = {
        {"ZQ_TOOL_Word", ide.word ? ide.word : "", ide.word == nullptr},
        {"ZQ_TOOL_Scintilla", ide.editorHandle ? ide.editorHandle : "", ide.editorHandle == nullptr},
    };
    return StartProcess(program, "\"" + program + "\" " + ide.commandWord, environment,
                        ide.currentDirectory.empty() ? folder : ide.currentDirectory, child);
}

long RunOrvane(const std::string& folder, const IdeStart& ide, DWORD timeoutMs) {
    ChildProcess orvane;
    if (!StartOrvane(folder, ide, &orvane)) return -1;
    DWORD code = 0;
    if (!WaitForExit(orvane, timeoutMs, &code)) return -1;
    return (long)code;
}

bool StartStandInInstance(int x, int y, const std::string& recordFile, bool hang, ChildProcess* child) {
    std::string program = BinDirectory() + "standin_instance.exe";
    std::string line = "\"" + program + "\" " + std::to_string(x) + " " + std::to_string(y) + " \"" +
                       recordFile + "\"" + (hang ? " hang" : " answer");
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

bool StartHostEditor(const std::string& text, ChildProcess* child, HWND* editor) {
    return StartHostEditor(text, false, child, editor);
}

bool StartScintillaHost(const std::string& text, int selStart, int selEnd, int codePage,
                        const std::string& documentFile, bool hang, ChildProcess* child, HWND* editor) {
    std::string arguments = "\"" + text + "\" " + std::to_string(selStart) + " " + std::to_string(selEnd) +
                            " " + std::to_string(codePage) + " \"" + documentFile + "\"" +
                            (hang ? " hang" : "");
    return StartHostProgram("scintilla_host.exe", arguments, "Orvane Test Scintilla Host", "Scintilla", child,
                            editor);
}

std::string HandleAsDecimal(HWND window) {
    return std::to_string((int32_t)(intptr_t)window);
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

bool StartHostEditor(const std::string& text, bool hang, ChildProcess* child, HWND* editor) {
    return StartHostProgram("host_editor.exe", "\"" + text + "\"" + (hang ? " 60 hang" : ""),
                            "Orvane Test Host", "Edit", child, editor);
}

HWND StartOrvaneWindow(const std::string& folder, const IdeStart& ide, ChildProcess* child) {
    if (!StartOrvane(folder, ide, child)) return nullptr;
    HWND window = WaitForWindowTitled(ORVANE_TITLE, ORVANE_RUN_TIMEOUT_MS, child->id);
    // The window is filled while hidden and shown with its last gadget, 8, in place.
    if (!window || !WaitForCondition([&] { return IsWindowVisible(window) && GetDlgItem(window, 8); },
                                     ORVANE_RUN_TIMEOUT_MS)) {
        StopProcess(*child);
        return nullptr;
    }
    return window;
}

long WaitForOrvaneExit(ChildProcess& child, DWORD timeoutMs) {
    DWORD code = 0;
    if (!WaitForExit(child, timeoutMs, &code)) {
        StopProcess(child);
        return -1;
    }
    return (long)code;
}

long CloseOrvane(ChildProcess& child, HWND window) {
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) return -1;
    return WaitForOrvaneExit(child);
}

long RunOrvaneAndClose(const std::string& folder, const IdeStart& ide) {
    ChildProcess orvane;
    HWND window = StartOrvaneWindow(folder, ide, &orvane);
    return window ? CloseOrvane(orvane, window) : -1;
}

HWND MainGadget(HWND mainWindow, int number) {
    return GetDlgItem(mainWindow, number);
}

std::string SettingsFileText(int x, int y) {
    return "[WindowPositions]\r\nWindowPosX = " + std::to_string(x) +
           "\r\nWindowPosY = " + std::to_string(y) + "\r\n";
}
