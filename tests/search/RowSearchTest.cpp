// The editor's search over rows: start rules, buffers with their one-row overlap, the border limit.
#include "search/RowSearch.h"
#include "platform/Cp932.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Rows that each end a line, unless given as wrapped.
struct Rows : TRowView {
    std::vector<std::string> text;
    std::vector<bool> lineEnd;
    Rows(std::vector<std::string> t = {}) : text(std::move(t)), lineEnd(text.size(), true) {}
    int RowCount() const override { return int(text.size()); }
    std::string_view RowText(int r) const override { return text.at(size_t(r)); }
    TRowEnd RowEndKind(int r) const override {
        return lineEnd.at(size_t(r)) ? reLineEnd : reWrapped;
    }
};

// The row, offset and length of the hit; row -1 when nothing was found.
using Found = std::tuple<int, long, long>;
const Found None{-1, 0, 0};

Found Search(const Rows& rows, const TEditorSearchState& st, const std::string& pat,
             TSearchOptions o) {
    TSearchHit h;
    if (!EditorSearch(rows, st, pat, o, h)) return None;
    return {h.Row, long(h.Offset), long(h.Length)};
}

TEditorSearchState At(int row, long offset) {
    TEditorSearchState s;
    s.Caret = {row, offset};
    return s;
}

TEST(RowSearch, StartRules) {
    const Rows r({"abc", "defgh", "ij"});
    // Caret: its offset, at most the row's length.
    EXPECT_EQ(SearchStartPos(r, At(1, 2), true), (TSearchPos{1, 2}));
    EXPECT_EQ(SearchStartPos(r, At(1, 40), false), (TSearchPos{1, 5}));
    // A selection: after its end forward, at its start backward.
    TEditorSearchState sel = At(0, 1);
    sel.HasSelection = true;
    sel.SelStart = {0, 1};
    sel.SelEnd = {1, 3};
    EXPECT_EQ(SearchStartPos(r, sel, true), (TSearchPos{1, 3}));
    EXPECT_EQ(SearchStartPos(r, sel, false), (TSearchPos{0, 1}));
    // A hit at the caret: forward past it, across the line end; backward at its start.
    TEditorSearchState hit = At(0, 2);
    hit.HitLength = 4; // "c", CR, LF, "d"
    EXPECT_EQ(SearchStartPos(r, hit, true), (TSearchPos{1, 1}));
    EXPECT_EQ(SearchStartPos(r, hit, false), (TSearchPos{0, 2}));
    // "[EOF]": backward from the end of the last row and its line end.
    EXPECT_EQ(SearchStartPos(r, At(3, 0), false), (TSearchPos{2, 4}));
}

TEST(RowSearch, ForwardAndBackwardFromTheCaret) {
    Rows r({"find me", "and find me again", "last"});
    EXPECT_EQ(Search(r, At(0, 1), "find", soDown), Found(1, 4, 4));
    EXPECT_EQ(Search(r, At(1, 5), "find", soDown), None);
    EXPECT_EQ(Search(r, At(2, 0), "FIND", 0), Found(1, 4, 4));
    EXPECT_EQ(Search(r, At(0, 3), "find", 0), None);
    // Continuing after a hit finds the next one, not the same one.
    TEditorSearchState h = At(0, 0);
    h.HitLength = 4;
    EXPECT_EQ(Search(r, h, "find", soDown), Found(1, 4, 4));
    // Line ends inside a match; a wrapped row goes on without one.
    EXPECT_EQ(Search(r, At(0, 0), "meand", soDown | soIncludeCRLF), Found(0, 5, 7));
    r.lineEnd[1] = false;
    EXPECT_EQ(Search(r, At(0, 0), "againlast", soDown), Found(1, 12, 9));
    EXPECT_EQ(Search(Rows(), At(0, 0), "x", soDown), None);
}

// Rows 0..79 hold 102 bytes each with their line ends (8160); row 80 brings the first buffer
// past 8192 bytes, so the buffer searched from row 0 ends with row 80 and the next begins there.
Rows BorderRows() {
    Rows r(std::vector<std::string>(200, std::string(100, 'x')));
    r.text[79].replace(98, 2, "ab");
    r.text[80] = std::string(30, 'c');
    r.text[81].replace(0, 2, "ef");
    return r;
}

TEST(RowSearch, MatchesAcrossTheBufferBorder) {
    const Rows r = BorderRows();
    const std::string c30(30, 'c');
    // Crossing from the border row into the next buffer: found through the overlap.
    EXPECT_EQ(Search(r, At(0, 0), "cccef", soDown | soIncludeCRLF), Found(80, 27, 7));
    // Reaching more than one row over the border: not found from row 0...
    EXPECT_EQ(Search(r, At(0, 0), "ab" + c30 + "ef", soDown | soIncludeCRLF), None);
    // ...but found when the buffer holds all three rows.
    EXPECT_EQ(Search(r, At(40, 0), "ab" + c30 + "ef", soDown | soIncludeCRLF), Found(79, 98, 38));
}

