// Arbitrary bytes through the preference file reader: Open, walk every group and key with every
// lookup, Close. Without a write the file must keep its bytes exactly.
#include "fuzz_support.h"

#include "catalogue/preference_file.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = FuzzScratchPath();
    FuzzWriteFile(path, data, size);
    if (!PreferenceFile::Open(path)) FuzzFail("Open failed on a writable file");
    FuzzEnumerate();
    PreferenceFile::Close();
    // Reads after Close give their defaults.
    if (PreferenceFile::NextGroup() || PreferenceFile::ReadNumber("a", 7) != 7)
        FuzzFail("state survived Close");
    if (FuzzReadFile(path) != std::string((const char*)data, size))
        FuzzFail("Close without a write changed the file");
    return 0;
}
