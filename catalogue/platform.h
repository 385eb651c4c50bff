// The thin layer between the rest of the program and the operating system: the one place that
// opens, reads, writes, replaces and deletes files, and that gives the environment, the command line
// and the program's own location. platform_win32.cpp implements it on Win32, platform_posix.cpp for
// the native Linux build that runs the unit tests.
//
// Paths are UTF-8 text everywhere in the program, so that a folder of any name the system can hold
// works, whatever the system's ANSI code page can write; the Win32 layer hands them to the system's
// wide functions. A path that is not valid UTF-8 names no file. Paths use backslashes as on Windows;
// the POSIX layer maps them to slashes. Other text (the environment, the command line) stays as the
// system gives it.
//
// Where an operation fails, the system's reason is left in its last error (GetLastError on Win32,
// errno on POSIX).
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

// Writes the bytes at the start of the file and cuts the file behind what was written.
// Returns false when the write, or the cut, failed.
bool PlatformFileReplaceContent(PlatformFile file, const void* data, int64_t length);

// Opens an existing file for reading only or for writing only; while it is open, others may read it
// but not write it. 0 when there is no such file or it cannot be opened so.
enum PlatformFileAccess { PLATFORM_FILE_READ, PLATFORM_FILE_WRITE };
PlatformFile PlatformFileOpenExisting(const char* path, PlatformFileAccess access);

// As PlatformFileCreate; where the system refuses to create a file over an existing one (on Win32 a
// hidden or system file), that file is cut to zero length instead. When both fail, the reason left
// is the one of the first attempt: why the file could not be created.
PlatformFile PlatformFileCreateOrTruncate(const char* path);

// Reads up to length bytes from the file's current position on; fewer only at the end of the file
// or where the system failed. The count read.
int64_t PlatformFileRead(PlatformFile file, void* buffer, int64_t length);

// Writes the bytes at the file's current position on. False when the system took fewer.
bool PlatformFileWrite(PlatformFile file, const void* data, int64_t length);

// Asks the system to put what was written to the file on the disk. False when it refused.
bool PlatformFileFlush(PlatformFile file);

void PlatformFileClose(PlatformFile file);

// What the system tells about a file or folder by its path: its size in bytes and when it was last
// written, in the system's own units.
struct PlatformFileFacts {
    int64_t size;
    int64_t lastWrite;
};
// False when nothing can be found at the path.
bool PlatformFileFactsOf(const char* path, PlatformFileFacts* facts);

// True when nothing is at the path: neither the file nor a folder on its way exists. False also
// where the system cannot tell.
bool PlatformPathMissing(const char* path);

// Gives the file another path on the same disk, replacing a file there, and returns once the move is
// on the disk. False when it could not be done.
bool PlatformFileMoveReplacing(const char* from, const char* to);

// Deletes the file. False when it could not be deleted.
bool PlatformFileDelete(const char* path);

// The value of an environment variable; "" when it is missing.
std::string PlatformEnvironment(const char* name);

// The process's whole command line as the system holds it.
std::string PlatformCommandLine();

// The full path of the program's own file, whatever its length and the letters of its name.
std::string PlatformProgramPath();

// The process's current directory, whatever its length; "" when it cannot be read.
std::string PlatformCurrentDirectory();

// For tests: makes PlatformProgramPath answer the given path ("" or null restores the real one).
void PlatformOverrideProgramPath(const char* path);
