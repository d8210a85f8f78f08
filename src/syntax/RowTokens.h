// Token stepping over one row for painting and the editor's word movement: the row's tokens with
// their kinds, byte positions and colour items, clipped to the row's own text.
#pragma once

#include "syntax/Fountain.h"

#include <memory>
#include <string_view>
#include <vector>

// One token of a row. Positions are byte offsets from the row start (columns are the caller's:
// the row's column map turns them into display columns).
struct TFountainToken {
    int Start = 0;      // first byte
    int Length = 0;     // bytes within the row's own text
    int FullLength = 0; // bytes including any part in the next row of a wrapped line
    int Kind = toEof;
    bool Reserved = false;
    const TFountainColor* Color = nullptr; // nullptr: the editor's own colours and font style
};

// Steps through the tokens of rows. Make one per paint or per command and reuse it for rows.
class TRowTokens {
  public:
    explicit TRowTokens(const TFountain& fountain);

    // Starts on a row: its text, the next row's text when the row is wrapped (else empty) and the
    // row's saved start state. The texts must stay valid while stepping.
    void Start(std::string_view row, std::string_view nextRow, const TFountainState& state);
    // The next token that begins within the row; false at the row's end.
    bool Next(TFountainToken& token);
    // All tokens of a row at once.
    std::vector<TFountainToken> All(std::string_view row, std::string_view nextRow,
                                    const TFountainState& state);
    int RowLength() const { return rowLen_; }
    TFountainParser& Parser() { return *parser_; }

  private:
    std::unique_ptr<TFountainParser> parser_;
    std::string joined_;
    int rowLen_ = 0;
};
