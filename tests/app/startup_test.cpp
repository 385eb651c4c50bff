#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "catalogue/text.h"

TEST(StartupWords, ToolWordIsTrimmedAndLowerCasedAsciiOnly) {
    EXPECT_EQ(CleanWord("  MyWord\t"), "myword");
    EXPECT_EQ(CleanWord("\xC4Pfel"), "\xC4pfel"); // bytes above 127 keep their case
    EXPECT_EQ(CleanWord("Two Words "), "two words");
    EXPECT_EQ(CleanWord("\r\nWord\n"), "\r\nword\n"); // only spaces and tabs are blanks
    EXPECT_EQ(CleanWord(""), "");
    EXPECT_EQ(CleanWord(" \t "), "");
}

TEST(StartupWords, CommandLineWordIsTheTextBehindTheQuotedProgramPath) {
    EXPECT_EQ(CommandLineWordFrom("\"D:\\Tools\\tool.exe\" PrintN"), "printn");
    EXPECT_EQ(CommandLineWordFrom("\"D:\\Tools\\tool.exe\"   \tPrintN  "), "printn");
    EXPECT_EQ(CommandLineWordFrom("\"D:\\Tools\\tool.exe\" Two Words"), "two words");
    // A quoted argument: the third field is the blank between the two quoted parts.
    EXPECT_EQ(CommandLineWordFrom("\"D:\\Tools\\tool.exe\" \"PrintN\""), "");
    // Neither quoted, or only one quote: there is no third field.
    EXPECT_EQ(CommandLineWordFrom("D:\\Tools\\tool.exe PrintN"), "");
    EXPECT_EQ(CommandLineWordFrom("D:\\Tools\\tool.exe \"PrintN"), "");
    EXPECT_EQ(CommandLineWordFrom(""), "");
    // The third field ends at a third quote; what follows it does not count.
    EXPECT_EQ(CommandLineWordFrom("x\"a\"Word\"rest\""), "word");
    EXPECT_EQ(CommandLineWordFrom("\"D:\\Tools\\tool.exe\""), "");
}

TEST(StartupWords, EditorHandleIsSignedDecimalWrappingIn32Bits) {
    EXPECT_EQ(EditorHandleFrom("987"), 987);
    EXPECT_EQ(EditorHandleFrom("  -12abc"), -12);
    EXPECT_EQ(EditorHandleFrom("\t+7"), 7);
    EXPECT_EQ(EditorHandleFrom(""), 0);
    EXPECT_EQ(EditorHandleFrom("0x1F"), 0);
    EXPECT_EQ(EditorHandleFrom("1e5"), 1);
    EXPECT_EQ(EditorHandleFrom("-"), 0);
    EXPECT_EQ(EditorHandleFrom("\n5"), 0); // only spaces and tabs are skipped
    EXPECT_EQ(EditorHandleFrom("2147483647"), 2147483647);
    EXPECT_EQ(EditorHandleFrom("-2147483648"), INT32_MIN);
    EXPECT_EQ(EditorHandleFrom("4294967295"), -1); // a handle printed unsigned comes back as its 32 bits
    EXPECT_EQ(EditorHandleFrom("4294967296"), 0);
}

#include <cstdlib>

static void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

TEST(StartupWords, ReadFromTheProcessEnvironment) {
    SetVariable("ZQ_TOOL_Word", "  PrintN\t");
    SetVariable("ZQ_TOOL_Scintilla", " 4242");
    EXPECT_EQ(ReadToolWord(), "printn");
    EXPECT_EQ(ReadEditorHandle(), 4242);

    SetVariable("ZQ_TOOL_Word", nullptr);
    SetVariable("ZQ_TOOL_Scintilla", nullptr);
    EXPECT_EQ(ReadToolWord(), "");
    EXPECT_EQ(ReadEditorHandle(), 0);
}
