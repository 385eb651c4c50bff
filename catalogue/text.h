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

// A..Z to a..z; every other byte stays.
inline unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + 32) : c;
}

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

// Signed decimal: skips the given leading blank bytes, takes an optional sign, then digits up to
// the first other byte. Builds the value in 32-bit arithmetic that wraps on overflow; no digits give 0.
int32_t ParseDecimal32(const char* text, const char* blanks);

// The blank sets used with ParseDecimal32.
extern const char* const BLANKS_SPACE_TAB; // " \t"
extern const char* const BLANKS_C_SPACE;   // " \t\r\n\v\f"

// Byte-for-byte equality with the ASCII letters folded.
bool EqualFoldAscii(const char* a, const char* b);
