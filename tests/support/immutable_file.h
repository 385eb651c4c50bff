// Write-protection that stops even an administrator: the file system's immutable attribute
// (chattr +i), set from native tests and from Windows programs running under Wine.
#pragma once

#include <string>

// Runs chattr with the flag ("+i" or "-i") on the file, with a time limit. False, with the reason in
// why, when it could not be done (not root, no attribute support, or real Windows).
bool RunChattr(const std::string& path, const char* flag, std::string* why);

// Makes a file or folder immutable for as long as it lives, and undoes it also when the test fails.
struct ImmutableFile {
    std::string path;
    bool active = false;
    std::string why;
    explicit ImmutableFile(const std::string& p) : path(p) { active = RunChattr(path, "+i", &why); }
    // Undone whatever +i answered: a late success must not leave the file behind immutable.
    ~ImmutableFile() {
        std::string ignored;
        RunChattr(path, "-i", &ignored);
    }
};
