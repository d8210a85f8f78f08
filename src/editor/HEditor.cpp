// TEditorCore: settings, caret placement with the column rules, view origin and selection.
#include "editor/HEditor.h"

#include "editor/HEdtMetrics.h"

#include <algorithm>

TEditorCore::TEditorCore() : TEditorCore(std::shared_ptr<TEditorScreenStrings>()) {}

TEditorCore::TEditorCore(std::shared_ptr<TEditorScreenStrings> store)
    : FOwnRows(std::make_unique<TEditorScreenRows>(std::move(store))), FRows(FOwnRows.get()),
      FColoringPtr(std::make_unique<TEditorRowColoring>(*FRows)), FColoring(*FColoringPtr) {
    static_cast<TEditorScreenRows*>(FOwnRows.get())->SetOwner(this);
    Init();
}

TEditorCore::TEditorCore(TEditorRowSource* rows)
    : FRows(rows), FColoringPtr(std::make_unique<TEditorRowColoring>(*FRows)),
      FColoring(*FColoringPtr) {
    Init();
}

TEditorCore::~TEditorCore() = default;

std::shared_ptr<TEditorScreenStrings> TEditorCore::SharedStore() const {
    if (auto* own = dynamic_cast<TEditorScreenRows*>(FRows)) return own->SharedStore();
    return nullptr;
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
    FSpeed.OnChange = changed;
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
    FRows->SetText(cp932);
    FRows->TakeUpdate();
    FColoring.Invalidate(0);
    FSelActive = false;
    FHitLength = 0;
    FRow = FCol = FTopRow = FTopCol = 0;
    FRemembered = -1;
    Notify(Events.InvalidateAll);
    CaretMoved();
}

TColumnRules TEditorCore::Rules() const {
    return {FCaret.TabSpaceCount(), FRows->WordWrap() ? FRows->WrapByte() : 0};
}

std::string_view TEditorCore::RowTextOf(int r) const {
    if (r < 0 || r >= FRows->RowCount()) return {};
    return FRows->RowText(r);
}

int TEditorCore::RowWidthOf(int r) const {
    return RowWidth(RowTextOf(r), Rules());
}

int TEditorCore::MaxRow() const {
    const int rc = FRows->RowCount();
    if (rc == 0) return 0;
    return FRows->RowEndKind(rc - 1) == erLineEnd ? rc : rc - 1;
}

int TEditorCore::OffsetOf(int row, int col) const {
    return ColToOffset(RowTextOf(row), col, Rules());
}

