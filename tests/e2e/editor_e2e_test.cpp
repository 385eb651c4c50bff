// The catalogue editor of the real Orvane.exe, driven with real clicks and keys: what it loads,
// what Save and Cancel leave in the file and the main window, saving into a catalogue that cannot
// be replaced, Find, the Cut / Copy / Paste menu, and a close request from the main window.
#include <gtest/gtest.h>

#include "support/immutable_file.h"
#include "support/temp_dir.h"
#include "window_e2e_support.h"

enum { CATEGORY_BOX = 1, ENTRY_LIST = 2 };
enum { EDITOR = 51, SAVE = 52, CANCEL = 53, SEARCH_FIELD = 54, FIND = 55 };

static const char* const CATALOGUE = "[fruit]\r\nA = apple\r\nB = banana\r\n[tools]\r\nH = hammer";

class Editor : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_TRUE(gui::QuitOrvane(run)) << "Orvane did not end when asked"; }

    // A null catalogue leaves the data folder without one.
    void Open(const char* catalogue) {
        ASSERT_TRUE(gui::LaunchOrvane(catalogue, &run, "fruit"));
        editorWindow = gui::OpenEditor(run);
        ASSERT_TRUE(editorWindow) << "no editor window";
        editor = gui::Gadget(editorWindow, EDITOR);
    }
    std::string Catalogue() { return ReadDataFile(run.folder, "constants.ovc"); }
    bool EditorClosed() {
        return gui::WaitUntil([&] { return !IsWindow(editorWindow); }, 5000);
    }
    // Clicks into the editor and puts the caret at the start of its text.
    void FocusEditorAtStart() {
        ASSERT_TRUE(gui::ClickGadget(editorWindow, EDITOR));
        ASSERT_TRUE(gui::PressKeyWith(VK_CONTROL, VK_HOME));
        ASSERT_TRUE(gui::WaitUntil([&] { return gui::EditSelection(editor).end == 0; }, 2000));
    }
    void SelectAllAndDelete() {
        ASSERT_TRUE(gui::ClickGadget(editorWindow, EDITOR));
        ASSERT_TRUE(gui::PressKeyWith(VK_CONTROL, 'A'));
        ASSERT_TRUE(PressKey(VK_DELETE));
        ASSERT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor).empty(); }, 2000));
    }

    gui::RunningOrvane run;
    HWND editorWindow = nullptr;
    HWND editor = nullptr;
};

TEST_F(Editor, OpensCentredHoldingALargeFileWholeAndTakesTyping) {
    // Past the rich edit's first limit of 32,767 characters; LF line ends come back as CR LF.
    std::string catalogue = "[numbers]\n", shown = "[numbers]\r\n";
    for (int i = 0; catalogue.size() <= 40000; i++) {
        catalogue += "N" + std::to_string(i) + " = value " + std::to_string(i) + "\n";
        shown += "N" + std::to_string(i) + " = value " + std::to_string(i) + "\r\n";
    }
    catalogue += "Last = no line end";
    shown += "Last = no line end";
    Open(catalogue.c_str());

    RECT client = {};
    ASSERT_TRUE(GetClientRect(editorWindow, &client));
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 350);
    RECT outer = OuterRect(editorWindow);
    EXPECT_EQ(outer.left, (1024 - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (768 - (outer.bottom - outer.top)) / 2);
    // A title bar without a close box.
    EXPECT_EQ(GetWindowLongPtrA(editorWindow, GWL_STYLE) & WS_SYSMENU, 0);

    EXPECT_EQ(WindowTextOf(editor), shown);
    EXPECT_EQ(WindowTextOf(gui::Gadget(editorWindow, SEARCH_FIELD)), "Searchtext");
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("x"));
    ASSERT_TRUE(PressKey(VK_RETURN));
    EXPECT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == "x\r\n" + shown; }, 3000));
}

