// The editor's search over its screen rows: where a search starts (selection, hit, caret,
// "[EOF]"), and the search itself through buffers of about 8192 bytes built from the rows,
// forward or backward, each buffer overlapping the previous one by one row. Rows whose texts lie
// one after the other are searched in place; a long forward search runs on every core.
#pragma once

#include "search/Matcher.h"
#include "text/RowView.h"

#include <cstddef>
#include <string_view>

// A position in the rows: row index and byte offset in that row (row == RowCount() is the
// "[EOF]" position after a final line end).
struct TSearchPos {
    int Row = 0;
    std::ptrdiff_t Offset = 0;
    bool operator==(const TSearchPos&) const = default;
};

// What the search needs to know of the editor it runs in.
struct TEditorSearchState {
    TSearchPos Caret;             // caret row and byte offset (beyond the row end allowed)
    bool HasSelection = false;    // a stream selection is displayed
    TSearchPos SelStart, SelEnd;  // its start and end (end exclusive)
    std::ptrdiff_t HitLength = 0; // HitSelLength of a displayed hit, which starts at the caret
};

// A match: the row and byte offset of its start, and the bytes it covers (a line end counts 2).
struct TSearchHit {
    int Row = 0;
    std::ptrdiff_t Offset = 0;
    std::ptrdiff_t Length = 0;
};

// Buffers are built until they hold at least this many bytes.
constexpr std::size_t kSearchBufferSize = 8192;

// Threads a long forward search shares its rows among (the first megabyte is searched alone);
// 0, the default, uses every core.
void SetSearchThreads(int threads);

// Where a search in the given direction starts.
TSearchPos SearchStartPos(const TRowView& rows, const TEditorSearchState& state, bool forward);

// Searches the rows from start in the pattern's direction (soDown).
bool SearchRows(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                TSearchHit& hit);

// The pattern prepared for these bytes and options: the last one asked for on this thread is
// kept (Find next and Replace all search for the same pattern again and again).
const TSearchPattern& PreparedPattern(std::string_view pattern, TSearchOptions options);

// The editor's Search: nothing without rows; otherwise from the start the rules give.
bool EditorSearch(const TRowView& rows, const TEditorSearchState& state, std::string_view pattern,
                  TSearchOptions options, TSearchHit& hit);
