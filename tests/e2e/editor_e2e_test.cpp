// The catalogue editor of the real Orvane.exe, driven with real clicks and keys: what it loads,
// what Save and Cancel leave in the file and the main window, saving into a catalogue that cannot
// be replaced, Find, the Cut / Copy / Paste menu, and a close request for the main window.
#include <gtest/gtest.h>

#include "support/immutable_file.h"
#include "support/temp_dir.h"
#include "window_e2e_support.h"

static const char* const CATALOGUE = "[fruit]\r\nA = apple\r\nB = banana\r\n[tools]\r\nH = hammer";

class Editor : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_TRUE(QuitOrvane(run)) << "Orvane did not end when asked"; }

    // A null catalogue leaves the data folder without one.
    void Open(const char* catalogue, bool nonAnsiFolderName = false) {
        ASSERT_TRUE(LaunchOrvane(catalogue, &run, "fruit", nonAnsiFolderName));
        editorWindow = OpenEditor(run);
        ASSERT_TRUE(editorWindow) << "no editor window";
        editor = Gadget(editorWindow, EDITOR_TEXT);
    }
    std::string Catalogue() { return ReadDataFile(run.folder, "constants.ovc"); }
    bool EditorClosed() {
        return WaitUntil([&] { return !IsWindow(editorWindow); }, 5000);
    }
    // Clicks into the editor and puts the caret at the start of its text.
    void FocusEditorAtStart() {
        ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
        ASSERT_TRUE(PressKey(VK_HOME, VK_CONTROL));
        ASSERT_TRUE(WaitUntil([&] { return EditSelection(editor).end == 0; }, 2000));
    }
    void SelectAllAndDelete() {
        ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
        ASSERT_TRUE(PressKey('A', VK_CONTROL));
        ASSERT_TRUE(PressKey(VK_DELETE));
        ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor).empty(); }, 2000));
    }

    RunningOrvane run;
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
    EXPECT_EQ(client.right, Scaled(400));
    EXPECT_EQ(client.bottom, Scaled(350));
    RECT outer = OuterRect(editorWindow);
    EXPECT_EQ(outer.left, (1024 - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (768 - (outer.bottom - outer.top)) / 2);
    // A title bar without a close box.
    EXPECT_EQ(GetWindowLongPtrA(editorWindow, GWL_STYLE) & WS_SYSMENU, 0);

    EXPECT_EQ(WindowTextOf(editor), shown);
    EXPECT_EQ(WindowTextOf(Gadget(editorWindow, SEARCH_FIELD)), "Searchtext");
    ASSERT_TRUE(TypeText("x")); // the text has the keyboard focus at open, the caret at its start
    ASSERT_TRUE(PressKey(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "x\r\n" + shown; }, 3000));
    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
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
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == edited; }, 3000)) << WindowTextOf(editor);

    ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
    ASSERT_TRUE(EditorClosed());
    // Exactly the editor's text: CR LF between lines, nothing added behind the last one.
    EXPECT_EQ(Catalogue(), edited);
    EXPECT_FALSE(DataFileExists(run.folder, "constants.ovc.saving"));

    HWND box = Gadget(run.main, CATEGORY_BOX);
    EXPECT_EQ(ComboItemCount(box), 3);
    EXPECT_EQ(WindowTextOf(box), "drinks");
    EXPECT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)), std::vector<std::string>{"tea"});
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run.main; }, 3000));
}

TEST_F(Editor, SavingAnEmptyEditorEmptiesTheFileAndTheViews) {
    Open(CATALOGUE);
    ASSERT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)).size(), 2u);
    SelectAllAndDelete();
    ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
    ASSERT_TRUE(EditorClosed());

    EXPECT_TRUE(DataFileExists(run.folder, "constants.ovc"));
    EXPECT_EQ(Catalogue(), "");
    EXPECT_EQ(ComboItemCount(Gadget(run.main, CATEGORY_BOX)), 0);
    EXPECT_TRUE(ListRowTexts(Gadget(run.main, ENTRY_LIST)).empty());
}

