// The editor's search over its rows (see HTSearchRows.h).
//
// Every buffer takes at least two rows when there are two: the next buffer begins at the last row
// taken into this one, so with a single row of 8192 bytes or more the search would otherwise start
// over on the same row for ever (or find a match behind its start).
#include "search/RowSearch.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::ptrdiff_t rowBytes(const TRowView& rows, int r) {
    return static_cast<std::ptrdiff_t>(rows.RowText(r).size()) +
           ((rows.RowEndKind(r) == reLineEnd) ? 2 : 0);
}

// Moves pos on by n bytes of text (line ends counting 2), across rows.
TSearchPos advance(const TRowView& rows, TSearchPos pos, std::ptrdiff_t n) {
    pos.Offset += n;
    while (pos.Row + 1 < rows.RowCount() && pos.Offset > rowBytes(rows, pos.Row)) {
        pos.Offset -= rowBytes(rows, pos.Row);
        ++pos.Row;
    }
    return pos;
}

struct Buffer {
    std::string text;
    std::vector<std::size_t> starts; // offset of each row in text
    int first = 0;                   // row of starts[0]

    void build(const TRowView& rows, int top, int bottom) {
        text.clear();
        starts.clear();
        first = top;
        for (int r = top; r <= bottom; ++r) {
            starts.push_back(text.size());
            text.append(rows.RowText(r));
            if (rows.RowEndKind(r) == reLineEnd) text.append("\r\n", 2);
        }
    }

    // The row holding byte pos of the buffer.
    std::size_t rowAt(std::size_t pos) const {
        return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), pos) -
                                        starts.begin() - 1);
    }

    // The hit as rows see it. The editor has no position between the CR and the LF of a line
    // end, so a match that begins on the LF or ends on the CR (a pattern with a line feed or a
    // carriage return at its edge) takes the whole line end: Find shows, and Replace changes,
    // the bytes that matched plus the other half of that line end, never a neighbouring byte.
    TSearchHit hit(const TRowView& rows, const TSearchInfo& info) const {
        const auto pos = static_cast<std::size_t>(info.Start);
        const std::size_t i = rowAt(pos);
        TSearchHit h;
        h.Row = first + static_cast<int>(i);
        const auto into = static_cast<std::ptrdiff_t>(pos - starts[i]);
        h.Offset = std::min(into, static_cast<std::ptrdiff_t>(rows.RowText(h.Row).size()));
        h.Length = info.Length + (into - h.Offset);
        if (info.Length > 0) {
            const std::size_t last = pos + static_cast<std::size_t>(info.Length) - 1;
            const std::size_t j = rowAt(last);
            const int row = first + static_cast<int>(j);
            if (rows.RowEndKind(row) == reLineEnd && last - starts[j] == rows.RowText(row).size())
                ++h.Length; // ends on the CR
        }
        return h;
    }
};

bool searchForward(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                   TSearchHit& hit) {
    const int count = rows.RowCount();
    if (start.Row < 0 || start.Row >= count) return false;
    Buffer buf;
    buf.text.reserve(2 * kSearchBufferSize);
    int top = start.Row;
    std::ptrdiff_t offset = std::max<std::ptrdiff_t>(start.Offset, 0);
    for (;;) {
        int bottom = top;
        std::size_t size = static_cast<std::size_t>(rowBytes(rows, top));
        while (bottom + 1 < count && (size < kSearchBufferSize || bottom == top))
            size += static_cast<std::size_t>(rowBytes(rows, ++bottom));
        buf.build(rows, top, bottom);
        TSearchInfo info{offset, 0};
        if (pattern.Find(buf.text, info)) {
            hit = buf.hit(rows, info);
            return true;
        }
        if (bottom >= count - 1) return false;
        top = bottom; // overlap one row: a match crossing the border within it is still found
        offset = 0;
    }
}

bool searchBackward(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                    TSearchHit& hit) {
    const int count = rows.RowCount();
    if (count == 0) return false;
    int bottom = std::clamp(start.Row, 0, count - 1);
    std::ptrdiff_t offset = std::max<std::ptrdiff_t>(start.Offset, 0);
    Buffer buf;
    buf.text.reserve(2 * kSearchBufferSize);
    for (;;) {
        int top = bottom;
        std::size_t size = static_cast<std::size_t>(rowBytes(rows, bottom));
        while (top > 0 && (size < kSearchBufferSize || top == bottom))
            size += static_cast<std::size_t>(rowBytes(rows, --top));
        buf.build(rows, top, bottom);
        TSearchInfo info{static_cast<std::ptrdiff_t>(buf.starts.back()) + offset, 0};
        if (pattern.Find(buf.text, info)) {
            hit = buf.hit(rows, info);
            return true;
        }
        if (top == 0) return false;
        bottom = top; // overlap one row, searched again from its end
        offset = rowBytes(rows, top);
    }
}

} // namespace

TSearchPos SearchStartPos(const TRowView& rows, const TEditorSearchState& state, bool forward) {
    const int count = rows.RowCount();
    if (forward) {
        if (state.HasSelection) return state.SelEnd;
        if (state.HitLength >= 1) return advance(rows, state.Caret, state.HitLength);
        TSearchPos p = state.Caret;
        if (p.Row >= 0 && p.Row < count)
            p.Offset = std::min<std::ptrdiff_t>(
                p.Offset, static_cast<std::ptrdiff_t>(rows.RowText(p.Row).size()));
        return p;
    }
    if (state.HasSelection) return state.SelStart;
    if (count > 0 && state.Caret.Row >= count) return {count - 1, rowBytes(rows, count - 1)};
    TSearchPos p = state.Caret;
    if (p.Row >= 0 && p.Row < count)
        p.Offset = std::min<std::ptrdiff_t>(
            p.Offset, static_cast<std::ptrdiff_t>(rows.RowText(p.Row).size()));
    return p;
}

bool SearchRows(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                TSearchHit& hit) {
    if (pattern.Empty()) return false;
    return (pattern.Options() & soDown) ? searchForward(rows, start, pattern, hit)
                                        : searchBackward(rows, start, pattern, hit);
}

bool EditorSearch(const TRowView& rows, const TEditorSearchState& state, std::string_view pattern,
                  TSearchOptions options, TSearchHit& hit) {
    if (rows.RowCount() == 0 || pattern.empty()) return false;
    const TSearchPattern p(pattern, options);
    return SearchRows(rows, SearchStartPos(rows, state, options & soDown), p, hit);
}
