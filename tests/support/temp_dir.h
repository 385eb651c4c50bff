// Fresh scratch folders for tests, in the platform's own path syntax.
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
