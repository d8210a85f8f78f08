// Lazy parser states and row tokens.
#include "editor/RowColoring.h"

void AssignColorItem(TFountainColor& to, const TEditorColorItem& from) {
    to.SetBkColor(from.BkColor);
    to.SetColor(from.Color);
    to.SetStyle(from.Style);
}

void ViewInfoToFountain(const TEditorViewInfo& v, const TSortedNames& reserve, TEditorFountain& f) {
    f.BeginUpdate();
    const TEditorViewColors& c = v.Colors();
    TEditorColors& fc = f.Colors();
    AssignColorItem(fc.Ank, c.Ank);
    AssignColorItem(fc.Comment, c.Comment);
    AssignColorItem(fc.DBCS, c.DBCS);
    AssignColorItem(fc.Hit, c.Hit);
    AssignColorItem(fc.Int, c.Int);
    AssignColorItem(fc.Mail, c.Mail);
    AssignColorItem(fc.Reserve(), c.Reserve);
    AssignColorItem(fc.Select, c.Select);
    AssignColorItem(fc.Str, c.Str);
    AssignColorItem(fc.Symbol, c.Symbol);
    AssignColorItem(fc.Url, c.Url);
    f.Brackets().Clear();
    for (const TEditorBracketItem& b : v.Brackets())
        f.Brackets().Add(b.LeftBracket, b.RightBracket, b.ItemColor.BkColor, b.ItemColor.Color,
                         b.ItemColor.Style);
    f.SetCommenter(v.Commenter());
    f.SetHexPrefix(v.HexPrefix());
    f.SetQuotation(v.Quotation());
    f.SetControlCode(v.ControlCode());
    f.SetMail(v.Mail());
    f.SetUrl(v.Url());
    f.SetReserveWordList(reserve.Items());
    f.EndUpdate();
}

void TEditorRowColoring::SetFountain(const TFountain* f) {
    fountain_ = f;
    tokens_ = f ? std::make_unique<TRowTokens>(*f) : nullptr;
    parser_ = f ? f->CreateParser() : nullptr;
    Invalidate(0);
}

void TEditorRowColoring::Invalidate(int fromRow) {
    const size_t keep = fromRow <= 0 ? 0 : static_cast<size_t>((fromRow - 1) / Step + 1);
    if (checkpoints_.size() > keep) checkpoints_.resize(keep);
    if (memoRow_ >= fromRow) memoRow_ = -1;
    if (guessRow_ >= fromRow) guessRow_ = -1;
}

// Painting goes down the rows: the guess of the row above carries on.
TFountainState TEditorRowColoring::Guess(int row) {
    int at = std::max(0, row - GuessRows);
    TFountainState s;
    if (guessRow_ >= 0 && guessRow_ <= row && guessRow_ >= at) {
        at = guessRow_;
        s = guess_;
    }
    for (; at < row; ++at)
        parser_->ParseRow(s, rows_.RowText(at), rows_.NextRowText(at), rows_.RowEndKind(at));
    guessRow_ = row;
    guess_ = s;
    return s;
}

TFountainState TEditorRowColoring::StateOf(int row, bool exact) {
    if (!parser_ || row <= 0) return {};
    row = std::min(row, rows_.RowCount());
    TFountainState saved;
    if (row < rows_.RowCount() && SavedState) {
        switch (SavedState(row, exact, saved)) {
        case TStateKept::Saved:
            return saved;
        case TStateKept::Later:
            return Guess(row);
        case TStateKept::None:
            break;
        }
    }
    if (checkpoints_.empty()) checkpoints_.push_back({});
    int at;
    TFountainState s;
    const int cp = std::min(row / Step, static_cast<int>(checkpoints_.size()) - 1);
    if (memoRow_ >= 0 && memoRow_ <= row && memoRow_ >= cp * Step) {
        at = memoRow_;
        s = memo_;
    } else {
        at = cp * Step;
        s = checkpoints_[cp];
    }
    for (; at < row; ++at) {
        parser_->ParseRow(s, rows_.RowText(at), rows_.NextRowText(at), rows_.RowEndKind(at));
        if ((at + 1) % Step == 0 && static_cast<int>(checkpoints_.size()) == (at + 1) / Step)
            checkpoints_.push_back(s);
    }
    memoRow_ = row;
    memo_ = s;
    return s;
}

std::vector<TFountainToken> TEditorRowColoring::Tokens(int row, bool exact) {
    if (!tokens_ || row < 0 || row >= rows_.RowCount()) return {};
    const TFountainState s = StateOf(row, exact);
    return tokens_->All(rows_.RowText(row), rows_.NextRowText(row), s);
}
