// Column map of a row and column/byte conversions.
#include "text/Columns.h"

#include "text/LineBreaking.h"
#include "platform/Cp932.h"

static TWrapSettings Settings(const TColumnRules& r) {
    TWrapSettings ws;
    ws.WordWrap = r.WrapByte > 0;
    ws.WrapByte = r.WrapByte > 0 ? r.WrapByte : 80;
    ws.TabSpaceCount = r.TabSpaceCount;
    return ws;
}

int RowWidth(std::string_view s, const TColumnRules& r) {
    return ExpandTabLength(s, Settings(r));
}

int ColToOffset(std::string_view s, int col, const TColumnRules& r) {
    return CaretToByteOffset(s, col, Settings(r));
}

int OffsetToCol(std::string_view s, int offset, const TColumnRules& r) {
    return ByteOffsetToCaret(s, offset, Settings(r));
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
