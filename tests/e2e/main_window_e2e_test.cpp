// The main window of the real Orvane.exe, driven with real mouse and keyboard input from this
// process, with the stand-in IDE in a third one: which category it shows, ticking and pasting,
// copying, typing with completion, choosing from the drop-down list, the ways to close it, and its
// place on the screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "window_e2e_support.h"
// After windows.h, which window_e2e_support.h brings.
#include <commctrl.h>

static const char* const SETTINGS = "Orvane.cfg";

// File order differs from sorted order: "Window" is the first group of the file, "Color" the
// first item of the sorted combo box. "printn" and "PrintN" differ only in case.
static const char* const CATALOGUE = "[Window]\r\n"
                                     "w1 = Alpha\r\n"
                                     "w2 = Beta\r\n"
                                     "w3 = Gamma\r\n"
                                     "w4 = Delta\r\n"
                                     "[Color]\r\n"
                                     "c1 = Red\r\n"
                                     "[WindowEx]\r\n"
                                     "e1 = ExOne\r\n"
                                     "[printn]\r\n"
                                     "p1 = Debug\r\n"
                                     "p2 = Error\r\n"
                                     "p3 = Warning\r\n"
                                     "p4 = Fatal\r\n"
                                     "[PrintN]\r\n"
                                     "P1 = Upper\r\n";

using Rows = std::vector<std::string>;
static const Rows WINDOW_ROWS = {"Alpha", "Beta", "Gamma", "Delta"};
// The IDE's word is lower-cased: it finds only groups written in lower case.
static const Rows PRINTN_ROWS = {"Debug", "Error", "Warning", "Fatal"};

