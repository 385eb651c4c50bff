// Running the real Orvane.exe as the IDE starts it, in a data folder of its own, and the stand-in
// programs of tests/e2e/programs next to it. Every wait is bounded; every started program is
// stopped when its ChildProcess goes away.
#pragma once

#include <string>

#include "support/win_process.h"

constexpr const char* ORVANE_TITLE = "Orvane V1.2.2";

// Time any single Orvane run may take before a test calls it hung.
constexpr DWORD ORVANE_RUN_TIMEOUT_MS = 20000;

// A fresh folder (ending in "\") holding a copy of Orvane.exe, and so its data directory.
// "" when it could not be made.
std::string PrepareDataFolder();

// What the IDE hands over. A null word or handle leaves that variable unset in the child's
// environment; the command line is always "\"<folder>Orvane.exe\" <commandWord>".
struct IdeStart {
    const char* word = nullptr;         // ZQ_TOOL_Word
    const char* editorHandle = nullptr; // ZQ_TOOL_Scintilla
    std::string commandWord = "word";
    std::string currentDirectory; // "" starts it in its own folder
};

bool StartOrvane(const std::string& folder, const IdeStart& ide, ChildProcess* child);

// Starts Orvane and waits for its end. The exit code, or -1 when it did not end in time (it is
// then stopped) or did not start.
long RunOrvane(const std::string& folder, const IdeStart& ide = IdeStart(),
               DWORD timeoutMs = ORVANE_RUN_TIMEOUT_MS);

// Starts the stand-in for a running instance (a window titled ORVANE_TITLE with its outer corner
// at x, y) and waits until its window is up. It appends "WM_CLOSE <wParam> <lParam>" to recordFile
// when asked to close; a hanging one stops taking messages once its window is up.
bool StartStandInInstance(int x, int y, const std::string& recordFile, bool hang, ChildProcess* child);

// Starts the stand-in IDE (a frame window "Orvane Test Host" with a child edit control holding
// text) and gives its edit control, the window an IDE names in ZQ_TOOL_Scintilla.
bool StartHostEditor(const std::string& text, ChildProcess* child, HWND* editor);

// A window handle as the IDE writes it into ZQ_TOOL_Scintilla: its 32 bits in signed decimal.
std::string HandleAsDecimal(HWND window);

// Files in the data folder, byte for byte.
bool WriteDataFile(const std::string& folder, const std::string& name, const std::string& bytes);
std::string ReadDataFile(const std::string& folder, const std::string& name);
bool DataFileExists(const std::string& folder, const std::string& name);

// The stand-in IDE as above; a hanging one stops taking messages when it is asked to paste, as an
// IDE that has hung.
bool StartHostEditor(const std::string& text, bool hang, ChildProcess* child, HWND* editor);

// Starts the stand-in IDE with a Scintilla editor (programs/scintilla_host.cpp) holding text with
// the bytes from selStart to selEnd selected and answering codePage for its document's encoding. It
// writes its document to documentFile at start and after every paste.
bool StartScintillaHost(const std::string& text, int selStart, int selEnd, int codePage,
                        const std::string& documentFile, bool hang, ChildProcess* child, HWND* editor);

// Starts Orvane and waits until its main window is shown with all its gadgets. That window, or null
// (the child is then stopped) when it did not come in time.
HWND StartOrvaneWindow(const std::string& folder, const IdeStart& ide, ChildProcess* child);

// Waits for Orvane's end: its exit code, or -1 when it did not end in time (it is then stopped).
long WaitForOrvaneExit(ChildProcess& child, DWORD timeoutMs = ORVANE_RUN_TIMEOUT_MS);

// Closes Orvane's main window as the system does for the close box (WM_CLOSE posted to it) and
// waits for the end, as WaitForOrvaneExit.
long CloseOrvane(ChildProcess& child, HWND window);

// Starts Orvane, waits for its window, closes it and waits for the end, as CloseOrvane; -1 when
// the window never came.
long RunOrvaneAndClose(const std::string& folder, const IdeStart& ide = IdeStart());

// A gadget of the main window by its number, which is its control ID.
HWND MainGadget(HWND mainWindow, int number);

// "Orvane.cfg" as Orvane writes it for a window at x, y.
std::string SettingsFileText(int x, int y);
