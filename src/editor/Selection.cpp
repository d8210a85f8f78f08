// TEditorCore: the selection in line and box mode, its bytes and positions, and search hits.
#include "editor/EditorCore.h"

#include <algorithm>
#include <climits>

bool TEditorCore::SetSelectionMode(TEditorSelectionMode m) {
    if (MouseDragging) return false;
    if (m == selMode_) return true;
    selMode_ = m;
    if (selActive_) Notify(Events.InvalidateAll);
    Notify(Events.OnSelectionModeChange);
    if (Selected() && Events.OnSelectionChange) Events.OnSelectionChange(true);
    return true;
}

bool TEditorCore::Selected() const {
    if (!selActive_) return false;
    if (selMode_ == smBox) return anchor_.Col != col_;
    return !(anchor_.Row == row_ && OffsetOf(row_, anchor_.Col) == CaretOffset());
}

void TEditorCore::StartSelection() {
    if (selActive_) return;
    selActive_ = true;
    anchor_ = {row_, col_};
}

void TEditorCore::ExtendSelection() {
    if (!selActive_) return;
    if (Events.InvalidateRows) Events.InvalidateRows(0, -1);
    if (Events.OnSelectionChange) Events.OnSelectionChange(true);
}

void TEditorCore::SelectRows(int r1, int r2) {
    selActive_ = true;
    anchor_ = {std::min(r1, r2), 0};
    const int last = std::max(r1, r2);
    if (last + 1 <= MaxRow())
        PlaceCaret(last + 1, 0, 1, false);
    else
        PlaceCaret(last, RowWidthOf(last), 1, false);
    ExtendSelection();
}

void TEditorCore::CleanSelection() {
    const bool had = selActive_ || hitLength_ > 0;
    selActive_ = false;
    hitLength_ = 0;
    if (had) {
        if (Events.InvalidateRows) Events.InvalidateRows(0, -1);
        if (Events.OnSelectionChange) Events.OnSelectionChange(false);
    }
}

// Ordered stream endpoints as (row, byte offset); false without a selection.
bool TEditorCore::StreamRange(int& r1, int& o1, int& r2, int& o2) const {
    if (!Selected()) return false;
    r1 = anchor_.Row, o1 = OffsetOf(anchor_.Row, anchor_.Col);
    r2 = row_, o2 = CaretOffset();
    if (r1 > r2 || (r1 == r2 && o1 > o2)) std::swap(r1, r2), std::swap(o1, o2);
    return true;
}

void TEditorCore::BoxRows(int& r1, int& r2) const {
    r1 = std::min(anchor_.Row, row_);
    r2 = std::min(std::max(anchor_.Row, row_), store_->RowCount() - 1);
}

int TEditorCore::BoxLeft() const {
    return std::min(anchor_.Col, col_);
}
int TEditorCore::BoxRight() const {
    return std::max(anchor_.Col, col_);
}

// Bytes of a row inside the box: a character straddling the left edge is left out, one
// straddling the right edge is taken whole.
static TEditorRowSel BoxSpan(std::string_view s, int left, int right, const TWrapSettings& r) {
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
    if (!selActive_ || row < 0 || row >= store_->RowCount()) return {};
    if (selMode_ == smBox) {
        int r1, r2;
        BoxRows(r1, r2);
        if (row < r1 || row > r2 || BoxLeft() == BoxRight()) return {};
        return BoxSpan(store_->RowText(row), BoxLeft(), BoxRight(), Rules());
    }
    int r1, o1, r2, o2;
    if (!StreamRange(r1, o1, r2, o2) || row < r1 || row > r2) return {};
    const int len = static_cast<int>(store_->RowText(row).size());
    TEditorRowSel s{row == r1 ? std::min(o1, len) : 0, row == r2 ? std::min(o2, len) : len, false};
    s.LineEnd = row != r2 && store_->RowEndKind(row) == reLineEnd;
    return s;
}

