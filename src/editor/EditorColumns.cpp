// Column map of a row and column/byte conversions.
#include "editor/EditorColumns.h"

#include "platform/Cp932.h"

bool IsWordDelimiter(unsigned char c) {
    return c <= 0x2F || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x5E) || c == 0x60 ||
           (c >= 0x7B && c <= 0x80) || (c >= 0xA0 && c <= 0xA5) || c >= 0xFD;
}

// Filler columns after a tab that starts at column col (0-based).
static int TabFill(int col, const TColumnRules& r) {
    int next = (col / r.TabSpaceCount + 1) * r.TabSpaceCount;
    if (r.WrapByte > 0) {
        const int limit = (col / r.WrapByte + 1) * r.WrapByte;
        if (next > limit) next = limit;
    }
    return next - col - 1;
}

std::string BuildColumnMap(std::string_view s, const TColumnRules& r, int maxColumns) {
    std::string m;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n && static_cast<int>(m.size()) < maxColumns; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(c) && i + 1 < n) {
            m += "45";
            ++i;
        } else if (c == '\t') {
            const int fill = TabFill(static_cast<int>(m.size()), r);
            m += '2';
            m.append(fill, '3');
        } else {
            m += IsWordDelimiter(c) ? '2' : '1';
        }
    }
    return m;
}

int RowWidth(std::string_view s, const TColumnRules& r) {
    int col = 0;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(c) && i + 1 < n) {
            col += 2;
            ++i;
        } else if (c == '\t') {
            col += 1 + TabFill(col, r);
        } else {
            ++col;
        }
    }
    return col;
}

int ColToOffset(std::string_view s, int col, const TColumnRules& r) {
    int c = 0;
    const int n = static_cast<int>(s.size());
    int i = 0;
    while (i < n && c < col) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(b) && i + 1 < n) {
            if (c + 1 == col) return i + 1; // a trail column: the caret rules avoid it
            c += 2;
            i += 2;
        } else if (b == '\t') {
            const int w = 1 + TabFill(c, r);
            if (c + w > col) return i + 1; // inside the filler: after the tab byte
            c += w;
            ++i;
        } else {
            ++c;
            ++i;
        }
    }
    return i;
}

int OffsetToCol(std::string_view s, int offset, const TColumnRules& r) {
    int c = 0;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n && i < offset; ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(b) && i + 1 < n) {
            c += 2;
            ++i;
        } else if (b == '\t') {
            c += 1 + TabFill(c, r);
        } else {
            ++c;
        }
    }
    return c;
}

int CharBytesAt(std::string_view s, int offset) {
    const int n = static_cast<int>(s.size());
    if (offset >= n) return 0;
    return (IsDBCSLeadByte(s[offset]) && offset + 1 < n) ? 2 : 1;
}

int PrevCharOffset(std::string_view s, int offset) {
    int i = 0, prev = 0;
    while (i < offset) {
        prev = i;
        i += CharBytesAt(s, i);
    }
    return prev;
}

int IndentWidth(std::string_view s, const TColumnRules& r) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return RowWidth(s.substr(0, i), r);
}
