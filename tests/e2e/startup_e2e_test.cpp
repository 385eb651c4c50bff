// Orvane started as the IDE starts it: what it leaves in its data folder, and what a second start
// does to a running instance.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "support/temp_dir.h"

static const char* const SETTINGS = "Orvane.cfg";

using Startup = DataFolderTest;

TEST_F(Startup, FirstRunWritesTheDefaultPlace) {
    ASSERT_FALSE(DataFileExists(folder, SETTINGS));
    EXPECT_EQ(RunOrvaneAndClose(folder), 0);
    // The virtual desktop is 1024 pixels wide: 1024 - 310.
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));
}

TEST_F(Startup, RememberedPlaceIsKeptAlsoPartlyOffScreen) {
    ASSERT_TRUE(WriteDataFile(folder, SETTINGS, "[WindowPositions]\nWindowPosX=-5\nWindowPosY=200\n"));
    IdeStart ide;
    ide.word = "PrintN";
    ide.editorHandle = "12345";
    EXPECT_EQ(RunOrvaneAndClose(folder, ide), 0);
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(-5, 200));
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

TEST_F(Startup, SecondStartClosesTheRunningInstance) {
    std::string record = folder + "standin.txt";
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(120, 80, record, false, &standIn));

    ChildProcess orvane;
    HWND window = StartOrvaneWindow(folder, IdeStart(), &orvane);
    ASSERT_TRUE(window);

    DWORD standInCode = 99;
    ASSERT_TRUE(WaitForExit(standIn, 10000, &standInCode)) << "the running instance was not closed";
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

TEST_F(Startup, HungRunningInstanceDoesNotHoldTheNewStart) {
    std::string record = folder + "standin.txt";
    ChildProcess standIn;
    ASSERT_TRUE(StartStandInInstance(120, 80, record, true, &standIn));

    DWORD started = GetTickCount();
    EXPECT_EQ(RunOrvaneAndClose(folder), 0);
    EXPECT_LT(GetTickCount() - started, ORVANE_RUN_TIMEOUT_MS);
    EXPECT_FALSE(DataFileExists(folder, "standin.txt"));
    EXPECT_EQ(ReadDataFile(folder, SETTINGS), SettingsFileText(714, 10));

    StopProcess(standIn);
    EXPECT_TRUE(WaitUntilNoWindowTitled(ORVANE_TITLE, 5000));
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
