// TEditorCore: construction, settings, caret placement with the column rules and the view origin.
#include "editor/EditorCore.h"

#include "editor/Geometry.h"

#include <algorithm>
#include <limits>

TEditorCore::TEditorCore() : TEditorCore(std::shared_ptr<TEditorScreenStrings>()) {}

TEditorCore::TEditorCore(std::shared_ptr<TEditorScreenStrings> store)
    : rows_(std::make_unique<TEditorScreenRows>(std::move(store))), store_(&rows_->Store()),
      coloring_(*store_) {
    TEditorRowsEvents& ev = rows_->Events;
    ev.ChangedElsewhere = [this] { RowsChangedElsewhere(); };
    ev.Appended = [this](int first) { RowsAppended(first); };
    ev.KeepPlaces = [this] { KeepTextPlaces(); };
    ev.RestorePlaces = [this] { RestoreTextPlaces(); };
    ev.KeepTopWithin = [this](int maxRow) { SetTopRow(std::min(topRow_, maxRow)); };
    ev.StatesComputed = [this](int first, int last) {
        coloring_.Invalidate(first);
        if (first <= topRow_ + visibleRows_ && last >= topRow_ && Events.InvalidateRows)
            Events.InvalidateRows(std::max(first, topRow_), std::min(last, topRow_ + visibleRows_));
    };
    ParseBoundChanged();
    coloring_.SavedState = [this](int row, bool exact, TFountainState& out) -> TStateKept {
        return rows_->SavedState(row, out, exact);
    };
    Init();
}

TEditorCore::~TEditorCore() = default;

// The walks after a change parse the rows this editor shows and as many below them, or every row
// with InitBracketsFull.
void TEditorCore::ParseBoundChanged() {
    rows_->SetParseBound(speed_.InitBracketsFull() ? std::numeric_limits<int>::max()
                                                   : topRow_ + 2 * visibleRows_);
}

void TEditorCore::Init() {
    auto changed = [this] { SettingChanged(); };
    caret_.OnChange = [this] {
        Rewrap(); // the tab width changes the column map and, with word wrap, the rows
        SettingChanged();
    };
    imagebar_.OnChange = changed;
    leftbar_.OnChange = changed;
    margin_.OnChange = changed;
    marks_.OnChange = changed;
    ruler_.OnChange = changed;
    speed_.OnChange = [this] {
        ParseBoundChanged();
        SettingChanged();
    };
    view_.OnChange = [this] { ViewChanged(); };
    ViewInfoToFountain(view_, reserve_, builtIn_);
    coloring_.SetFountain(&builtIn_);
    rows_->SetFountain(&builtIn_);
    rows_->ApplyWrap(wordWrap_, wrapOption_, caret_.TabSpaceCount());
}

void TEditorCore::ViewChanged() {
    ViewInfoToFountain(view_, reserve_, builtIn_);
    coloring_.Invalidate(0);
    if (!fountain_) rows_->SetFountain(&builtIn_);
    SettingChanged();
}

void TEditorCore::SetFountain(const TFountain* f) {
    fountain_ = f;
    coloring_.SetFountain(f ? f : &builtIn_);
    rows_->SetFountain(f ? f : &builtIn_);
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
    rows_->TakeText(std::move(cp932));
    AfterNewText();
}

void TEditorCore::BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake) {
    rows_->BeginLoad(std::move(load), std::move(wake));
    AfterNewText();
}

void TEditorCore::RowsAppended(int first) {
    Notify(Events.SettingsChanged);
    if (first <= topRow_ + visibleRows_) Notify(Events.InvalidateAll);
}

void TEditorCore::AfterNewText() {
    rows_->TakeUpdate();
    coloring_.Invalidate(0);
    selActive_ = false;
    hitLength_ = 0;
    row_ = col_ = topRow_ = topCol_ = 0;
    ParseBoundChanged();
    remembered_ = -1;
    Notify(Events.InvalidateAll);
    CaretMoved();
}

std::string_view TEditorCore::RowTextOf(int r) const {
    if (r < 0 || r >= store_->RowCount()) return {};
    return store_->RowText(r);
}

int TEditorCore::RowWidthOf(int r) const {
    return RowWidth(RowTextOf(r), Rules());
}

int TEditorCore::MaxRow() const {
    const int rc = store_->RowCount();
    if (rc == 0) return 0;
    return store_->RowEndKind(rc - 1) == reLineEnd ? rc : rc - 1;
}

int TEditorCore::OffsetOf(int row, int col) const {
    return ColToOffset(RowTextOf(row), col, Rules());
}

