// POSIX implementation of the platform layer, used by the native build and its unit tests. Paths are
// UTF-8 here as they are for the system.
#include "platform.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static std::string g_programPathOverride;

// The path with slashes for backslashes. False for a path longer than the system takes, which open
// would refuse too. Nothing is allocated: opening a file never throws.
static bool ToNativePath(const char* path, char (&native)[PATH_MAX]) {
    size_t length = path ? std::strlen(path) : 0;
    if (length >= sizeof native) return false;
    for (size_t i = 0; i < length; i++)
        native[i] = path[i] == '\\' ? '/' : path[i];
    native[length] = 0;
    return true;
}

// Handles are fd + 1 so that 0 stays "none".
static PlatformFile FromFd(int fd) {
    return fd < 0 ? 0 : (PlatformFile)fd + 1;
}
static int ToFd(PlatformFile file) {
    return (int)(file - 1);
}

// No sharing modes here: an exclusive advisory lock refuses a second writer while the file is open,
// a shared one lets others through this layer read but not write.
static PlatformFile OpenLocked(const char* path, int flags, int lock = LOCK_EX) {
    char native[PATH_MAX];
    int fd = ToNativePath(path, native) ? open(native, flags | O_CLOEXEC, 0644) : -1;
    if (fd < 0) return 0;
    // A folder opens for reading here, unlike on Win32, so only a regular file is taken.
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flock(fd, lock | LOCK_NB) != 0) {
        close(fd);
        return 0;
    }
    return FromFd(fd);
}

PlatformFile PlatformFileOpenReadWrite(const char* path) {
    return OpenLocked(path, O_RDWR | O_CREAT);
}

// No lock: others may go on reading and writing, as the Win32 sharing mode allows. A folder opens for
// reading here, unlike on Win32, so only a regular file is taken.
PlatformFile PlatformFileOpenForReading(const char* path) {
    char native[PATH_MAX];
    int fd = ToNativePath(path, native) ? open(native, O_RDONLY | O_CLOEXEC) : -1;
    struct stat st;
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        close(fd);
        fd = -1;
    }
    return FromFd(fd);
}

PlatformFile PlatformFileCreate(const char* path) {
    // Lock before cutting, so that a file held by another writer keeps its bytes.
    PlatformFile file = OpenLocked(path, O_WRONLY | O_CREAT);
    if (!file) return 0;
    if (ftruncate(ToFd(file), 0) != 0) {
        PlatformFileClose(file);
        return 0;
    }
    return file;
}

int64_t PlatformFileSize(PlatformFile file) {
    if (!file) return -1;
    struct stat st;
    if (fstat(ToFd(file), &st) != 0) return -1;
    return (int64_t)st.st_size;
}

bool PlatformFileReplaceContent(PlatformFile file, const void* data, int64_t length) {
    if (!file || length < 0) return false;
    int fd = ToFd(file);
    if (lseek(fd, 0, SEEK_SET) != 0) return false;
    bool whole = PlatformFileWrite(file, data, length);
    // Cut behind what was written, so that a short write never leaves stale bytes behind it.
    off_t end = lseek(fd, 0, SEEK_CUR);
    bool cut = end >= 0 && ftruncate(fd, end) == 0;
    return whole && cut;
}

PlatformFile PlatformFileOpenExisting(const char* path, PlatformFileAccess access) {
    if (access == PLATFORM_FILE_WRITE) return OpenLocked(path, O_WRONLY);
    return OpenLocked(path, O_RDONLY, LOCK_SH);
}

// Nothing here refuses to create over an existing file.
PlatformFile PlatformFileCreateOrTruncate(const char* path) {
    return PlatformFileCreate(path);
}

int64_t PlatformFileRead(PlatformFile file, void* buffer, int64_t length) {
    int64_t total = 0;
    while (file && total < length) {
        ssize_t n = read(ToFd(file), (char*)buffer + total, (size_t)(length - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

bool PlatformFileWrite(PlatformFile file, const void* data, int64_t length) {
    const char* bytes = (const char*)data;
    while (length > 0) {
        ssize_t n = file ? write(ToFd(file), bytes, (size_t)length) : -1;
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        length -= n;
    }
    return true;
}

bool PlatformFileFlush(PlatformFile file) {
    return file && fsync(ToFd(file)) == 0;
}

void PlatformFileClose(PlatformFile file) {
    if (!file) return;
    flock(ToFd(file), LOCK_UN);
    close(ToFd(file));
}

bool PlatformFileFactsOf(const char* path, PlatformFileFacts* facts) {
    char native[PATH_MAX];
    struct stat st;
    if (!ToNativePath(path, native) || stat(native, &st) != 0) return false;
    facts->size = (int64_t)st.st_size;
    facts->lastWrite = (int64_t)st.st_mtim.tv_sec * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool PlatformPathMissing(const char* path) {
    char native[PATH_MAX];
    struct stat st;
    if (!ToNativePath(path, native) || stat(native, &st) == 0) return false;
    return errno == ENOENT || errno == ENOTDIR;
}

bool PlatformFileMoveReplacing(const char* from, const char* to) {
    char nativeFrom[PATH_MAX], nativeTo[PATH_MAX];
    if (!ToNativePath(from, nativeFrom) || !ToNativePath(to, nativeTo) || rename(nativeFrom, nativeTo) != 0)
        return false;
    // The new name reaches the disk with its folder.
    char* slash = std::strrchr(nativeTo, '/');
    if (slash) *(slash == nativeTo ? slash + 1 : slash) = 0;
    int folder = open(slash ? nativeTo : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool PlatformFileDelete(const char* path) {
    char native[PATH_MAX];
    return ToNativePath(path, native) && unlink(native) == 0;
}

std::string PlatformEnvironment(const char* name) {
    const char* value = name ? getenv(name) : nullptr;
    return value ? std::string(value) : std::string();
}

std::string PlatformCommandLine() {
    // Rebuilt from /proc the way a Windows program would see it: the program quoted, then the
    // arguments as they were given, separated by blanks.
    std::vector<char> raw;
    FILE* f = fopen("/proc/self/cmdline", "rb");
    if (!f) return std::string();
    int c;
    while ((c = fgetc(f)) != EOF)
        raw.push_back((char)c);
    fclose(f);
    std::string line;
    size_t start = 0;
    bool first = true;
    for (size_t i = 0; i < raw.size(); i++) {
        if (raw[i] != 0) continue;
        std::string arg(raw.begin() + (long)start, raw.begin() + (long)i);
        if (first)
            line += "\"" + arg + "\"";
        else
            line += " " + arg;
        first = false;
        start = i + 1;
    }
    return line;
}

std::string PlatformProgramPath() {
    if (!g_programPathOverride.empty()) return g_programPathOverride;
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return std::string();
        if ((size_t)n < buffer.size()) return std::string(buffer.data(), (size_t)n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string PlatformCurrentDirectory() {
    std::vector<char> buffer(256);
    for (;;) {
        if (getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
        if (errno != ERANGE) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

void PlatformOverrideProgramPath(const char* path) {
    g_programPathOverride = path ? path : "";
}