TEST_F(Editor, WithoutACatalogueTheEditorStartsEmptyAndSaveCreatesIt) {
    Open(nullptr);
    EXPECT_EQ(WindowTextOf(editor), "");
    ASSERT_TRUE(ClickGadget(editorWindow, FIND_BUTTON));
    HWND box = WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box) << "an empty editor has nothing to find";
    EXPECT_EQ(MessageBoxText(box), "It wasn't found!");
    ASSERT_TRUE(DismissMessageBox(box));

    ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
    ASSERT_TRUE(TypeText("[new]"));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(TypeText("k = v"));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "[new]\r\nk = v"; }, 3000))
        << WindowTextOf(editor);
    // Save reloads the shipped catalogue beside the user's too; the user's comes first.
    const std::string shipped = "[messagebox]\r\nok = MB_OK\r\n[new]\r\nx = v\r\ny = w\r\n";
    ASSERT_TRUE(WriteDataFile(run.folder, "api.ovc", shipped));
    ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), "[new]\r\nk = v");
    EXPECT_EQ(ReadDataFile(run.folder, "api.ovc"), shipped);
    EXPECT_EQ(WindowTextOf(Gadget(run.main, CATEGORY_BOX)), "new");
    EXPECT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)), (std::vector<std::string>{"v", "w"}));
    EXPECT_EQ(ComboItemTexts(Gadget(run.main, CATEGORY_BOX)),
              (std::vector<std::string>{"messagebox", "new"}));
}

// Installed in a folder whose name the ANSI code page cannot write: the catalogue shows, Save
// replaces it, and the window's place is remembered there.
TEST_F(Editor, WorksInAFolderNamedInAnyScript) {
    Open(CATALOGUE, true);
    ASSERT_NE(run.folder.find(NON_ANSI_NAME), std::string::npos);
    EXPECT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)), (std::vector<std::string>{"apple", "banana"}));
    EXPECT_EQ(WindowTextOf(editor), CATALOGUE);
    SelectAllAndDelete();
    ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
    ASSERT_TRUE(EditorClosed());
    EXPECT_TRUE(DataFileExists(run.folder, "constants.ovc"));
    EXPECT_EQ(Catalogue(), "");
    EXPECT_FALSE(DataFileExists(run.folder, "constants.ovc.saving"));

    RECT outer = OuterRect(run.main);
    ASSERT_TRUE(QuitOrvane(run));
    EXPECT_EQ(ReadDataFile(run.folder, "Orvane.cfg"), SettingsFileText(outer.left, outer.top));
}

TEST_F(Editor, CancelLeavesTheFileAsItWas) {
    std::string catalogue = std::string(CATALOGUE) + "\r\n\r\n; trailing blank lines and a comment\r\n";
    Open(catalogue.c_str());
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("junk"));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "junk" + catalogue; }, 3000));
    // The main window takes no input meanwhile: its "Quit" does nothing. Escape drops nothing either.
    EXPECT_FALSE(IsWindowEnabled(run.main));
    ASSERT_TRUE(ClickWindowCentre(Gadget(run.main, QUIT_BUTTON)));
    ASSERT_TRUE(BringToForeground(editorWindow) && PressKey(VK_ESCAPE));
    EXPECT_FALSE(WaitForExit(run.process, 500)) << "the program ended";
    EXPECT_TRUE(IsWindow(editorWindow) && WindowTextOf(editor) == "junk" + catalogue) << "Escape closed it";

    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), catalogue);
    EXPECT_EQ(WindowTextOf(Gadget(run.main, CATEGORY_BOX)), "fruit");
    EXPECT_TRUE(IsWindowEnabled(run.main));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run.main; }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return FocusedControlOf(run.main) == Gadget(run.main, EDIT_BUTTON); }, 3000));
}

