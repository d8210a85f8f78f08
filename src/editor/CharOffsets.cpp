// Character offsets of the text over its CP932 rows.
#include "editor/CharOffsets.h"

#include "platform/Cp932.h"
#include "text/DocumentCodec.h"
#include "text/RowStore.h"

#include <algorithm>

namespace {

// Bytes of the code at i: two for a lead byte with a byte after it.
size_t unitBytes(std::string_view s, size_t i) {
    return IsDBCSLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

bool plainUnit(std::string_view unit) {
    const auto c = static_cast<unsigned char>(unit[0]);
    if (unit.size() == 1) return c < 0x80 || IsHalfKana(c);
    return IsDBCSTrailByte(unit[1]);
}

// The characters one code stands for: one, but for bytes the encoding does not know.
std::u16string unitText(std::string_view unit, const TCharTable* table) {
    std::u16string t = DocumentToUtf16(unit, table);
    if (t.empty() || (plainUnit(unit) && CodePoints(t) != 1)) t = u"\uFFFD";
    return t;
}

int unitChars(std::string_view unit, const TCharTable* table) {
    return plainUnit(unit) ? 1 : CodePoints(unitText(unit, table));
}

// Text without line ends; the same characters CharCount counts.
std::u16string rowText(std::string_view s, const TCharTable* table) {
    std::u16string t = DocumentToUtf16(s, table);
    if (CodePoints(t) == CharCount(s, table)) return t;
    t.clear(); // bytes the encoding does not know: code by code
    for (size_t i = 0; i < s.size();) {
        const size_t n = unitBytes(s, i);
        t += unitText(s.substr(i, n), table);
        i += n;
    }
    return t;
}

} // namespace

int CodePoints(std::u16string_view t) {
    int n = 0;
    for (const char16_t c : t)
        if (c < 0xDC00 || c > 0xDFFF) ++n;
    return n;
}

int CodePointIndex(std::u16string_view t, int n) {
    size_t i = 0;
    for (; i < t.size() && n > 0; --n) {
        const bool pair = t[i] >= 0xD800 && t[i] <= 0xDBFF && i + 1 < t.size() &&
                          t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF;
        i += pair ? 2 : 1;
    }
    return static_cast<int>(i);
}

int CharCount(std::string_view s, const TCharTable* table) {
    int n = 0;
    for (size_t i = 0; i < s.size();) {
        const size_t u = unitBytes(s, i);
        n += unitChars(s.substr(i, u), table);
        i += u;
    }
    return n;
}

int CharsToBytes(std::string_view s, int chars, const TCharTable* table) {
    size_t i = 0;
    while (i < s.size() && chars > 0) {
        const size_t u = unitBytes(s, i);
        chars -= unitChars(s.substr(i, u), table);
        i += u;
    }
    return static_cast<int>(i);
}

std::u16string CharText(std::string_view s, const TCharTable* table) {
    std::u16string out;
    size_t from = 0;
    while (from <= s.size()) {
        const size_t end = std::min(s.find_first_of("\r\n", from), s.size());
        out += rowText(s.substr(from, end - from), table);
        if (end == s.size()) break;
        out += u'\n';
        from = end + (s.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

// --- TCharOffsets -----------------------------------------------------------------------------

int TCharOffsets::RowCountOf() const {
    return rows_.RowCount();
}

const TCharTable* TCharOffsets::Table() const {
    return rows_.CharTable().get();
}

void TCharOffsets::Invalidate(int row) {
    const size_t keep = static_cast<size_t>(std::max(row, 0) / Step) + 1;
    if (FStarts.size() > keep) FStarts.resize(keep);
}

int TCharOffsets::RowLength(int row) const {
    return CharCount(rows_.RowText(row), Table()) + (rows_.RowEndKind(row) == reLineEnd ? 1 : 0);
}

int TCharOffsets::RowChars(int row, int byte) const {
    if (row >= RowCountOf()) return 0;
    const std::string_view s = rows_.RowText(row);
    const int n = CharCount(s.substr(0, std::min<size_t>(std::max(byte, 0), s.size())), Table());
    return byte > static_cast<int>(s.size()) && rows_.RowEndKind(row) == reLineEnd ? n + 1 : n;
}

void TCharOffsets::Extend(int row) {
    const int n = RowCountOf();
    while (static_cast<int>(FStarts.size()) <= row / Step && (FStarts.size()) * Step <= size_t(n)) {
        const int first = static_cast<int>(FStarts.size() - 1) * Step;
        int64_t at = FStarts.back();
        for (int r = first; r < first + Step && r < n; ++r)
            at += RowLength(r);
        FStarts.push_back(at);
    }
}

int64_t TCharOffsets::RowStart(int row) {
    row = std::clamp(row, 0, RowCountOf());
    Extend(row);
    const int k = std::min(row / Step, static_cast<int>(FStarts.size()) - 1);
    int64_t at = FStarts[k];
    for (int r = k * Step; r < row; ++r)
        at += RowLength(r);
    return at;
}

TRowByte TCharOffsets::Position(int64_t offset) {
    const int n = RowCountOf();
    if (offset <= 0 || n == 0) return {};
    // Kept offsets up to the block holding the offset.
    while (FStarts.back() <= offset && (FStarts.size()) * Step <= size_t(n))
        Extend(static_cast<int>(FStarts.size()) * Step);
    const size_t k = std::upper_bound(FStarts.begin(), FStarts.end(), offset) - FStarts.begin() - 1;
    int64_t at = FStarts[k];
    for (int r = static_cast<int>(k) * Step; r < n; ++r) {
        const std::string_view s = rows_.RowText(r);
        const int chars = CharCount(s, Table());
        const TRowEnd end = rows_.RowEndKind(r);
        // The end of a wrapped row is the start of the next one.
        if (offset - at < chars || (offset - at == chars && (end != reWrapped || r + 1 == n)))
            return {r, CharsToBytes(s, static_cast<int>(offset - at), Table())};
        const bool lineEnd = end == reLineEnd;
        at += chars + (lineEnd ? 1 : 0);
    }
    return {n, 0}; // past the last line end
}

std::u16string TCharOffsets::Text(int64_t from, int64_t to) {
    const int64_t total = Count();
    from = std::clamp<int64_t>(from, 0, total);
    to = std::clamp<int64_t>(to, from, total);
    std::u16string out;
    if (from == to) return out;
    const TRowByte a = Position(from);
    int64_t left = to - from;
    for (int r = a.Row; r < RowCountOf() && left > 0; ++r) {
        std::string_view s = rows_.RowText(r);
        if (r == a.Row) s = s.substr(std::min<size_t>(a.Byte, s.size()));
        std::u16string t = rowText(s, Table());
        const int cp = CodePoints(t);
        if (cp > left) t.resize(CodePointIndex(t, static_cast<int>(left)));
        left -= std::min<int64_t>(cp, left);
        out += t;
        if (left > 0 && rows_.RowEndKind(r) == reLineEnd) {
            out += u'\n';
            --left;
        }
    }
    return out;
}

TTextChange MakeTextChange(int64_t offset, std::string_view oldBytes, std::string_view newBytes,
                           const TCharTable* table) {
    TTextChange c;
    c.Offset = offset;
    c.Removed = CharText(oldBytes, table);
    c.Inserted = CharText(newBytes, table);
    // The characters both share at the start and at the end are not part of the change.
    size_t head = 0;
    while (head < c.Removed.size() && head < c.Inserted.size() &&
           c.Removed[head] == c.Inserted[head])
        ++head;
    if (head > 0 && c.Removed[head - 1] >= 0xD800 && c.Removed[head - 1] <= 0xDBFF) --head;
    size_t tail = 0;
    while (tail < c.Removed.size() - head && tail < c.Inserted.size() - head &&
           c.Removed[c.Removed.size() - 1 - tail] == c.Inserted[c.Inserted.size() - 1 - tail])
        ++tail;
    if (tail > 0 && c.Removed[c.Removed.size() - tail] >= 0xDC00 &&
        c.Removed[c.Removed.size() - tail] <= 0xDFFF)
        --tail;
    c.Offset += CodePoints(std::u16string_view(c.Removed).substr(0, head));
    c.Removed = c.Removed.substr(head, c.Removed.size() - head - tail);
    c.Inserted = c.Inserted.substr(head, c.Inserted.size() - head - tail);
    return c;
}
