// The grouped key/value text format of the settings and catalogue files, and the small library
// that reads and writes it. One file at a time, in process-wide state; opening or creating a file
// first closes the one that is open.
//
// Failures: every operation reports them by its result alone (false, 0, null or empty), never by an
// exception; memory that runs out counts as a failure like any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace PreferenceFile {

// Opens for reading and writing (creating the file empty when missing) and parses it; a UTF-8
// byte-order mark at the very start of the file is skipped. A file that may be read but not written
// (write-protected, held open by another program, in a place without the right to write) is opened
// for reading only instead: it reads as any other, and Close never writes it, whatever was stored.
// False, with no file open, when it cannot be opened or its content cannot be held in memory.
bool Open(const char* path);

// What Scan hands over: first the file's size in bytes, then line by line in file order each
// group's name and each key's name and value as GroupName, KeyName and ReadText give them (keys
// of the top section included). The texts are valid during the call only.
struct ScanHandler {
    void* context;
    void (*start)(void* context, int64_t size);
    void (*group)(void* context, const char* name);
    void (*key)(void* context, const char* name, const char* value);
};

// Reads an existing file from start to end as Open reads it, but through a buffer of a line or
// more instead of the whole file, and without a model: for a file that is only read, whatever its
// size. Others may read and write the file meanwhile; the open file, if any, stays as it is. False
// when the file cannot be opened, cannot be read to its end (the handler may have had some of its
// lines then), or a buffer for its longest line cannot be had. What the handler throws passes
// through, with the file closed.
bool Scan(const char* path, const ScanHandler& handler);

// Creates the file empty for writing, replacing an existing one.
bool Create(const char* path);

// Writes the canonical form back (without a byte-order mark) when a key was stored and the file was
// opened for writing, closes the file, releases the model.
void Close();

// Selects the first group of that name (ASCII letters folded); "" selects the top section.
// A missing group becomes the pending group name, created by the next write.
bool SelectGroup(const char* name);

// The key's value as a signed decimal number (ParseDecimal32, after C white space); the default
// when there is no such key.
int32_t ReadNumber(const char* key, int32_t defaultValue);
std::string ReadText(const char* key, const char* defaultValue = "");
void WriteNumber(const char* key, int32_t value);

bool RewindGroups();
bool NextGroup();
std::string GroupName();
bool RewindKeys();
bool NextKey();
std::string KeyName();

// The two operations beneath the lookups and the writes; public for the tests.
// FindKey: the value of the first key of that name in the current section, or null.
const char* FindKey(const char* key);
// StoreKey: creates or updates the key and gives writable storage for length bytes plus a zero.
char* StoreKey(const char* key, size_t length);

} // namespace PreferenceFile
