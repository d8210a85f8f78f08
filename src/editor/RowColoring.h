// Colouring of an editor's rows: the built-in definition configured from the View settings,
// the parser state at the start of each row (computed lazily, kept at checkpoints every 32 rows
// and recomputed from the first changed row after an edit) and the tokens of a row.
#pragma once

#include "editor/RowSource.h"
#include "editor/PropertyTypes.h"
#include "editor/ViewColors.h"
#include "syntax/MemoSyntax.h"
#include "syntax/RowTokens.h"

#include <memory>
#include <vector>

// Writes the View settings and reserved words into the editor's built-in definition.
void ViewInfoToFountain(const TEditorViewInfo& v, const TSortedNames& reserve, TEditorFountain& f);
void AssignColorItem(TFountainColor& to, const TEditorColorItem& from);

class TEditorRowColoring {
  public:
    explicit TEditorRowColoring(TEditorRowSource& rows) : FRows(rows) {}
    void SetFountain(const TFountain* f);
    const TFountain* Fountain() const { return FFountain; }
    void Invalidate(int fromRow); // rows from here on changed (or moved)
    TFountainState StateOf(int row);
    std::vector<TFountainToken> Tokens(int row);

  private:
    static constexpr int Step = 32;
    std::string_view NextRowText(int row) const;
    TEditorRowSource& FRows;
    const TFountain* FFountain = nullptr;
    std::unique_ptr<TRowTokens> FTokens;
    std::unique_ptr<TFountainParser> FParser;
    std::vector<TFountainState> FCheckpoints; // state at rows 0, 32, 64, ...
    int FMemoRow = -1;                        // last state computed, for sequential access
    TFountainState FMemo;
};