class MainWindow : public DataFolderTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DataFolderTest::SetUp());
        ASSERT_TRUE(WriteDataFile(folder, "constants.ovc", CATALOGUE));
    }

    // Starts Orvane with the IDE's word and, when one runs, the host editor's handle.
    void Start(const char* word, const std::string& commandWord = "") {
        IdeStart ide;
        ide.word = word;
        ide.commandWord = commandWord;
        if (editor) {
            handle = HandleAsDecimal(editor);
            ide.editorHandle = handle.c_str();
        }
        window = StartOrvaneWindow(folder, ide, &orvane);
        ASSERT_TRUE(window) << "Orvane's window did not come up";
        combo = Gadget(window, CATEGORY_BOX);
        list = Gadget(window, ENTRY_LIST);
        ASSERT_TRUE(combo && list);
    }

    void StartHost(const std::string& text, bool hang = false) {
        ASSERT_TRUE(StartHostEditor(text, &host, &editor, hang));
    }

    std::string ComboText() { return WindowTextOf(combo); }

    // Orvane in front and done with earlier input, so that the next input reaches what it aims at.
    bool ReadyForInput() {
        WaitForInputIdle(orvane.process, 3000);
        if (!BringToForeground(window)) return false;
        WaitForInputIdle(orvane.process, 3000);
        return true;
    }

    bool RowsBecome(const Rows& rows) {
        return WaitUntil([&] { return ListRowTexts(list) == rows; }, 5000);
    }

    // Clicks the middle of a gadget with the real mouse, Orvane in front.
    void ClickGadget(int number) {
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(ClickWindowCentre(Gadget(window, number)));
    }

    // Ticks a row by clicking its check box.
    void TickByClick(int row) {
        RECT bounds = ListRowRect(list, row, LVIR_BOUNDS);
        RECT label = ListRowRect(list, row, LVIR_LABEL);
        ASSERT_LT(bounds.left, label.left);
        POINT box = {(bounds.left + label.left) / 2, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(list, &box);
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(LeftClickAt(box.x, box.y));
        ASSERT_TRUE(WaitUntil([&] { return ListRowChecked(list, row); }, 3000)) << Diagnose(row, box);
    }

    // What a failed tick saw: the row's state and the window under the point clicked.
    std::string Diagnose(int row, POINT point) {
        DWORD_PTR state = SendMessageA(list, LVM_GETITEMSTATE, row, 0xFFFF);
        char text[200];
        snprintf(text, sizeof text,
                 "row %d state 0x%x point %ld,%ld under it %p list %p foreground %p window %p", row,
                 (unsigned)state, point.x, point.y, (void*)WindowFromPoint(point), (void*)list,
                 (void*)GetForegroundWindow(), (void*)window);
        return text;
    }

    // Ticks a row from the keyboard: a click on a row's text focuses it, the arrow keys move the focus,
    // Space ticks the focused row. Row 0 is reached from row 1 with Up.
    void TickBySpace(int row) {
        int clicked = row == 0 ? 1 : row;
        RECT label = ListRowRect(list, clicked, LVIR_LABEL);
        POINT middle = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        ClientToScreen(list, &middle);
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(LeftClickAt(middle.x, middle.y));
        ASSERT_TRUE(
            WaitUntil([&] { return SendMessageA(list, LVM_GETITEMSTATE, clicked, LVIS_FOCUSED) != 0; }, 3000))
            << Diagnose(clicked, middle);
        if (clicked != row) {
            ASSERT_TRUE(PressKey(VK_UP));
            ASSERT_TRUE(
                WaitUntil([&] { return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_FOCUSED) != 0; }, 3000))
                << Diagnose(row, middle);
        }
        ASSERT_TRUE(PressKey(VK_SPACE));
        ASSERT_TRUE(WaitUntil([&] { return ListRowChecked(list, row); }, 3000)) << Diagnose(row, middle);
    }

    // Moves the window with SetWindowPos as a fallback for dragging; the outer corner it took.
    POINT MoveWindowTo(int x, int y) {
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        WaitUntil([&] { return OuterRect(window).left == x && OuterRect(window).top == y; }, 3000);
        RECT outer = OuterRect(window);
        return POINT{outer.left, outer.top};
    }

    long WaitForEnd() { return WaitForOrvaneExit(orvane); }

    // Opens or closes the category box's drop-down list with the key and waits until it has.
    void ToggleDropDown(WORD key = VK_F4) {
        bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        ASSERT_TRUE(PressKey(key));
        ASSERT_TRUE(
            WaitUntil([&] { return (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0) != dropped; }, 3000));
    }

    std::string handle;
    ChildProcess host, orvane;
    HWND editor = nullptr, window = nullptr, combo = nullptr, list = nullptr;
};

