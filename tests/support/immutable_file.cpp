#include "support/immutable_file.h"

#include <cstdlib>

#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

// Runs the system's chattr on the file ("+i" or "-i"), with a time limit. Under Wine the Unix shell
// is started through CreateProcess; Wine gives no handle to wait on for a Unix process, so the
// shell leaves chattr's exit status in a marker file that is polled. On real Windows there is no
// way, and false comes back with the reason in why.
bool RunChattr(const std::string& path, const char* flag, std::string* why) {
#ifdef _WIN32
    typedef char*(__cdecl * UnixNameFunction)(const WCHAR*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    UnixNameFunction unixName =
        kernel ? (UnixNameFunction)(void*)GetProcAddress(kernel, "wine_get_unix_file_name") : nullptr;
    if (!unixName) {
        *why = "not running under Wine: no way to make a file immutable for an administrator";
        return false;
    }
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
    char* native = unixName(wide);
    if (!native) {
        *why = "no Unix path for " + path;
        return false;
    }
    std::string unixPath = native;
    HeapFree(GetProcessHeap(), 0, native);
    std::string marker = path + ".chattr";
    DeleteFileA(marker.c_str());
    std::string line = std::string("sh -c \"timeout 10 /usr/bin/chattr ") + flag + " '" + unixPath +
                       "' 2>/dev/null; echo $? > '" + unixPath + ".chattr'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        *why = "cannot start the Unix shell, error " + std::to_string(GetLastError());
        return false;
    }
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    std::string status;
    for (int waited = 0; waited < 15000 && status.find('\n') == std::string::npos; waited += 20) {
        Sleep(20);
        status = ReadWholeFile(marker);
    }
    DeleteFileA(marker.c_str());
    bool ok = status == "0\n";
    if (!ok) *why = "chattr " + std::string(flag) + " failed (needs root on ext4): status '" + status + "'";
    return ok;
#else
    std::string command = std::string("timeout 10 chattr ") + flag + " '" + path + "' 2>/dev/null";
    bool ok = std::system(command.c_str()) == 0;
    if (!ok) *why = command + " failed (needs root on a file system with attributes)";
    return ok;
#endif
}
