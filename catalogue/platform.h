// The thin layer between the portable code and the operating system: whole-file access for the
// preference files, the environment, the command line and the program's own location.
// platform_win32.cpp implements it on Win32 (ANSI functions), platform_posix.cpp for the native
// Linux build that runs the unit tests. Paths use backslashes as on Windows; the POSIX layer maps
// them to slashes.
#pragma once

#include <cstdint>
#include <string>

// An open file; 0 means none.
using PlatformFile = std::intptr_t;

// The largest file the preference files read or write whole, 2 GiB less one byte: what one read or
// write of the system can move and a 32-bit program can hold.
constexpr int64_t PLATFORM_FILE_SIZE_LIMIT = 0x7FFFFFFF;

// Opens for reading and writing, creating the file empty when it does not exist. While it is open,
// others may read it but not write it (Win32 sharing mode; an advisory lock on POSIX, where a
// second writer through this layer is refused). 0 when the file cannot be opened.
PlatformFile PlatformFileOpenReadWrite(const char* path);

// Opens an existing file for reading only, while others may read and write it: for a file that may
// be read but not written (write-protected, held open by another program, in a place without the
// right to write). 0 when there is no such file or it cannot be read.
PlatformFile PlatformFileOpenForReading(const char* path);

// Creates the file for writing, replacing an existing one and cutting it to zero length at once;
// others may read it but not write it. 0 on failure.
PlatformFile PlatformFileCreate(const char* path);

// The file's size in bytes, or -1 when it cannot be read.
int64_t PlatformFileSize(PlatformFile file);

// Reads up to length bytes from the start of the file (one read where the system allows it);
// returns the count read, which is less than length only at the end of the file, or -1.
int64_t PlatformFileReadFromStart(PlatformFile file, void* buffer, int64_t length);

// Writes the bytes at the start of the file with one write and cuts the file behind them.
// Returns false when the write, or the cut, failed.
bool PlatformFileReplaceContent(PlatformFile file, const void* data, int64_t length);

void PlatformFileClose(PlatformFile file);

// The value of an environment variable; "" when it is missing.
std::string PlatformEnvironment(const char* name);

// The process's whole command line as the system holds it.
std::string PlatformCommandLine();

// The full path of the program's own file, whatever its length.
std::string PlatformProgramPath();

// The process's current directory, whatever its length; "" when it cannot be read.
std::string PlatformCurrentDirectory();

// For tests: makes PlatformProgramPath answer the given path ("" or null restores the real one).
void PlatformOverrideProgramPath(const char* path);
