// Trimming, ASCII case folding and strict integer parsing.
#include "platform/TextUtil.h"

#include <charconv>

std::string_view TrimView(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsTrimByte(s[b]))
        ++b;
    while (e > b && IsTrimByte(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string Trim(std::string_view s) {
    return std::string(TrimView(s));
}

static char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

std::string UpperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = upperAscii(c);
    return r;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    return true;
}

bool ParseDecimalInt(std::string_view s, int& out) {
    if (s.empty()) return false;
    std::size_t start = (s[0] == '+') ? 1 : 0;
    if (start == s.size()) return false;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    int v = 0;
    auto [p, ec] = std::from_chars(first, last, v, 10);
    if (ec != std::errc() || p != last) return false;
    if (start == 1 && s.size() > 1 && s[1] == '-') return false; // "+-5"
    out = v;
    return true;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}
