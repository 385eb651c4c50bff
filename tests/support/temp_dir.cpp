#include "support/temp_dir.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>

std::wstring WidePath(const std::string& path) {
    int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? (size_t)length : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string MakeTempDir() {
    char base[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof base, base);
    std::string root = n ? std::string(base, n) : std::string(".\\");
    if (root.back() != '\\') root += '\\';
    static unsigned counter = 0;
    for (;;) {
        std::string path = root + "orvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
        if (CreateDirectoryA(path.c_str(), nullptr)) return path + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

static FILE* OpenFile(const std::string& path, bool writing) {
    return _wfopen(WidePath(path).c_str(), writing ? L"wb" : L"rb");
}
#else
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

std::string MakeTempDir() {
    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/orvane-test-XXXXXX";
    if (!mkdtemp(&pattern[0])) return std::string();
    return pattern + "/";
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

static FILE* OpenFile(const std::string& path, bool writing) {
    return fopen(path.c_str(), writing ? "wb" : "rb");
}
#endif

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FILE* f = OpenFile(path, true);
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::string ReadWholeFile(const std::string& path) {
    FILE* f = OpenFile(path, false);
    if (!f) return std::string();
    std::string bytes;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

std::string MakeNonAnsiTempDir() {
    std::string parent = MakeTempDir(), folder = parent + NON_ANSI_NAME;
    if (parent.empty()) return parent;
#ifdef _WIN32
    bool made = CreateDirectoryW(WidePath(folder).c_str(), nullptr);
#else
    bool made = mkdir(folder.c_str(), 0755) == 0;
#endif
    return made ? folder + parent.back() : std::string();
}
