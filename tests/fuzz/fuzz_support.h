// Helpers shared by the preference file fuzz targets: one scratch file per process, whole-file
// access, and the file's groups and keys as the library's enumeration shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzKey {
    std::string name;
    std::string value; // as ReadText gives it by the key's name
};

// One section: the top section has no name and comes first; groups follow in file order.
struct FuzzSection {
    std::string name;
    std::vector<FuzzKey> keys;
};

using FuzzSnapshot = std::vector<FuzzSection>;

// A path in a memory-backed folder where there is one, the same for every call of one process.
const char* FuzzScratchPath();

void FuzzWriteFile(const char* path, const uint8_t* data, size_t size);
std::string FuzzReadFile(const char* path);

// Walks the open file: the top section's keys, then every group with its keys, with ReadText,
// ReadNumber and FindKey on every key name. Aborts when a name or value breaks the reader's rules.
FuzzSnapshot FuzzEnumerate();

// Lines that give a record: split at CR, LF and zero bytes, every line holding a non-blank byte.
size_t FuzzCountRecordLines(const std::string& content);

// Aborts with the message, so that libFuzzer keeps the input as a crash.
[[noreturn]] void FuzzFail(const char* message);
