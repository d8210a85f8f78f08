// TEditorScreenStrings: the saved parser state of every row (InitBrackets) and its lazy upkeep.
// Rows from FParseValid on are "not computed" whatever their stored bits say, so resetting the
// tail of the text costs nothing.
#include <algorithm>

#include "text/RowStore.h"

std::unique_ptr<TRowStateParser> TEditorScreenStrings::MakeParser() const {
    for (const TViewEntry& v : FViews)
        if (v.Parser)
            if (auto p = v.Parser()) return p;
    if (ParserFactory) return ParserFactory();
    return nullptr;
}

// Last row the walk may reach: the largest bound the attached views gave (SetParseBound).
int TEditorScreenStrings::ParseLimit() const {
    const int last = Count() - 1;
    if (FViews.empty()) return FParseAll ? last : -1;
    int limit = -1;
    for (const TViewEntry& v : FViews)
        limit = std::max(limit, v.ParseBound);
    return std::min(limit, last);
}

void TEditorScreenStrings::StoreState(int r, const TRowParserState& s, bool& changed) {
    uint32_t a0 = FRows.At(r).A, b0 = FRows.At(r).B;
    uint32_t a = a0, b = b0;
    RowData::SetParserState(a, b, s);
    bool valid = r < FParseValid;
    changed = !valid || a != a0 || b != b0 || FRows.DataStr(r) != s.Str;
    if (!changed) return;
    if (a != a0) FRows.SetA(r, a);
    if (b != b0) FRows.SetB(r, b);
    if (FRows.DataStr(r) != s.Str) FRows.SetDataStr(r, s.Str);
}

// Walks rows from `row` with `state` up to `limit`; with stopOnEqual the walk ends at the first
// row after `row` whose stored state equals the one it brings. The rows whose state changed go
// into the change log as one ckStates entry.
void TEditorScreenStrings::WalkFrom(int row, TRowParserState state, int limit, bool stopOnEqual,
                                    int& changed) {
    int lo = -1, hi = -1;
    WalkRows(row, state, limit, stopOnEqual, changed, lo, hi);
    if (lo >= 0 && !FViews.empty())
        Log({TRowChange::ckStates, lo, hi - lo + 1, hi - lo + 1}, false);
}

void TEditorScreenStrings::WalkRows(int row, TRowParserState state, int limit, bool stopOnEqual,
                                    int& changed, int& lo, int& hi) {
    std::unique_ptr<TRowStateParser> parser = MakeParser();
    const int n = Count();
    int r = row;
    FLastParsedRow = row - 1;
    for (; r <= limit; ++r) {
        if (stopOnEqual && r > row && r < FParseValid &&
            RowData::ParserState(FRows.At(r).A, FRows.At(r).B, FRows.DataStr(r)) == state)
            return;
        bool diff;
        StoreState(r, state, diff);
        FLastParsedRow = r;
        if (diff) {
            ++changed;
            if (lo < 0) lo = r;
            hi = r;
        }
        const TRowRec rec = FRows.At(r);
        TRowEnd re = RowData::RowEnd(rec.A);
        if (parser) {
            std::string_view next =
                (re == reWrapped && r + 1 < n) ? FRows.At(r + 1).Text() : std::string_view();
            parser->ParseRow(rec.Text(), re, next, state);
        }
        state.PrevRowEnd = re;
        if (r >= FParseValid) FParseValid = r + 1;
    }
    // Reached the limit: the rows after it are computed when painting reaches them.
    FParseValid = r;
}

void TEditorScreenStrings::InitBrackets() {
    FLastParsedRow = -1;
    if (FLoading) return;
    FParseValid = 0; // every row reset to "not computed"
    int limit = ParseLimit();
    int changed = 0;
    if (limit >= 0) WalkFrom(0, TRowParserState(), limit, false, changed);
}

int TEditorScreenStrings::InitBracketsFrom(int row) {
    const int n = Count();
    FLastParsedRow = -1;
    if (FLoading) return 0;
    row = std::max(row, 0);
    if (row >= n) {
        FParseValid = std::min(FParseValid, n);
        return 0;
    }
    int start = std::min(row, FParseValid);
    int limit = ParseLimit();
    if (start > limit) {
        FParseValid = std::min(FParseValid, start);
        return 0;
    }
    TRowParserState state = StateAtStartOf(start);
    int changed = 0;
    WalkFrom(start, state, limit, true, changed);
    return changed;
}

TRowParserState TEditorScreenStrings::StateAtStartOf(int row) const {
    TRowParserState state;
    if (row <= 0) return state;
    int above = row - 1;
    state = ParserState(above);
    if (auto parser = MakeParser()) {
        const TRowRec rec = FRows.At(above);
        TRowEnd re = RowData::RowEnd(rec.A);
        std::string_view next = re == reWrapped ? FRows.At(row).Text() : std::string_view();
        parser->ParseRow(rec.Text(), re, next, state);
    }
    state.PrevRowEnd = RowEndKind(above);
    return state;
}

void TEditorScreenStrings::ParseUpTo(int row) {
    if (FLoading) return;
    row = std::min(row, Count() - 1);
    if (row < FParseValid) return;
    int start = FParseValid;
    TRowParserState state = StateAtStartOf(start);
    int changed = 0;
    WalkFrom(start, state, row, false, changed);
}