bool TEditorCore::InSelection(int row, int col) const {
    if (!Selected()) return false;
    if (selMode_ == smBox) {
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
    return std::string(store_->RowText(row).substr(s.Start, s.End - s.Start));
}

int64_t TEditorCore::AbsPos(int row, int offset) const {
    const int rc = store_->RowCount();
    if (rc == 0) return offset;
    if (row < rc) return store_->TextPos(row) + offset;
    return store_->TextLength() + offset; // past the last row and its line end
}

TEditorPos TEditorCore::PosToRowCol(int64_t pos) const {
    const int rc = store_->RowCount();
    if (pos <= 0 || rc == 0) return {0, 0};
    if (pos >= AbsPos(rc, 0)) { // at or past the end of the text
        if (store_->RowEndKind(rc - 1) == reLineEnd) return {rc, 0};
        return {rc - 1, RowWidthOf(rc - 1)};
    }
    const int r = store_->RowOfTextPos(pos);
    const int64_t rem64 = pos - store_->TextPos(r);
    const int rem = static_cast<int>(std::min<int64_t>(rem64, INT_MAX)); // rows are shorter
    const std::string_view t = store_->RowText(r);
    const int len = static_cast<int>(t.size());
    if (rem < len || (rem == len && store_->RowEndKind(r) != reWrapped))
        return {r, OffsetToCol(t, rem, Rules())};
    if (rem == len && r + 1 < rc) return {r + 1, 0}; // the end of a wrapped row
    return {r, RowWidthOf(r)};                       // inside a line end
}

int64_t TEditorCore::SelStart() const {
    int r1, o1, r2, o2;
    if (selMode_ == smLine && StreamRange(r1, o1, r2, o2)) return AbsPos(r1, o1);
    if (selMode_ == smBox && Selected()) {
        int b1, b2;
        BoxRows(b1, b2);
        return AbsPos(b1, RowSelection(b1).Start);
    }
    return AbsPos(row_, CaretOffset());
}

void TEditorCore::SetSelStart(int64_t pos) {
    CleanSelection();
    const TEditorPos p = PosToRowCol(pos);
    PlaceCaret(p.Row, p.Col, 1, false);
}

int64_t TEditorCore::SelLength() const {
    if (!Selected()) return 0;
    if (selMode_ == smBox) {
        int r1, r2;
        int64_t n = 0;
        BoxRows(r1, r2);
        for (int r = r1; r <= r2; ++r)
            n += static_cast<int64_t>(BoxPart(r).size()) + 2;
        return n;
    }
    int r1, o1, r2, o2;
    if (!StreamRange(r1, o1, r2, o2)) return 0;
    return AbsPos(r2, o2) - AbsPos(r1, o1);
}

void TEditorCore::SetSelLength(int64_t len) {
    const int64_t start = AbsPos(row_, CaretOffset());
    const TEditorPos from{row_, col_};
    const TEditorPos to = PosToRowCol(start + std::max<int64_t>(0, len));
    selActive_ = true;
    anchor_ = from;
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
    if (selMode_ == smBox) {
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
    const int rc = store_->RowCount();
    std::string s;
    for (int r = r1; r <= r2 && r < rc; ++r) {
        const std::string_view t = store_->RowText(r);
        const int a = r == r1 ? std::min<int>(o1, t.size()) : 0;
        const int b = r == r2 ? std::min<int>(o2, t.size()) : static_cast<int>(t.size());
        s += t.substr(a, b - a);
        if (r != r2 && store_->RowEndKind(r) == reLineEnd) s += "\r\n";
    }
    return s;
}

void TEditorCore::ShowHit(int64_t start, int length) {
    ShowHitAt(PosToRowCol(start), start, length);
}

void TEditorCore::ShowHitAt(int row, int offset, int length) {
    const int rc = store_->RowCount();
    if (row < 0 || row >= rc) {
        ShowHit(AbsPos(row, offset), length);
        return;
    }
    const std::string_view t = store_->RowText(row);
    // The end of a wrapped row is the start of the next one, as PosToRowCol has it.
    if (offset >= static_cast<int>(t.size()) && store_->RowEndKind(row) == reWrapped &&
        row + 1 < rc) {
        ShowHit(AbsPos(row, offset), length);
        return;
    }
    ShowHitAt({row, OffsetToCol(t, offset, Rules())}, AbsPos(row, offset), length);
}

void TEditorCore::SelectHit() {
    if (hitLength_ <= 0) return;
    const int64_t start = hitStart_, length = hitLength_;
    // The caret stands at the hit's start while it is shown; a hit inside the caret row ends
    // there without a text position to look up.
    const int rc = store_->RowCount();
    const int off = CaretOffset();
    if (row_ < rc && AbsPos(row_, off) == start) {
        const std::string_view t = store_->RowText(row_);
        const int64_t end = off + length;
        const auto size = static_cast<int64_t>(t.size());
        if (end < size || (end == size && store_->RowEndKind(row_) != reWrapped)) {
            hitLength_ = 0;
            selActive_ = true;
            anchor_ = {row_, col_};
            PlaceCaret(row_, OffsetToCol(t, static_cast<int>(end), Rules()), 1, false);
            ExtendSelection();
            return;
        }
    }
    SetSelStart(start);
    SetSelLength(length);
}

void TEditorCore::ShowHitAt(TEditorPos p, int64_t start, int length) {
    CleanSelection();
    PlaceCaret(p.Row, p.Col, 1, false);
    if (hitStyle_ == hsSelect) {
        SetSelLength(length);
        return;
    }
    hitStart_ = start;
    hitLength_ = length;
    if (Events.InvalidateRows) Events.InvalidateRows(p.Row, -1);
}

TEditorRowSel TEditorCore::RowHit(int row) const {
    if (hitLength_ <= 0 || row < 0 || row >= store_->RowCount()) return {};
    const int64_t rowStart = AbsPos(row, 0);
    const int64_t len = static_cast<int64_t>(store_->RowText(row).size());
    const int64_t a = std::max<int64_t>(hitStart_ - rowStart, 0);
    const int64_t b = std::min<int64_t>(hitStart_ + hitLength_ - rowStart, len);
    if (a > len || b < 0 || a >= b) return {};
    return {static_cast<int>(a), static_cast<int>(b), false};
}
