// Orvane fed odd catalogues, settings and hand-overs from the IDE: it must start, keep answering,
// show what the file format makes of the input, end with exit code 0 and leave the files alone.
#include <gtest/gtest.h>

#include <cstdio>

#include "window_e2e_support.h"

static const char* const CATALOGUE = "constants.ovc";
static const char* const SETTINGS = "Orvane.cfg";

class BadInput : public DataFolderTest {
  protected:
    void TearDown() override { CloseOrvane(run.process, run.main, 5000); }
    HWND Combo() { return Gadget(run.main, CATEGORY_BOX); }
    HWND List() { return Gadget(run.main, ENTRY_LIST); }

    RunningOrvane run;
};

struct CatalogueCase {
    const char* name;
    std::string bytes;
    const char* word;  // ZQ_TOOL_Word
    long groups;       // combo items; -1 where the format leaves it open
    long rows;         // rows of the first category shown; -1 where open
    DWORD loadTimeout; // a bound proving that loading does not hang
};

static std::string ManyGroups(int count) {
    std::string text;
    char line[64];
    for (int i = 0; i < count; i++) {
        snprintf(line, sizeof line, "[g%d]\r\nk = v%d\r\n", i, i);
        text += line;
    }
    return text;
}

// About 100 MB: ten thousand groups of a hundred entries.
static std::string HugeCatalogue() {
    std::string text;
    text.reserve(110 * 1000 * 1000);
    std::string padding(90, 'p');
    char line[64];
    for (int group = 0; group < 10000; group++) {
        snprintf(line, sizeof line, "[c%d]\r\n", group);
        text += line;
        for (int key = 0; key < 100; key++) {
            snprintf(line, sizeof line, "k%d = %d_", key, group);
            text += line;
            text += padding;
            text += "\r\n";
        }
    }
    return text;
}

static std::vector<CatalogueCase> CatalogueCases() {
    std::string longLine = "[long]\r\nk = " + std::string(1 << 20, 'v') + "\r\n[next]\r\nk = short\r\n";
    std::string zeros(4096, '\0');
    std::string zerosInside = std::string("[z]\r\na = 1") + '\0' + "tail\r\nb = 2\r\n";
    return {
        {"empty", "", "any", 0, 0, 10000},
        {"zero bytes only", zeros, nullptr, -1, -1, 10000},
        {"zero bytes inside", zerosInside, "z", 1, -1, 10000},
        {"CR bytes only", std::string(50000, '\r'), nullptr, 0, 0, 10000},
        // The mark is skipped: the first line is the first category's, which is shown.
        {"byte-order mark", "\xEF\xBB\xBF[first]\r\na = 1\r\n[second]\r\nb = 2\r\nc = 3\r\n", nullptr, 2, 1,
         10000},
        {"1 MB line", longLine, "long", 2, 1, 20000},
        {"100,000 groups", ManyGroups(100000), "g99999", 100000, 1, 60000},
        {"100 MB", HugeCatalogue(), "c5000", 10000, 100, 90000},
    };
}

TEST_F(BadInput, OddCataloguesLoadAndStayUntouched) {
    for (const CatalogueCase& c : CatalogueCases()) {
        SCOPED_TRACE(c.name);
        std::string caseFolder = PrepareDataFolder();
        ASSERT_FALSE(caseFolder.empty());
        ASSERT_TRUE(WriteDataFile(caseFolder, CATALOGUE, c.bytes));
        IdeStart ide;
        ide.word = c.word;
        ide.commandWord = ""; // without a word the first category shows
        ASSERT_TRUE(LaunchOrvaneIn(caseFolder, ide, &run, c.loadTimeout)) << "no main window";
        EXPECT_TRUE(Answers(run.main));
        if (c.groups >= 0) {
            EXPECT_EQ(ComboItemCount(Combo()), c.groups);
        }
        if (c.rows >= 0) {
            EXPECT_EQ(ListRowCount(List()), c.rows);
        }
        // Still takes input after the load: the combo box answers and a new category shows.
        EXPECT_TRUE(Answers(run.main));
        EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
        EXPECT_TRUE(ReadDataFile(caseFolder, CATALOGUE) == c.bytes) << "the catalogue changed on disk";
        DeleteFileA((caseFolder + CATALOGUE).c_str());
    }
}

TEST_F(BadInput, BytesAboveAsciiAreShownAndCopiedAsTheyAre) {
    const std::string value = "\x80\x81\x9F\xA0\xC4\xD6\xDC\xE9\xFF tail";
    std::string bytes = "[gr\xE4\xFF]\r\n\xA9key = " + value + "\r\n";
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE, bytes));
    IdeStart ide; // no word: the first category shows
    ide.commandWord = "";
    ASSERT_TRUE(LaunchOrvaneIn(folder, ide, &run));
    EXPECT_EQ(WindowTextOf(Combo()), "gr\xE4\xFF");
    std::vector<std::string> rows = ListRowTexts(List());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], value);

    ASSERT_TRUE(EmptyClipboardNow());
    ASSERT_TRUE(TickListRow(List(), 0));
    ASSERT_TRUE(ClickGadget(run.main, COPY_BUTTON));
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(run.process, 10000, &code)) << "copying did not end the tool";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadClipboardText(), value);
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE), bytes);
}

struct SettingsCase {
    const char* name;
    std::string bytes;
    bool fallsBackToDefault; // else it opens at x, y
    int x, y;
};

