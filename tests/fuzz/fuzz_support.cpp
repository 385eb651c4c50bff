#include "fuzz_support.h"

#include "catalogue/preference_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

void FuzzFail(const char* message) {
    std::fprintf(stderr, "fuzz check failed: %s\n", message);
    std::abort();
}

static std::string g_scratchPath;

static void RemoveScratchFile() {
    if (!g_scratchPath.empty()) unlink(g_scratchPath.c_str());
}

const char* FuzzScratchPath() {
    if (g_scratchPath.empty()) {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        g_scratchPath = std::string(folder) + "/orvane-fuzz-" + std::to_string(getpid()) + ".ovc";
        std::atexit(RemoveScratchFile);
    }
    return g_scratchPath.c_str();
}

void FuzzWriteFile(const char* path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (!f) FuzzFail("cannot write the scratch file");
    if (size && std::fwrite(data, 1, size, f) != size) FuzzFail("short write of the scratch file");
    std::fclose(f);
}

std::string FuzzReadFile(const char* path) {
    std::string content;
    FILE* f = std::fopen(path, "rb");
    if (!f) FuzzFail("cannot read the scratch file");
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    std::fclose(f);
    return content;
}

static bool HasLineEnd(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

static bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

static void CheckKeyName(const std::string& name) {
    if (HasLineEnd(name) || name.find('=') != std::string::npos) FuzzFail("key name holds a line end or '='");
    if (!name.empty() && (IsBlank(name[0]) || name[0] == ';' || name[0] == '['))
        FuzzFail("key name starts with a blank, ';' or '['");
    if (!name.empty() && IsBlank(name.back())) FuzzFail("key name ends in a blank");
}

// The section's keys as NextKey gives them; every lookup by a key's name must find a value.
static std::vector<FuzzKey> EnumerateKeys() {
    std::vector<FuzzKey> keys;
    if (!PreferenceFile::RewindKeys()) FuzzFail("RewindKeys failed on an open file");
    while (PreferenceFile::NextKey()) {
        FuzzKey key;
        key.name = PreferenceFile::KeyName();
        CheckKeyName(key.name);
        const char* found = PreferenceFile::FindKey(key.name.c_str());
        if (!found) FuzzFail("FindKey misses an enumerated key");
        key.value = PreferenceFile::ReadText(key.name.c_str(), "\x01missing");
        if (key.value != found) FuzzFail("ReadText differs from FindKey");
        if (HasLineEnd(key.value)) FuzzFail("value holds a line end");
        PreferenceFile::ReadNumber(key.name.c_str(), -1);
        keys.push_back(key);
    }
    return keys;
}

FuzzSnapshot FuzzEnumerate() {
    FuzzSnapshot snapshot;
    if (!PreferenceFile::SelectGroup("")) FuzzFail("SelectGroup(\"\") failed on an open file");
    snapshot.push_back(FuzzSection{std::string(), EnumerateKeys()});
    if (!PreferenceFile::RewindGroups()) FuzzFail("RewindGroups failed on an open file");
    while (PreferenceFile::NextGroup()) {
        FuzzSection section;
        section.name = PreferenceFile::GroupName();
        if (HasLineEnd(section.name) || section.name.find(']') != std::string::npos)
            FuzzFail("group name holds a line end or ']'");
        section.keys = EnumerateKeys();
        snapshot.push_back(section);
    }
    // Selecting each group by name lands on a group of that name (the first one).
    for (size_t i = 1; i < snapshot.size(); i++) {
        const std::string& name = snapshot[i].name;
        if (!PreferenceFile::SelectGroup(name.c_str())) FuzzFail("SelectGroup misses an enumerated group");
        if (!name.empty() && PreferenceFile::GroupName().size() != name.size())
            FuzzFail("SelectGroup landed on a group of another name");
    }
    return snapshot;
}

size_t FuzzCountRecordLines(const std::string& content) {
    size_t count = 0;
    bool blankSoFar = true;
    // The reader skips a byte-order mark at the very start.
    for (char c : content.substr(content.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0)) {
        if (c == '\r' || c == '\n' || c == 0) {
            if (!blankSoFar) count++;
            blankSoFar = true;
        } else if (!IsBlank(c)) {
            blankSoFar = false;
        }
    }
    if (!blankSoFar) count++;
    return count;
}
