#include "support/immutable_file.h"

#include "support/unix_command.h"

bool RunChattr(const std::string& path, const char* flag, std::string* why) {
    std::string unixPath = UnixPathOf(path);
    if (unixPath.empty()) {
        *why = "no Unix path for " + path + ": not running natively or under Wine";
        return false;
    }
    // Test folders hold no blanks or quotes, so the path goes unquoted through both shells.
    bool ok = RunUnixCommand(std::string("chattr ") + flag + " " + unixPath, 10000);
    if (!ok) *why = "chattr " + std::string(flag) + " failed (needs root on a file system with attributes)";
    return ok;
}
