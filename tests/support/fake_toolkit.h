// A recording fake of the toolkit for the native tests of the portable code. It models just enough
// of each gadget (combo box items and edit field, list rows with states and colours, the clipboard,
// the screen) and records every call in order, so that tests can check both effects and sequences.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

struct FakeRow {
    std::string text;
    int state = 0;                 // ItemSelected | ItemChecked
    int32_t front = -2, back = -2; // -2: never set
};

struct FakeGadget {
    int kind = 0;
    std::string text;               // edit field / window text
    std::vector<std::string> items; // combo box items
    std::vector<FakeRow> rows;      // list view rows
    int selectionStart = 0, selectionEnd = 0;
    int32_t front = -1, back = -1;
};

struct FakeToolkit {
    std::map<int, FakeGadget> gadgets;
    std::vector<std::string> calls; // "Name(args)" in call order
    bool clipboardHasText = false;
    std::string clipboard;
    std::vector<std::pair<PlatformHandle, std::string>> replaceSelections;
    PasteOutcome replaceSelectionOutcome = PASTE_LANDED;
    bool clipboardRefuses = false; // another program holds it: ClipboardSetText places nothing
    std::string editorSelection;   // what WindowSelectedText reads from any window
    int screenWidth = 1024;
    int dpi = 96; // the scale windows open at
    // Monitors as left, top, right, bottom, then their work area's four when it is not the whole
    // monitor; the primary screen by default.
    std::vector<std::vector<int>> monitors{{0, 0, 1024, 768}};
};

// The fake's state; reset between tests with FakeReset.
extern FakeToolkit Fake;
void FakeReset();

// Creates a gadget of the kind in the fake (no call recorded).
FakeGadget& FakeAddGadget(int number, int kind);

// Calls whose names begin with the prefix, in order.
std::vector<std::string> FakeCallsStartingWith(const std::string& prefix);