TEST_F(Editor, SaveIntoAWriteProtectedCatalogueKeepsFileAndEdits) {
    Open(CATALOGUE);
    ImmutableFile locked(run.folder + "constants.ovc");
    if (!locked.active) GTEST_SKIP() << "chattr +i is not available here (needs root on ext4)";
    FocusEditorAtStart();
    ASSERT_TRUE(TypeText("new "));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "new " + std::string(CATALOGUE); }, 3000));

    ExpectRefusedSave(editorWindow, run.process.id, CATALOGUE, run.folder);
    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
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
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "new " + std::string(CATALOGUE); }, 3000));

    ExpectRefusedSave(editorWindow, run.process.id, CATALOGUE, run.folder);
    CloseHandle(held);
    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
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
        ASSERT_TRUE(LaunchOrvane(CATALOGUE, &run));
        ASSERT_TRUE(WriteDataFile(run.folder, "constants.ovc", whole));
        HANDLE file = CreateFileA((run.folder + "constants.ovc").c_str(), GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER beyond4GB = {{0x10, 1}}; // sparse: nothing of it is read
        ASSERT_TRUE(zero || (SetFilePointerEx(file, beyond4GB, nullptr, FILE_BEGIN) && SetEndOfFile(file)));
        CloseHandle(file);
        ASSERT_TRUE((editorWindow = OpenEditor(run)));
        HWND box = WaitForMessageBox(run.process.id, 5000);
        ASSERT_TRUE(box) << "no message when the editor opened";
        EXPECT_NE(MessageBoxText(box).find(reason), std::string::npos) << MessageBoxText(box);
        ASSERT_TRUE(DismissMessageBox(box));
        EXPECT_EQ(WindowTextOf(Gadget(editorWindow, EDITOR_TEXT)), zero ? head : "");
        for (int answer : {IDNO, IDYES}) {
            ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
            ASSERT_TRUE((box = WaitForMessageBox(run.process.id, 5000))) << "Save did not ask";
            EXPECT_NE(MessageBoxText(box).find(": what was not loaded will be lost. Save anyway?"),
                      std::string::npos);
            ASSERT_TRUE(answer == IDNO ? DismissMessageBox(box) : ClickGadget(box, IDYES));
            if (zero && answer == IDNO) {
                EXPECT_EQ(Catalogue(), whole);
            }
        }
        ASSERT_TRUE(EditorClosed());
        EXPECT_EQ(Catalogue(), zero ? head : "");
        EXPECT_TRUE(QuitOrvane(run));
    }
}

// Another program writes the catalogue meanwhile: Save asks, No (Return) keeps both texts as they are.
TEST_F(Editor, CatalogueChangedMeanwhileIsReplacedOnlyWhenTheUserAgrees) {
    const std::string ours = "\xEF\xBB\xBF" + std::string(CATALOGUE), theirs = ours + "\r\n[added]\r\nx = y";
    Open(ours.c_str());
    ASSERT_TRUE(WriteDataFile(run.folder, "constants.ovc", theirs));
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
        HWND box = WaitForMessageBox(run.process.id, 5000);
        ASSERT_TRUE(box) << "Save did not ask";
        EXPECT_EQ(MessageBoxText(box), "The catalogue was changed by another program after the editor opened "
                                       "it. Replace it with the editor's text?");
        EXPECT_EQ(GetWindow(box, GW_OWNER), editorWindow);
        ASSERT_TRUE(answer == IDNO ? DismissMessageBox(box) : ClickGadget(box, IDYES));
        if (answer == IDNO) {
            EXPECT_EQ(Catalogue(), theirs);
            EXPECT_EQ(WindowTextOf(editor), ours);
        }
    }
    ASSERT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), ours);
}

