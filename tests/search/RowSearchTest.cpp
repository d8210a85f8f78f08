// The editor's search over rows: start rules, buffers with their one-row overlap, the border limit.
#include "search/RowSearch.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Rows : TRowView {
    std::vector<std::string> text;
    std::vector<bool> lineEnd;
    void add(std::string s, bool end = true) {
        text.push_back(std::move(s));
        lineEnd.push_back(end);
    }
    int RowCount() const override { return int(text.size()); }
    std::string_view RowText(int r) const override { return text.at(size_t(r)); }
    TRowEnd RowEndKind(int r) const override {
        return lineEnd.at(size_t(r)) ? reLineEnd : reWrapped;
    }
};

Rows Filler(int n, int len = 100) {
    Rows r;
    for (int i = 0; i < n; ++i)
        r.add(std::string(size_t(len), 'x'));
    return r;
}

struct Found {
    bool ok;
    int row;
    long offset, length;
    bool operator==(const Found&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Found& f) {
    return o << (f.ok ? "found " : "none ") << f.row << "," << f.offset << "+" << f.length;
}

Found Search(const Rows& rows, const TEditorSearchState& st, const std::string& pat,
             TSearchOptions o) {
    TSearchHit h;
    if (!EditorSearch(rows, st, pat, o, h)) return {false, 0, 0, 0};
    return {true, h.Row, long(h.Offset), long(h.Length)};
}

TEditorSearchState At(int row, long offset) {
    TEditorSearchState s;
    s.Caret = {row, offset};
    return s;
}

TEST(RowSearch, StartRules) {
    Rows r;
    r.add("abc");
    r.add("defgh");
    r.add("ij");
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
    Rows r;
    r.add("find me");
    r.add("and find me again");
    r.add("last", false);
    EXPECT_EQ(Search(r, At(0, 1), "find", soDown), (Found{true, 1, 4, 4}));
    EXPECT_EQ(Search(r, At(1, 5), "find", soDown), (Found{false, 0, 0, 0}));
    EXPECT_EQ(Search(r, At(2, 0), "FIND", 0), (Found{true, 1, 4, 4}));
    EXPECT_EQ(Search(r, At(0, 3), "find", 0), (Found{false, 0, 0, 0}));
    // Continuing after a hit finds the next one, not the same one.
    TEditorSearchState h = At(0, 0);
    h.HitLength = 4;
    EXPECT_EQ(Search(r, h, "find", soDown), (Found{true, 1, 4, 4}));
    // Line ends inside a match.
    EXPECT_EQ(Search(r, At(0, 0), "meand", soDown | soIncludeCRLF), (Found{true, 0, 5, 7}));
    Rows empty;
    EXPECT_EQ(Search(empty, At(0, 0), "x", soDown), (Found{false, 0, 0, 0}));
}

// Rows 0..79 hold 102 bytes each with their line ends (8160); row 80 brings the first buffer
// past 8192 bytes, so the buffer searched from row 0 ends with row 80 and the next begins there.
Rows BorderRows() {
    Rows r = Filler(200);
    r.text[79].replace(98, 2, "ab");
    r.text[80] = std::string(30, 'c');
    r.text[81].replace(0, 2, "ef");
    return r;
}

TEST(RowSearch, MatchesAcrossTheBufferBorder) {
    const Rows r = BorderRows();
    const std::string c30(30, 'c');
    // Crossing from the border row into the next buffer: found through the overlap.
    EXPECT_EQ(Search(r, At(0, 0), "cccef", soDown | soIncludeCRLF), (Found{true, 80, 27, 7}));
    // Reaching more than one row over the border: not found from row 0...
    EXPECT_EQ(Search(r, At(0, 0), "ab" + c30 + "ef", soDown | soIncludeCRLF),
              (Found{false, 0, 0, 0}));
    // ...but found when the buffer holds all three rows.
    EXPECT_EQ(Search(r, At(40, 0), "ab" + c30 + "ef", soDown | soIncludeCRLF),
              (Found{true, 79, 98, 38}));
}

TEST(RowSearch, LongRowsStillMoveOn) {
    Rows r;
    r.add(std::string(20000, 'x') + "early" + std::string(20000, 'x'));
    r.add(std::string(9000, 'y'));
    r.add("late" + std::string(10000, 'z'));
    // Forward from the middle of a row longer than a buffer: the text behind the start is not
    // found again, and the search goes on into the next rows.
    EXPECT_EQ(Search(r, At(0, 30000), "early", soDown), (Found{false, 0, 0, 0}));
    EXPECT_EQ(Search(r, At(0, 30000), "late", soDown), (Found{true, 2, 0, 4}));
    EXPECT_EQ(Search(r, At(0, 30000), "xy", soDown | soIncludeCRLF), (Found{true, 0, 40004, 4}));
    // Backward likewise.
    EXPECT_EQ(Search(r, At(2, 3), "late", 0), (Found{false, 0, 0, 0}));
    EXPECT_EQ(Search(r, At(2, 3), "early", 0), (Found{true, 0, 20000, 5}));
}

} // namespace