// Every figure scales with the display (at 96 dpi as written); captions fit their buttons whole.
TEST_F(MainWindow, GeometryTitleAndGadgets) {
    Start("window");
    EXPECT_EQ(WindowTextOf(window), ORVANE_TITLE);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, Scaled(300));
    EXPECT_EQ(client.bottom, Scaled(410));
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    struct Expected {
        int number;
        const char* className;
        RECT rect; // in the main window's client pixels; the combo box without its list
        const char* caption;
    };
    const Expected gadgets[] = {
        {PASTE_BUTTON, "Button", {5, 360, 85, 380}, "Paste 2 IDE"},
        {EDIT_BUTTON, "Button", {90, 360, 150, 380}, "Edit"},
        {INFO_BUTTON, "Button", {155, 360, 215, 380}, "Info"},
        {QUIT_BUTTON, "Button", {235, 360, 295, 380}, "Quit"},
        {COPY_BUTTON, "Button", {5, 385, 150, 405}, "Copy 2 clipboard and exit"},
        {ENTRY_LIST, "SysListView32", {5, 30, 295, 355}, nullptr},
    };
    for (const Expected& expected : gadgets) {
        SCOPED_TRACE(expected.number);
        HWND gadget = Gadget(window, expected.number);
        ASSERT_TRUE(gadget);
        char className[64] = {};
        GetClassNameA(gadget, className, sizeof className);
        EXPECT_STREQ(className, expected.className);
        RECT r = RectInParentClient(gadget), e = expected.rect;
        EXPECT_EQ(r.left, Scaled(e.left));
        EXPECT_EQ(r.top, Scaled(e.top));
        EXPECT_EQ(r.right, Scaled(e.left) + Scaled(e.right - e.left));
        EXPECT_EQ(r.bottom, Scaled(e.top) + Scaled(e.bottom - e.top));
        if (expected.caption) {
            EXPECT_EQ(WindowTextOf(gadget), expected.caption);
            SIZE text = TextExtent("Arial", 8, expected.caption);
            RECT inside = {};
            GetClientRect(gadget, &inside);
            EXPECT_TRUE(text.cx < inside.right - 4 && text.cy < inside.bottom - 4)
                << text.cx << "x" << text.cy;
        }
    }
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0) << "the column fits the list";
    char className[64] = {};
    GetClassNameA(combo, className, sizeof className);
    EXPECT_STREQ(className, "ComboBox");
    RECT comboRect = RectInParentClient(combo);
    EXPECT_EQ(comboRect.left, Scaled(5));
    EXPECT_EQ(comboRect.top, Scaled(5));
    EXPECT_EQ(comboRect.right, Scaled(5) + Scaled(290));
    EXPECT_FALSE(Gadget(window, 7));

    // The drop-down list holds every group in the platform's sorted order.
    Rows items = ComboItemTexts(combo);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], "Color");
    EXPECT_EQ(items[3], "Window");
    EXPECT_EQ(items[4], "WindowEx");
    EXPECT_TRUE(std::count(items.begin(), items.end(), "printn") == 1 &&
                std::count(items.begin(), items.end(), "PrintN") == 1);

    RECT outer = OuterRect(window);
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(outer.left, outer.top));
}

TEST_F(MainWindow, IdeWordShowsItsCategory) {
    Start(" PrintN ");
    EXPECT_EQ(ComboText(), "printn");
    EXPECT_TRUE(RowsBecome(PRINTN_ROWS));

    // Focusing the box and its list dropping down and closing never rewrite that name to "PrintN".
    TickByClick(2);
    ASSERT_TRUE(ReadyForInput());
    ASSERT_TRUE(ClickWindowCentre(ComboEditField(combo)));
    for (int flip = 0; flip < 5; flip++) {
        if (flip > 0) {
            ASSERT_NO_FATAL_FAILURE(ToggleDropDown());
        }
        WaitForInputIdle(orvane.process, 3000);
        EXPECT_EQ(ComboText(), "printn") << flip;
    }
    EXPECT_TRUE(ListRowTexts(list) == PRINTN_ROWS && ListRowChecked(list, 2));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

TEST_F(MainWindow, CommandLineWordStandsInForAnEmptyIdeWord) {
    Start("", "PrintN");
    EXPECT_EQ(ComboText(), "printn");
    EXPECT_TRUE(RowsBecome(PRINTN_ROWS));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

TEST_F(MainWindow, NoWordShowsTheFirstCategoryOfTheFile) {
    Start(nullptr, "");
    EXPECT_EQ(ComboText(), "Window");
    EXPECT_TRUE(RowsBecome(WINDOW_ROWS));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

TEST_F(MainWindow, PasteReplacesTheHostSelectionWithTheTickedRowsInRowOrder) {
    StartHost("int x = SEL;");
    SendMessageA(editor, EM_SETSEL, 8, 11);
    Start("printn");
    ASSERT_TRUE(RowsBecome(PRINTN_ROWS));

    TickByClick(3);
    TickByClick(2);
    TickBySpace(0);
    EXPECT_FALSE(ListRowChecked(list, 1));
    RECT outer = OuterRect(window);
    // Return on a focused button presses it: Tab leads from the list to "Paste 2 IDE".
    ASSERT_TRUE(PressKey(VK_TAB));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControlOf(window) == Gadget(window, PASTE_BUTTON); }, 3000));
    ASSERT_TRUE(PressKey(VK_RETURN));

    EXPECT_EQ(WaitForEnd(), 0);
    EXPECT_EQ(WindowTextOf(editor), "int x = Debug|Warning|Fatal;");
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(outer.left, outer.top));
}

