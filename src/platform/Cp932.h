// Shift-JIS (code page 932) byte classes and conversion to and from Unicode through ICU.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A lead byte (0x81-0x9F, 0xE0-0xFC) starts a two-byte character.
inline bool IsDBCSLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool IsDBCSLeadByte(char c) {
    return IsDBCSLeadByte(static_cast<unsigned char>(c));
}
// A byte that may follow a lead byte (0x40-0x7E, 0x80-0xFC).
inline bool IsDBCSTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}
inline bool IsDBCSTrailByte(char c) {
    return IsDBCSTrailByte(static_cast<unsigned char>(c));
}
// Half-width katakana and its punctuation (0xA1-0xDF), one byte and one column.
inline bool IsHalfKana(unsigned char c) {
    return c >= 0xA1 && c <= 0xDF;
}

// What a conversion could not carry over. Nothing is dropped silently: a byte sequence that is
// not CP932 becomes U+FFFD, a character that CP932 cannot hold becomes '?', and each is counted.
// Converting to CP932 first maps the characters that Unix text and input methods use for CP932's
// own (JIS-variant forms, Cp932VariantCode), so that those are never lost.
struct Cp932Report {
    std::size_t failures = 0;     // number of replaced characters or byte sequences
    std::size_t firstFailure = 0; // offset in the input (bytes or UTF-16 units) of the first one
    bool ok() const { return failures == 0; }
};

std::u16string Cp932ToUtf16(std::string_view sjis, Cp932Report* report = nullptr);
std::string Utf16ToCp932(std::u16string_view text, Cp932Report* report = nullptr);
std::string Cp932ToUtf8(std::string_view sjis, Cp932Report* report = nullptr);
std::string Utf8ToCp932(std::string_view utf8, Cp932Report* report = nullptr);

// The CP932 code (one byte below 0x100, else lead byte << 8 | trail byte) that CP932 gives a
// character which Unix text writes in its JIS form: U+301C WAVE DASH -> 0x8160, U+2016 -> 0x8161,
// U+2212 -> 0x817C, U+00A2 -> 0x8191, U+00A3 -> 0x8192, U+00AC -> 0x81CA, U+2014 -> 0x815C, the
// further fallbacks of ICU's table, and the full-width forms for U+00A5 YEN SIGN (0x818F) and
// U+203E OVERLINE (0x8150) rather than the backslash and tilde they would share a byte with. 0 for
// none.
unsigned Cp932VariantCode(char32_t ch);

// The CP932 code of a character whose conversion is exact both ways (the character comes back
// from the code), 0 when there is none. Fast: a table built once from ICU.
unsigned Cp932ExactCode(char32_t ch);
// The character of a CP932 code (single byte or lead << 8 | trail), 0 for an unassigned code.
char32_t Cp932CodeChar(unsigned code);
// The tables behind the two above (0x10000 entries each, indexed by character or code), for loops
// that convert a whole text.
const uint16_t* Cp932ExactTable();
const char32_t* Cp932CodeCharTable();

// True when the bytes are well-formed UTF-8 (used to tell a UTF-8 holiday file from a CP932 one).
bool IsValidUtf8(std::string_view bytes);