TEST_F(Editor, SaveWritesTheEditedTextAndReloadsTheMainWindow) {
    Open(CATALOGUE);
    ASSERT_EQ(WindowTextOf(editor), CATALOGUE);
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("[drinks]"));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(TypeText("t = tea"));
    ASSERT_TRUE(PressKey(VK_RETURN));
    std::string edited = std::string("[drinks]\r\nt = tea\r\n") + CATALOGUE;
    ASSERT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == edited; }, 3000)) << WindowTextOf(editor);

    ASSERT_TRUE(gui::ClickGadget(editorWindow, SAVE));
    ASSERT_TRUE(EditorClosed());
    // Exactly the editor's text: CR LF between lines, nothing added behind the last one.
    EXPECT_EQ(Catalogue(), edited);
    EXPECT_FALSE(DataFileExists(run.folder, "constants.ovc.saving"));

    HWND box = gui::Gadget(run.main, CATEGORY_BOX);
    EXPECT_EQ(gui::SendNumbers(box, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(WindowTextOf(box), "drinks");
    EXPECT_EQ(gui::ListViewRows(gui::Gadget(run.main, ENTRY_LIST)), std::vector<std::string>{"tea"});
    EXPECT_TRUE(gui::WaitUntil([&] { return GetForegroundWindow() == run.main; }, 3000));
}

TEST_F(Editor, SavingAnEmptyEditorEmptiesTheFileAndTheViews) {
    Open(CATALOGUE);
    ASSERT_EQ(gui::ListViewRows(gui::Gadget(run.main, ENTRY_LIST)).size(), 2u);
    SelectAllAndDelete();
    ASSERT_TRUE(gui::ClickGadget(editorWindow, SAVE));
    ASSERT_TRUE(EditorClosed());

    EXPECT_TRUE(DataFileExists(run.folder, "constants.ovc"));
    EXPECT_EQ(Catalogue(), "");
    EXPECT_EQ(gui::SendNumbers(gui::Gadget(run.main, CATEGORY_BOX), CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(gui::ListViewRows(gui::Gadget(run.main, ENTRY_LIST)).empty());
}

TEST_F(Editor, WithoutACatalogueTheEditorStartsEmptyAndSaveCreatesIt) {
    Open(nullptr);
    EXPECT_EQ(WindowTextOf(editor), "");
    ASSERT_TRUE(gui::ClickGadget(editorWindow, FIND));
    HWND box = gui::WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box) << "an empty editor has nothing to find";
    EXPECT_EQ(gui::MessageBoxText(box), "It wasn't found!");
    ASSERT_TRUE(gui::DismissMessageBox(box));

    ASSERT_TRUE(gui::ClickGadget(editorWindow, EDITOR));
    ASSERT_TRUE(TypeText("[new]"));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(TypeText("k = v"));
    ASSERT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == "[new]\r\nk = v"; }, 3000))
        << WindowTextOf(editor);
    ASSERT_TRUE(gui::ClickGadget(editorWindow, SAVE));
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), "[new]\r\nk = v");
    EXPECT_EQ(WindowTextOf(gui::Gadget(run.main, CATEGORY_BOX)), "new");
    EXPECT_EQ(gui::ListViewRows(gui::Gadget(run.main, ENTRY_LIST)), std::vector<std::string>{"v"});
}

TEST_F(Editor, CancelLeavesTheFileAsItWas) {
    std::string catalogue = std::string(CATALOGUE) + "\r\n\r\n; trailing blank lines and a comment\r\n";
    Open(catalogue.c_str());
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("junk"));
    ASSERT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == "junk" + catalogue; }, 3000));

    ASSERT_TRUE(gui::ClickGadget(editorWindow, CANCEL));
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), catalogue);
    EXPECT_EQ(WindowTextOf(gui::Gadget(run.main, CATEGORY_BOX)), "fruit");
    EXPECT_TRUE(gui::WaitUntil([&] { return GetForegroundWindow() == run.main; }, 3000));
}

// A refused save keeps the old file and the user's text, and says why; Cancel then leaves it.
static void ExpectRefusedSave(HWND editorWindow, HWND editor, DWORD processId, const std::string& original,
                              const std::string& folder) {
    ASSERT_TRUE(gui::ClickGadget(editorWindow, SAVE));
    HWND box = gui::WaitForMessageBox(processId, 5000);
    ASSERT_TRUE(box) << "no message about the failed save";
    std::string text = gui::MessageBoxText(box);
    EXPECT_NE(text.find("could not be saved"), std::string::npos) << text;
    EXPECT_NE(text.find("still in the editor"), std::string::npos) << text;
    ASSERT_TRUE(gui::DismissMessageBox(box));

    EXPECT_TRUE(IsWindow(editorWindow));
    EXPECT_EQ(WindowTextOf(editor), "new " + original);
    EXPECT_EQ(ReadDataFile(folder, "constants.ovc"), original);
    EXPECT_FALSE(DataFileExists(folder, "constants.ovc.saving"));
}