TEST_F(MainWindow, CopyPutsTheTickedRowsOnTheClipboard) {
    StartHost("keep me");
    ASSERT_TRUE(WriteClipboardText("before"));
    Start("printn");
    ASSERT_TRUE(RowsBecome(PRINTN_ROWS));

    TickByClick(1);
    TickBySpace(3);
    RECT outer = OuterRect(window);
    // This process holds the clipboard open. Longer than Orvane tries: it says so and stays open
    // with its ticks. For a moment only: the copy waits for it.
    ASSERT_TRUE(OpenClipboard(nullptr));
    ClickGadget(COPY_BUTTON);
    HWND box = WaitForMessageBox(orvane.id, 10000);
    CloseClipboard();
    ASSERT_TRUE(box) << "no message about the refused clipboard";
    EXPECT_NE(MessageBoxText(box).find("holding the clipboard"), std::string::npos) << MessageBoxText(box);
    ASSERT_TRUE(DismissMessageBox(box));
    EXPECT_TRUE(ListRowChecked(list, 1) && ListRowChecked(list, 3) && ReadClipboardText() == "before");
    ASSERT_TRUE(OpenClipboard(nullptr));
    ClickGadget(COPY_BUTTON);
    Sleep(300);
    CloseClipboard();

    EXPECT_EQ(WaitForEnd(), 0);
    EXPECT_EQ(ReadClipboardText(), "Error|Fatal");
    EXPECT_EQ(WindowTextOf(editor), "keep me");
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(outer.left, outer.top));
}

