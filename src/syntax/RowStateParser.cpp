// Adapter between the fountains' parsers and the row store's parser state.
#include "syntax/RowStateParser.h"

#include "text/RowStore.h"

TFountainState FromRowState(const TRowParserState& s) {
    TFountainState f;
    f.PrevRowEnd = s.PrevRowEnd & 3;
    f.BracketIndex = s.BracketIndex < -1 ? -1 : s.BracketIndex;
    f.FromBytes(s.State);
    f.Str = s.Str;
    return f;
}

TRowParserState ToRowState(const TFountainState& f) {
    TRowParserState s;
    s.PrevRowEnd = static_cast<uint8_t>(f.PrevRowEnd & 3);
    s.BracketIndex = f.BracketIndex;
    f.ToBytes(s.State);
    s.Str = f.Str;
    return s;
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

void StartRow(TRowTokens& tokens, TEditorScreenStrings& rows, int r) {
    if (r >= rows.ParsedLimit()) rows.ParseUpTo(r);
    std::string_view next;
    if (rows.RowEndKind(r) == reWrapped && r + 1 < rows.Count()) next = rows.RowText(r + 1);
    tokens.Start(rows.RowText(r), next, FromRowState(rows.ParserState(r)));
}

int NextWordStart(TRowTokens& tokens, TEditorScreenStrings& rows, int r, int pos) {
    StartRow(tokens, rows, r);
    TFountainToken t;
    while (tokens.Next(t))
        if (t.Start > pos && t.Kind != toSymbol) return t.Start;
    return -1;
}

int PrevWordStart(TRowTokens& tokens, TEditorScreenStrings& rows, int r, int pos) {
    StartRow(tokens, rows, r);
    TFountainToken t;
    int found = -1;
    while (tokens.Next(t) && t.Start < pos)
        if (t.Kind != toSymbol) found = t.Start;
    return found;
}
