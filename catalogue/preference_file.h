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

// Opens an existing file for reading only and parses it as Open does; never creates one. False when
// there is no such file, or it cannot be read or held in memory.
bool OpenForReading(const char* path);

// Creates the file empty for writing, replacing an existing one.
bool Create(const char* path);

// Writes the canonical form back (without a byte-order mark) when a key was stored and the file was
// opened for writing, closes the file, releases the model.
void Close();

// Closes as Close does, but hands the caller the buffer that holds the file as read instead of
// releasing it: the texts that GroupNameText, KeyNameText and KeyValueText gave for a file that was
// only read stay valid there until the caller releases the buffer with delete[]. Null when the file
// was empty or none was open.
char* CloseKeepingContent();

// Selects the first group of that name (ASCII letters folded); "" selects the top section.
// A missing group becomes the pending group name, created by the next write.
bool SelectGroup(const char* name);

int32_t ReadNumber(const char* key, int32_t defaultValue);
std::string ReadText(const char* key, const char* defaultValue = "");
void WriteNumber(const char* key, int32_t value);

bool RewindGroups();
bool NextGroup();
std::string GroupName();
bool RewindKeys();
bool NextKey();
std::string KeyName();
// The value of the key that NextKey reached; "" when none.
std::string KeyValue();

// The same three texts without a copy, valid until the next write or Close; "" when none.
const char* GroupNameText();
const char* KeyNameText();
const char* KeyValueText();

// The two operations beneath the lookups and the writes; public for the tests.
// FindKey: the value of the first key of that name in the current section, or null.
const char* FindKey(const char* key);
// StoreKey: creates or updates the key and gives writable storage for length bytes plus a zero.
char* StoreKey(const char* key, size_t length);

} // namespace PreferenceFile
