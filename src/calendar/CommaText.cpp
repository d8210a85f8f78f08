// Comma-text splitting and joining, decimal parsing and line splitting.
#include "calendar/CommaText.h"

#include <limits>

namespace tolmo {

namespace {
bool IsBlank(char c) {
    return c >= 1 && c <= ' ';
}
} // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> fields;
    // A NUL ends the text, as it would a C string.
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    size_t p = 0;
    const size_t n = text.size();
    while (p < n && IsBlank(text[p]))
        ++p;
    while (p < n) {
        std::string field;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        field += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += text[p++];
            }
        } else {
            const size_t start = p;
            while (p<n&& static_cast<unsigned char>(text[p])> ' ' && text[p] != ',')
                ++p;
            field.assign(text.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        while (p < n && IsBlank(text[p]))
            ++p;
        if (p < n && text[p] == ',') {
            do {
                ++p;
            } while (p < n && IsBlank(text[p]));
        }
    }
    return fields;
}

std::string JoinCommaText(const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields[0].empty()) return "\"\"";
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        const std::string& f = fields[i];
        bool quote = false;
        for (char c : f)
            if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') quote = true;
        if (!quote) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    size_t p = 0;
    while (p < text.size() && text[p] == ' ')
        ++p;
    bool neg = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) neg = text[p++] == '-';
    if (p == text.size()) return std::nullopt;
    int64_t v = 0;
    for (; p < text.size(); ++p) {
        if (text[p] < '0' || text[p] > '9') return std::nullopt;
        v = v * 10 + (text[p] - '0');
        if (v > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(v);
}

} // namespace tolmo
