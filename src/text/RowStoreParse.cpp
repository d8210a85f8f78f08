// TEditorScreenStrings: the saved parser state of every row (InitBrackets) and its lazy upkeep.
// Rows from parseValid_ on are "not computed" whatever their stored bits say, so resetting the
// tail of the text costs nothing.
#include <algorithm>
#include <limits>

#include "text/RowStore.h"

std::unique_ptr<TRowStateParser> TEditorScreenStrings::MakeParser() const {
    for (const TViewEntry& v : views_)
        if (v.Parser)
            if (auto p = v.Parser()) return p;
    if (ParserFactory) return ParserFactory();
    return nullptr;
}

// Last row the walk may reach: the largest bound the attached views gave (SetParseBound).
int TEditorScreenStrings::ParseLimit() const {
    const int last = Count() - 1;
    if (views_.empty()) return parseAll_ ? last : -1;
    int limit = -1;
    for (const TViewEntry& v : views_)
        limit = std::max(limit, v.ParseBound);
    return std::min(limit, last);
}

// The views want every row's state (a view's bound at the largest row), not only the ones they
// show: a view at the text's end bounds the walk at its last row and still wants only those.
bool TEditorScreenStrings::ParsesEveryRow() const {
    if (views_.empty()) return parseAll_;
    for (const TViewEntry& v : views_)
        if (v.ParseBound == std::numeric_limits<int>::max()) return true;
    return false;
}

void TEditorScreenStrings::StoreState(int r, TRowRec& rec, std::string_view str,
                                      const TRowParserState& s, bool& changed) {
    uint32_t a = rec.A, b = rec.B;
    RowData::SetParserState(a, b, s);
    bool valid = r < parseValid_;
    const bool strChanged = str != s.Str;
    changed = !valid || a != rec.A || b != rec.B || strChanged;
    if (!changed) return;
    if (a != rec.A) rows_.SetA(r, a);
    if (b != rec.B) rows_.SetB(r, b);
    if (strChanged) rows_.SetDataStr(r, s.Str);
    rec.A = a;
    rec.B = b;
}

// Walks rows from `row` with `state` up to `limit`; with stopOnEqual the walk ends at the first
// row after `row` whose stored state equals the one it brings. The rows whose state changed go
// into the change log as one entry: ckStates, pulled with the change that caused the walk, or
// ckParsed, told to the views at once (a slice).
void TEditorScreenStrings::WalkFrom(int row, TRowParserState state, int limit, bool stopOnEqual,
                                    int& changed, TRowChange::TKind logAs) {
    int lo = -1, hi = -1;
    WalkRows(row, state, limit, stopOnEqual, changed, lo, hi);
    if (lo >= 0 && !views_.empty())
        Log({logAs, lo, hi - lo + 1, hi - lo + 1}, logAs == TRowChange::ckParsed);
}

void TEditorScreenStrings::WalkRows(int row, TRowParserState state, int limit, bool stopOnEqual,
                                    int& changed, int& lo, int& hi) {
    std::unique_ptr<TRowStateParser> parser = MakeParser();
    const int n = Count();
    const bool everyRow = ParsesEveryRow();
    int r = row;
    lastParsedRow_ = row - 1;
    // Each row's record is read once: a wrapped row's next row is the following row's own.
    TRowRec rec, nextRec;
    bool haveNext = false;
    for (; r <= limit; ++r) {
        if (!haveNext)
            rec = rows_.At(r);
        else
            rec = nextRec;
        haveNext = false;
        const std::string_view str = rec.Extra ? rows_.DataStr(r) : std::string_view();
        // After an edit the walk goes as far as states change; while the views bound it, never
        // into rows that were not computed yet: those are parsed when painting reaches them (a
        // run of replacements moving down the text would otherwise parse every row it passes).
        if (stopOnEqual && r > row &&
            ((r >= parseValid_ && !everyRow) || RowData::ParserState(rec.A, rec.B, str) == state))
            return;
        bool diff;
        StoreState(r, rec, str, state, diff);
        lastParsedRow_ = r;
        if (diff) {
            ++changed;
            if (lo < 0) lo = r;
            hi = r;
        }
        TRowEnd re = RowData::RowEnd(rec.A);
        if (parser) {
            std::string_view next;
            if (re == reWrapped && r + 1 < n) {
                nextRec = rows_.At(r + 1);
                haveNext = true;
                next = nextRec.Text();
            }
            parser->ParseRow(rec.Text(), re, next, state);
        }
        state.PrevRowEnd = re;
        if (r >= parseValid_) parseValid_ = r + 1;
    }
    // Reached the limit: the rows after it are computed when painting reaches them.
    parseValid_ = r;
}