TEST_F(Editor, SaveIntoAWriteProtectedCatalogueKeepsFileAndEdits) {
    Open(CATALOGUE);
    ImmutableFile locked(run.folder + "constants.ovc");
    if (!locked.active) GTEST_SKIP() << "chattr +i is not available here (needs root on ext4)";
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("new "));
    ASSERT_TRUE(
        gui::WaitUntil([&] { return WindowTextOf(editor) == "new " + std::string(CATALOGUE); }, 3000));

    ExpectRefusedSave(editorWindow, editor, run.process.id, CATALOGUE, run.folder);
    ASSERT_TRUE(gui::ClickGadget(editorWindow, CANCEL));
    EXPECT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), CATALOGUE);
}

TEST_F(Editor, SaveWhileAnotherProgramHoldsTheCatalogueKeepsFileAndEdits) {
    Open(CATALOGUE);
    std::string path = run.folder + "constants.ovc";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("new "));
    ASSERT_TRUE(
        gui::WaitUntil([&] { return WindowTextOf(editor) == "new " + std::string(CATALOGUE); }, 3000));

    ExpectRefusedSave(editorWindow, editor, run.process.id, CATALOGUE, run.folder);
    CloseHandle(held);
    ASSERT_TRUE(gui::ClickGadget(editorWindow, CANCEL));
    EXPECT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), CATALOGUE);
}

// A catalogue the editor did not load whole: a message says so when the editor opens, and Save asks
// first; Return takes the default No, which writes nothing and keeps the editor, and Yes saves.
TEST_F(Editor, CatalogueNotLoadedWholeIsReplacedOnlyWhenTheUserAgrees) {
    const std::string head = "[fruit]\r\nA = apple\r\n", whole = head + '\0' + "[tools]\r\nH = hammer";
    for (const char* reason : {"zero byte", "too big"}) {
        SCOPED_TRACE(reason);
        bool zero = reason[0] == 'z';
        ASSERT_TRUE(gui::LaunchOrvane(CATALOGUE, &run));
        ASSERT_TRUE(WriteDataFile(run.folder, "constants.ovc", whole));
        HANDLE file = CreateFileA((run.folder + "constants.ovc").c_str(), GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER beyond4GB = {{0x10, 1}}; // sparse: nothing of it is read
        ASSERT_TRUE(zero || (SetFilePointerEx(file, beyond4GB, nullptr, FILE_BEGIN) && SetEndOfFile(file)));
        CloseHandle(file);
        ASSERT_TRUE((editorWindow = gui::OpenEditor(run)));
        HWND box = gui::WaitForMessageBox(run.process.id, 5000);
        ASSERT_TRUE(box) << "no message when the editor opened";
        EXPECT_NE(gui::MessageBoxText(box).find(reason), std::string::npos) << gui::MessageBoxText(box);
        ASSERT_TRUE(gui::DismissMessageBox(box));
        EXPECT_EQ(WindowTextOf(gui::Gadget(editorWindow, EDITOR)), zero ? head : "");
        for (int answer : {IDNO, IDYES}) {
            ASSERT_TRUE(gui::ClickGadget(editorWindow, SAVE));
            ASSERT_TRUE((box = gui::WaitForMessageBox(run.process.id, 5000))) << "Save did not ask";
            EXPECT_NE(gui::MessageBoxText(box).find(": what was not loaded will be lost. Save anyway?"),
                      std::string::npos);
            ASSERT_TRUE(answer == IDNO ? gui::DismissMessageBox(box) : gui::ClickGadget(box, IDYES));
            if (zero && answer == IDNO) {
                EXPECT_EQ(Catalogue(), whole);
            }
        }
        ASSERT_TRUE(EditorClosed());
        EXPECT_EQ(Catalogue(), zero ? head : "");
        EXPECT_TRUE(gui::QuitOrvane(run));
    }
}

// Rich edit libraries left beside Orvane.exe, in its data folder, are never loaded, also where the
// program's own folder is searched first, as on Windows (Wine's per-program setting, for the test).
TEST_F(Editor, LibrariesPlantedBesideTheProgramAreNotLoaded) {
    const char* const overrides = "Software\\Wine\\AppDefaults\\Orvane.exe\\DllOverrides";
    for (const char* library : {"riched20", "riched32"})
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, overrides, library, REG_SZ, "native,builtin", 15), 0);
    ASSERT_TRUE(gui::LaunchOrvane(CATALOGUE, &run, "fruit"));
    for (const char* name : {"RICHED20.DLL", "RICHED32.DLL"})
        ASSERT_TRUE(
            CopyFileA((BinDirectory() + "planted_library.dll").c_str(), (run.folder + name).c_str(), FALSE));
    ASSERT_TRUE((editorWindow = gui::OpenEditor(run)));
    EXPECT_EQ(WindowTextOf(gui::Gadget(editorWindow, EDITOR)), CATALOGUE);
    RegDeleteKeyA(HKEY_CURRENT_USER, overrides);
    EXPECT_FALSE(DataFileExists(run.folder, "planted-library-loaded"));
}

