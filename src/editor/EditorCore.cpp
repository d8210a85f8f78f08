// TEditorCore: construction, settings, caret placement with the column rules and the view origin.
#include "editor/EditorCore.h"

#include "editor/Geometry.h"

#include <algorithm>
#include <limits>

TEditorCore::TEditorCore() : TEditorCore(std::shared_ptr<TEditorScreenStrings>()) {}

TEditorCore::TEditorCore(std::shared_ptr<TEditorScreenStrings> store)
    : FRows(std::make_unique<TEditorScreenRows>(std::move(store))), FStore(&FRows->Store()),
      FColoring(*FStore) {
    TEditorRowsEvents& ev = FRows->Events;
    ev.ChangedElsewhere = [this] { RowsChangedElsewhere(); };
    ev.Appended = [this](int first) { RowsAppended(first); };
    ev.KeepPlaces = [this] { KeepTextPlaces(); };
    ev.RestorePlaces = [this] { RestoreTextPlaces(); };
    ev.KeepTopWithin = [this](int maxRow) { SetTopRow(std::min(FTopRow, maxRow)); };
    ParseBoundChanged();
    FColoring.SavedState = [this](int row, TFountainState& out) {
        return FRows->SavedState(row, out);
    };
    Init();
}

TEditorCore::~TEditorCore() = default;

// The walks after a change parse the rows this editor shows and as many below them, or every row
// with InitBracketsFull.
void TEditorCore::ParseBoundChanged() {
    FRows->SetParseBound(FSpeed.InitBracketsFull() ? std::numeric_limits<int>::max()
                                                   : FTopRow + 2 * FVisibleRows);
}

void TEditorCore::Init() {
    auto changed = [this] { SettingChanged(); };
    FCaret.OnChange = [this] {
        Rewrap(); // the tab width changes the column map and, with word wrap, the rows
        SettingChanged();
    };
    FImagebar.OnChange = changed;
    FLeftbar.OnChange = changed;
    FMargin.OnChange = changed;
    FMarks.OnChange = changed;
    FRuler.OnChange = changed;
    FSpeed.OnChange = [this] {
        ParseBoundChanged();
        SettingChanged();
    };
    FView.OnChange = [this] { ViewChanged(); };
    ViewInfoToFountain(FView, FReserve, FBuiltIn);
    FColoring.SetFountain(&FBuiltIn);
    FRows->SetFountain(&FBuiltIn);
    FRows->ApplyWrap(FWordWrap, FWrapOption, FCaret.TabSpaceCount());
}

void TEditorCore::ViewChanged() {
    ViewInfoToFountain(FView, FReserve, FBuiltIn);
    FColoring.Invalidate(0);
    if (!FFountain) FRows->SetFountain(&FBuiltIn);
    SettingChanged();
}

void TEditorCore::SetFountain(const TFountain* f) {
    FFountain = f;
    FColoring.SetFountain(f ? f : &FBuiltIn);
    FRows->SetFountain(f ? f : &FBuiltIn);
    SettingChanged();
}

void TEditorCore::SettingChanged() {
    Notify(Events.SettingsChanged);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetText(std::string_view cp932) {
    TakeText(std::string(cp932));
}

void TEditorCore::TakeText(std::string&& cp932) {
    FRows->TakeText(std::move(cp932));
    AfterNewText();
}

void TEditorCore::BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake) {
    FRows->BeginLoad(std::move(load), std::move(wake));
    AfterNewText();
}

void TEditorCore::RowsAppended(int first) {
    Notify(Events.SettingsChanged);
    if (first <= FTopRow + FVisibleRows) Notify(Events.InvalidateAll);
}

void TEditorCore::AfterNewText() {
    FRows->TakeUpdate();
    FColoring.Invalidate(0);
    FSelActive = false;
    FHitLength = 0;
    FRow = FCol = FTopRow = FTopCol = 0;
    ParseBoundChanged();
    FRemembered = -1;
    Notify(Events.InvalidateAll);
    CaretMoved();
}

std::string_view TEditorCore::RowTextOf(int r) const {
    if (r < 0 || r >= FStore->RowCount()) return {};
    return FStore->RowText(r);
}

int TEditorCore::RowWidthOf(int r) const {
    return RowWidth(RowTextOf(r), Rules());
}

int TEditorCore::MaxRow() const {
    const int rc = FStore->RowCount();
    if (rc == 0) return 0;
    return FStore->RowEndKind(rc - 1) == reLineEnd ? rc : rc - 1;
}

int TEditorCore::OffsetOf(int row, int col) const {
    return ColToOffset(RowTextOf(row), col, Rules());
}