TEST_F(MainWindow, TypingCompletesTheCategoryAndReturnShowsIt) {
    Start("wind");
    EXPECT_TRUE(RowsBecome({}));
    HWND field = ComboEditField(combo);
    ASSERT_TRUE(field);

    // The keyboard starts in the box with the word, not completed, selected: typing replaces it.
    ASSERT_TRUE(ReadyForInput());
    EXPECT_EQ(FocusedControlOf(window), field);
    EXPECT_EQ(ComboText(), "wind");
    TextRange selection = EditSelection(field);
    EXPECT_TRUE(selection.start == 0 && selection.end == 4) << selection.start << ".." << selection.end;

    ASSERT_TRUE(TypeText("w"));
    EXPECT_TRUE(WaitUntil([&] { return ComboText() == "Window"; }, 3000)) << ComboText();
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(orvane.process, &code);
    ASSERT_EQ(code, (DWORD)STILL_ACTIVE) << "Orvane ended";
    EXPECT_TRUE((selection = EditSelection(field)).start >= 0);
    EXPECT_EQ(selection.start, 1);
    EXPECT_EQ(selection.end, 6);
    // The completed category is shown at once.
    EXPECT_TRUE(RowsBecome(WINDOW_ROWS));

    ASSERT_TRUE(TypeText("i"));
    EXPECT_TRUE(WaitUntil(
        [&] { return ComboText() == "Window" && (selection = EditSelection(field)).start == 2; }, 3000))
        << ComboText() << " " << selection.start << ".." << selection.end;
    EXPECT_EQ(selection.start, 2);
    EXPECT_EQ(selection.end, 6);
    EXPECT_TRUE(RowsBecome(WINDOW_ROWS));

    ASSERT_TRUE(PressKey(VK_RETURN));
    EXPECT_TRUE(RowsBecome(WINDOW_ROWS));

    // The category stays as shown: focusing the box and dropping its list down keep the tick.
    TickByClick(1);
    ASSERT_TRUE(ReadyForInput());
    ASSERT_TRUE(ClickWindowCentre(field));
    ASSERT_NO_FATAL_FAILURE(ToggleDropDown());
    WaitForInputIdle(orvane.process, 3000);
    EXPECT_TRUE(ListRowChecked(list, 1));

    // Return in the list (Tab from the box) keeps it too.
    ASSERT_NO_FATAL_FAILURE(ToggleDropDown());
    ASSERT_TRUE(PressKey(VK_TAB) && PressKey(VK_RETURN));
    WaitForInputIdle(orvane.process, 3000);
    EXPECT_TRUE(ListRowChecked(list, 1));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

// A word that names no category lists the constants containing it, each once: the IDE's word at
// start, and a text typed into the box that begins no category, which the box keeps.
TEST_F(MainWindow, WordThatIsNoCategoryFindsItsConstants) {
    ASSERT_TRUE(WriteDataFile(folder, "constants.ovc",
                              "[messagebox]\r\nok = MB_OK\r\nerr = MB_ICONERROR\r\nhand = MB_ICONHAND\r\n"
                              "[messagebeep]\r\nerr = MB_ICONERROR\r\nq = MB_ICONQUESTION\r\n[window]\r\n"
                              "cap = WS_CAPTION\r\n"));
    Start("mb_icon");
    EXPECT_TRUE(RowsBecome({"MB_ICONERROR", "MB_ICONHAND", "MB_ICONQUESTION"}));
    ASSERT_TRUE(ReadyForInput());
    ASSERT_TRUE(TypeText("Ca")); // the IDE's word, selected at start, is replaced
    EXPECT_TRUE(RowsBecome({"WS_CAPTION"}));
    EXPECT_EQ(ComboText(), "Ca");
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

TEST_F(MainWindow, ChoosingFromTheDropDownListWithKeysShowsThatCategory) {
    Start("nothing");
    HWND field = ComboEditField(combo);
    ASSERT_TRUE(field);
    ASSERT_TRUE(ReadyForInput());
    ASSERT_TRUE(ClickWindowCentre(field));

    ASSERT_NO_FATAL_FAILURE(ToggleDropDown());
    ASSERT_TRUE(PressKey(VK_DOWN)); // the first item, "Color"
    ASSERT_TRUE(PressKey(VK_RETURN));

    EXPECT_TRUE(WaitUntil([&] { return ComboText() == "Color"; }, 3000)) << ComboText();
    EXPECT_TRUE(RowsBecome({"Red"}));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

// The rows are drawn in alternating colours; a click on the drop-down list shows the category chosen.
TEST_F(MainWindow, RowsAlternateColoursAndTheMouseChoosesFromTheDropDownList) {
    Start("printn");
    ASSERT_TRUE(RowsBecome(PRINTN_ROWS));
    ASSERT_TRUE(ReadyForInput());
    UpdateWindow(list);
    for (int row = 0; row < 4; row++) {
        SCOPED_TRACE(row);
        RECT bounds = ListRowRect(list, row, LVIR_BOUNDS);
        // Right of the short texts, clear of the text and the check box.
        int x = bounds.right - 20, y = (bounds.top + bounds.bottom) / 2;
        COLORREF expected = row % 2 == 0 ? 0x00C7FFFF : 0x00D2FFFB;
        COLORREF seen = CLR_INVALID;
        EXPECT_TRUE(WaitUntil([&] { return (seen = WindowPixel(list, x, y)) == expected; }, 3000))
            << std::hex << "0x" << seen;
    }
    Rows items = ComboItemTexts(combo);
    int wanted = (int)(std::find(items.begin(), items.end(), "WindowEx") - items.begin());
    ASSERT_LT(wanted, (int)items.size());

    // The arrow stands at the right end of the selection field.
    RECT field = OuterRect(combo);
    HWND dropped = nullptr;
    // A click that lands while the window is still being activated can be lost; the list is only
    // clicked open again while it is closed, so no click closes it.
    for (int attempt = 0; attempt < 3 && !dropped; attempt++) {
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(LeftClickAt(field.right - 8, (field.top + field.bottom) / 2));
        WaitUntil([&] { return (dropped = VisibleWindowOfClass("ComboLBox", orvane.id)) != nullptr; }, 1500);
    }
    ASSERT_TRUE(dropped) << "dropped state " << SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) << " field "
                         << field.left << "," << field.top << "," << field.right << "," << field.bottom;

    int itemHeight = (int)SendMessageA(dropped, LB_GETITEMHEIGHT, 0, 0);
    int top = (int)SendMessageA(dropped, LB_GETTOPINDEX, 0, 0);
    ASSERT_GT(itemHeight, 0);
    RECT client = ClientRectOnScreen(dropped);
    ASSERT_TRUE(LeftClickAt((client.left + client.right) / 2,
                            client.top + (wanted - top) * itemHeight + itemHeight / 2));

    EXPECT_TRUE(WaitUntil([&] { return ComboText() == "WindowEx"; }, 3000)) << ComboText();
    EXPECT_TRUE(RowsBecome({"ExOne"}));
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

// How a user ends the tool without output. Each leaves the host editor and the clipboard alone
// and remembers where the window was moved to, where the next start opens it.
enum CloseWay { BY_QUIT, BY_CLOSE_BOX, BY_ALT_F4, BY_ESCAPE };

class ClosingWithoutOutput : public MainWindow, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(ClosingWithoutOutput, LeavesEverythingAloneAndRemembersThePlace) {
    StartHost("keep me");
    SendMessageA(editor, EM_SETSEL, 0, -1);
    ASSERT_TRUE(WriteClipboardText("before"));
    Start("printn");
    ASSERT_TRUE(RowsBecome(PRINTN_ROWS));
    TickByClick(1);

    POINT place = {0, 0};
    if (GetParam() == BY_QUIT) {
        // Drag the title bar with the mouse.
        RECT before = OuterRect(window);
        RECT client = ClientRectOnScreen(window);
        int grabX = before.left + 40, grabY = (before.top + client.top) / 2;
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(DragScreenPoint(grabX, grabY, grabX - 300, grabY + 120));
        ASSERT_TRUE(WaitUntil([&] { return OuterRect(window).left == before.left - 300; }, 3000))
            << "the window did not follow the mouse: " << OuterRect(window).left;
        place = POINT{OuterRect(window).left, OuterRect(window).top};
        EXPECT_EQ(place.y, before.top + 120);
    } else {
        place = MoveWindowTo(GetParam() == BY_CLOSE_BOX ? 150 : -5, 200);
    }

    switch (GetParam()) {
    case BY_QUIT:
        ClickGadget(QUIT_BUTTON);
        break;
    case BY_CLOSE_BOX: {
        POINT box = {};
        ASSERT_TRUE(CloseBoxPoint(window, &box));
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(LeftClickAt(box.x, box.y));
        break;
    }
    case BY_ALT_F4:
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(PressKey(VK_F4, VK_MENU));
        break;
    case BY_ESCAPE: // the first Escape only closes the category box's list
        ASSERT_TRUE(ReadyForInput());
        ASSERT_TRUE(ClickWindowCentre(ComboEditField(combo)));
        ASSERT_NO_FATAL_FAILURE(ToggleDropDown());
        ASSERT_NO_FATAL_FAILURE(ToggleDropDown(VK_ESCAPE));
        EXPECT_FALSE(WaitForExit(orvane, 500)) << "Escape in the list ended the tool";
        ASSERT_TRUE(PressKey(VK_ESCAPE));
        break;
    }

    EXPECT_EQ(WaitForEnd(), 0);
    EXPECT_EQ(WindowTextOf(editor), "keep me");
    EXPECT_EQ(ReadClipboardText(), "before");
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(place.x, place.y));

    // The next start opens there, moved inside the work area where part of it was off the screen.
    Start("printn");
    RECT outer = OuterRect(window), work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(outer.left, std::max(place.x, work.left));
    EXPECT_EQ(outer.top, place.y);
    EXPECT_EQ(CloseOrvane(orvane, window), 0);
}

static std::string CloseWayName(const ::testing::TestParamInfo<CloseWay>& info) {
    static const char* const names[] = {"Quit", "CloseBox", "AltF4", "Escape"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingWithoutOutput,
                         ::testing::Values(BY_QUIT, BY_CLOSE_BOX, BY_ALT_F4, BY_ESCAPE), CloseWayName);

// The second time the running instance is minimised: it gives the place it returns to.
TEST_F(MainWindow, SecondStartTakesThePlaceOfTheFirstAlsoMinimised) {
    Start("printn");
    POINT place = MoveWindowTo(100, 150);
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round);
        if (round == 1) ShowWindow(window, SW_MINIMIZE);
        ChildProcess first;
        std::swap(first.process, orvane.process);
        std::swap(first.id, orvane.id);
        HWND firstWindow = window;

        Start("printn");
        ASSERT_NE(window, firstWindow);
        DWORD firstCode = 99;
        ASSERT_TRUE(WaitForExit(first, 10000, &firstCode)) << "the first instance was not closed";
        EXPECT_EQ(firstCode, 0u);
        RECT outer = OuterRect(window);
        EXPECT_EQ(outer.left, place.x);
        EXPECT_EQ(outer.top, place.y);
        RECT client = {};
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right, Scaled(300));
        EXPECT_EQ(client.bottom, Scaled(410));
        EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE).size(), 1u);
    }

    EXPECT_EQ(CloseOrvane(orvane, window), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(place.x, place.y));
}

