// What the host IDE hands over at start-up: the word under its cursor, its editor's window handle,
// and a fallback word on the command line. The rules work on given texts (for the tests); the
// Read... functions apply them to the process's own environment and command line.
#pragma once

#include <cstdint>
#include <string>

// Names of the environment variables the IDE sets for the tool.
extern const char* const TOOL_WORD_VARIABLE;     // "ZQ_TOOL_Word"
extern const char* const EDITOR_HANDLE_VARIABLE; // "ZQ_TOOL_Scintilla"

// Blanks off both ends, then A..Z lower-cased; bytes above 127 keep their case.
std::string CleanWord(const std::string& text);

// The text between the second and the third double quote (or the end of the line), cleaned;
// "" when the line holds fewer than two double quotes.
std::string CommandLineWordFrom(const std::string& commandLine);

// The word from the value of TOOL_WORD_VARIABLE, cleaned.
std::string ToolWordFrom(const std::string& value);

// Signed decimal after spaces and tabs, built in wrapping 32-bit arithmetic; anything else gives 0.
int32_t EditorHandleFrom(const std::string& value);

std::string ReadCommandLineWord();
std::string ReadToolWord();
int32_t ReadEditorHandle();
