// The colouring definitions' parsers as the row store's row walk sees them.
#pragma once

#include "syntax/Fountain.h"
#include "text/RowData.h"

#include <memory>

// The parser's state from the row data's parser fields.
TFountainState FromRowState(const TRowParserState& s);

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