// The IDE's editor is a Scintilla control: the ticked rows replace its selection whole, in its
// document's encoding ("\xC4" is a capital A with diaeresis in the ANSI code page).
TEST_F(MainWindow, PasteReachesAScintillaEditorWholeInItsEncoding) {
    ASSERT_TRUE(WriteDataFile(folder, "constants.ovc",
                              "[messagebox]\r\nok = MB_OK\r\nerr = MB_ICONERROR\r\nu = \xC4rger\r\n"));
    const std::string text = "If MessageBox(0, 'Hi', 'T', FLAGS) : EndIf";
    const int flags = (int)text.find("FLAGS");
    const struct {
        int codePage;
        const char* pasted;
    } cases[] = {{0, "MB_OK|MB_ICONERROR|\xC4rger"}, {65001, "MB_OK|MB_ICONERROR|\xC3\x84rger"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        ASSERT_TRUE(StartScintillaHost(text, flags, flags + 5, c.codePage, folder + "document", false, &host,
                                       &editor));
        Start("messagebox");
        ASSERT_TRUE(RowsBecome({"MB_OK", "MB_ICONERROR", "\xC4rger"}));
        for (int row = 0; row < 3; row++)
            TickByClick(row);
        ClickGadget(PASTE_BUTTON);
        EXPECT_EQ(WaitForEnd(), 0);
        EXPECT_EQ(ReadDataFile(folder, "document"),
                  "If MessageBox(0, 'Hi', 'T', " + std::string(c.pasted) + ") : EndIf");
        StopProcess(host);
    }
}

// A paste that does not land is not lost: the text waits on the clipboard, a message says why, and
// the tool then ends as usual. The read-only document keeps its text.
TEST_F(MainWindow, PasteThatDoesNotLandPutsTheTextOnTheClipboard) {
    enum Host { GONE, HUNG_EDIT, HUNG_SCINTILLA, READ_ONLY_SCINTILLA };
    const char* const why[] = {"could not be found", "did not answer", "did not answer", "read-only"};
    for (Host kind : {GONE, HUNG_EDIT, HUNG_SCINTILLA, READ_ONLY_SCINTILLA}) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(WriteClipboardText("before"));
        if (kind >= HUNG_SCINTILLA)
            ASSERT_TRUE(StartScintillaHost("keep", 0, 4, 0, folder + "document", kind == HUNG_SCINTILLA,
                                           &host, &editor, kind == READ_ONLY_SCINTILLA));
        else
            StartHost("keep", kind == HUNG_EDIT);
        Start("printn");
        ASSERT_TRUE(RowsBecome(PRINTN_ROWS));
        TickBySpace(0);
        if (kind == GONE) StopProcess(host);
        RECT outer = OuterRect(window);
        ClickGadget(PASTE_BUTTON);

        // A generous bound: the paste gives up after a few seconds.
        HWND box = WaitForMessageBox(orvane.id, 15000);
        ASSERT_TRUE(box) << "no message about the paste";
        EXPECT_NE(MessageBoxText(box).find(why[kind]), std::string::npos) << MessageBoxText(box);
        EXPECT_NE(MessageBoxText(box).find("on the clipboard instead"), std::string::npos);
        EXPECT_EQ(ReadClipboardText(), "Debug");
        ASSERT_TRUE(DismissMessageBox(box));
        EXPECT_EQ(WaitForEnd(), 0);
        EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(outer.left, outer.top));
        if (kind == READ_ONLY_SCINTILLA) {
            EXPECT_EQ(ReadDataFile(folder, "document"), "keep");
        }
        StopProcess(host);
    }
}

