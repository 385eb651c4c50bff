#include "text.h"

std::string_view TrimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        begin++;
    while (end > begin && IsBlank(text[end - 1]))
        end--;
    return text.substr(begin, end - begin);
}

std::string LowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = (char)FoldAscii((unsigned char)c);
    return result;
}

std::string CleanWord(std::string_view text) {
    return LowerAscii(TrimBlanks(text));
}

std::string UpperLatin1(const std::string& text) {
    std::string result(text);
    for (char& c : result) {
        unsigned char b = (unsigned char)c;
        if ((b >= 'a' && b <= 'z') || b >= 0xE0) c = (char)(b - 32);
    }
    return result;
}

std::string FirstChars(const std::string& text, long n) {
    if (n <= 0) return std::string();
    if ((unsigned long)n >= text.size()) return text;
    return text.substr(0, (size_t)n);
}

std::string LastChars(const std::string& text, long n) {
    if (n <= 0) return std::string();
    if ((unsigned long)n >= text.size()) return text;
    return text.substr(text.size() - (size_t)n);
}

int32_t ParseDecimal32(const char* text, bool (*skipped)(char)) {
    if (!text) return 0;
    const char* p = text;
    while (*p && skipped(*p))
        p++;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        p++;
    } else if (*p == '+') {
        p++;
    }
    // Unsigned arithmetic wraps by definition; the cast back gives the two's complement value.
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + (uint32_t)(*p - '0');
        p++;
    }
    if (negative) value = 0u - value;
    return (int32_t)value;
}

bool EqualFoldAscii(const char* a, const char* b) {
    if (!a) a = "";
    if (!b) b = "";
    while (*a && *b) {
        if (FoldAscii((unsigned char)*a) != FoldAscii((unsigned char)*b)) return false;
        a++;
        b++;
    }
    return *a == *b;
}
