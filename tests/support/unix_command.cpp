#include "support/unix_command.h"

#include <cstdlib>

#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>

std::string UnixPathOf(const std::string& path) {
    typedef char*(__cdecl * UnixNameFunction)(const WCHAR*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    UnixNameFunction unixName =
        kernel ? (UnixNameFunction)(void*)GetProcAddress(kernel, "wine_get_unix_file_name") : nullptr;
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
    char* native = unixName(wide);
    if (!native) return "";
    std::string result = native;
    HeapFree(GetProcessHeap(), 0, native);
    return result;
}

// Wine starts a Unix program through CreateProcess but gives no handle to wait on, so the shell
// leaves the command's status in a marker file that is polled.
bool RunUnixCommand(const std::string& command, int timeoutMs) {
    std::string markerFolder = MakeTempDir();
    std::string marker = markerFolder + "status";
    std::string unixMarker = UnixPathOf(marker);
    if (markerFolder.empty() || unixMarker.empty()) return false;
    std::string line = "sh -c \"timeout " + std::to_string(timeoutMs / 1000) + " sh -c '" + command +
                       "' >/dev/null 2>&1; echo $? > '" + unixMarker + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool started = CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process) != 0;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    std::string status;
    for (int waited = 0; started && waited < timeoutMs + 3000; waited += 20) {
        status = ReadWholeFile(marker);
        if (status.find('\n') != std::string::npos) break;
        Sleep(20);
    }
    DeleteFileA(marker.c_str());
    RemoveDirectoryA(markerFolder.c_str());
    return status == "0\n";
}
#else
std::string UnixPathOf(const std::string& path) {
    return path;
}

bool RunUnixCommand(const std::string& command, int timeoutMs) {
    std::string line =
        "timeout " + std::to_string(timeoutMs / 1000) + " sh -c '" + command + "' >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}
#endif