TEST(RowSearch, LongRowsStillMoveOn) {
    const Rows r({std::string(20000, 'x') + "early" + std::string(20000, 'x'),
                  std::string(9000, 'y'), "late" + std::string(10000, 'z')});
    // Forward from the middle of a row longer than a buffer: the text behind the start is not
    // found again, and the search goes on into the next rows.
    EXPECT_EQ(Search(r, At(0, 30000), "early", soDown), None);
    EXPECT_EQ(Search(r, At(0, 30000), "late", soDown), Found(2, 0, 4));
    EXPECT_EQ(Search(r, At(0, 30000), "xy", soDown | soIncludeCRLF), Found(0, 40004, 4));
    // Backward likewise.
    EXPECT_EQ(Search(r, At(2, 3), "late", 0), None);
    EXPECT_EQ(Search(r, At(2, 3), "early", 0), Found(0, 20000, 5));
}

// A loaded text large enough to be shared among threads: searched in place and on every core
// it gives the same hits, in the same order, as rows copied into buffers on one thread.
TEST(RowSearch, InPlaceAndSharedSearchFindTheSameHits) {
    std::string text;
    std::uint32_t seed = 7;
    int line = 0;
    while (text.size() < (6u << 20)) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t n = (seed >> 16) % 190;
        std::string row(n, char('a' + (seed >> 8) % 20));
        if (++line % 15000 == 0) row.insert(row.size() / 2, "ne\r\nedle");
        if (line % 20000 == 0) row.insert(0, "needle");
        text += row + "\r\n";
    }
    TEditorScreenStrings store;
    TEditorWrapOption wrap;
    wrap.SetWrapByte(80);
    store.SetWrapOption(wrap);
    store.SetWordWrap(true);
    store.SetText(text);
    Rows copy;
    for (int r = 0; r < store.RowCount(); ++r) {
        copy.text.emplace_back(store.RowText(r));
        copy.lineEnd.push_back(store.RowEndKind(r) == reLineEnd);
    }
    for (const TSearchOptions o :
         {TSearchOptions(soDown), TSearchOptions(soDown | soIncludeCRLF)}) {
        std::vector<Found> shared, alone;
        for (const int threads : {0, 1}) {
            SetSearchThreads(threads);
            std::vector<Found>& hits = threads ? alone : shared;
            const TRowView& rows = threads ? static_cast<const TRowView&>(copy) : store;
            TEditorSearchState st;
            TSearchHit h;
            while (EditorSearch(rows, st, "needle", o, h)) {
                hits.emplace_back(h.Row, long(h.Offset), long(h.Length));
                st = At(h.Row, long(h.Offset));
                st.HitLength = h.Length;
            }
        }
        SetSearchThreads(0);
        EXPECT_EQ(shared, alone);
        EXPECT_EQ(alone.size(), (o & soSkipLineEnd) ? 7u : 3u);
    }
}

// The first hit after every start, against the plain rule: rows copied from the start row until
// they hold 8192 bytes, searched from the start offset, the next buffer beginning at the last
// row of this one. Short rows of wide and narrow kana, sound marks, letters and blanks put
// matches, whole words and split characters at every distance from the start.
TEST(RowSearch, HitsNearTheStartAreThoseOfTheWholeBuffer) {
    const std::vector<std::string> bits = {"a",    "A",        " ", "\xB6",
                                           "\xDE", "\x83\x4B", "b", "\x82\x60"};
    std::uint32_t seed = 11;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    Rows r;
    while (r.text.size() < 1600) {
        std::string row;
        for (std::uint32_t n = next() % 7; n > 0; --n)
            row += bits[next() % bits.size()];
        r.text.push_back(row);
        r.lineEnd.push_back(next() % 2 != 0);
    }
    auto plain = [&](TSearchPos at, const std::string& pat, TSearchOptions o) -> Found {
        for (int top = at.Row;;) {
            std::string buf;
            std::vector<std::size_t> starts;
            int k = top;
            for (; k < r.RowCount(); ++k) {
                starts.push_back(buf.size());
                buf += r.text[size_t(k)];
                if (r.lineEnd[size_t(k)]) buf += "\r\n";
                if (buf.size() >= kSearchBufferSize && k > top) break;
            }
            TSearchInfo info{top == at.Row ? at.Offset : 0, 0};
            if (SearchText(buf, info, pat, o)) {
                const auto i = std::upper_bound(starts.begin(), starts.end(), size_t(info.Start)) -
                               starts.begin() - 1;
                const long off = long(size_t(info.Start) - starts[size_t(i)]);
                return {top + int(i), off, long(info.Length)};
            }
            if (k >= r.RowCount() - 1) return None;
            top = k;
        }
    };
    for (const std::string pat : {"\x83\x4B", "\x83\x4A", "a a", "AA", "\xB6\xDE"})
        for (const TSearchOptions o :
             {TSearchOptions(soDown), TSearchOptions(soDown | soWholeWord),
              TSearchOptions(soDown | soNoMatchZenkaku), TSearchOptions(soDown | soMatchCase)})
            for (int row = 0; row < r.RowCount(); row += 2) {
                const TSearchPos at{row, long(next() % (r.text[size_t(row)].size() + 1))};
                TSearchHit h;
                const TSearchPattern p(pat, o);
                const Found got =
                    SearchRows(r, at, p, h) ? Found(h.Row, long(h.Offset), long(h.Length)) : None;
                const Found want = plain(at, pat, o);
                ASSERT_EQ(got, want) << "pattern " << pat << " options " << o << " row " << row;
            }
}

} // namespace
