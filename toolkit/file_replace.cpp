// Replacing a whole file in one step, so that a failed or interrupted write never leaves it
// half-written, and telling the user why it could not be done. The files themselves are the platform
// layer's; the reasons are the system's error codes it leaves behind.
#include "toolkit/toolkit_internal.h"

#include <string>

// "Error <code>.", short enough to need no memory of its own.
static std::string ErrorNumber(DWORD error) {
    return "Error " + std::to_string(error) + ".";
}

// The system's sentence for an error code, without its line end.
static std::string SystemReason(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, (LPSTR)&text, 0, nullptr);
    std::string reason = FailOnNoMemory(
        ErrorNumber(error), [&] { return length && text ? std::string(text, length) : ErrorNumber(error); });
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}

static bool FileSizeIs(const std::string& path, uint64_t expected) {
    PlatformFileFacts facts;
    return PlatformFileFactsOf(path.c_str(), &facts) && (uint64_t)facts.size == expected;
}

// 0 when the file may be written or does not exist yet; else why not. Another program that holds
// the file so that it may not be written, and a write protection, are honoured: replacing the file
// by name would otherwise go around them.
static DWORD WritableOrMissing(const char* path) {
    PlatformFile file = PlatformFileOpenExisting(path, PLATFORM_FILE_WRITE);
    if (!file) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;
    }
    PlatformFileClose(file);
    return 0;
}

// The bytes go to a file beside the old one, reach the disk, and that file then takes the old
// one's place. 0, or the system's error.
static DWORD ReplaceWhole(int number, const char* path, const void* data, int64_t length) {
    DWORD error = WritableOrMissing(path);
    if (error) return error;

    std::string temporary = std::string(path) + ".saving";
    if (!FileCreate(number, temporary.c_str())) return GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    int64_t written = length > 0 ? FileWrite(number, data, length) : 0;
    bool flushed = FileFlushToDisk(number);
    FileClose(number);
    if (written != (length > 0 ? length : 0) || !flushed ||
        !FileSizeIs(temporary, length > 0 ? (uint64_t)length : 0)) {
        PlatformFileDelete(temporary.c_str());
        return ERROR_DISK_FULL;
    }
    if (!PlatformFileMoveReplacing(temporary.c_str(), path)) {
        error = GetLastError();
        PlatformFileDelete(temporary.c_str());
        return error ? error : ERROR_WRITE_FAULT;
    }
    return 0;
}

FileReplaceResult FileReplace(int number, const char* path, const void* data, int64_t length) {
    if (number < 0 || !path || (length > 0 && !data)) return {false, SystemReason(ERROR_INVALID_PARAMETER)};
    DWORD error = FailOnNoMemory((DWORD)ERROR_NOT_ENOUGH_MEMORY,
                                 [&] { return ReplaceWhole(number, path, data, length); });
    return {error == 0, error ? SystemReason(error) : ""};
}

bool FileMissing(const char* path) {
    return path && PlatformPathMissing(path);
}
