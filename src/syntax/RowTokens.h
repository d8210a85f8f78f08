// Token stepping over one row for painting and word movement: the row's tokens with their kinds,
// byte positions and colour items, clipped to the row's own text.
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

// Word movement on one row (Ctrl+Right / Ctrl+Left): tokens of kind toSymbol are skipped; blanks
// are never tokens. The result is a byte offset in the row, or -1 when the row has no such token
// (the caller then moves to the row's end or to the next / previous row).
// The start of the first token beginning after pos.
int NextWordStart(TRowTokens& tokens, std::string_view row, std::string_view nextRow,
                  const TFountainState& state, int pos);
// The start of the last token beginning before pos.
int PrevWordStart(TRowTokens& tokens, std::string_view row, std::string_view nextRow,
                  const TFountainState& state, int pos);
