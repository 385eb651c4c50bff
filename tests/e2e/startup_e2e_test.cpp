// Orvane started as the IDE starts it: what it leaves in its data folder, and what a second start
// does to a running instance.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_dir.h"
#include "window_e2e_support.h"

static const char* const SETTINGS = "Orvane.cfg";

using Startup = DataFolderTest;

TEST_F(Startup, FirstRunWritesTheDefaultPlace) {
    ASSERT_FALSE(DataFileExists(folder, SETTINGS));
    EXPECT_EQ(RunOrvaneAndClose(folder), 0);
    // The virtual desktop is 1024 pixels wide: 1024 - 310.
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));
}

// A remembered place that would leave part of the window off the work area (noted at another
// display scale, or partly off the screen) is moved inside it, keeping the window's size; a place
// wholly inside stays. At 150 % the place near the right edge noted at 100 % is moved.
TEST_F(Startup, RememberedPlaceKeepsTheWholeWindowOnTheWorkArea) {
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    for (POINT place : {POINT{714, 10}, POINT{-5, 200}, POINT{40, 30}}) {
        SCOPED_TRACE(std::to_string(place.x) + "," + std::to_string(place.y));
        ASSERT_TRUE(WriteDataFile(folder, SETTINGS,
                                  "[WindowPositions]\nWindowPosX=" + std::to_string(place.x) +
                                      "\nWindowPosY=" + std::to_string(place.y) + "\n"));
        ChildProcess orvane;
        HWND window = StartOrvaneWindow(folder, IdeStart(), &orvane);
        ASSERT_TRUE(window);
        RECT outer = OuterRect(window);
        SIZE size = OuterSize(window);
        long placedX = std::max(work.left, std::min(place.x, work.right - size.cx));
        long placedY = std::max(work.top, std::min(place.y, work.bottom - size.cy));
        EXPECT_EQ(outer.left, placedX);
        EXPECT_EQ(outer.top, placedY);
        EXPECT_TRUE(outer.right <= work.right && outer.bottom <= work.bottom);
        EXPECT_EQ(CloseOrvane(orvane, window), 0);
        EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(placedX, placedY));
    }
}

TEST_F(Startup, PlaceOffEveryMonitorGivesWayToTheDefault) {
    ASSERT_TRUE(WriteDataFile(folder, SETTINGS, SettingsFileText(5000, 5000)));
    EXPECT_EQ(RunOrvaneAndClose(folder), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));
}

TEST_F(Startup, OtherContentOfTheSettingsFileIsReplaced) {
    ASSERT_TRUE(WriteDataFile(folder, SETTINGS,
                              "; note\r\n[Other]\r\nKey = 1\r\n[WindowPositions]\r\nWindowPosY = 33\r\n"));
    IdeStart ide;
    ide.commandWord = "\"quoted\"";
    EXPECT_EQ(RunOrvaneAndClose(folder, ide), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 33));
}

// A taskbar that takes no messages while Orvane starts: this thread's window, which it never
// paints, foremost among the windows of that class. (The desktop's own taskbar is another.)
struct StalledTaskbar {
    HWND window = nullptr;
    StalledTaskbar() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE,
                                 0, 740, 200, 28, nullptr, nullptr, nullptr, nullptr);
    }
    ~StalledTaskbar() { DestroyWindow(window); }
};

// The running instance takes longer to end than its window takes to answer: the new window opens
// only once it has ended, so that one tool remains.
TEST_F(Startup, SecondStartClosesTheRunningInstance) {
    std::string record = folder + "standin.txt";
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(120, 80, record, STANDIN_ENDS_SLOWLY, &standIn));

    // Nothing at start waits for another program's window to paint, here the taskbar's.
    StalledTaskbar taskbar;
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar.window);
    ChildProcess orvane;
    HWND window = StartOrvaneWindow(folder, IdeStart(), &orvane);
    ASSERT_TRUE(window);

    DWORD standInCode = 99;
    ASSERT_TRUE(WaitForExit(standIn, 0, &standInCode)) << "a window opened before the running one ended";
    EXPECT_EQ(standInCode, 0u);
    EXPECT_EQ(ReadDataFile(folder, "standin.txt"), "WM_CLOSE 0 0\r\n");
    // The new window stands at the closed one's outer corner.
    RECT outer = OuterRect(window);
    EXPECT_EQ(outer.left, 120);
    EXPECT_EQ(outer.top, 80);
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 410);

    EXPECT_EQ(CloseOrvane(orvane, window), 0);
    EXPECT_TRUE(TopLevelWindowsTitled(ORVANE_TITLE).empty());
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(120, 80));
}

