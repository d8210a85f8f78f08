// Small text helpers shared by the core: trimming, ASCII letter-case folding, line splitting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// A text cut into lines at CR LF, CR or LF; a final line end adds no empty line (a last line
// without an end is a line too).
std::vector<std::string> SplitTextLines(std::string_view text);
