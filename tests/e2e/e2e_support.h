// Running the real Orvane.exe as the IDE starts it, in a data folder of its own, and the stand-in
// programs of tests/e2e/programs next to it. Every wait is bounded; every started program is
// stopped when its ChildProcess goes away.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/window_numbers.h"
#include "catalogue/catalogue.h"
#include "support/win_process.h"

constexpr const char* ORVANE_TITLE = "Orvane V1.2.2";

// Time any single Orvane run may take before a test calls it hung.
constexpr DWORD ORVANE_RUN_TIMEOUT_MS = 20000;

// A gadget of a window, by its number.
HWND Gadget(HWND window, int number);

// A fresh folder (ending in "\") holding a copy of Orvane.exe, and so its data directory; with
// nonAnsiName, one named NON_ANSI_NAME inside a fresh one. "" when it could not be made.
std::string PrepareDataFolder(bool nonAnsiName = false);

// Waits until every Orvane of an earlier test has ended, its process and not only its window, and
// no stand-in's window is up: a start then finds none of them. False when one still runs.
bool WaitForEarlierOrvanes();

// A test with a fresh data folder of its own, begun once WaitForEarlierOrvanes.
class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    std::string folder;
};

// Files in the data folder, byte for byte.
bool WriteDataFile(const std::string& folder, const std::string& name, const std::string& bytes);
std::string ReadDataFile(const std::string& folder, const std::string& name);
bool DataFileExists(const std::string& folder, const std::string& name);

// "Orvane.cfg" as Orvane writes it for a window at x, y.
std::string SettingsFileText(int x, int y);

// What the IDE hands over; IdeStart{word} the word alone. A null word or handle leaves that
// variable unset in the child's environment; the command line is
// "\"<folder>Orvane.exe\" <commandWord>" unless one is given whole.
struct IdeStart {
    const char* word = nullptr;         // ZQ_TOOL_Word
    const char* editorHandle = nullptr; // ZQ_TOOL_Scintilla
    std::string commandWord = "word";
    std::string currentDirectory = ""; // "" starts it in its own folder
    std::string commandLine = "";
};

bool StartOrvane(const std::string& folder, const IdeStart& ide, ChildProcess* child);

// Waits at most timeoutMs until Orvane's main window is shown with all its gadgets. That window, or
// null.
HWND WaitForOrvaneWindow(const ChildProcess& child, DWORD timeoutMs);

// Starts Orvane and waits as WaitForOrvaneWindow. Its main window, or null (the child is then
// stopped).
HWND StartOrvaneWindow(const std::string& folder, const IdeStart& ide, ChildProcess* child,
                       DWORD timeoutMs = ORVANE_RUN_TIMEOUT_MS);

// Waits for Orvane's end and lets go of it: its exit code, or -1 when it did not end in time (it
// is then stopped).
long WaitForOrvaneExit(ChildProcess& child, DWORD timeoutMs = ORVANE_RUN_TIMEOUT_MS);

// Closes Orvane's main window as the system does for the close box (WM_CLOSE posted to it) and
// waits for the end, as WaitForOrvaneExit; -1 also when the window is gone.
long CloseOrvane(ChildProcess& child, HWND window, DWORD timeoutMs = ORVANE_RUN_TIMEOUT_MS);

// Starts Orvane, waits for its window, closes it and waits for the end, as CloseOrvane; -1 when
// the window never came.
long RunOrvaneAndClose(const std::string& folder, const IdeStart& ide = IdeStart());

// Orvane running in a data folder, its main window up and waiting for input.
struct RunningOrvane {
    std::string folder;
    ChildProcess process;
    HWND main = nullptr;
};

// Starts Orvane from the folder (which holds Orvane.exe) and waits at most timeoutMs for its main
// window and until it waits for input.
bool LaunchOrvaneIn(const std::string& folder, const IdeStart& ide, RunningOrvane* run,
                    DWORD timeoutMs = 10000);
// Starts Orvane with the IDE's word in a fresh data folder holding the catalogue (none when it is
// null), once WaitForEarlierOrvanes; nonAnsiName as for PrepareDataFolder.
bool LaunchOrvane(const char* catalogue, RunningOrvane* run, const char* word = nullptr,
                  bool nonAnsiName = false);
// Waits until Orvane waits for input again after it showed a window.
void SettleOrvane(RunningOrvane& run);
// Asks the main window to close and waits for the end; the process is stopped when it hangs.
bool QuitOrvane(RunningOrvane& run);

// Starts the stand-in for a running instance (a window titled ORVANE_TITLE with its outer corner
// at x, y) and waits until its window is up. It appends "WM_CLOSE <wParam> <lParam>" to recordFile
// when asked to close and answers that it ends; a hanging one stops taking messages once its window
// is up; a slow one ends some 4.5 s after it answered, its window standing until then.
enum StandInMode { STANDIN_ANSWERS, STANDIN_HANGS, STANDIN_ENDS_SLOWLY };
bool StartStandInInstance(int x, int y, const std::string& recordFile, StandInMode mode, ChildProcess* child);

// Starts the stand-in IDE (a frame window "Orvane Test Host" with a child edit control holding
// text) and gives its edit control, the window an IDE names in ZQ_TOOL_Scintilla. A hanging one
// stops taking messages when it is asked to paste, as an IDE that has hung.
bool StartHostEditor(const std::string& text, ChildProcess* child, HWND* editor, bool hang = false);

// Starts the stand-in IDE with a Scintilla editor (programs/scintilla_host.cpp) holding text with
// the bytes from selStart to selEnd selected and answering codePage for its document's encoding. It
// writes its document to documentFile at start and after every paste. A read-only one ignores a paste.
bool StartScintillaHost(const std::string& text, int selStart, int selEnd, int codePage,
                        const std::string& documentFile, bool hang, ChildProcess* child, HWND* editor,
                        bool readOnly = false);

// A window handle as the IDE writes it into ZQ_TOOL_Scintilla: its 32 bits in signed decimal.
std::string HandleAsDecimal(HWND window);
