// Small text helpers shared by the core: trimming and ASCII letter-case folding.
#pragma once

#include <string>
#include <string_view>

// Blanks and control characters (bytes up to 0x20) are trimmed, as the profile functions and the
// Delphi-style Trim do. Bytes of multi-byte characters are never touched.
inline bool IsTrimByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
std::string_view TrimView(std::string_view s);
std::string Trim(std::string_view s);

// Letter case ignored for ASCII letters only; other bytes compare exactly.
std::string UpperAscii(std::string_view s);
bool SameTextAscii(std::string_view a, std::string_view b);

// Strict decimal integer: optional sign, digits only, within int range. False otherwise.
bool ParseDecimalInt(std::string_view s, int& out);
