// Row data of the editor's screen rows: row-end kind, saved parser state and row marks, packed
// into the two data words of a row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How a screen row ends.
enum TRowEnd : uint8_t {
    reLineEnd = 0, // last row of a logical line, followed by a line end
    reWrapped = 1, // the logical line continues on the next row
    reTextEnd = 2, // last row of the text, no line end follows
};
// The bytes of a line end where they are not the text's usual ones: a file read with mixed line
// ends (or a binary file) keeps each line's own end, lines typed take the usual one.
enum TLineEndBytes : uint8_t {
    leUsual = 0, // the text's usual line end
    leCrLf = 1,
    leLf = 2,
    leCr = 3,
};
inline std::string_view LineEndBytes(uint8_t le) {
    return le == leLf   ? std::string_view("\n", 1)
           : le == leCr ? std::string_view("\r", 1)
                        : std::string_view("\r\n", 2);
}

// TUndoData::LastRowEnd value meaning "there was no old text".
constexpr uint8_t NoOldRowEnd = 3;

// rm0..rm9 are the jump marks 0..9, rm10..rm15 image marks.
enum TRowMark : uint8_t {
    rm0,
    rm1,
    rm2,
    rm3,
    rm4,
    rm5,
    rm6,
    rm7,
    rm8,
    rm9,
    rm10,
    rm11,
    rm12,
    rm13,
    rm14,
    rm15
};
using TRowMarks = uint16_t; // one bit per TRowMark
constexpr TRowMarks RowMarkBit(int m) {
    return static_cast<TRowMarks>(1u << m);
}

// The start state of the syntax parser for one row (meaning of the bytes owned by the parser).
struct TRowParserState {
    uint8_t PrevRowEnd = 0; // row end kind of the previous row
    int BracketIndex = -1;  // -2 not computed, -1 no open bracket, 0..13 open bracket pair
    uint8_t State[5] = {};  // ParserState bytes 1..5
    std::string Str;        // ParserState string
    bool operator==(const TRowParserState&) const = default;
};

// A parser that carries its state over one row (the colouring definitions supply the real ones).
class TRowStateParser {
  public:
    virtual ~TRowStateParser() = default;
    // Consumes `text` (one row) starting from `state` and leaves in `state` the start state of
    // the next row. `next` is the following row's text when rowEnd is reWrapped, else empty.
    // The row walk sets PrevRowEnd itself afterwards.
    virtual void ParseRow(std::string_view text, TRowEnd rowEnd, std::string_view next,
                          TRowParserState& state) = 0;
};

// Bit layout of the two data words (DataA: RowEnd 0-1, PrevRowEnd 2-3, BracketIndex+2 4-7,
// ParserState bytes 1-3 in 8-31; DataB: ParserState bytes 4-5 in 0-15, row marks 16-31).
namespace RowData {
inline TRowEnd RowEnd(uint32_t a) {
    return static_cast<TRowEnd>(a & 3u);
}
inline uint32_t WithRowEnd(uint32_t a, int re) {
    return (a & ~3u) | (static_cast<uint32_t>(re) & 3u);
}
inline int PrevRowEnd(uint32_t a) {
    return static_cast<int>((a >> 2) & 3u);
}
inline uint32_t WithPrevRowEnd(uint32_t a, int v) {
    return (a & ~0xCu) | ((static_cast<uint32_t>(v) & 3u) << 2);
}
inline int BracketIndex(uint32_t a) {
    return static_cast<int>((a >> 4) & 15u) - 2;
}
inline uint32_t WithBracketIndex(uint32_t a, int v) {
    return (a & ~0xF0u) | ((static_cast<uint32_t>(v + 2) & 15u) << 4);
}
// n = 1..5
inline uint8_t ParserByte(uint32_t a, uint32_t b, int n) {
    return n <= 3 ? static_cast<uint8_t>(a >> (8 * n)) : static_cast<uint8_t>(b >> (8 * (n - 4)));
}
inline void SetParserByte(uint32_t& a, uint32_t& b, int n, uint8_t v) {
    if (n <= 3)
        a = (a & ~(0xFFu << (8 * n))) | (static_cast<uint32_t>(v) << (8 * n));
    else
        b = (b & ~(0xFFu << (8 * (n - 4)))) | (static_cast<uint32_t>(v) << (8 * (n - 4)));
}
inline TRowMarks Marks(uint32_t b) {
    return static_cast<TRowMarks>(b >> 16);
}
inline uint32_t WithMarks(uint32_t b, TRowMarks m) {
    return (b & 0xFFFFu) | (static_cast<uint32_t>(m) << 16);
}
// Parser fields cleared to "not computed", RowEnd and marks kept.
inline void ResetParser(uint32_t& a, uint32_t& b) {
    a &= 3u;
    b &= 0xFFFF0000u;
}
TRowParserState ParserState(uint32_t a, uint32_t b, std::string_view str);
void SetParserState(uint32_t& a, uint32_t& b, const TRowParserState& s);
} // namespace RowData
