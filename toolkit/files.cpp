// Numbered files with a 4096-byte buffer: read from an existing file, or written to a new one. The
// files themselves are the platform layer's.
#include "toolkit/toolkit_internal.h"

#include <cstring>
#include <new>

ObjectTable<FileSlot> FileTable;

namespace {

// Buffered bytes that cannot be written are dropped: FileWrite has reported the failure.
bool FlushWriteBuffer(FileSlot* file) {
    bool ok = PlatformFileWrite(file->handle, file->buffer, (int64_t)file->buffered);
    file->buffered = 0;
    return ok;
}

PlatformHandle ClaimOpenedFile(int number, PlatformFile handle, int mode) {
    char* buffer = number >= 0 ? new (std::nothrow) char[FILE_BUFFER_SIZE] : nullptr;
    FileSlot* file = buffer ? ObjectClaim(FileTable, number) : nullptr;
    if (!file) {
        delete[] buffer;
        PlatformFileClose(handle);
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
    PlatformFile handle = PlatformFileOpenExisting(path, PLATFORM_FILE_READ);
    if (!handle) return 0;
    return ClaimOpenedFile(number, handle, FILE_MODE_READ);
}

PlatformHandle FileCreate(int number, const char* path) {
    if (number < 0 || !path) return 0;
    // Also cuts a hidden or system file, over which creating is refused.
    PlatformFile handle = PlatformFileCreateOrTruncate(path);
    if (!handle) return 0;
    return ClaimOpenedFile(number, handle, FILE_MODE_WRITE);
}

FileStampInfo FileStamp(const char* path) {
    FileStampInfo stamp = {};
    PlatformFileFacts facts;
    if (!path || !PlatformFileFactsOf(path, &facts)) return stamp;
    stamp.present = true;
    stamp.size = facts.size;
    stamp.lastWrite = facts.lastWrite;
    return stamp;
}

int64_t FileLength(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file) return 0;
    int64_t size = PlatformFileSize(file->handle);
    return size < 0 ? 0 : size + (int64_t)file->buffered;
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
            delivered +=
                (size_t)PlatformFileRead(file->handle, out + delivered, (int64_t)(wanted - delivered));
            break;
        }
        file->readPos = 0;
        file->readEnd = (size_t)PlatformFileRead(file->handle, file->buffer, FILE_BUFFER_SIZE);
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
    if (count >= FILE_BUFFER_SIZE) return PlatformFileWrite(file->handle, bytes, length) ? length : 0;
    memcpy(file->buffer, bytes, count);
    file->buffered = count;
    return length;
}

bool FileFlushToDisk(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file || file->mode != FILE_MODE_WRITE) return false;
    bool written = FlushWriteBuffer(file);
    // Some file systems refuse to flush; what that loses shows in the file's size afterwards.
    PlatformFileFlush(file->handle);
    return written;
}

void FileClose(int number) {
    FileSlot* file = ObjectFind(FileTable, number);
    if (!file) return;
    if (file->mode == FILE_MODE_WRITE) FlushWriteBuffer(file);
    delete[] file->buffer;
    PlatformFileClose(file->handle);
    ObjectFree(FileTable, number);
}