// The column rules: clamp to the row, keep a remembered column for vertical moves, step off
// trail bytes and tab filler in the direction of movement, keep off the end of wrapped rows.
void TEditorCore::PlaceCaret(int row, int col, int dir, bool vertical) {
    const int oldRow = FRow;
    row = std::clamp(row, 0, MaxRow());
    TWrapSettings ws;
    ws.WordWrap = FRows->WordWrap();
    ws.WrapByte = FRows->WrapByte();
    ws.TabSpaceCount = FCaret.TabSpaceCount();
    const TCaretColumnOptions opt{FCaret.FreeCaret(), FCaret.FreeRow(), FCaret.InTab(),
                                  FCaret.KeepCaret()};
    // The [EOF] position has no row: it is an empty row without line end.
    const TRowEnd end = IsEofPos(row) ? reTextEnd : static_cast<TRowEnd>(FRows->RowEndKind(row));
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
    r = std::clamp(r, 0, std::max(0, FRows->RowCount()));
    if (r == FTopRow) return;
    FTopRow = r;
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

// --- selection -------------------------------------------------------------------------

bool TEditorCore::SetSelectionMode(TEditorSelectionMode m) {
    if (MouseDragging) return false;
    if (m == FSelMode) return true;
    FSelMode = m;
    if (FSelActive) Notify(Events.InvalidateAll);
    Notify(Events.OnSelectionModeChange);
    if (Selected() && Events.OnSelectionChange) Events.OnSelectionChange(true);
    return true;
}

bool TEditorCore::Selected() const {
    if (!FSelActive) return false;
    if (FSelMode == smBox) return FAnchor.Col != FCol;
    return !(FAnchor.Row == FRow && OffsetOf(FRow, FAnchor.Col) == CaretOffset());
}

void TEditorCore::StartSelection() {
    if (FSelActive) return;
    FSelActive = true;
    FAnchor = {FRow, FCol};
}

void TEditorCore::ExtendSelection() {
    if (!FSelActive) return;
    if (Events.InvalidateRows) Events.InvalidateRows(0, -1);
    if (Events.OnSelectionChange) Events.OnSelectionChange(true);
}

void TEditorCore::SelectRows(int r1, int r2) {
    FSelActive = true;
    FAnchor = {std::min(r1, r2), 0};
    const int last = std::max(r1, r2);
    if (last + 1 <= MaxRow())
        PlaceCaret(last + 1, 0, 1, false);
    else
        PlaceCaret(last, RowWidthOf(last), 1, false);
    ExtendSelection();
}

void TEditorCore::CleanSelection() {
    const bool had = FSelActive || FHitLength > 0;
    FSelActive = false;
    FHitLength = 0;
    if (had) {
        if (Events.InvalidateRows) Events.InvalidateRows(0, -1);
        if (Events.OnSelectionChange) Events.OnSelectionChange(false);
    }
}

// Ordered stream endpoints as (row, byte offset); false without a selection.
bool TEditorCore::StreamRange(int& r1, int& o1, int& r2, int& o2) const {
    if (!Selected()) return false;
    r1 = FAnchor.Row, o1 = OffsetOf(FAnchor.Row, FAnchor.Col);
    r2 = FRow, o2 = CaretOffset();
    if (r1 > r2 || (r1 == r2 && o1 > o2)) std::swap(r1, r2), std::swap(o1, o2);
    return true;
}

void TEditorCore::BoxRows(int& r1, int& r2) const {
    r1 = std::min(FAnchor.Row, FRow);
    r2 = std::min(std::max(FAnchor.Row, FRow), FRows->RowCount() - 1);
}

int TEditorCore::BoxLeft() const {
    return std::min(FAnchor.Col, FCol);
}
int TEditorCore::BoxRight() const {
    return std::max(FAnchor.Col, FCol);
}

// Bytes of a row inside the box: a character straddling the left edge is left out, one
// straddling the right edge is taken whole.
static TEditorRowSel BoxSpan(std::string_view s, int left, int right, const TColumnRules& r) {
    TEditorRowSel sel{-1, -1, false};
    int col = 0, off = 0;
    const int n = static_cast<int>(s.size());
    while (off < n) {
        const int bytes = CharBytesAt(s, off);
        const int w = RowWidth(s.substr(0, off + bytes), r) - col;
        if (col >= left && col < right) {
            if (sel.Start < 0) sel.Start = off;
            sel.End = off + bytes;
        }
        if (col >= right) break;
        col += w;
        off += bytes;
    }
    if (sel.Start < 0) sel.Start = sel.End = 0;
    return sel;
}

TEditorRowSel TEditorCore::RowSelection(int row) const {
    if (!FSelActive || row < 0 || row >= FRows->RowCount()) return {};
    if (FSelMode == smBox) {
        int r1, r2;
        BoxRows(r1, r2);
        if (row < r1 || row > r2 || BoxLeft() == BoxRight()) return {};
        return BoxSpan(FRows->RowText(row), BoxLeft(), BoxRight(), Rules());
    }
    int r1, o1, r2, o2;
    if (!StreamRange(r1, o1, r2, o2) || row < r1 || row > r2) return {};
    const int len = static_cast<int>(FRows->RowText(row).size());
    TEditorRowSel s{row == r1 ? std::min(o1, len) : 0, row == r2 ? std::min(o2, len) : len, false};
    s.LineEnd = row != r2 && FRows->RowEndKind(row) == erLineEnd;
    return s;
}

bool TEditorCore::InSelection(int row, int col) const {
    if (!Selected()) return false;
    if (FSelMode == smBox) {
        int r1, r2;
        BoxRows(r1, r2);
        return row >= r1 && row <= r2 && col >= BoxLeft() && col < BoxRight();
    }
    const TEditorRowSel s = RowSelection(row);
    const int off = OffsetOf(row, col);
    return !s.Empty() && off >= s.Start && off < s.End;
}

std::string TEditorCore::BoxPart(int row) const {
    const TEditorRowSel s = RowSelection(row);
    return std::string(FRows->RowText(row).substr(s.Start, s.End - s.Start));
}

int TEditorCore::AbsPos(int row, int offset) const {
    const int rc = FRows->RowCount();
    if (rc == 0) return offset;
    if (row < rc) return static_cast<int>(FRows->TextPos(row)) + offset;
    const int last = rc - 1;
    return static_cast<int>(FRows->TextPos(last) + FRows->RowText(last).size()) +
           (FRows->RowEndKind(last) == erLineEnd ? 2 : 0) + offset;
}

TEditorPos TEditorCore::PosToRowCol(int pos) const {
    const int rc = FRows->RowCount();
    if (pos <= 0 || rc == 0) return {0, 0};
    if (pos >= AbsPos(rc, 0)) { // at or past the end of the text
        if (FRows->RowEndKind(rc - 1) == erLineEnd) return {rc, 0};
        return {rc - 1, RowWidthOf(rc - 1)};
    }
    const int r = FRows->RowOfTextPos(pos);
    const int rem = pos - static_cast<int>(FRows->TextPos(r));
    const std::string_view t = FRows->RowText(r);
    const int len = static_cast<int>(t.size());
    if (rem < len || (rem == len && FRows->RowEndKind(r) != erWrapped))
        return {r, OffsetToCol(t, rem, Rules())};
    if (rem == len && r + 1 < rc) return {r + 1, 0}; // the end of a wrapped row
    return {r, RowWidthOf(r)};                       // inside a line end
}

int TEditorCore::SelStart() const {
    int r1, o1, r2, o2;
    if (FSelMode == smLine && StreamRange(r1, o1, r2, o2)) return AbsPos(r1, o1);
    if (FSelMode == smBox && Selected()) {
        int b1, b2;
        BoxRows(b1, b2);
        return AbsPos(b1, RowSelection(b1).Start);
    }
    return AbsPos(FRow, CaretOffset());
}

void TEditorCore::SetSelStart(int pos) {
    CleanSelection();
    const TEditorPos p = PosToRowCol(pos);
    PlaceCaret(p.Row, p.Col, 1, false);
}

int TEditorCore::SelLength() const {
    if (!Selected()) return 0;
    if (FSelMode == smBox) {
        int r1, r2, n = 0;
        BoxRows(r1, r2);
        for (int r = r1; r <= r2; ++r)
            n += static_cast<int>(BoxPart(r).size()) + 2;
        return n;
    }
    int r1, o1, r2, o2;
    StreamRange(r1, o1, r2, o2);
    return AbsPos(r2, o2) - AbsPos(r1, o1);
}

void TEditorCore::SetSelLength(int len) {
    const int start = AbsPos(FRow, CaretOffset());
    const TEditorPos from{FRow, FCol};
    const TEditorPos to = PosToRowCol(start + std::max(0, len));
    FSelActive = true;
    FAnchor = from;
    PlaceCaret(to.Row, to.Col, 1, false);
    ExtendSelection();
}

std::string TEditorCore::SelText() const {
    bool box = false;
    return CopyText(box);
}

std::string TEditorCore::CopyText(bool& box) const {
    box = false;
    if (!Selected()) return {};
    if (FSelMode == smBox) {
        box = true;
        int r1, r2;
        BoxRows(r1, r2);
        std::string s;
        for (int r = r1; r <= r2; ++r)
            s += BoxPart(r) + "\r\n";
        return s;
    }
    int r1, o1, r2, o2;
    StreamRange(r1, o1, r2, o2);
    const int rc = FRows->RowCount();
    std::string s;
    for (int r = r1; r <= r2 && r < rc; ++r) {
        const std::string_view t = FRows->RowText(r);
        const int a = r == r1 ? std::min<int>(o1, t.size()) : 0;
        const int b = r == r2 ? std::min<int>(o2, t.size()) : static_cast<int>(t.size());
        s += t.substr(a, b - a);
        if (r != r2 && FRows->RowEndKind(r) == erLineEnd) s += "\r\n";
    }
    return s;
}

void TEditorCore::ShowHit(int start, int length) {
    CleanSelection();
    const TEditorPos p = PosToRowCol(start);
    PlaceCaret(p.Row, p.Col, 1, false);
    if (FHitStyle == hsSelect) {
        SetSelLength(length);
        return;
    }
    FHitStart = start;
    FHitLength = length;
    if (Events.InvalidateRows) Events.InvalidateRows(p.Row, -1);
}

TEditorRowSel TEditorCore::RowHit(int row) const {
    if (FHitLength <= 0 || row < 0 || row >= FRows->RowCount()) return {};
    const int rowStart = AbsPos(row, 0);
    const int len = static_cast<int>(FRows->RowText(row).size());
    const int a = std::max(FHitStart - rowStart, 0);
    const int b = std::min(FHitStart + FHitLength - rowStart, len);
    if (a > len || b < 0 || a >= b) return {};
    return {a, b, false};
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
    FRows->TakeUpdate();
    FColoring.Invalidate(0);
    FSelActive = false;
    FHitLength = 0;
    FTopRow = std::min(FTopRow, MaxRow());
    PlaceCaret(std::min(FRow, MaxRow()), 0, -1, false);
    Notify(Events.InvalidateAll);
}

void TEditorCore::SetWordWrap(bool w) {
    if (w == FWordWrap) return;
    FWordWrap = w;
    Rewrap();
    SettingChanged();
}

void TEditorCore::SetWrapOption(const TEditorPropWrap& w) {
    if (w == FWrapOption) return;
    FWrapOption = w;
    Rewrap();
    SettingChanged();
}
