#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/temp_dir.h"
#include "toolkit/toolkit.h"

namespace {

std::string PatternBytes(size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (char)((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// Also in a folder whose name the ANSI code page cannot write.
TEST(Files, ALargeFileGoesThroughWholeInBothDirections) {
    std::string path = MakeNonAnsiTempDir() + "large.ovc";
    std::string content = PatternBytes(4096 * 3 + 517);
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    // Odd-sized pieces fill the buffer unevenly; one piece is larger than the buffer itself.
    const size_t pieces[] = {1, 1000, 3095, 2, 5000, 4093};
    size_t written = 0;
    for (size_t piece : pieces) {
        size_t length = piece < content.size() - written ? piece : content.size() - written;
        ASSERT_EQ(FileWrite(1, content.data() + written, (int64_t)length), (int64_t)length);
        written += length;
        EXPECT_EQ(FileLength(1), (int64_t)written) << "buffered bytes count as written";
    }
    ASSERT_EQ(written, content.size());
    FileClose(1);
    EXPECT_EQ(ReadWholeFile(path), content);

    ASSERT_NE(FileOpenRead(1, path.c_str()), 0);
    int64_t length = FileLength(1);
    ASSERT_EQ(length, (int64_t)content.size());
    std::string back((size_t)length, ' ');
    EXPECT_EQ(FileRead(1, &back[0], length), length);
    EXPECT_EQ(back, content);
    char extra[8];
    EXPECT_EQ(FileRead(1, extra, sizeof extra), 0) << "nothing beyond the end";
    FileClose(1);
}

TEST(Files, SmallReadsDeliverTheFileInOrder) {
    std::string path = MakeTempDir() + "pieces.txt";
    std::string content = PatternBytes(10000);
    ASSERT_TRUE(WriteWholeFile(path, content));
    ASSERT_NE(FileOpenRead(3, path.c_str()), 0);
    std::string back;
    char piece[333];
    for (;;) {
        int64_t got = FileRead(3, piece, sizeof piece);
        if (got <= 0) break;
        back.append(piece, (size_t)got);
    }
    EXPECT_EQ(back, content);
    // Asking for more than is left gives only what is left.
    FileClose(3);
    ASSERT_NE(FileOpenRead(3, path.c_str()), 0);
    std::string all(20000, ' ');
    EXPECT_EQ(FileRead(3, &all[0], 20000), 10000);
    FileClose(3);
}

TEST(Files, AMissingFileLeavesTheNumbersFileOpen) {
    std::string dir = MakeTempDir();
    ASSERT_TRUE(WriteWholeFile(dir + "here.txt", "still here"));
    ASSERT_NE(FileOpenRead(1, (dir + "here.txt").c_str()), 0);
    EXPECT_EQ(FileOpenRead(1, (dir + "missing.txt").c_str()), 0);
    EXPECT_EQ(FileLength(1), 10);
    char text[16] = {};
    EXPECT_EQ(FileRead(1, text, 10), 10);
    EXPECT_STREQ(text, "still here");
    EXPECT_EQ(FileCreate(1, (dir + "no such folder\\x.txt").c_str()), 0);
    EXPECT_EQ(FileLength(1), 10);
    FileClose(1);
    EXPECT_EQ(FileLength(1), 0);
}

TEST(Files, ReusingANumberClosesTheOldFile) {
    std::string dir = MakeTempDir();
    ASSERT_NE(FileCreate(4, (dir + "first.txt").c_str()), 0);
    EXPECT_EQ(FileWrite(4, "first", 5), 5);
    ASSERT_NE(FileCreate(4, (dir + "second.txt").c_str()), 0);
    // The first file was flushed and closed: its contents are there and it can be replaced.
    EXPECT_EQ(ReadWholeFile(dir + "first.txt"), "first");
    HANDLE again =
        CreateFileA((dir + "first.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
    EXPECT_EQ(FileWrite(4, "second", 6), 6);
    FileClose(4);
    EXPECT_EQ(ReadWholeFile(dir + "second.txt"), "second");
}

TEST(Files, CreateTruncatesAndAlsoReplacesHiddenFiles) {
    std::string path = MakeTempDir() + "hidden.ovc";
    ASSERT_TRUE(WriteWholeFile(path, "a longer old content"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(FileCreate(2, path.c_str()), 0);
    EXPECT_EQ(FileLength(2), 0);
    EXPECT_EQ(FileWrite(2, "new", 3), 3);
    FileClose(2);
    EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(Files, NothingHappensWithoutDataOrWithTheWrongDirection) {
    std::string path = MakeTempDir() + "modes.txt";
    ASSERT_NE(FileCreate(5, path.c_str()), 0);
    EXPECT_EQ(FileWrite(5, nullptr, 10), 0);
    EXPECT_EQ(FileWrite(5, "abc", 0), 0);
    EXPECT_EQ(FileWrite(5, "abc", -2), 0);
    char c;
    EXPECT_EQ(FileRead(5, &c, 1), 0) << "a file being written is not read";
    FileClose(5);
    EXPECT_EQ(ReadWholeFile(path), "");
    ASSERT_NE(FileOpenRead(5, path.c_str()), 0);
    EXPECT_EQ(FileWrite(5, "abc", 3), 0) << "a file being read is not written";
    FileClose(5);
    EXPECT_EQ(FileWrite(9, "abc", 3), 0);
    EXPECT_EQ(FileRead(-1, &c, 1), 0);
    FileClose(9);
}

// Also in a folder whose name the ANSI code page cannot write.
TEST(Files, ReplaceSwapsTheWholeFileOrLeavesItAsItWas) {
    std::string folder = MakeNonAnsiTempDir();
    std::string path = folder + "constants.ovc";
    EXPECT_TRUE(FileMissing(path.c_str()));
    EXPECT_FALSE(FileStamp(path.c_str()).present);
    EXPECT_TRUE(FileMissing((folder + "no folder\\constants.ovc").c_str()));
    std::string content = PatternBytes(4096 + 10);
    EXPECT_TRUE(FileReplace(1, path.c_str(), content.data(), (int64_t)content.size()).replaced);
    EXPECT_EQ(ReadWholeFile(path), content);
    EXPECT_FALSE(FileMissing(path.c_str()));
    FileStampInfo stamp = FileStamp(path.c_str());
    EXPECT_TRUE(stamp.present);
    EXPECT_EQ(stamp.size, (int64_t)content.size());
    EXPECT_NE(stamp.lastWrite, 0);
    EXPECT_TRUE(FileReplace(1, path.c_str(), "", 0).replaced);
    EXPECT_EQ(ReadWholeFile(path), "");

    // Another program holds it so that it may not be written: the reason, and the file untouched.
    ASSERT_TRUE(WriteWholeFile(path, "old"));
    HANDLE held = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileReplaceResult refused = FileReplace(1, path.c_str(), "new", 3);
    EXPECT_FALSE(refused.replaced);
    EXPECT_NE(refused.reason, "");
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_FALSE(FileExists(path + ".saving"));
}

} // namespace
