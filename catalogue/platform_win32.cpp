// Win32 implementation of the platform layer. Paths go to and come from the system's wide functions
// only, converted from and to UTF-8 here, so that no path ever passes through the ANSI code page;
// the environment and the command line stay ANSI text, as the rest of the program reads it.
#include "platform.h"

#include <windows.h>

#include <new>
#include <vector>

static std::string g_programPathOverride;

static PlatformFile FromHandle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? 0 : (PlatformFile)h;
}
static HANDLE ToHandle(PlatformFile file) {
    return (HANDLE)file;
}

namespace {

// A UTF-8 path as the system's wide text. Paths of the usual length stay on the stack, so that
// opening a file needs no memory and never throws; longer ones get memory of their own, which may
// be refused. text is null when the path is not valid UTF-8 or held no room (the system's last
// error then says so).
struct WidePath {
    wchar_t local[MAX_PATH + 1];
    wchar_t* heap = nullptr;
    const wchar_t* text = nullptr;

    explicit WidePath(const char* path) {
        const char* utf8 = path ? path : "";
        if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, local, MAX_PATH + 1) > 0) {
            text = local;
            return;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
        int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
        if (needed <= 0) return;
        heap = new (std::nothrow) wchar_t[needed];
        if (!heap) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return;
        }
        if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, heap, needed) > 0) text = heap;
    }
    ~WidePath() { delete[] heap; }
    WidePath(const WidePath&) = delete;
    WidePath& operator=(const WidePath&) = delete;
};

// The system's wide text as UTF-8.
std::string Utf8FromWide(const wchar_t* text, int length) {
    if (length <= 0) return std::string();
    int needed = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::string utf8((size_t)needed, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], needed, nullptr, nullptr);
    return utf8;
}

HANDLE OpenFile(const char* path, DWORD access, DWORD sharing, DWORD disposition) {
    WidePath wide(path);
    if (!wide.text) return INVALID_HANDLE_VALUE;
    return CreateFileW(wide.text, access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

constexpr DWORD LARGEST_TRANSFER = 1u << 30; // ReadFile and WriteFile count in 32 bits

} // namespace

PlatformFile PlatformFileOpenReadWrite(const char* path) {
    return FromHandle(OpenFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
}

PlatformFile PlatformFileOpenForReading(const char* path) {
    return FromHandle(OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

PlatformFile PlatformFileCreate(const char* path) {
    return FromHandle(OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
}

PlatformFile PlatformFileOpenExisting(const char* path, PlatformFileAccess access) {
    DWORD rights = access == PLATFORM_FILE_WRITE ? GENERIC_WRITE : GENERIC_READ;
    return FromHandle(OpenFile(path, rights, FILE_SHARE_READ, OPEN_EXISTING));
}

PlatformFile PlatformFileCreateOrTruncate(const char* path) {
    HANDLE handle = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD refused = GetLastError();
        handle = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, TRUNCATE_EXISTING);
        if (handle == INVALID_HANDLE_VALUE) SetLastError(refused);
    }
    return FromHandle(handle);
}

int64_t PlatformFileSize(PlatformFile file) {
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(ToHandle(file), &size)) return -1;
    return (int64_t)size.QuadPart;
}

bool PlatformFileReplaceContent(PlatformFile file, const void* data, int64_t length) {
    if (!file || length < 0 || length > PLATFORM_FILE_SIZE_LIMIT) return false;
    if (SetFilePointer(ToHandle(file), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    bool whole = PlatformFileWrite(file, data, length);
    // Cut behind what was written, so that a short write never leaves stale bytes behind it.
    bool cut = SetEndOfFile(ToHandle(file)) != 0;
    return whole && cut;
}

int64_t PlatformFileRead(PlatformFile file, void* buffer, int64_t length) {
    int64_t total = 0;
    while (file && total < length) {
        int64_t left = length - total;
        DWORD chunk = left > (int64_t)LARGEST_TRANSFER ? LARGEST_TRANSFER : (DWORD)left;
        DWORD got = 0;
        if (!ReadFile(ToHandle(file), (char*)buffer + total, chunk, &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}

bool PlatformFileWrite(PlatformFile file, const void* data, int64_t length) {
    const char* bytes = (const char*)data;
    while (length > 0) {
        DWORD chunk = length > (int64_t)LARGEST_TRANSFER ? LARGEST_TRANSFER : (DWORD)length;
        DWORD written = 0;
        if (!file || !WriteFile(ToHandle(file), bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        length -= written;
    }
    return true;
}

bool PlatformFileFlush(PlatformFile file) {
    return file && FlushFileBuffers(ToHandle(file));
}

void PlatformFileClose(PlatformFile file) {
    if (file) CloseHandle(ToHandle(file));
}

bool PlatformFileFactsOf(const char* path, PlatformFileFacts* facts) {
    WidePath wide(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!wide.text || !GetFileAttributesExW(wide.text, GetFileExInfoStandard, &data)) return false;
    facts->size = (int64_t)(((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow);
    facts->lastWrite =
        (int64_t)(((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime);
    return true;
}

bool PlatformPathMissing(const char* path) {
    WidePath wide(path);
    if (!wide.text || GetFileAttributesW(wide.text) != INVALID_FILE_ATTRIBUTES) return false;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool PlatformFileMoveReplacing(const char* from, const char* to) {
    WidePath wideFrom(from), wideTo(to);
    return wideFrom.text && wideTo.text &&
           MoveFileExW(wideFrom.text, wideTo.text, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool PlatformFileDelete(const char* path) {
    WidePath wide(path);
    return wide.text && DeleteFileW(wide.text);
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
    // GetModuleFileNameW cuts silently at the buffer's size: grow until the path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), (DWORD)buffer.size());
        if (length == 0) return std::string();
        if (length < buffer.size() - 1 || buffer.size() >= 65536)
            return Utf8FromWide(buffer.data(), (int)length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string PlatformCurrentDirectory() {
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return std::string();
    std::vector<wchar_t> buffer(needed + 1);
    DWORD length = GetCurrentDirectoryW((DWORD)buffer.size(), buffer.data());
    if (length == 0 || length >= buffer.size()) return std::string();
    return Utf8FromWide(buffer.data(), (int)length);
}

void PlatformOverrideProgramPath(const char* path) {
    g_programPathOverride = path ? path : "";
}
