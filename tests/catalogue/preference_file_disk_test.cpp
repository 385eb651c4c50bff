// The preference file library against the disk: creating, protecting, sharing and sizing files,
// and what it does when memory runs out.
#include <gtest/gtest.h>

#include "catalogue/platform.h"
#include "catalogue/preference_file.h"
#include "support/failing_allocation.h"
#include "support/immutable_file.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::string NewPath(const char* name) {
    std::string dir = MakeTempDir();
    return dir.empty() ? std::string() : dir + name;
}

// Grows a file to size bytes without writing them (sparse), keeping its first bytes.
bool ExtendSparse(const std::string& path, int64_t size) {
#ifdef _WIN32
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER position;
    position.QuadPart = size;
    bool ok = SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
#else
    return truncate(path.c_str(), (off_t)size) == 0;
#endif
}

int64_t SizeOf(const std::string& path) {
    PlatformFile file = PlatformFileOpenReadWrite(path.c_str());
    int64_t size = PlatformFileSize(file);
    PlatformFileClose(file);
    return size;
}

std::string FirstBytes(const std::string& path, size_t count) {
    std::string bytes(count, '\0');
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return std::string();
    size_t n = fread(&bytes[0], 1, count, f);
    fclose(f);
    return bytes.substr(0, n);
}

class PreferenceFileDisk : public ::testing::Test {
  protected:
    void TearDown() override { PreferenceFile::Close(); }
};

TEST_F(PreferenceFileDisk, OpenCreatesAMissingFileEmpty) {
    std::string path = NewPath("Orvane.cfg");
    ASSERT_FALSE(FileExists(path));
    ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(PreferenceFile::SelectGroup("WindowPositions"));
    EXPECT_EQ(PreferenceFile::ReadNumber("WindowPosX", 714), 714);
    EXPECT_FALSE(PreferenceFile::NextGroup());
    PreferenceFile::Close();
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(PreferenceFileDisk, OpenFailsWhereNoFileCanBe) {
    std::string dir = MakeTempDir();
    EXPECT_FALSE(PreferenceFile::Open((dir + "no such folder/x.cfg").c_str()));
    EXPECT_FALSE(PreferenceFile::Open(dir.c_str())); // a folder
    EXPECT_FALSE(PreferenceFile::Create((dir + "no such folder/x.cfg").c_str()));
    EXPECT_EQ(PreferenceFile::ReadNumber("x", 3), 3);
    EXPECT_FALSE(PreferenceFile::RewindGroups());
}

// A file that may be read but not written is read, and never written whatever was stored.
TEST_F(PreferenceFileDisk, WriteProtectedFileIsReadButNeverWritten) {
    std::string path = NewPath("constants.ovc");
    ASSERT_TRUE(WriteWholeFile(path, "[g]\nk=1\n"));
    ImmutableFile guard(path);
    if (!guard.active) GTEST_SKIP() << "cannot write-protect a file here: " << guard.why;
    EXPECT_TRUE(PreferenceFile::Open(path.c_str()));
    EXPECT_TRUE(PreferenceFile::SelectGroup("g"));
    EXPECT_EQ(PreferenceFile::ReadNumber("k", -1), 1);
    PreferenceFile::WriteNumber("k", 2);
    PreferenceFile::Close();
    EXPECT_EQ(ReadWholeFile(path), "[g]\nk=1\n");
    EXPECT_FALSE(PreferenceFile::Create(path.c_str()));
}

TEST_F(PreferenceFileDisk, OthersMayReadButNotWriteAnOpenFile) {
    std::string path = NewPath("Orvane.cfg");
    ASSERT_TRUE(WriteWholeFile(path, "[g]\nk=1\n"));
    ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    EXPECT_EQ(ReadWholeFile(path), "[g]\nk=1\n");
#ifdef _WIN32
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    DWORD error = GetLastError();
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, (DWORD)ERROR_SHARING_VIOLATION);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
#endif
    // A second writer through the same layer, as a second instance of the program would be.
    PlatformFile second = PlatformFileOpenReadWrite(path.c_str());
    EXPECT_EQ(second, 0);
    PlatformFileClose(second);
    PlatformFile replacing = PlatformFileCreate(path.c_str());
    EXPECT_EQ(replacing, 0);
    PlatformFileClose(replacing);
    EXPECT_EQ(ReadWholeFile(path), "[g]\nk=1\n");

    // Opening another file closes this one and frees it for writers.
    std::string other = NewPath("other.cfg");
    ASSERT_TRUE(PreferenceFile::Create(other.c_str()));
    second = PlatformFileOpenReadWrite(path.c_str());
    EXPECT_NE(second, 0);
    PlatformFileClose(second);
}