// Rich edit libraries left beside Orvane.exe, in its data folder, are never loaded, also where the
// program's own folder is searched first, as on Windows (Wine's per-program setting, for the test).
TEST_F(Editor, LibrariesPlantedBesideTheProgramAreNotLoaded) {
    const char* const overrides = "Software\\Wine\\AppDefaults\\Orvane.exe\\DllOverrides";
    for (const char* library : {"riched20", "riched32"})
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, overrides, library, REG_SZ, "native,builtin", 15), 0);
    ASSERT_TRUE(LaunchOrvane(CATALOGUE, &run, "fruit"));
    for (const char* name : {"RICHED20.DLL", "RICHED32.DLL"})
        ASSERT_TRUE(
            CopyFileA((BinDirectory() + "planted_library.dll").c_str(), (run.folder + name).c_str(), FALSE));
    ASSERT_TRUE((editorWindow = OpenEditor(run)));
    EXPECT_EQ(WindowTextOf(Gadget(editorWindow, EDITOR_TEXT)), CATALOGUE);
    RegDeleteKeyA(HKEY_CURRENT_USER, overrides);
    EXPECT_FALSE(DataFileExists(run.folder, "planted-library-loaded"));
}

// Clicks Find and gives the caret's line; the caret is an empty selection.
static long FindAndCaretLine(HWND editorWindow, HWND editor) {
    TextRange before = EditSelection(editor);
    if (!ClickGadget(editorWindow, FIND_BUTTON)) return -2;
    WaitUntil([&] { return EditSelection(editor).start != before.start; }, 1500);
    TextRange caret = EditSelection(editor);
    if (caret.start != caret.end) return -3;
    return EditLineOfPosition(editor, caret.start);
}

TEST_F(Editor, SuccessiveFindsVisitEveryMatchingLineThenStartOver) {
    std::string text = "needle one\r\nhay with a needle\r\nTHE NEEDLE";
    for (int i = 0; i < 10; i++)
        text += "\r\nhay " + std::to_string(i);
    Open(text.c_str());
    ASSERT_TRUE(ClickGadget(editorWindow, SEARCH_FIELD));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(PressKey(VK_HOME, VK_SHIFT));
    ASSERT_TRUE(TypeText("needle"));
    ASSERT_TRUE(
        WaitUntil([&] { return WindowTextOf(Gadget(editorWindow, SEARCH_FIELD)) == "needle"; }, 2000));

    // Each match brings the caret nine lines below it.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 9);
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 10);
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 11);

    ASSERT_TRUE(ClickGadget(editorWindow, FIND_BUTTON));
    HWND box = WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box) << "no message after the last match";
    EXPECT_EQ(MessageBoxText(box), "It wasn't found!");
    // The editor's own box: it stays in front of the editor, which waits for it.
    EXPECT_EQ(GetWindow(box, GW_OWNER), editorWindow);
    ASSERT_TRUE(DismissMessageBox(box));

    // Over again from the top: the match in the first line is found as well.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 9);
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 10);
    // Another text starts from the top, not below the last text's match.
    ASSERT_TRUE(ClickGadget(editorWindow, SEARCH_FIELD) && PressKey(VK_END) && PressKey(VK_HOME, VK_SHIFT));
    ASSERT_TRUE(TypeText("ne"));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(Gadget(editorWindow, SEARCH_FIELD)) == "ne"; }, 2000));
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 9);
    EXPECT_EQ(WindowTextOf(editor), text);
}

TEST_F(Editor, UnchangedSearchFieldFindsSearchtextAndLateMatchesGoToTheLastLine) {
    std::string text = "first\r\nsecond\r\nthe SEARCHTEXT\r\nfour\r\nfive\r\nlast line";
    Open(text.c_str());
    // Nine lines below line 2 there is no line: the caret goes to the start of the last one.
    EXPECT_EQ(FindAndCaretLine(editorWindow, editor), 5);
    EXPECT_EQ(EditSelection(editor).start, (long)text.size() - (long)std::string("last line").size() - 5);
}

