// Win32 implementation of the platform layer (ANSI functions).
#include "platform.h"

#include <windows.h>

#include <vector>

static std::string g_programPathOverride;

static PlatformFile FromHandle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? 0 : (PlatformFile)h;
}
static HANDLE ToHandle(PlatformFile file) {
    return (HANDLE)file;
}

PlatformFile PlatformFileOpenReadWrite(const char* path) {
    return FromHandle(CreateFileA(path ? path : "", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

PlatformFile PlatformFileOpenForReading(const char* path) {
    return FromHandle(CreateFileA(path ? path : "", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

PlatformFile PlatformFileCreate(const char* path) {
    return FromHandle(CreateFileA(path ? path : "", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

int64_t PlatformFileSize(PlatformFile file) {
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(ToHandle(file), &size)) return -1;
    return (int64_t)size.QuadPart;
}

int64_t PlatformFileReadFromStart(PlatformFile file, void* buffer, int64_t length) {
    if (!file || length < 0 || length > PLATFORM_FILE_SIZE_LIMIT) return -1;
    if (SetFilePointer(ToHandle(file), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return -1;
    int64_t total = 0;
    while (total < length) {
        DWORD read = 0;
        if (!ReadFile(ToHandle(file), (char*)buffer + total, (DWORD)(length - total), &read, nullptr))
            return -1;
        if (read == 0) break;
        total += read;
    }
    return total;
}

bool PlatformFileReplaceContent(PlatformFile file, const void* data, int64_t length) {
    if (!file || length < 0 || length > PLATFORM_FILE_SIZE_LIMIT) return false;
    HANDLE h = ToHandle(file);
    if (SetFilePointer(h, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    DWORD written = 0;
    BOOL ok = length == 0 || WriteFile(h, data, (DWORD)length, &written, nullptr);
    bool whole = ok && written == (DWORD)length;
    // Cut behind what was written, so that a short write never leaves stale bytes behind it.
    bool cut = SetEndOfFile(h) != 0;
    return whole && cut;
}

void PlatformFileClose(PlatformFile file) {
    if (file) CloseHandle(ToHandle(file));
}

std::string PlatformEnvironment(const char* name) {
    if (!name) return std::string();
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0) return std::string();
    std::vector<char> buffer(needed + 1);
    DWORD length = GetEnvironmentVariableA(name, buffer.data(), (DWORD)buffer.size());
    if (length == 0 || length >= buffer.size()) return std::string();
    return std::string(buffer.data(), length);
}

std::string PlatformCommandLine() {
    const char* line = GetCommandLineA();
    return line ? std::string(line) : std::string();
}

std::string PlatformProgramPath() {
    if (!g_programPathOverride.empty()) return g_programPathOverride;
    // GetModuleFileNameA cuts silently at the buffer's size: grow until the path fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), (DWORD)buffer.size());
        if (length == 0) return std::string();
        if (length < buffer.size() - 1) return std::string(buffer.data(), length);
        if (buffer.size() >= 65536) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string PlatformCurrentDirectory() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return std::string();
    std::vector<char> buffer(needed + 1);
    DWORD length = GetCurrentDirectoryA((DWORD)buffer.size(), buffer.data());
    if (length == 0 || length >= buffer.size()) return std::string();
    return std::string(buffer.data(), length);
}

void PlatformOverrideProgramPath(const char* path) {
    g_programPathOverride = path ? path : "";
}