TEST_F(PreferenceFileDisk, CreateEmptiesTheFileAtOnce) {
    std::string path = NewPath("Orvane.cfg");
    ASSERT_TRUE(WriteWholeFile(path, "[WindowPositions]\nWindowPosX=1\nextra=2\n"));
    ASSERT_TRUE(PreferenceFile::Create(path.c_str()));
    EXPECT_EQ(ReadWholeFile(path), "");
    EXPECT_FALSE(PreferenceFile::SelectGroup("WindowPositions"));
    EXPECT_FALSE(PreferenceFile::NextGroup());
    PreferenceFile::Close();
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(PreferenceFileDisk, OpenAndCloseLeaveTheBytesUntouched) {
    std::string path = NewPath("constants.ovc");
    std::string bytes = "\xEF\xBB\xBF; odd  spacing\n\n[ g ]x\r\n  k =  v \r\r\n\tlast";
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    PreferenceFile::Close();
    EXPECT_EQ(ReadWholeFile(path), bytes);
}

TEST_F(PreferenceFileDisk, ShrinkingRewriteCutsTheOldTail) {
    std::string path = NewPath("Orvane.cfg");
    std::string bytes =
        "[WindowPositions]\n\n\n      WindowPosX     =     1234567      \n; " + std::string(500, 'c');
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    PreferenceFile::SelectGroup("WindowPositions");
    PreferenceFile::WriteNumber("WindowPosX", 1);
    PreferenceFile::Close();
    EXPECT_EQ(ReadWholeFile(path),
              "[WindowPositions]\r\nWindowPosX = 1\r\n; " + std::string(500, 'c') + "\r\n");
}

// Files of 2 GiB or more lie beyond the format: reading them cut to 32 bits and writing that back
// would destroy the rest, so Open refuses them.
TEST_F(PreferenceFileDisk, HugeFileIsRefusedAndKeptIntact) {
    std::string path = NewPath("huge.cfg");
    ASSERT_TRUE(WriteWholeFile(path, "[g]\nk=1\n"));
    const int64_t size = 4294967296LL + 10;
    ASSERT_TRUE(ExtendSparse(path, size));
    ASSERT_EQ(SizeOf(path), size);

    EXPECT_FALSE(PreferenceFile::Open(path.c_str()));
    EXPECT_FALSE(PreferenceFile::SelectGroup("g"));
    PreferenceFile::WriteNumber("k", 2);
    EXPECT_FALSE(PreferenceFile::NextGroup());
    PreferenceFile::Close();
    // The file was let go: a writer can have it again.
    PlatformFile writer = PlatformFileOpenReadWrite(path.c_str());
    EXPECT_NE(writer, 0);
    PlatformFileClose(writer);

    EXPECT_EQ(SizeOf(path), size);
    EXPECT_EQ(FirstBytes(path, 8), "[g]\nk=1\n");
    std::remove(path.c_str());
}

// ---- Memory running out --------------------------------------------------------------------------

TEST_F(PreferenceFileDisk, OpenFailsWhenTheContentCannotBeHeld) {
    std::string path = NewPath("constants.ovc");
    std::string bytes = "[g]\nk=1\nj=2\n";
    // The content buffer, then one record per line: fail each in turn.
    long allowed = 0;
    bool opened = false;
    for (;; allowed++) {
        SCOPED_TRACE(allowed);
        ASSERT_TRUE(WriteWholeFile(path, bytes));
        if (!RunOutOfMemory(allowed, [&] { opened = PreferenceFile::Open(path.c_str()); })) break;
        EXPECT_FALSE(opened);
        // Closed: a write goes nowhere, and the file keeps what it had.
        PreferenceFile::WriteNumber("k", 5);
        PreferenceFile::Close();
        EXPECT_EQ(ReadWholeFile(path), bytes);
    }
    EXPECT_TRUE(opened);
    EXPECT_GE(allowed, 4);
}

TEST_F(PreferenceFileDisk, WritesWithoutRoomChangeNothing) {
    std::string path = NewPath("Orvane.cfg");
    std::string bytes = "[g]\nk=1\n";
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    ASSERT_TRUE(PreferenceFile::Open(path.c_str()));
    PreferenceFile::SelectGroup("g");

    RunOutOfMemory(0, [] { PreferenceFile::WriteNumber("k", 2); });   // no room for the name's copy
    RunOutOfMemory(1, [] { PreferenceFile::WriteNumber("k", 22); });  // none for the longer value
    RunOutOfMemory(2, [] { PreferenceFile::WriteNumber("new", 3); }); // a new key, but no record
    EXPECT_EQ(PreferenceFile::ReadNumber("k", -1), 1);
    EXPECT_EQ(PreferenceFile::ReadNumber("new", -1), -1);

    RunOutOfMemory(0, [] { // no room for the pending name: reads give defaults, writes go nowhere
        EXPECT_FALSE(PreferenceFile::SelectGroup("missing"));
        EXPECT_EQ(PreferenceFile::ReadNumber("k", -1), -1);
    });
    // No room for the output keeps the file; one made by Create stays empty.
    ASSERT_TRUE(PreferenceFile::SelectGroup("g"));
    PreferenceFile::WriteNumber("k", 4);
    EXPECT_EQ(PreferenceFile::ReadNumber("k", -1), 4);
    RunOutOfMemory(0, PreferenceFile::Close);
    EXPECT_EQ(ReadWholeFile(path), bytes);
    ASSERT_TRUE(PreferenceFile::Create(path.c_str()));
    PreferenceFile::SelectGroup("WindowPositions");
    PreferenceFile::WriteNumber("WindowPosX", 1);
    RunOutOfMemory(0, PreferenceFile::Close);
    EXPECT_EQ(ReadWholeFile(path), "");
}

} // namespace