// The column rules: clamp to the row, keep a remembered column for vertical moves, step off
// trail bytes and tab filler in the direction of movement, keep off the end of wrapped rows.
void TEditorCore::PlaceCaret(int row, int col, int dir, bool vertical) {
    const int oldRow = FRow;
    row = std::clamp(row, 0, MaxRow());
    const TWrapSettings& ws = Rules();
    const TCaretColumnOptions opt{FCaret.FreeCaret(), FCaret.FreeRow(), FCaret.InTab(),
                                  FCaret.KeepCaret()};
    // The [EOF] position has no row: it is an empty row without line end.
    const TRowEnd end = IsEofPos(row) ? reTextEnd : FStore->RowEndKind(row);
    col = CaretColumn(RowTextOf(row), end, ws, opt, col, dir > 0 ? 1 : -1, vertical, FRemembered);
    const bool moved = row != FRow || col != FCol;
    FRow = row;
    FCol = col;
    if (moved || oldRow != row) CaretMoved();
    if (oldRow != row && Events.InvalidateRows) {
        Events.InvalidateRows(oldRow, oldRow);
        Events.InvalidateRows(row, row);
    }
}

void TEditorCore::CaretMoved() {
    ScrollCaret();
    Notify(Events.OnCaretMoved);
}

void TEditorCore::SetRow(int row) {
    PlaceCaret(row, FCol, row >= FRow ? 1 : -1, true);
}
void TEditorCore::SetCol(int col) {
    PlaceCaret(FRow, col, col >= FCol ? 1 : -1, false);
}
void TEditorCore::SetCaret(int row, int col) {
    PlaceCaret(row, col, -1, false);
}

void TEditorCore::SetTopRow(int r) {
    r = std::clamp(r, 0, std::max(0, FStore->RowCount()));
    if (r == FTopRow) return;
    FTopRow = r;
    ParseBoundChanged();
    Notify(Events.OnTopRowChange);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetTopCol(int c) {
    c = std::clamp(c, 0, EditorMaxColumns);
    if (c == FTopCol) return;
    FTopCol = c;
    Notify(Events.OnTopColChange);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetVisibleArea(int rows, int cols) {
    FVisibleRows = std::max(1, rows);
    FVisibleCols = std::max(1, cols);
    ParseBoundChanged();
}

void TEditorCore::ScrollCaret() {
    if (FRow < FTopRow)
        SetTopRow(FRow);
    else if (FRow >= FTopRow + FVisibleRows)
        SetTopRow(FRow - FVisibleRows + 1);
    if (FCol < FTopCol)
        SetTopCol(FCol);
    else if (FCol >= FTopCol + FVisibleCols)
        SetTopCol(FCol - FVisibleCols + 1);
}

void TEditorCore::SetOverWrite(bool v) {
    if (FOverWrite == v) return;
    FOverWrite = v;
    Notify(Events.OnCaretMoved); // the caret's shape follows at once
}

void TEditorCore::SetReadOnly(bool v) {
    if (!MouseDragging) FReadOnly = v;
}

// --- settings ------------------------------------------------------------------------------

void TEditorCore::SetColor(TColor c) {
    if (c == FColor) return;
    FColor = c;
    SettingChanged();
}

void TEditorCore::SetFont(const TEditorFont& f) {
    if (f == FFont) return;
    FFont = f;
    SettingChanged();
}

void TEditorCore::SetHitStyle(TEditorHitStyle s) {
    if (s == FHitStyle) return;
    CleanSelection();
    FHitStyle = s;
}

void TEditorCore::SetReserveWordList(const TSortedNames& l) {
    if (l == FReserve) return;
    FReserve = l;
    ViewChanged();
}

void TEditorCore::SetScrollBars(TScrollStyle s) {
    if (s == FScrollBars) return;
    FScrollBars = s;
    SettingChanged();
}

void TEditorCore::Rewrap() {
    const int before = FRows->RewrapCount();
    FRows->ApplyWrap(FWordWrap, FWrapOption, FCaret.TabSpaceCount());
    if (FRows->RewrapCount() == before) return;
    FRows->TakeUpdate(); // the caret and the view were found again in RestoreTextPlaces
    FColoring.Invalidate(0);
    Notify(Events.InvalidateAll);
}

void TEditorCore::KeepTextPlaces() {
    FKept.Caret = PosOf(FRow, FCol);
    FKept.CaretBeyond = std::max(0, FCol - RowWidthOf(FRow));
    FKept.SelActive = FSelActive;
    FKept.Anchor = FSelActive ? PosOf(FAnchor.Row, FAnchor.Col) : 0;
    FKept.Top = AbsPos(FTopRow, 0);
    FKept.HitLength = FHitLength;
}

void TEditorCore::RestoreTextPlaces() {
    const int top = std::min(PosToRowCol(FKept.Top).Row, MaxRow());
    if (top != FTopRow) {
        FTopRow = top;
        ParseBoundChanged();
        Notify(Events.OnTopRowChange);
    }
    FSelActive = FKept.SelActive;
    if (FSelActive) FAnchor = PosToRowCol(FKept.Anchor);
    FHitLength = FKept.HitLength;
    const TEditorPos c = PosToRowCol(FKept.Caret);
    FRemembered = -1;
    PlaceCaret(c.Row, c.Col + FKept.CaretBeyond, -1, false);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetWordWrap(bool w) {
    if (w == FWordWrap) return;
    FWordWrap = w;
    Rewrap();
    SettingChanged();
}

void TEditorCore::SetWrapOption(const TEditorWrapOption& w) {
    if (w == FWrapOption) return;
    FWrapOption = w;
    Rewrap();
    SettingChanged();
}
