// Fresh scratch folders for tests, in the platform's own path syntax. Paths are UTF-8, as in the
// program, so that folders of any name work.
#pragma once

#include <string>

// Creates a new empty folder under the system's temporary folder and returns its path, ending in the
// platform's separator ("\" on Windows, "/" elsewhere).
std::string MakeTempDir();

// Writes the bytes to the file, replacing it. False on failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// The file's bytes; "" when it cannot be read (use FileExists to tell the two apart).
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// A folder name the Western ANSI code page cannot write: Cyrillic and Chinese letters.
constexpr const char* NON_ANSI_NAME = u8"Инструменты 工具";
// Creates a folder of that name inside a new one, as MakeTempDir does.
std::string MakeNonAnsiTempDir();

#ifdef _WIN32
// The path as the system's wide functions take it.
std::wstring WidePath(const std::string& path);
#endif
