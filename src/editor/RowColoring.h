// Colouring of an editor's rows: the built-in definition configured from the View settings,
// the parser state at the start of each row (computed lazily, kept at checkpoints every 32 rows
// and recomputed from the first changed row after an edit) and the tokens of a row.
#pragma once

#include "editor/PropertyTypes.h"
#include "editor/ViewColors.h"
#include "syntax/MemoSyntax.h"
#include "syntax/RowTokens.h"
#include "text/RowView.h"

#include <functional>
#include <memory>
#include <vector>

// Writes the View settings and reserved words into the editor's built-in definition.
void ViewInfoToFountain(const TEditorViewInfo& v, const TSortedNames& reserve, TEditorFountain& f);
void AssignColorItem(TFountainColor& to, const TEditorColorItem& from);

class TEditorRowColoring {
  public:
    explicit TEditorRowColoring(const TRowView& rows) : rows_(rows) {}
    // The parser state the row store saved for the start of a row. When it keeps none the
    // colouring walks from its own checkpoints; when it has not computed it yet (Later) the row
    // is shown with the state a walk from GuessRows rows above gives, starting afresh there;
    // `exact` asks the store to compute it now instead (commands that read the tokens).
    std::function<TStateKept(int row, bool exact, TFountainState& out)> SavedState;
    void SetFountain(const TFountain* f);
    const TFountain* Fountain() const { return fountain_; }
    void Invalidate(int fromRow); // rows from here on changed (or moved)
    TFountainState StateOf(int row, bool exact = false);
    std::vector<TFountainToken> Tokens(int row, bool exact = false);

  private:
    static constexpr int Step = 32;
    static constexpr int GuessRows = 100;
    TFountainState Guess(int row);
    const TRowView& rows_;
    const TFountain* fountain_ = nullptr;
    std::unique_ptr<TRowTokens> tokens_;
    std::unique_ptr<TFountainParser> parser_;
    std::vector<TFountainState> checkpoints_; // state at rows 0, 32, 64, ...
    int memoRow_ = -1;                        // last state computed, for sequential access
    TFountainState memo_;
    int guessRow_ = -1; // the same for the guessed states
    TFountainState guess_;
};
