// Text helpers shared by the catalogue, the start-up rules and the windows.
// Texts are 8-bit ANSI bytes; lengths and positions count bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The blanks that trimming removes: space and tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
// A blank or a line break: what the parts of a selected flag set are trimmed of.
inline bool IsBlankOrLineBreak(char c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}
// White space as C counts it: those, vertical tab and form feed.
inline bool IsCSpace(char c) {
    return IsBlankOrLineBreak(c) || c == '\v' || c == '\f';
}

// A..Z to a..z; every other byte stays.
inline unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + 32) : c;
}

// The scans that read eight bytes of a text at a time (the parser's, the search's) take the first
// byte of a word as its lowest, as the little-endian processors this runs on do.
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the word-at-a-time scans need a little-endian processor"
#endif

// For scans that read eight bytes of a text at a time: the high bit of every byte of the word that
// is zero, and no other bit. The bytes equal to c are the zero bytes of word ^ (c * 0x0101010101010101).
inline uint64_t ZeroBytes(uint64_t word) {
    const uint64_t lowSevenBits = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & lowSevenBits) + lowSevenBits) | word | lowSevenBits);
}

// The text between its leading and trailing blanks; every other byte stays.
std::string_view TrimBlanks(std::string_view text);

// Maps A..Z to a..z; every other byte stays.
std::string LowerAscii(std::string_view text);

// The IDE's word as the tool uses it: blanks off both ends, then A..Z lower-cased; bytes above 127
// keep their case.
std::string CleanWord(std::string_view text);

// Maps a..z to A..Z and 0xE0..0xFF to the byte 32 lower; every other byte stays.
std::string UpperLatin1(const std::string& text);

// The first or last n bytes; n below 0 counts as 0, n beyond the length gives the whole text.
std::string FirstChars(const std::string& text, long n);
std::string LastChars(const std::string& text, long n);

// Signed decimal, as every number the tool reads: skips the leading bytes for which skipped holds
// (IsBlank, IsCSpace), takes an optional sign, then digits up to the first other byte. Builds the
// value in 32-bit arithmetic that wraps on overflow; no digits give 0.
int32_t ParseDecimal32(const char* text, bool (*skipped)(char));

// Byte-for-byte equality with the ASCII letters folded.
bool EqualFoldAscii(const char* a, const char* b);
