// Packing of the row data and typed access to it.
#include "text/RowData.h"

TRowParserState RowData::ParserState(uint32_t a, uint32_t b, std::string_view str) {
    TRowParserState s;
    s.PrevRowEnd = static_cast<uint8_t>(PrevRowEnd(a));
    s.BracketIndex = BracketIndex(a);
    for (int n = 1; n <= 5; ++n)
        s.State[n - 1] = ParserByte(a, b, n);
    s.Str = std::string(str);
    return s;
}

void RowData::SetParserState(uint32_t& a, uint32_t& b, const TRowParserState& s) {
    a = WithPrevRowEnd(a, s.PrevRowEnd);
    a = WithBracketIndex(a, s.BracketIndex);
    for (int n = 1; n <= 5; ++n)
        SetParserByte(a, b, n, s.State[n - 1]);
}