TEST_F(Editor, RightClickMenuOnlyWhileTheEditorHasTheFocus) {
    Open(CATALOGUE);
    RECT save = OuterRect(Gadget(editorWindow, SAVE_BUTTON));

    // The search field has the focus: a right click elsewhere shows no menu. (A right click into the
    // search field itself would show that field's own menu.)
    ASSERT_TRUE(ClickGadget(editorWindow, SEARCH_FIELD));
    ASSERT_TRUE(RightClickAt((save.left + save.right) / 2, (save.top + save.bottom) / 2));
    EXPECT_FALSE(WaitUntil([&] { return VisibleWindowOfClass("#32768", run.process.id) != nullptr; }, 700));

    // The editor has the focus: a right click, even on the Save button, shows the menu.
    ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
    ASSERT_TRUE(RightClickAt((save.left + save.right) / 2, (save.top + save.bottom) / 2));
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindowOfClass("#32768", run.process.id) != nullptr; }, 3000));
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitUntil([&] { return VisibleWindowOfClass("#32768", run.process.id) == nullptr; }, 3000));
    EXPECT_EQ(Catalogue(), CATALOGUE);
    EXPECT_EQ(WindowTextOf(editor), CATALOGUE);
}

// Right-clicks into the editor and picks the menu item (1 Cut, 2 Copy, 3 Paste) with the keys.
static bool ChooseFromMenu(HWND editor, DWORD processId, int item) {
    RECT r = OuterRect(editor);
    bool shown = false;
    for (int attempt = 0; attempt < 2 && !shown; attempt++) {
        if (!RightClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2)) return false;
        shown = WaitUntil([&] { return VisibleWindowOfClass("#32768", processId) != nullptr; }, 1500);
    }
    if (!shown) return false;
    for (int i = 0; i < item; i++)
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    return WaitUntil([&] { return VisibleWindowOfClass("#32768", processId) == nullptr; }, 3000);
}

TEST_F(Editor, MenuCutsCopiesAndPastesAndAPictureDeletesTheSelection) {
    Open("alpha beta");
    ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
    SendNumbers(editor, EM_SETSEL, 0, 5); // "alpha"
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 2));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 3));
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "alpha betaalpha"; }, 3000))
        << WindowTextOf(editor);

    ASSERT_TRUE(PutOnlyAPictureOnClipboard());
    SendNumbers(editor, EM_SETSEL, 5, 10); // " beta"
    ASSERT_TRUE(ChooseFromMenu(editor, run.process.id, 3));
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "alphaalpha"; }, 3000))
        << WindowTextOf(editor);

    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
    EXPECT_TRUE(EditorClosed());
    EXPECT_EQ(Catalogue(), "alpha beta");
}

