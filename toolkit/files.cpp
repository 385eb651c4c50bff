// Numbered files with a 4096-byte buffer: read from an existing file, or written to a new one.
#include "toolkit/toolkit_internal.h"

#include <cstring>
#include <new>

ObjectTable<FileSlot> FileTable;

namespace {

constexpr DWORD LARGEST_TRANSFER = 1u << 30; // ReadFile and WriteFile count in 32 bits

// Writes all the bytes; false when the system took fewer.
bool WriteAll(HANDLE file, const char* data, size_t length) {
    while (length > 0) {
        DWORD chunk = length > LARGEST_TRANSFER ? LARGEST_TRANSFER : (DWORD)length;
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        length -= written;
    }
    return true;
}

// Reads up to length bytes; fewer only at the end of the file or on an error.
size_t ReadUpTo(HANDLE file, char* destination, size_t length) {
    size_t total = 0;
    while (total < length) {
        size_t left = length - total;
        DWORD chunk = left > LARGEST_TRANSFER ? LARGEST_TRANSFER : (DWORD)left;
        DWORD got = 0;
        if (!ReadFile(file, destination + total, chunk, &got, nullptr) || got == 0) break;
        total += got;
    }
    return total;
}

// Buffered bytes that cannot be written are dropped: FileWrite has reported the failure.
bool FlushWriteBuffer(FileSlot* file) {
    bool ok = WriteAll(file->handle, file->buffer, file->buffered);
    file->buffered = 0;
    return ok;
}

PlatformHandle ClaimOpenedFile(int number, HANDLE handle, int mode) {
    char* buffer = number >= 0 ? new (std::nothrow) char[FILE_BUFFER_SIZE] : nullptr;
    FileSlot* file = buffer ? ObjectClaim(FileTable, number) : nullptr;
    if (!file) {
        delete[] buffer;
        CloseHandle(handle);
        return 0;
    }
    file->handle = handle;
    file->buffer = buffer;
    file->mode = mode;
    return (PlatformHandle)handle;
}

} // namespace

void FilesStartup() {
    ObjectTableInit(FileTable, 16, FileClose);
}

// The number is claimed only once the file is open, so a failure leaves its old file open.
PlatformHandle FileOpenRead(int number, const char* path) {
    if (number < 0 || !path) return 0;
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    return ClaimOpenedFile(number, handle, FILE_MODE_READ);
}

PlatformHandle FileCreate(int number, const char* path) {
    if (number < 0 || !path) return 0;
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    // Creating over a hidden or system file is refused; truncating it is not.
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD refused = GetLastError();
        handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        // Where both fail, the caller learns why the file could not be created, not why a file
        // that may not even exist could not be cut.
        if (handle == INVALID_HANDLE_VALUE) SetLastError(refused);
    }
    if (handle == INVALID_HANDLE_VALUE) return 0;
    return ClaimOpenedFile(number, handle, FILE_MODE_WRITE);
}

FileStampInfo FileStamp(const char* path) {
    FileStampInfo stamp = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return stamp;
    stamp.present = true;
    stamp.size = (int64_t)(((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow);
    stamp.lastWrite =
        (int64_t)(((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

int64_t FileLength(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file) return 0;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file->handle, &size)) return 0;
    return size.QuadPart + (int64_t)file->buffered;
}

int64_t FileRead(int number, void* destination, int64_t length) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file || file->mode != FILE_MODE_READ || !destination || length <= 0) return 0;
    char* out = (char*)destination;
    size_t wanted = (size_t)length;
    size_t delivered = 0;
    while (delivered < wanted) {
        if (file->readPos < file->readEnd) {
            size_t take = file->readEnd - file->readPos;
            if (take > wanted - delivered) take = wanted - delivered;
            memcpy(out + delivered, file->buffer + file->readPos, take);
            file->readPos += take;
            delivered += take;
            continue;
        }
        // Large requests bypass the buffer; small ones refill it.
        if (wanted - delivered >= FILE_BUFFER_SIZE) {
            size_t got = ReadUpTo(file->handle, out + delivered, wanted - delivered);
            delivered += got;
            break;
        }
        file->readPos = 0;
        file->readEnd = ReadUpTo(file->handle, file->buffer, FILE_BUFFER_SIZE);
        if (file->readEnd == 0) break;
    }
    return (int64_t)delivered;
}

// Returns the length when every byte was buffered or written, 0 when the system refused a write.
int64_t FileWrite(int number, const void* data, int64_t length) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file || file->mode != FILE_MODE_WRITE || !data || length <= 0) return 0;
    const char* bytes = (const char*)data;
    size_t count = (size_t)length;
    if (file->buffered + count <= FILE_BUFFER_SIZE) {
        memcpy(file->buffer + file->buffered, bytes, count);
        file->buffered += count;
        return length;
    }
    if (!FlushWriteBuffer(file)) return 0;
    if (count >= FILE_BUFFER_SIZE) return WriteAll(file->handle, bytes, count) ? length : 0;
    memcpy(file->buffer, bytes, count);
    file->buffered = count;
    return length;
}

bool FileFlushToDisk(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file || file->mode != FILE_MODE_WRITE) return false;
    bool written = FlushWriteBuffer(file);
    // Some file systems refuse to flush; what that loses shows in the file's size afterwards.
    FlushFileBuffers(file->handle);
    return written;
}

void FileClose(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file) return;
    if (file->mode == FILE_MODE_WRITE) FlushWriteBuffer(file);
    delete[] file->buffer;
    CloseHandle(file->handle);
    ObjectFree(FileTable, number);
}
