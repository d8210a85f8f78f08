// The colouring definitions' parsers as the row store's row walk sees them, and token stepping
// over the rows of a row store (for painting and word movement).
#pragma once

#include "text/RowData.h"
#include "syntax/Fountain.h"
#include "syntax/RowTokens.h"

#include <memory>

class TEditorScreenStrings;

// Conversion between the row data's parser fields and the parser's state.
TFountainState FromRowState(const TRowParserState& s);
TRowParserState ToRowState(const TFountainState& s);

// Carries a fountain's parser state over one row for InitBrackets.
class TFountainRowParser : public TRowStateParser {
  public:
    explicit TFountainRowParser(const TFountain& fountain);
    void ParseRow(std::string_view text, TRowEnd rowEnd, std::string_view next,
                  TRowParserState& state) override;

  private:
    std::unique_ptr<TFountainParser> parser_;
    TFountainState st_;
};

std::unique_ptr<TRowStateParser> CreateRowStateParser(const TFountain& fountain);

// Starts tokens on row r of a row store: its text, the next row's text when r is wrapped, and
// its saved state (computed first when painting reaches a row whose state is not yet known).
void StartRow(TRowTokens& tokens, TEditorScreenStrings& rows, int r);
// Word movement on row r (see NextWordStart / PrevWordStart): a byte offset or -1.
int NextWordStart(TRowTokens& tokens, TEditorScreenStrings& rows, int r, int pos);
int PrevWordStart(TRowTokens& tokens, TEditorScreenStrings& rows, int r, int pos);
