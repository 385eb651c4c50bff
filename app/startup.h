// What the host IDE hands over at start-up besides the word under its cursor (ReadToolWord of
// catalogue/catalogue.h): its editor's window handle, and a fallback word on the command line. The
// rules work on given texts (for the tests); the Read... functions apply them to the process's own
// environment and command line.
#pragma once

#include <cstdint>
#include <string>

// The text between the second and the third double quote (or the end of the line), cleaned as
// CleanWord does; "" when the line holds fewer than two double quotes.
std::string CommandLineWordFrom(const std::string& commandLine);

// Signed decimal after spaces and tabs, built in wrapping 32-bit arithmetic; anything else gives 0.
int32_t EditorHandleFrom(const std::string& value);

std::string ReadCommandLineWord();
int32_t ReadEditorHandle();
