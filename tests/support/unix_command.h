// Unix commands (chattr, mount) for test set-up, from native tests and from Windows test programs
// running under Wine.
#pragma once

#include <string>

// The Unix path of a path: the path itself natively, Wine's mapping under Wine, "" on real Windows.
std::string UnixPathOf(const std::string& path);

// Runs the command through /bin/sh with a time limit; true when it exited with 0. The command is put
// in single quotes, so it must hold no quote characters.
bool RunUnixCommand(const std::string& command, int timeoutMs = 15000);