// The flag set selected in the IDE's editor comes ticked, with or without blanks around "|", from an
// Edit control and from a Scintilla control in either encoding ("\xC4" is a capital A with
// diaeresis in the ANSI code page); a set with a part the category lacks ticks nothing. The paste
// then replaces the set.
TEST_F(MainWindow, SelectedFlagSetComesTicked) {
    ASSERT_TRUE(WriteDataFile(
        folder, "constants.ovc",
        "[messagebox]\r\nok = MB_OK\r\nerr = MB_ICONERROR\r\nu = \xC4rger\r\nyn = MB_YESNO\r\n"));
    const struct {
        int codePage; // -1: an Edit control
        const char *selected, *ticked;
    } cases[] = {{-1, "MB_YESNO | MB_OK", "1001"},
                 {0, "MB_ICONERROR|\xC4rger", "0110"},
                 {65001, "\xC3\x84rger |\tMB_OK", "1010"},
                 {-1, "MB_OK|MB_NOPE", "0000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        const std::string before = "If MessageBox(0, 'Hi', 'T', ", after = ") : EndIf";
        const std::string text = before + c.selected + after;
        const int start = (int)before.size(), end = (int)(text.size() - after.size());
        if (c.codePage < 0) {
            StartHost(text);
            SendMessageA(editor, EM_SETSEL, start, end);
        } else {
            ASSERT_TRUE(
                StartScintillaHost(text, start, end, c.codePage, folder + "document", false, &host, &editor));
        }
        Start("messagebox");
        ASSERT_TRUE(RowsBecome({"MB_OK", "MB_ICONERROR", "\xC4rger", "MB_YESNO"}));
        ASSERT_TRUE(ReadyForInput()); // the ticks outlast the window's first events
        for (int row = 0; row < 4; row++)
            EXPECT_EQ(ListRowChecked(list, row), c.ticked[row] == '1') << row;
        if (c.ticked[0] == '1' && c.codePage < 0) {
            ClickGadget(PASTE_BUTTON);
            EXPECT_EQ(WaitForEnd(), 0);
            EXPECT_EQ(WindowTextOf(editor), before + "MB_OK|MB_YESNO" + after);
        } else {
            EXPECT_EQ(CloseOrvane(orvane, window), 0);
        }
        StopProcess(host);
    }
}