// The column rules: clamp to the row, keep a remembered column for vertical moves, step off
// trail bytes and tab filler in the direction of movement, keep off the end of wrapped rows.
void TEditorCore::PlaceCaret(int row, int col, int dir, bool vertical) {
    const int oldRow = row_;
    row = std::clamp(row, 0, MaxRow());
    const TWrapSettings& ws = Rules();
    const TCaretColumnOptions opt{caret_.FreeCaret(), caret_.FreeRow(), caret_.InTab(),
                                  caret_.KeepCaret()};
    // The [EOF] position has no row: it is an empty row without line end.
    const TRowEnd end = IsEofPos(row) ? reTextEnd : store_->RowEndKind(row);
    col = CaretColumn(RowTextOf(row), end, ws, opt, col, dir > 0 ? 1 : -1, vertical, remembered_);
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
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
    PlaceCaret(row, col_, row >= row_ ? 1 : -1, true);
}
void TEditorCore::SetCol(int col) {
    PlaceCaret(row_, col, col >= col_ ? 1 : -1, false);
}
void TEditorCore::SetCaret(int row, int col) {
    PlaceCaret(row, col, -1, false);
}

void TEditorCore::SetTopRow(int r) {
    r = std::clamp(r, 0, std::max(0, store_->RowCount()));
    if (r == topRow_) return;
    topRow_ = r;
    ParseBoundChanged();
    Notify(Events.OnTopRowChange);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetTopCol(int c) {
    c = std::clamp(c, 0, EditorMaxColumns);
    if (c == topCol_) return;
    topCol_ = c;
    Notify(Events.OnTopColChange);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetVisibleArea(int rows, int cols) {
    visibleRows_ = std::max(1, rows);
    visibleCols_ = std::max(1, cols);
    ParseBoundChanged();
}

void TEditorCore::ScrollCaret() {
    if (row_ < topRow_)
        SetTopRow(row_);
    else if (row_ >= topRow_ + visibleRows_)
        SetTopRow(row_ - visibleRows_ + 1);
    if (col_ < topCol_)
        SetTopCol(col_);
    else if (col_ >= topCol_ + visibleCols_)
        SetTopCol(col_ - visibleCols_ + 1);
}

void TEditorCore::SetOverWrite(bool v) {
    if (overWrite_ == v) return;
    overWrite_ = v;
    Notify(Events.OnCaretMoved); // the caret's shape follows at once
}

void TEditorCore::SetReadOnly(bool v) {
    if (!MouseDragging) readOnly_ = v;
}

// --- settings ------------------------------------------------------------------------------

void TEditorCore::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    SettingChanged();
}

void TEditorCore::SetFont(const TEditorFont& f) {
    if (f == font_) return;
    font_ = f;
    SettingChanged();
}

void TEditorCore::SetHitStyle(TEditorHitStyle s) {
    if (s == hitStyle_) return;
    CleanSelection();
    hitStyle_ = s;
}

void TEditorCore::SetReserveWordList(const TSortedNames& l) {
    if (l == reserve_) return;
    reserve_ = l;
    ViewChanged();
}

void TEditorCore::SetScrollBars(TScrollStyle s) {
    if (s == scrollBars_) return;
    scrollBars_ = s;
    SettingChanged();
}

void TEditorCore::Rewrap() {
    const int before = rows_->RewrapCount();
    rows_->ApplyWrap(wordWrap_, wrapOption_, caret_.TabSpaceCount());
    if (rows_->RewrapCount() == before) return;
    rows_->TakeUpdate(); // the caret and the view were found again in RestoreTextPlaces
    coloring_.Invalidate(0);
    Notify(Events.InvalidateAll);
}

void TEditorCore::KeepTextPlaces() {
    kept_.Caret = PosOf(row_, col_);
    kept_.CaretBeyond = std::max(0, col_ - RowWidthOf(row_));
    kept_.SelActive = selActive_;
    kept_.Anchor = selActive_ ? PosOf(anchor_.Row, anchor_.Col) : 0;
    kept_.Top = AbsPos(topRow_, 0);
    kept_.HitLength = hitLength_;
}

void TEditorCore::RestoreTextPlaces() {
    const int top = std::min(PosToRowCol(kept_.Top).Row, MaxRow());
    if (top != topRow_) {
        topRow_ = top;
        ParseBoundChanged();
        Notify(Events.OnTopRowChange);
    }
    selActive_ = kept_.SelActive;
    if (selActive_) anchor_ = PosToRowCol(kept_.Anchor);
    hitLength_ = kept_.HitLength;
    const TEditorPos c = PosToRowCol(kept_.Caret);
    remembered_ = -1;
    PlaceCaret(c.Row, c.Col + kept_.CaretBeyond, -1, false);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetWordWrap(bool w) {
    if (w == wordWrap_) return;
    wordWrap_ = w;
    Rewrap();
    SettingChanged();
}

void TEditorCore::SetWrapOption(const TEditorWrapOption& w) {
    if (w == wrapOption_) return;
    wrapOption_ = w;
    Rewrap();
    SettingChanged();
}
