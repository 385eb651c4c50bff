#include "toolkit/foreign_editor.h"

Deadline DeadlineIn(int timeoutMs) {
    return Deadline{GetTickCount(), timeoutMs < 0 ? 0 : (DWORD)timeoutMs};
}

bool SendBefore(HWND target, UINT message, WPARAM wParam, LPARAM lParam, const Deadline& deadline,
                DWORD_PTR* answer) {
    DWORD spent = GetTickCount() - deadline.started;
    DWORD left = spent < deadline.limitMs ? deadline.limitMs - spent : 0;
    return SendMessageTimeoutA(target, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, left,
                               answer) != 0;
}

bool IsScintillaWindow(HWND window) {
    char name[32] = "";
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, "Scintilla") == 0;
}

// The text of one code page as UTF-16 and back in another; flags as the calls take them.
static bool Recode(const std::string& text, UINT from, DWORD fromFlags, UINT to, std::string* result,
                   bool exact) {
    result->clear();
    if (text.empty()) return true;
    int wideLength = MultiByteToWideChar(from, fromFlags, text.data(), (int)text.size(), nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide((size_t)wideLength, L'\0');
    MultiByteToWideChar(from, fromFlags, text.data(), (int)text.size(), &wide[0], wideLength);
    BOOL usedDefault = FALSE;
    BOOL* defaultUsed = exact ? &usedDefault : nullptr;
    DWORD toFlags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    int length = WideCharToMultiByte(to, toFlags, wide.data(), wideLength, nullptr, 0, nullptr, defaultUsed);
    if (length <= 0 || usedDefault) return false;
    result->assign((size_t)length, '\0');
    WideCharToMultiByte(to, toFlags, wide.data(), wideLength, &(*result)[0], length, nullptr, nullptr);
    return true;
}

std::string AnsiToUtf8(const char* text) {
    std::string utf8;
    return Recode(text, CP_ACP, 0, CP_UTF8, &utf8, false) ? utf8 : std::string();
}

bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) {
    return Recode(utf8, CP_UTF8, MB_ERR_INVALID_CHARS, CP_ACP, ansi, true);
}

bool RemoteBufferOpen(HWND window, DWORD access, size_t size, RemoteBuffer* buffer) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    buffer->process = OpenProcess(access, FALSE, processId);
    if (!buffer->process) return false;
    // Committed pages come filled with zeros.
    buffer->address =
        VirtualAllocEx(buffer->process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (buffer->address) return true;
    CloseHandle(buffer->process);
    return false;
}

void RemoteBufferClose(RemoteBuffer* buffer, bool freeMemory) {
    if (freeMemory) VirtualFreeEx(buffer->process, buffer->address, 0, MEM_RELEASE);
    CloseHandle(buffer->process);
}
