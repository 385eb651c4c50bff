// Orvane under faults of its surroundings: a data folder it cannot write, a catalogue another
// program holds, a full disk during a save, and a burst of starts that take over one another.
#include <gtest/gtest.h>

#include <memory>

#include "support/immutable_file.h"
#include "support/temp_dir.h"
#include "support/unix_command.h"
#include "window_e2e_support.h"

static const char* const CATALOGUE_NAME = "constants.ovc";
static const char* const SETTINGS_NAME = "Orvane.cfg";
static const char* const SMALL_CATALOGUE = "[fruit]\r\napple = 1\r\npear = 2\r\n";

static std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// A small tmpfs mounted on a fresh folder for as long as this lives.
struct SmallDisk {
    std::string folder; // Windows path, ending in "\"
    std::string unixPath;
    bool mounted = false;
    explicit SmallDisk(unsigned kilobytes) {
        folder = MakeTempDir();
        unixPath = WithoutTrailingSlash(UnixPathOf(folder));
        mounted = !unixPath.empty() && RunUnixCommand("mount -t tmpfs -o size=" + std::to_string(kilobytes) +
                                                      "k tmpfs " + unixPath);
    }
    ~SmallDisk() {
        if (mounted) RunUnixCommand("umount -l " + unixPath);
        RemoveDirectoryA(folder.c_str());
    }
};

class Fault : public DataFolderTest {
  protected:
    void TearDown() override { CloseOrvane(run.process, run.main, 5000); }
    RunningOrvane run;
};

TEST_F(Fault, ReadOnlyDataFolderShowsTheCatalogueAndSavesNothing) {
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE_NAME, SMALL_CATALOGUE));
    {
        ImmutableFile locked(folder);
        if (!locked.active) GTEST_SKIP() << "chattr +i is not available here (needs root on ext4)";
        ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{"fruit"}, &run));
        EXPECT_EQ(ComboItemCount(Gadget(run.main, CATEGORY_BOX)), 1);
        EXPECT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)), (std::vector<std::string>{"1", "2"}));
        // Save says why the file beside the catalogue cannot be made, not a later attempt's "not found".
        HWND editorWindow = OpenEditor(run);
        ASSERT_TRUE(editorWindow && ClickGadget(editorWindow, SAVE_BUTTON));
        HWND box = WaitForMessageBox(run.process.id, 5000);
        ASSERT_TRUE(box) << "no message about the failed save";
        EXPECT_NE(MessageBoxText(box).find("denied"), std::string::npos) << MessageBoxText(box);
        ASSERT_TRUE(DismissMessageBox(box) && ClickGadget(editorWindow, CANCEL_BUTTON));
        EXPECT_TRUE(Answers(run.main));
        EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
    }
    EXPECT_FALSE(DataFileExists(folder, SETTINGS_NAME));
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE_NAME), SMALL_CATALOGUE);
}

TEST_F(Fault, CatalogueHeldByAnotherProgramIsShownAndStaysIntact) {
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE_NAME, SMALL_CATALOGUE));
    HANDLE held = CreateFileA((folder + CATALOGUE_NAME).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    bool started = LaunchOrvaneIn(folder, IdeStart{"fruit"}, &run);
    if (started) {
        EXPECT_EQ(ComboItemCount(Gadget(run.main, CATEGORY_BOX)), 1);
        EXPECT_EQ(ListRowTexts(Gadget(run.main, ENTRY_LIST)), (std::vector<std::string>{"1", "2"}));
        EXPECT_TRUE(Answers(run.main));
        EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
    }
    CloseHandle(held);
    ASSERT_TRUE(started) << "no main window while the catalogue was held";
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE_NAME), SMALL_CATALOGUE);
    EXPECT_NE(ReadDataFile(folder, SETTINGS_NAME), "");
}

