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
    FFountain = f;
    FTokens = f ? std::make_unique<TRowTokens>(*f) : nullptr;
    FParser = f ? f->CreateParser() : nullptr;
    Invalidate(0);
}

void TEditorRowColoring::Invalidate(int fromRow) {
    const size_t keep = fromRow <= 0 ? 0 : static_cast<size_t>((fromRow - 1) / Step + 1);
    if (FCheckpoints.size() > keep) FCheckpoints.resize(keep);
    if (FMemoRow >= fromRow) FMemoRow = -1;
}

TFountainState TEditorRowColoring::StateOf(int row) {
    if (!FParser || row <= 0) return {};
    row = std::min(row, FRows.RowCount());
    TFountainState saved;
    if (row < FRows.RowCount() && SavedState && SavedState(row, saved)) return saved;
    if (FCheckpoints.empty()) FCheckpoints.push_back({});
    int at;
    TFountainState s;
    const int cp = std::min(row / Step, static_cast<int>(FCheckpoints.size()) - 1);
    if (FMemoRow >= 0 && FMemoRow <= row && FMemoRow >= cp * Step) {
        at = FMemoRow;
        s = FMemo;
    } else {
        at = cp * Step;
        s = FCheckpoints[cp];
    }
    for (; at < row; ++at) {
        FParser->ParseRow(s, FRows.RowText(at), FRows.NextRowText(at), FRows.RowEndKind(at));
        if ((at + 1) % Step == 0 && static_cast<int>(FCheckpoints.size()) == (at + 1) / Step)
            FCheckpoints.push_back(s);
    }
    FMemoRow = row;
    FMemo = s;
    return s;
}

std::vector<TFountainToken> TEditorRowColoring::Tokens(int row) {
    if (!FTokens || row < 0 || row >= FRows.RowCount()) return {};
    const TFountainState s = StateOf(row);
    return FTokens->All(FRows.RowText(row), FRows.NextRowText(row), s);
}
