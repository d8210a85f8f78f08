// Column map of a row and column/byte conversions.
#include "text/Columns.h"

#include "platform/Cp932.h"

int RowWidth(std::string_view s, const TWrapSettings& r) {
    return ExpandTabLength(s, r);
}

int ColToOffset(std::string_view s, int col, const TWrapSettings& r) {
    return CaretToByteOffset(s, col, r);
}

int OffsetToCol(std::string_view s, int offset, const TWrapSettings& r) {
    return ByteOffsetToCaret(s, offset, r);
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

int IndentWidth(std::string_view s, const TWrapSettings& r) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return RowWidth(s.substr(0, i), r);
}
