#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/settings.h"
#include "catalogue/platform.h"
#include "support/fake_toolkit.h"
#include "support/temp_dir.h"

// Each test gets a fresh data directory: the program's file is pretended to sit in a new temp folder.
class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        FakeReset();
        ResetApplicationState();
        folder = MakeTempDir();
        ASSERT_FALSE(folder.empty());
        PlatformOverrideProgramPath((folder + "Orvane.exe").c_str());
    }
    void TearDown() override { PlatformOverrideProgramPath(nullptr); }

    std::string SettingsPath() const { return folder + "Orvane.cfg"; }
    std::string folder;
};

static const char* const CANONICAL_714_10 = "[WindowPositions]\r\nWindowPosX = 714\r\nWindowPosY = 10\r\n";

TEST_F(Settings, NoFileGivesTheDefaultPlaceAndLeavesAnEmptyFile) {
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 714); // the fake's screen is 1024 wide
    EXPECT_EQ(MainWindowPos.y, 10);
    ASSERT_TRUE(FileExists(SettingsPath()));
    EXPECT_EQ(ReadWholeFile(SettingsPath()), "");

    SaveWindowPosition();
    EXPECT_EQ(ReadWholeFile(SettingsPath()), CANONICAL_714_10);
}

TEST_F(Settings, DefaultFollowsTheScreenWidth) {
    Fake.screenWidth = 1920;
    Fake.monitors = {{0, 0, 1920, 1080}};
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 1610);
    EXPECT_EQ(MainWindowPos.y, 10);
    // At 150 % the wider window still ends inside the screen.
    Fake.dpi = 144;
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 1920 - 465);
}

TEST_F(Settings, RememberedPlaceComesBackAndIsWrittenCanonically) {
    ASSERT_TRUE(
        WriteWholeFile(SettingsPath(), "; mine\n[windowpositions]\nwindowposx=5\n  WindowPosY =  200\n"));
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 5);
    EXPECT_EQ(MainWindowPos.y, 200);
    // Reading leaves the file's bytes alone.
    EXPECT_EQ(ReadWholeFile(SettingsPath()),
              "; mine\n[windowpositions]\nwindowposx=5\n  WindowPosY =  200\n");

    SaveWindowPosition();
    // Saving replaces the whole file: the comment is gone, the keys are spelled as the program spells them.
    EXPECT_EQ(ReadWholeFile(SettingsPath()), "[WindowPositions]\r\nWindowPosX = 5\r\nWindowPosY = 200\r\n");
}

TEST_F(Settings, MissingOrOddKeysFollowTheNumberRules) {
    // Only y given: x takes its default. An empty value reads as 0, which still shows the window.
    ASSERT_TRUE(WriteWholeFile(SettingsPath(), "[WindowPositions]\r\nWindowPosY = 300\r\n"));
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 714);
    EXPECT_EQ(MainWindowPos.y, 300);

    ASSERT_TRUE(WriteWholeFile(SettingsPath(), "[WindowPositions]\r\nWindowPosX =\r\nWindowPosY = 12px\r\n"));
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 0);
    EXPECT_EQ(MainWindowPos.y, 12);

    // The keys outside their group are not the settings.
    ASSERT_TRUE(WriteWholeFile(SettingsPath(), "WindowPosX = 100\r\nWindowPosY = 100\r\n"));
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 714);
    EXPECT_EQ(MainWindowPos.y, 10);
}

TEST_F(Settings, PlaceOffTheWorkAreaMovesInsideAndOffEveryMonitorFallsBackToTheDefault) {
    // The fake's frame is client + 6 wide and client + 25 high: 306 x 435. The work area leaves a
    // taskbar of 30 pixels at the bottom.
    Fake.monitors = {{0, 0, 1024, 768, 0, 0, 1024, 738}};
    struct Case {
        int x, y, placedX, placedY;
    } cases[] = {
        {5000, 5000, 714, 10}, {-306, 200, 714, 10}, // right edge just left of the screen
        {-305, 200, 0, 200},                         // one column still on it
        {1023, 200, 718, 200}, {1024, 200, 714, 10}, {100, -435, 714, 10},      {100, -434, 100, 0},
        {100, 767, 100, 303},  {100, 768, 714, 10},  {2147483600, 10, 714, 10}, // beyond 32 bits
        {-5, 200, 0, 200},     {718, 303, 718, 303},                            // wholly inside: kept
    };
    for (const Case& c : cases) {
        std::string text = "[WindowPositions]\r\nWindowPosX = " + std::to_string(c.x) +
                           "\r\nWindowPosY = " + std::to_string(c.y) + "\r\n";
        ASSERT_TRUE(WriteWholeFile(SettingsPath(), text));
        LoadWindowPosition();
        EXPECT_EQ(MainWindowPos.x, c.placedX) << c.x << "," << c.y;
        EXPECT_EQ(MainWindowPos.y, c.placedY) << c.x << "," << c.y;
    }
    // A work area smaller than the window keeps the window's top-left corner in it.
    Fake.monitors = {{0, 0, 200, 300}};
    int x = 50, y = 50;
    EXPECT_TRUE(PlaceMainWindow(&x, &y));
    EXPECT_EQ(x + y, 0);
}

TEST_F(Settings, SecondMonitorKeepsAPlaceOffThePrimaryScreen) {
    Fake.monitors = {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    ASSERT_TRUE(
        WriteWholeFile(SettingsPath(), "[WindowPositions]\r\nWindowPosX = 1500\r\nWindowPosY = 500\r\n"));
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 1500);
    EXPECT_EQ(MainWindowPos.y, 500);

    // With that monitor gone, the same place would hide the window.
    Fake.monitors = {{0, 0, 1024, 768}};
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 714);
    EXPECT_EQ(MainWindowPos.y, 10);
}

TEST_F(Settings, SaveWritesThePositionTheLoopLastRecorded) {
    ASSERT_TRUE(
        WriteWholeFile(SettingsPath(), "[Other]\r\nKey = 1\r\n[WindowPositions]\r\nWindowPosX = 1\r\n"));
    MainWindowPos.x = -2147483647 - 1;
    MainWindowPos.y = 2147483647;
    SaveWindowPosition();
    EXPECT_EQ(ReadWholeFile(SettingsPath()),
              "[WindowPositions]\r\nWindowPosX = -2147483648\r\nWindowPosY = 2147483647\r\n");
}

TEST_F(Settings, SaveIntoAFolderThatIsGoneWritesNothing) {
    PlatformOverrideProgramPath((folder + "missing\\Orvane.exe").c_str());
    MainWindowPos = WindowPosition{1, 2};
    SaveWindowPosition();
    EXPECT_FALSE(FileExists(folder + "missing"));
    // Loading from there cannot open a file either: the defaults apply.
    LoadWindowPosition();
    EXPECT_EQ(MainWindowPos.x, 714);
    EXPECT_EQ(MainWindowPos.y, 10);
}
