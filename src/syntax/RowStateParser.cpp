// Adapter between the fountains' parsers and the row store's parser state.
#include "syntax/RowStateParser.h"

TFountainState FromRowState(const TRowParserState& s) {
    TFountainState f;
    f.PrevRowEnd = s.PrevRowEnd & 3;
    f.BracketIndex = s.BracketIndex < -1 ? -1 : s.BracketIndex;
    f.FromBytes(s.State);
    f.Str = s.Str;
    return f;
}

TFountainRowParser::TFountainRowParser(const TFountain& fountain)
    : parser_(fountain.CreateParser()) {}

void TFountainRowParser::ParseRow(std::string_view text, TRowEnd rowEnd, std::string_view next,
                                  TRowParserState& state) {
    st_.PrevRowEnd = state.PrevRowEnd & 3;
    st_.BracketIndex = state.BracketIndex < -1 ? -1 : state.BracketIndex;
    st_.FromBytes(state.State);
    if (st_.Str != state.Str) st_.Str = state.Str;
    parser_->ParseRow(st_, text, next, rowEnd);
    state.PrevRowEnd = static_cast<uint8_t>(st_.PrevRowEnd & 3);
    state.BracketIndex = st_.BracketIndex;
    st_.ToBytes(state.State);
    if (state.Str != st_.Str) state.Str = st_.Str;
}

std::unique_ptr<TRowStateParser> CreateRowStateParser(const TFountain& fountain) {
    return std::make_unique<TFountainRowParser>(fountain);
}