void TEditorScreenStrings::InitBrackets() {
    lastParsedRow_ = -1;
    if (loading_) return;
    parseValid_ = 0;   // every row reset to "not computed"
    parseWanted_ = -1; // painting asks again
    int limit = ParseLimit();
    // The rows a view shows far down are walked when painting asks for them.
    if (!ParsesEveryRow() && limit > 0) limit = std::min(limit, RowOfTextPos(SyncParseBytes));
    int changed = 0;
    if (limit >= 0) WalkFrom(0, TRowParserState(), limit, false, changed);
}

int TEditorScreenStrings::InitBracketsFrom(int row, const TRowParserState* known) {
    const int n = Count();
    lastParsedRow_ = -1;
    if (loading_) return 0;
    row = std::max(row, 0);
    if (row >= n) {
        parseValid_ = std::min(parseValid_, n);
        return 0;
    }
    const int limit = ParseLimit();
    // While the views bound the walk (rather than asking for every row), a change at or below
    // the first row not computed touches no computed state: those rows are parsed when painting
    // reaches them. Otherwise every row up to the limit is wanted.
    if (row >= parseValid_) {
        if (!ParsesEveryRow()) return 0;
        row = parseValid_;
        known = nullptr;
    }
    if (row > limit) {
        parseValid_ = std::min(parseValid_, row);
        return 0;
    }
    TRowParserState state = known ? *known : StateAtStartOf(row);
    int changed = 0;
    WalkFrom(row, state, limit, true, changed);
    return changed;
}

TRowParserState TEditorScreenStrings::StateAtStartOf(int row) const {
    TRowParserState state;
    if (row <= 0) return state;
    int above = row - 1;
    state = ParserState(above);
    if (auto parser = MakeParser()) {
        const TRowRec rec = rows_.At(above);
        TRowEnd re = RowData::RowEnd(rec.A);
        std::string_view next = re == reWrapped ? rows_.At(row).Text() : std::string_view();
        parser->ParseRow(rec.Text(), re, next, state);
    }
    state.PrevRowEnd = RowEndKind(above);
    return state;
}

void TEditorScreenStrings::ParseUpTo(int row) {
    if (loading_) return;
    row = std::min(row, Count() - 1);
    if (row < parseValid_) return;
    int start = parseValid_;
    TRowParserState state = StateAtStartOf(start);
    int changed = 0;
    WalkFrom(start, state, row, false, changed);
}

bool TEditorScreenStrings::ParseIsFar(int row) const {
    row = std::min(row, Count() - 1);
    if (row < parseValid_) return false;
    return TextPos(row) - TextPos(parseValid_) > SyncParseBytes;
}

void TEditorScreenStrings::WantParsed(int row) {
    parseWanted_ = std::max(parseWanted_, std::min(row, Count() - 1));
    if (ParseWanted()) QueueSlice();
}

void TEditorScreenStrings::QueueSlice() {
    if (sliceQueued_ || !RunWhenIdle) return;
    sliceQueued_ = std::make_shared<TEditorScreenStrings*>(this);
    RunWhenIdle([token = sliceQueued_] {
        TEditorScreenStrings* self = *token;
        if (!self) return; // the store went away
        self->sliceQueued_.reset();
        self->ParseSlice();
        if (self->ParseWanted()) self->QueueSlice();
    });
}

int TEditorScreenStrings::ParseSlice() {
    const int n = Count();
    parseWanted_ = std::min(parseWanted_, n - 1);
    if (loading_ || !ParseWanted()) {
        parseWanted_ = -1;
        return 0;
    }
    const int start = parseValid_;
    const int64_t at = TextPos(start);
    int last = std::min(parseWanted_, RowOfTextPos(at + std::max<int64_t>(ParseSliceBytes, 1)));
    last = std::max(last, start);
    if (last >= parseWanted_) parseWanted_ = -1; // reached: the views told may ask for more
    int changed = 0;
    WalkFrom(start, StateAtStartOf(start), last, false, changed, TRowChange::ckParsed);
    return parseValid_ - start;
}