// Clicks Find and gives the caret's line; the caret is an empty selection.
static long FindAndCaretLine(HWND editorWindow, HWND editor) {
    gui::TextRange before = gui::EditSelection(editor);
    if (!gui::ClickGadget(editorWindow, FIND)) return -2;
    gui::WaitUntil([&] { return gui::EditSelection(editor).start != before.start; }, 1500);
    gui::TextRange caret = gui::EditSelection(editor);
    if (caret.start != caret.end) return -3;
    return gui::EditLineOfPosition(editor, caret.start);
}

TEST_F(Editor, SuccessiveFindsVisitEveryMatchingLineThenStartOver) {
    std::string text = "needle one\r\nhay with a needle\r\nTHE NEEDLE";
    for (int i = 0; i < 10; i++)
        text += "\r\nhay " + std::to_string(i);
    Open(text.c_str());
    ASSERT_TRUE(gui::ClickGadget(editorWindow, SEARCH_FIELD));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(PressKey(VK_HOME, true));
    ASSERT_TRUE(TypeText("needle"));
    ASSERT_TRUE(gui::WaitUntil(
        [&] { return WindowTextOf(gui::Gadget(editorWindow, SEARCH_FIELD)) == "needle"; }, 2000));

    // Each match brings the caret nine lines below it.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 9);
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 10);
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 11);

    ASSERT_TRUE(gui::ClickGadget(editorWindow, FIND));
    HWND box = gui::WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box) << "no message after the last match";
    EXPECT_EQ(gui::MessageBoxText(box), "It wasn't found!");
    ASSERT_TRUE(gui::DismissMessageBox(box));

    // Over again from the top: the match in the first line is found as well.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 9);
    EXPECT_EQ(WindowTextOf(editor), text);
}

TEST_F(Editor, UnchangedSearchFieldFindsSearchtextAndLateMatchesGoToTheLastLine) {
    std::string text = "first\r\nsecond\r\nthe SEARCHTEXT\r\nfour\r\nfive\r\nlast line";
    Open(text.c_str());
    // Nine lines below line 2 there is no line: the caret goes to the start of the last one.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 5);
    EXPECT_EQ(gui::EditSelection(editor).start,
              (long)text.size() - (long)std::string("last line").size() - 5);
}

TEST_F(Editor, RightClickMenuOnlyWhileTheEditorHasTheFocus) {
    Open(CATALOGUE);
    RECT save = OuterRect(gui::Gadget(editorWindow, SAVE));

    // The search field has the focus: a right click elsewhere shows no menu. (A right click into the
    // search field itself would show that field's own menu.)
    ASSERT_TRUE(gui::ClickGadget(editorWindow, SEARCH_FIELD));
    ASSERT_TRUE(gui::RightClickScreenPoint((save.left + save.right) / 2, (save.top + save.bottom) / 2));
    EXPECT_FALSE(gui::WaitUntil([&] { return gui::VisiblePopupMenu(run.process.id) != nullptr; }, 700));

    // The editor has the focus: a right click, even on the Save button, shows the menu.
    ASSERT_TRUE(gui::ClickGadget(editorWindow, EDITOR));
    ASSERT_TRUE(gui::RightClickScreenPoint((save.left + save.right) / 2, (save.top + save.bottom) / 2));
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::VisiblePopupMenu(run.process.id) != nullptr; }, 3000));
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::VisiblePopupMenu(run.process.id) == nullptr; }, 3000));
    EXPECT_EQ(Catalogue(), CATALOGUE);
    EXPECT_EQ(WindowTextOf(editor), CATALOGUE);
}

// Puts a picture, and nothing else, on the clipboard.
static bool ClipboardHoldsOnlyAPicture() {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    bool ok = SetClipboardData(CF_BITMAP, picture) != nullptr;
    CloseClipboard();
    return ok && !IsClipboardFormatAvailable(CF_TEXT);
}