TEST_F(BadInput, OddSettingsEndOnScreenAndAreRewritten) {
    int defaultX = GetSystemMetrics(SM_CXSCREEN) - 310, defaultY = 10;
    std::vector<SettingsCase> cases = {
        {"not numeric", "[WindowPositions]\nWindowPosX = left\nWindowPosY = 12px\n", false, 0, 12},
        {"beyond 32 bits", "[WindowPositions]\nWindowPosX=99999999999\nWindowPosY=99999999999\n", true, 0, 0},
        {"below 32 bits", "[WindowPositions]\nWindowPosX=-99999999999\nWindowPosY=-5\n", true, 0, 0},
        {"far negative", "[WindowPositions]\nWindowPosX=-30000\nWindowPosY=-30000\n", true, 0, 0},
        {"byte-order mark", "\xEF\xBB\xBF[WindowPositions]\r\nWindowPosX=20\r\nWindowPosY=30\r\n", false, 20,
         30},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string caseFolder = PrepareDataFolder();
        ASSERT_FALSE(caseFolder.empty());
        ASSERT_TRUE(WriteDataFile(caseFolder, SETTINGS, c.bytes));
        ASSERT_TRUE(LaunchOrvaneIn(caseFolder, IdeStart(), &run));
        int x = c.fallsBackToDefault ? defaultX : c.x, y = c.fallsBackToDefault ? defaultY : c.y;
        RECT outer = OuterRect(run.main);
        EXPECT_EQ(outer.left, x);
        EXPECT_EQ(outer.top, y);
        EXPECT_TRUE(Answers(run.main));
        EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
        EXPECT_EQ(ReadDataFile(caseFolder, SETTINGS), SettingsFileText(x, y));
    }
}

TEST_F(BadInput, SettingsFileThatIsAFolder) {
    ASSERT_TRUE(CreateDirectoryA((folder + SETTINGS).c_str(), nullptr));
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE, "[g]\r\na = 1\r\n"));
    ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{"g"}, &run));
    EXPECT_EQ(ListRowCount(List()), 1);
    EXPECT_TRUE(Answers(run.main));
    EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
    DWORD attributes = GetFileAttributesA((folder + SETTINGS).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    RemoveDirectoryA((folder + SETTINGS).c_str());
}

// A paste to whatever "ZQ_TOOL_Scintilla" names ends the tool normally, without a crash or a hang;
// where it names no window, the text goes to the clipboard and a message says so first.
TEST_F(BadInput, PasteToHandlesThatAreNoEditor) {
    ChildProcess host;
    HWND hostEditor = nullptr;
    ASSERT_TRUE(StartHostEditor("host text", &host, &hostEditor));
    HWND hostFrame = GetParent(hostEditor);
    HWND gone = CreateWindowExA(0, "STATIC", "gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    std::string goneHandle = HandleAsDecimal(gone);
    DestroyWindow(gone);

    struct HandleCase {
        const char* name;
        std::string handle;
        bool noWindow = true;
    };
    std::vector<HandleCase> cases = {
        {"no window", "7"},
        {"a frame window of another process", HandleAsDecimal(hostFrame), false},
        {"a closed window", goneHandle},
        {"a number beyond 32 bits", "99999999999999"},
    };
    // A button of yet another process: the taskbar's, where the desktop has one.
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HWND button = taskbar ? FindWindowExA(taskbar, nullptr, "Button", nullptr) : nullptr;
    if (button) {
        cases.push_back({"a button of another process", HandleAsDecimal(button), false});
    } else {
        fprintf(stderr, "no taskbar button here: that case is left out\n");
    }
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE, "[g]\r\na = alpha\r\n"));
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(c.name);
        IdeStart ide;
        ide.word = "g";
        ide.editorHandle = c.handle.c_str();
        ASSERT_TRUE(LaunchOrvaneIn(folder, ide, &run));
        ASSERT_TRUE(TickListRow(List(), 0));
        ASSERT_TRUE(ClickGadget(run.main, PASTE_BUTTON));
        if (c.noWindow) {
            HWND box = WaitForMessageBox(run.process.id, 10000);
            EXPECT_TRUE(box && DismissMessageBox(box)) << "no message about the paste";
            EXPECT_EQ(ReadClipboardText(), "alpha");
        }
        DWORD code = 1;
        EXPECT_TRUE(WaitForExit(run.process, 10000, &code)) << "the paste did not end the tool";
        EXPECT_EQ(code, 0u);
        StopProcess(run.process);
    }
    EXPECT_EQ(WindowTextOf(hostEditor), "host text");
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE), "[g]\r\na = alpha\r\n");
}

TEST_F(BadInput, WordOf32KilobytesIsShownAsGiven) {
    std::string word(32000, 'w');
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE, "[g]\r\na = 1\r\n"));
    ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{word.c_str()}, &run));
    EXPECT_TRUE(Answers(run.main));
    EXPECT_EQ(ListRowCount(List()), 0); // the word names no category
    EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
}

TEST_F(BadInput, OddlyQuotedCommandLines) {
    std::string program = folder + "Orvane.exe";
    struct LineCase {
        const char* name;
        std::string line;
        std::string comboText; // the word the line gives, or the first category when it gives none
    };
    std::vector<LineCase> cases = {
        {"no quotes", program + " b", "a"},
        {"one quote", "\"" + program + " b", "a"},
        {"three quotes", "\"" + program + "\" B \"rest", "b"},
        {"empty fields", "\"" + program + "\"\"\"\"", "a"},
        {"quoted word", "\"" + program + "\" \"b\"", "a"},
    };
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE, "[a]\r\nx = 1\r\n[b]\r\ny = 2\r\nz = 3\r\n"));
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        IdeStart ide;
        ide.commandLine = c.line;
        ASSERT_TRUE(LaunchOrvaneIn(folder, ide, &run));
        EXPECT_TRUE(Answers(run.main));
        EXPECT_EQ(WindowTextOf(Combo()), c.comboText);
        EXPECT_EQ(ListRowCount(List()), c.comboText == "a" ? 1 : 2);
        EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
    }
}