// A close request for the main window while the editor holds changes not saved: the editor asks
// first, and so does Alt+F4 on the editor. A new start gives way to the question, also to one
// already up, and brings it to the front. Cancel keeps the editor and its text; No (here to a close
// request that came while "It wasn't found!" was up) closes it unsaved and Yes saves, both ending
// the tool.
TEST_F(Editor, CloseRequestOfTheMainWindowAsksAboutChangesNotSaved) {
    auto openAndType = [&] {
        Open(CATALOGUE);
        FocusEditorAtStart();
        ASSERT_TRUE(TypeText("new "));
        ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == "new " + std::string(CATALOGUE); }, 3000));
    };
    auto newStartGivesWay = [&] {
        ChildProcess next;
        ASSERT_TRUE(StartOrvane(run.folder, IdeStart{"fruit"}, &next));
        EXPECT_EQ(WaitForOrvaneExit(next), 0);
        EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE), std::vector<HWND>{run.main});
    };
    auto answer = [&](int button, bool newStartFirst = false) {
        HWND box = WaitForMessageBox(run.process.id, 5000);
        ASSERT_TRUE(box) << "no question";
        EXPECT_EQ(MessageBoxText(box), "Save the changes to the catalogue?");
        if (newStartFirst) newStartGivesWay();
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, 2000));
        ASSERT_TRUE(ClickGadget(box, button));
    };

    openAndType();
    newStartGivesWay();
    answer(IDCANCEL);
    EXPECT_FALSE(WaitForExit(run.process, 500)) << "the program ended";
    EXPECT_EQ(WindowTextOf(editor), "new " + std::string(CATALOGUE));
    ASSERT_TRUE(BringToForeground(editorWindow) && PressKey(VK_F4, VK_MENU));
    answer(IDCANCEL);

    ASSERT_TRUE(ClickGadget(editorWindow, FIND_BUTTON));
    HWND box = WaitForMessageBox(run.process.id, 5000);
    ASSERT_TRUE(box && PostMessageA(run.main, WM_CLOSE, 0, 0) && DismissMessageBox(box));
    answer(IDNO, true);
    EXPECT_EQ(WaitForOrvaneExit(run.process), 0);
    EXPECT_EQ(Catalogue(), CATALOGUE);

    openAndType();
    ASSERT_TRUE(PostMessageA(run.main, WM_CLOSE, 0, 0));
    answer(IDYES);
    EXPECT_EQ(WaitForOrvaneExit(run.process), 0);
    EXPECT_EQ(Catalogue(), "new " + std::string(CATALOGUE));
}

// The pictures in the README, with the shipped api.ovc beside a user's constants.ovc of one category:
// the main window and the editor over it, the generated category of a call written in its wide
// form, and the constants found for a word that names no category.
// Runs only for scripts/screenshots.sh, which sets ORVANE_SCREENSHOT_DIR.
TEST(Screenshots, MainAndEditorWindows) {
    if (!getenv("ORVANE_SCREENSHOT_DIR")) GTEST_SKIP() << "ORVANE_SCREENSHOT_DIR is not set";
    std::string shipped = ReadWholeFile(FolderFromEnvironment("ORVANE_SAMPLE_DIR") + "samples\\api.ovc");
    ASSERT_FALSE(shipped.empty());
    const char* own = "; constants.ovc - my own categories, read before api.ovc.\r\n"
                      "; No upgrade touches this file.\r\n\r\n"
                      "[myflags]\r\nFLAG_LOUD = FLAG_LOUD\r\nFLAG_QUIET = FLAG_QUIET\r\n";
    auto launch = [&](const char* word, RunningOrvane* run) {
        ASSERT_TRUE(WaitForEarlierOrvanes());
        std::string folder = PrepareDataFolder();
        ASSERT_TRUE(WriteDataFile(folder, "api.ovc", shipped) && WriteDataFile(folder, "constants.ovc", own));
        ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{word}, run));
        // Whole on the screen at any scale: the first start's place near the right edge is for 96 dpi.
        SetWindowPos(run->main, nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    RunningOrvane run;
    ASSERT_NO_FATAL_FAILURE(launch("messagebox", &run));

    // Two ticked rows: a click selects the first one, Space ticks, Down moves on.
    RECT list = OuterRect(Gadget(run.main, ENTRY_LIST));
    ASSERT_TRUE(BringToForeground(run.main));
    ASSERT_TRUE(LeftClickAt(list.left + Scaled(150), list.top + Scaled(32)));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_SPACE));
    SaveScreenshotIfWanted(run.main, "main-window");

    HWND editorWindow = OpenEditor(run);
    ASSERT_TRUE(editorWindow);
    SaveScreenshotIfWanted(editorWindow, "editor-window");
    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editorWindow); }, 5000));
    EXPECT_TRUE(QuitOrvane(run));

    for (const char* word : {"CreateFileW", "mb_icon"}) {
        RunningOrvane other;
        ASSERT_NO_FATAL_FAILURE(launch(word, &other));
        SaveScreenshotIfWanted(other.main, word[0] == 'C' ? "generated-category" : "found-constants");
        EXPECT_TRUE(QuitOrvane(other));
    }
}