TEST_F(Fault, SaveOnAFullDiskKeepsTheOldFileAndTheEdits) {
    std::string program = BinDirectory() + "Orvane.exe";
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExA(program.c_str(), GetFileExInfoStandard, &data));
    // Room for the program, the catalogue and a little more, which the filler then takes.
    unsigned kilobytes = (unsigned)(data.nFileSizeLow / 1024) + 256;
    SmallDisk disk(kilobytes);
    if (!disk.mounted) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    folder = disk.folder;
    ASSERT_TRUE(CopyFileA(program.c_str(), (folder + "Orvane.exe").c_str(), FALSE));
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE_NAME, SMALL_CATALOGUE));
    ASSERT_TRUE(WriteDataFile(folder, SETTINGS_NAME, ""));
    RunUnixCommand("dd if=/dev/zero of=" + disk.unixPath + "/filler bs=4k"); // fails once full
    HANDLE probe =
        CreateFileA((folder + "probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool probeWrote = probe != INVALID_HANDLE_VALUE && WriteFile(probe, "x", 1, &written, nullptr) &&
                      written == 1 && FlushFileBuffers(probe);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    DeleteFileA((folder + "probe").c_str());
    ASSERT_FALSE(probeWrote) << "the disk is not full";

    ASSERT_TRUE(LaunchOrvaneIn(folder, IdeStart{"fruit"}, &run));
    HWND editorWindow = OpenEditor(run);
    ASSERT_TRUE(editorWindow);
    HWND editor = Gadget(editorWindow, EDITOR_TEXT);
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == SMALL_CATALOGUE; }, 3000));
    ASSERT_TRUE(ClickGadget(editorWindow, EDITOR_TEXT));
    ASSERT_TRUE(PressKey(VK_HOME, VK_CONTROL));
    ASSERT_TRUE(TypeText("new "));
    std::string edited = "new " + std::string(SMALL_CATALOGUE);
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(editor) == edited; }, 3000)) << WindowTextOf(editor);

    ASSERT_NO_FATAL_FAILURE(ExpectRefusedSave(editorWindow, run.process.id, SMALL_CATALOGUE, folder));

    ASSERT_TRUE(ClickGadget(editorWindow, CANCEL_BUTTON));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editorWindow); }, 5000));
    EXPECT_TRUE(Answers(run.main));
    EXPECT_EQ(CloseOrvane(run.process, run.main), 0);
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE_NAME), SMALL_CATALOGUE);
}

TEST_F(Fault, TwentyQuickStartsLeaveOneWindowAndValidSettings) {
    ASSERT_TRUE(WriteDataFile(folder, CATALOGUE_NAME, SMALL_CATALOGUE));
    const int starts = 20;
    std::vector<std::unique_ptr<ChildProcess>> instances;
    HWND last = nullptr;
    for (int i = 0; i < starts; i++) {
        instances.emplace_back(new ChildProcess());
        ASSERT_TRUE(StartOrvane(folder, IdeStart{"fruit"}, instances.back().get())) << "start " << i;
        // Each start is made once the one before has its window, so that each has one to take over.
        last = WaitForWindowTitled(ORVANE_TITLE, 10000, instances.back()->id);
        ASSERT_TRUE(last) << "start " << i << " showed no window";
    }
    // One bound for all of them, so that a failure does not take twenty time-outs.
    DWORD deadline = GetTickCount() + 30000;
    for (int i = 0; i < starts - 1; i++) {
        DWORD code = 1;
        DWORD now = GetTickCount();
        DWORD left = (LONG)(deadline - now) > 0 ? deadline - now : 0;
        EXPECT_TRUE(WaitForExit(*instances[i], left, &code)) << "instance " << i << " did not end";
        EXPECT_EQ(code, 0u) << "instance " << i;
    }
    EXPECT_EQ(TopLevelWindowsTitled(ORVANE_TITLE).size(), 1u);
    EXPECT_TRUE(Answers(last));
    PostMessageA(last, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(*instances.back(), 20000, &code));
    EXPECT_EQ(code, 0u);
    int x = GetSystemMetrics(SM_CXSCREEN) - 310;
    EXPECT_EQ(ReadDataFile(folder, SETTINGS_NAME), SettingsFileText(x, 10));
    EXPECT_EQ(ReadDataFile(folder, CATALOGUE_NAME), SMALL_CATALOGUE);
}
