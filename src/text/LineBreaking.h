// Screen-row arithmetic: wrap options, the per-row column map, Japanese line breaking and the
// caret column rules that the editing control applies.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/RowData.h"

// The wrap options as the user sets them and a property set stores them (CP932 strings).
struct TEditorWrapOption {
    bool FollowRetMark = false;
    bool FollowPunctuation = false;
    std::string FollowStr; // characters that never begin a row
    bool Leading = false;
    std::string LeadStr;        // characters that never end a row
    std::string PunctuationStr; // punctuation that may hang past the wrap width
    bool WordBreak = false;
    int WrapByte = 80;

    TEditorWrapOption();     // the default character sets
    void SetWrapByte(int v); // clamped to 20..250
    bool operator==(const TEditorWrapOption&) const = default;

    static constexpr int MinWrapByte = 20;
    static constexpr int MaxWrapByte = 250;
};

// The fixed word delimiter set: 0x00-0x2F, 0x3A-0x40, 0x5B-0x5E, 0x60, 0x7B-0x80, 0xA0-0xA5,
// 0xFD-0xFF.
using TDelimiters = std::bitset<256>;
const TDelimiters& DefaultWordDelimiters();

// Tab width as the caret options store it: clamped to 2..8, rounded down to even.
int NormalizeTabSpaceCount(int v);

// A set of Shift-JIS characters given as a string; membership at character boundaries only.
class TCharSet {
  public:
    TCharSet() = default;
    explicit TCharSet(std::string_view chars);
    // c is one byte (0..255) or a two-byte character (lead << 8 | trail).
    bool Contains(unsigned c) const;

  private:
    std::bitset<256> single_;
    std::vector<uint16_t> double_; // sorted
};

// Everything the row cut and the column map depend on: the wrap options, whether word wrap is
// on and the tab width, with the options' character sets compiled for lookup.
struct TWrapSettings : TEditorWrapOption {
    bool WordWrap = false;
    int TabSpaceCount = 8;
    TCharSet Follow, Lead, Punctuation;

    explicit TWrapSettings(const TEditorWrapOption& o = TEditorWrapOption(), bool wordWrap = false,
                           int tabSpaceCount = 8);
    // Longest row in bytes: a longer line continues on the next row even without word wrap,
    // so that a row's length and every byte offset in it fit in 31 bits.
    size_t MaxRowBytes = size_t{1} << 30;
    // A file being cut into rows: its usual line end (TLineEndBytes); a line that ends otherwise
    // keeps its own end. 0: every line takes the usual end (a text that is not a file's).
    uint8_t LineEnd = 0;
    // Column limit of a map: WrapByte + 3 with word wrap, else 1000.
    int MapLimit() const { return WordWrap ? WrapByte + 3 : 1000; }
};

// Column classes of a map.
constexpr char ccEnd = '0';    // past the last column
constexpr char ccSingle = '1'; // a single-byte character that is not a delimiter
constexpr char ccDelim = '2';  // a single-byte delimiter (space, tab, punctuation, control bytes)
constexpr char ccFiller = '3'; // a filler column of a tab
constexpr char ccLead = '4';   // first column of a two-byte character
constexpr char ccTrail = '5';  // second column of a two-byte character

// The column map of a row: one class per display column, built up to `limit` columns (whole
// characters, so it may hold one more). A lead byte at the very end of the text counts as a
// single byte.
std::string ColumnMap(std::string_view s, const TWrapSettings& ws, int limit,
                      const TDelimiters& delims = DefaultWordDelimiters());
inline std::string ColumnMap(std::string_view s, const TWrapSettings& ws) {
    return ColumnMap(s, ws, ws.MapLimit());
}

// Display width: two-byte characters 2, a tab up to its next stop (and, with word wrap, no
// further than the next multiple of WrapByte), other bytes 1.
int ExpandTabLength(std::string_view s, const TWrapSettings& ws);

// One row cut from a text: a slice of the text and its row end.
struct TWrapRow {
    uint64_t Start = 0;
    uint32_t Length = 0;
    TRowEnd RowEnd = reLineEnd;
};

// Cuts a text (possibly several logical lines) into rows appended to `out`; every row gets
// reLineEnd or reWrapped; the caller sets the last row's row end. An empty text gives one empty
// row. With word wrap off this is the plain split at CR, LF and CR LF.
void StrToWrapList(std::string_view text, const TWrapSettings& ws, std::vector<TWrapRow>& out);
// Number of rows the wrap makes for one logical line.
int WrapCount(std::string_view line, const TWrapSettings& ws);
// Cuts one logical line (no line-end bytes) into rows; `base` is added to every Start.
void WrapLine(std::string_view line, uint64_t base, const TWrapSettings& ws,
              std::vector<TWrapRow>& out);
// Without word wrap: the line as one row, or as rows of at most maxRow bytes (never splitting a
// two-byte character) when it is longer.
void SplitLongLine(std::string_view line, uint64_t base, size_t maxRow, std::vector<TWrapRow>& out);

// Caret options the column rules consult.
struct TCaretColumnOptions {
    bool FreeCaret = true;
    bool FreeRow = false;
    bool InTab = false;
    bool KeepCaret = false;
};

// Applies the caret column rules for a row. `direction` is -1 for a move to the left (or none),
// +1 for a move to the right; `vertical` tells a row change. `remembered` is the remembered
// column (-1 none), updated as the rules say. Returns the column to use (0-based).
int CaretColumn(std::string_view rowText, TRowEnd rowEnd, const TWrapSettings& ws,
                const TCaretColumnOptions& opt, int col, int direction, bool vertical,
                int& remembered);
// Byte offset of a caret column within its row (filler columns hold no byte).
int CaretToByteOffset(std::string_view rowText, int col, const TWrapSettings& ws);
// Display column at which byte offset `offset` of the row starts.
int ByteOffsetToCaret(std::string_view rowText, int offset, const TWrapSettings& ws);