// A new start while the running instance shows its info window, an editor without changes (also
// with its menu open), or a box that only tells (the editor's "It wasn't found!", a failed save,
// the clipboard that another program holds): that window and box close, the instance ends, and the
// new one opens at its place once the old one has ended.
TEST_F(Startup, NewStartOverAWindowOrABoxThatOnlyTellsReplacesTheInstance) {
    ASSERT_TRUE(WriteDataFile(folder, "constants.ovc", "[fruit]\r\nA = apple\r\n"));
    enum Shown { INFO, EDITOR, NOT_FOUND, SAVE_FAILED, CLIPBOARD_HELD, MENU };
    for (Shown shown : {INFO, EDITOR, NOT_FOUND, SAVE_FAILED, CLIPBOARD_HELD, MENU}) {
        SCOPED_TRACE(shown);
        RunningOrvane run;
        ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{"fruit"}, &run));
        ASSERT_TRUE(SetWindowPos(run.main, nullptr, 100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
        HWND front = shown == INFO ? OpenInfo(run) : shown == CLIPBOARD_HELD ? run.main : OpenEditor(run);
        ASSERT_TRUE(front);
        // Held with reading shared only, the catalogue cannot be replaced.
        HANDLE held = shown != SAVE_FAILED ? INVALID_HANDLE_VALUE
                                           : CreateFileA((folder + "constants.ovc").c_str(), GENERIC_READ,
                                                         FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (shown == CLIPBOARD_HELD) {
            ASSERT_TRUE(TickListRow(Gadget(run.main, ENTRY_LIST), 0) && OpenClipboard(nullptr));
        }
        const int boxButtons[] = {0, 0, FIND_BUTTON, SAVE_BUTTON, COPY_BUTTON, 0};
        if (boxButtons[shown]) {
            EXPECT_TRUE(ClickGadget(front, boxButtons[shown]) && WaitForMessageBox(run.process.id, 10000));
        }
        if (shown == MENU) {
            RECT text = OuterRect(Gadget(front, EDITOR_TEXT));
            ASSERT_TRUE(ClickGadget(front, EDITOR_TEXT) && RightClickAt(text.left + 20, text.top + 20));
            EXPECT_TRUE(
                WaitUntil([&] { return VisibleWindowOfClass("#32768", run.process.id) != nullptr; }, 3000));
        }
        if (shown == CLIPBOARD_HELD) CloseClipboard();

        ChildProcess next;
        HWND window = StartOrvaneWindow(folder, IdeStart(), &next);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ASSERT_TRUE(window);
        EXPECT_EQ(WaitForOrvaneExit(run.process, 0), 0) << "a window opened before the running one ended";
        EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE), std::vector<HWND>{window});
        EXPECT_EQ(OuterRect(window).left, 100);
        EXPECT_EQ(OuterRect(window).top, 60);
        EXPECT_EQ(CloseOrvane(next, window), 0);
    }
}

// Starts a moment apart, as from a double press or a held key of the IDE: each later one to look
// for a running instance finds the earlier one's window and replaces it, so that one tool remains.
TEST_F(Startup, StartsAMomentApartLeaveOneTool) {
    ChildProcess starts[4];
    for (ChildProcess& start : starts)
        ASSERT_TRUE(StartOrvane(folder, IdeStart(), &start));
    auto running = [&] {
        return std::count_if(std::begin(starts), std::end(starts),
                             [](ChildProcess& s) { return !WaitForExit(s, 0); });
    };
    ASSERT_TRUE(WaitUntil([&] { return running() == 1; }, 20000)) << running() << " still run";
    HWND window = WaitForWindowTitled(ORVANE_TITLE, 10000);
    EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE), std::vector<HWND>{window});
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    for (ChildProcess& start : starts)
        EXPECT_EQ(WaitForOrvaneExit(start), 0);
}

TEST_F(Startup, HungRunningInstanceDoesNotHoldTheNewStart) {
    std::string record = folder + "standin.txt";
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(120, 80, record, STANDIN_HANGS, &standIn));

    DWORD started = GetTickCount();
    EXPECT_EQ(RunOrvaneAndClose(folder), 0);
    EXPECT_LT(GetTickCount() - started, ORVANE_RUN_TIMEOUT_MS);
    EXPECT_FALSE(DataFileExists(folder, "standin.txt"));
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));

    StopProcess(standIn);
    EXPECT_TRUE(WaitUntilNoWindowTitled(ORVANE_TITLE, 5000));
}

// The shipped files as a new user gets them: the program and api.ovc. The IDE's word as the call
// is written names its category; the user's own constants.ovc is created empty, api.ovc only read.
TEST_F(Startup, ShippedCatalogueAsANewUserGetsIt) {
    std::string shipped = ReadWholeFile(FolderFromEnvironment("ORVANE_SAMPLE_DIR") + "samples\\api.ovc");
    ASSERT_FALSE(shipped.empty());
    ASSERT_TRUE(WriteDataFile(folder, "api.ovc", shipped));
    RunningOrvane run;
    IdeStart ide;
    ide.word = "MessageBoxW";
    ASSERT_TRUE(LaunchOrvaneIn(folder, ide, &run));
    EXPECT_EQ(WindowTextOf(Gadget(run.main, CATEGORY_BOX)), "messagebox");
    EXPECT_EQ(ListRowText(Gadget(run.main, ENTRY_LIST), 0), "MB_OK");
    EXPECT_GT(ComboItemCount(Gadget(run.main, CATEGORY_BOX)), 5000);
    EXPECT_TRUE(QuitOrvane(run));
    EXPECT_EQ(ReadDataFile(folder, "constants.ovc"), "");
    EXPECT_TRUE(ReadDataFile(folder, "api.ovc") == shipped);
}

TEST_F(Startup, HostEditorIsLeftAloneWhenNothingWasChosen) {
    ChildProcess host;
    HWND editor = nullptr;
    ASSERT_TRUE(StartHostEditor("keep me", &host, &editor));
    IdeStart ide;
    ide.word = "Window";
    std::string handle = HandleAsDecimal(editor);
    ide.editorHandle = handle.c_str();
    EXPECT_EQ(RunOrvaneAndClose(folder, ide), 0);
    EXPECT_EQ(WindowTextOf(editor), "keep me");
}

TEST_F(Startup, SettingsLiveNextToTheProgramWhateverTheCurrentDirectory) {
    std::string elsewhere = MakeTempDir();
    ASSERT_FALSE(elsewhere.empty());
    IdeStart ide;
    ide.currentDirectory = elsewhere;
    EXPECT_EQ(RunOrvaneAndClose(folder, ide), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));
    EXPECT_FALSE(DataFileExists(elsewhere, SETTINGS));
}