// Right-clicks into the editor and picks the menu item (1 Cut, 2 Copy, 3 Paste) with the keys.
static bool ChooseFromMenu(HWND editor, DWORD processId, int item) {
    RECT r = OuterRect(editor);
    bool shown = false;
    for (int attempt = 0; attempt < 2 && !shown; attempt++) {
        if (!gui::RightClickScreenPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)) return false;
        shown = gui::WaitUntil([&] { return gui::VisiblePopupMenu(processId) != nullptr; }, 1500);
    }
    if (!shown) return false;
    for (int i = 0; i < item; i++)
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    return gui::WaitUntil([&] { return gui::VisiblePopupMenu(processId) == nullptr; }, 3000);
}

TEST_F(Editor, MenuCutsCopiesAndPastesAndAPictureDeletesTheSelection) {
    Open("alpha beta");
    ASSERT_TRUE(gui::ClickGadget(editorWindow, EDITOR));
    gui::SendNumbers(editor, EM_SETSEL, 0, 5); // "alpha"
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 2));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 3));
    EXPECT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == "alpha betaalpha"; }, 3000))
        << WindowTextOf(editor);

    ASSERT_TRUE(ClipboardHoldsOnlyAPicture());
    gui::SendNumbers(editor, EM_SETSEL, 5, 10); // " beta"
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 3));
    EXPECT_TRUE(gui::WaitUntil([&] { return WindowTextOf(editor) == "alphaalpha"; }, 3000))
        << WindowTextOf(editor);

    ASSERT_TRUE(gui::ClickGadget(editorWindow, CANCEL));
    EXPECT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), "alpha beta");
}

TEST_F(Editor, MainWindowCloseBoxClosesTheEditorNotTheProgram) {
    Open(CATALOGUE);
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("lost "));
    ASSERT_TRUE(
        gui::WaitUntil([&] { return WindowTextOf(editor) == "lost " + std::string(CATALOGUE); }, 3000));

    ASSERT_TRUE(gui::ClickCloseBox(run.main));
    ASSERT_TRUE(EditorClosed());
    EXPECT_FALSE(WaitForExit(run.process, 500)) << "the program ended";
    EXPECT_TRUE(IsWindowVisible(run.main));
    EXPECT_EQ(Catalogue(), CATALOGUE);

    // The program goes on: the editor opens again. A close request while "It wasn't found!" is up
    // closes it once the message is dismissed.
    editorWindow = gui::OpenEditor(run);
    ASSERT_TRUE(editorWindow);
    ASSERT_TRUE(gui::ClickGadget(editorWindow, FIND));
    HWND box = gui::WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box && PostMessageA(run.main, WM_CLOSE, 0, 0) && gui::DismissMessageBox(box));
    EXPECT_TRUE(EditorClosed());
    EXPECT_FALSE(WaitForExit(run.process, 500)) << "the program ended";
}

// The pictures in the README: the main window with the sample catalogue and the editor over it.
// Runs only for scripts/screenshots.sh, which sets ORVANE_SCREENSHOT_DIR.
TEST(Screenshots, MainAndEditorWindows) {
    if (!getenv("ORVANE_SCREENSHOT_DIR")) GTEST_SKIP() << "ORVANE_SCREENSHOT_DIR is not set";
    const char* sourceDir = getenv("ORVANE_SAMPLE_DIR");
    ASSERT_TRUE(sourceDir);
    std::string sample = ReadWholeFile(WindowsPathFromHost(sourceDir) + "\\samples\\constants.ovc");
    ASSERT_FALSE(sample.empty());
    gui::RunningOrvane run;
    ASSERT_TRUE(gui::LaunchOrvane(sample.c_str(), &run, "messagebox"));

    // Two ticked rows: a click selects the first one, Space ticks, Down moves on.
    RECT list = OuterRect(gui::Gadget(run.main, ENTRY_LIST));
    ASSERT_TRUE(gui::MakeForeground(run.main));
    ASSERT_TRUE(gui::LeftClickScreenPoint(list.left + 150, list.top + 32));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_SPACE));
    gui::SaveScreenshotIfWanted(run.main, "main-window");

    HWND editorWindow = gui::OpenEditor(run);
    ASSERT_TRUE(editorWindow);
    gui::SaveScreenshotIfWanted(editorWindow, "editor-window");
    ASSERT_TRUE(gui::ClickGadget(editorWindow, CANCEL));
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindow(editorWindow); }, 5000));
    EXPECT_TRUE(gui::QuitOrvane(run));
}
