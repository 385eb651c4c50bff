// Arbitrary bytes read, one key written, written back, read again: every record survives with its
// texts, the written key is there, and the canonical form is stable under a second round trip.
// The last bytes of the input choose the section, the key and the number; the rest is the file.
#include "fuzz_support.h"

#include "catalogue/preference_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <string>

static bool EqualFold(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? (char)(a[i] + 32) : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? (char)(b[i] + 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

// What the file should hold after SelectGroup(group) and WriteNumber(key, value).
static FuzzSnapshot Expect(FuzzSnapshot snapshot, const std::string& group, const std::string& key,
                           const std::string& value) {
    size_t target = 0; // the empty name selects the top section
    if (!group.empty()) {
        target = snapshot.size();
        for (size_t i = 1; i < snapshot.size() && target == snapshot.size(); i++)
            if (EqualFold(snapshot[i].name, group)) target = i;
        if (target == snapshot.size()) snapshot.push_back(FuzzSection{group, {}});
    }
    std::vector<FuzzKey>& keys = snapshot[target].keys;
    bool found = false;
    for (FuzzKey& k : keys) {
        if (!EqualFold(k.name, key)) continue;
        // The first key of that name takes the caller's spelling; every key of that name reads
        // the first one's value.
        if (!found) k.name = key;
        k.value = value;
        found = true;
    }
    if (!found) keys.push_back(FuzzKey{key, value});
    return snapshot;
}

static bool Same(const FuzzSnapshot& a, const FuzzSnapshot& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++) {
        if (a[i].name != b[i].name || a[i].keys.size() != b[i].keys.size()) return false;
        for (size_t j = 0; j < a[i].keys.size(); j++)
            if (a[i].keys[j].name != b[i].keys[j].name || a[i].keys[j].value != b[i].keys[j].value)
                return false;
    }
    return true;
}

static size_t CountLines(const std::string& canonical) {
    size_t count = 0;
    for (size_t at = canonical.find("\r\n"); at != std::string::npos; at = canonical.find("\r\n", at + 2))
        count++;
    return count;
}

static void WriteOneKey(const char* path, const std::string& group, const std::string& key, int32_t value) {
    if (!PreferenceFile::Open(path)) FuzzFail("Open failed on a writable file");
    PreferenceFile::SelectGroup(group.c_str());
    PreferenceFile::WriteNumber(key.c_str(), value);
    PreferenceFile::Close();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    uint8_t groupChoice = provider.ConsumeIntegral<uint8_t>();
    uint8_t keyChoice = provider.ConsumeIntegral<uint8_t>();
    int32_t number = provider.ConsumeIntegral<int32_t>();
    std::string original = provider.ConsumeRemainingBytesAsString();

    const char* path = FuzzScratchPath();
    FuzzWriteFile(path, (const uint8_t*)original.data(), original.size());
    if (!PreferenceFile::Open(path)) FuzzFail("Open failed on a writable file");
    FuzzSnapshot before = FuzzEnumerate();
    PreferenceFile::Close();

    // An existing group or a new one, then an existing key of that section or a new one.
    std::string group;
    size_t groupIndex = groupChoice % (before.size() + 1);
    if (groupIndex == before.size())
        group = "FuzzGroup";
    else
        group = before[groupIndex].name;
    std::string key = "FuzzKey";
    for (const FuzzSection& section : before) {
        if (!EqualFold(section.name, group)) continue;
        if (!section.keys.empty() && keyChoice % 4 != 0)
            key = section.keys[keyChoice % section.keys.size()].name;
        break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", (int)number);
    FuzzSnapshot expected = Expect(before, group, key, text);

    WriteOneKey(path, group, key, number);
    std::string first = FuzzReadFile(path);
    if (!PreferenceFile::Open(path)) FuzzFail("Open failed on the rewritten file");
    FuzzSnapshot after = FuzzEnumerate();
    PreferenceFile::Close();
    if (!Same(after, expected)) FuzzFail("records lost or changed by the rewrite");
    // Comments are not enumerated: every record line of the input is one line of the rewrite,
    // plus the group header and the key line that the write may have added.
    size_t beforeKeys = 0, afterKeys = 0;
    for (const FuzzSection& s : before)
        beforeKeys += s.keys.size();
    for (const FuzzSection& s : after)
        afterKeys += s.keys.size();
    size_t newRecords = (after.size() - before.size()) + (afterKeys - beforeKeys);
    if (CountLines(first) != FuzzCountRecordLines(original) + newRecords)
        FuzzFail("a line was lost or added");

    // The same write again must give the same bytes.
    WriteOneKey(path, group, key, number);
    if (FuzzReadFile(path) != first) FuzzFail("canonical form not stable under a second round trip");
    return 0;
}
