// TEditorCore: navigation keys, word movement and row marks.
#include "editor/EditorCore.h"

#include "platform/Cp932.h"

#include <algorithm>

void TEditorCore::KeyNavigate(TEditorKey key, bool shift, bool ctrl, bool repeat) {
    if (shift)
        StartSelection();
    else
        CleanSelection();
    const int rc = store_->RowCount();
    switch (key) {
    case TEditorKey::Home:
        PlaceCaret(ctrl ? 0 : row_, 0, -1, false);
        break;
    case TEditorKey::End: {
        const int row = ctrl ? MaxRow() : row_;
        PlaceCaret(row, IsEofPos(row) ? 0 : RowWidthOf(row), 1, false);
        break;
    }
    case TEditorKey::Left:
        if (ctrl)
            WordLeft();
        else if (col_ > 0)
            PlaceCaret(row_, col_ - 1, -1, false);
        else if (row_ > 0 && (caret_.NextLine() || store_->RowEndKind(row_ - 1) == reWrapped))
            PlaceCaret(row_ - 1, RowWidthOf(row_ - 1), -1, false);
        break;
    case TEditorKey::Right: {
        if (ctrl) {
            WordRight();
            break;
        }
        const int before = col_;
        if (!IsEofPos(row_)) PlaceCaret(row_, col_ + 1, 1, false);
        if (col_ <= before && row_ < rc && store_->RowEndKind(row_) != reTextEnd &&
            (caret_.NextLine() || store_->RowEndKind(row_) == reWrapped) && row_ + 1 <= MaxRow())
            PlaceCaret(row_ + 1, 0, 1, false);
        break;
    }
    case TEditorKey::Up:
    case TEditorKey::Down: {
        const int dir = key == TEditorKey::Up ? -1 : 1;
        int n = 1;
        const bool atEdge = dir < 0 ? row_ <= topRow_ : row_ >= topRow_ + visibleRows_ - 1;
        if (repeat && atEdge) n = speed_.CaretVerticalAc();
        if (ctrl) {
            SetTopRow(std::clamp(topRow_ + dir * (repeat ? speed_.CaretVerticalAc() : 1), 0,
                                 std::max(0, MaxRow())));
            const int row = std::clamp(row_, topRow_, topRow_ + visibleRows_ - 1);
            if (row != row_) PlaceCaret(row, col_, dir, true);
            break;
        }
        PlaceCaret(row_ + dir * n, col_, dir, true);
        break;
    }
    case TEditorKey::PageUp:
    case TEditorKey::PageDown: {
        int d = ((visibleRows_ - 1) / 2) * speed_.PageVerticalRange();
        if (repeat) d *= speed_.PageVerticalRangeAc();
        d = std::max(d, 1);
        if (key == TEditorKey::PageUp) {
            if (topRow_ == 0) {
                PlaceCaret(0, col_, -1, true);
                break;
            }
            const int top = std::max(0, topRow_ - d);
            const int delta = topRow_ - top;
            topRow_ = top;
            ParseBoundChanged();
            Notify(Events.OnTopRowChange);
            Notify(Events.InvalidateAll);
            PlaceCaret(row_ - delta, col_, -1, true);
        } else {
            if (rc > 0 && topRow_ >= rc - 1 && store_->RowEndKind(rc - 1) != reLineEnd) break;
            const int top = std::min(topRow_ + d, std::max(0, MaxRow()));
            const int delta = top - topRow_;
            topRow_ = top;
            ParseBoundChanged();
            Notify(Events.OnTopRowChange);
            Notify(Events.InvalidateAll);
            PlaceCaret(row_ + delta, col_, 1, true);
        }
        break;
    }
    }
    if (shift) ExtendSelection();
}

// Token starts and lengths of a row for word movement; single-byte symbols are never words. The
// row's state is the true one even where painting shows a guessed one for now.
std::vector<std::pair<int, int>> TEditorCore::Tokens(int row) const {
    if (RowTokens) return RowTokens(row);
    std::vector<std::pair<int, int>> out;
    for (const TFountainToken& t : const_cast<TEditorRowColoring&>(coloring_).Tokens(row, true))
        if (t.Kind != toSymbol) out.emplace_back(t.Start, t.Length);
    return out;
}

void TEditorCore::WordRight() {
    if (IsEofPos(row_)) return;
    const int off = CaretOffset();
    for (const auto& [start, len] : Tokens(row_)) {
        (void)len;
        if (start > off) {
            PlaceCaret(row_, OffsetToCol(store_->RowText(row_), start, Rules()), 1, false);
            return;
        }
    }
    const int end = store_->RowEndKind(row_);
    const int len = static_cast<int>(store_->RowText(row_).size());
    if (end != reWrapped && off < len) {
        PlaceCaret(row_, RowWidthOf(row_), 1, false);
        return;
    }
    if (row_ + 1 <= MaxRow()) PlaceCaret(row_ + 1, 0, 1, false);
}

void TEditorCore::WordLeft() {
    const int off = IsEofPos(row_) ? 0 : CaretOffset();
    if (off > 0) {
        int target = 0;
        for (const auto& [start, len] : Tokens(row_)) {
            (void)len;
            if (start < off) target = start;
        }
        PlaceCaret(row_, OffsetToCol(store_->RowText(row_), target, Rules()), -1, false);
        return;
    }
    if (row_ > 0) PlaceCaret(row_ - 1, RowWidthOf(row_ - 1), -1, false);
}

void TEditorCore::PutRowMark(int row, int mark) {
    if (mark < 0 || mark > 15 || row < 0 || row >= store_->RowCount()) return;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << mark);
    if (mark <= 9 && (store_->MarksInList() & bit)) {
        for (int r = 0; r < store_->RowCount(); ++r) {
            if (store_->ListRowMarks(r) & bit) {
                store_->SetListRowMarks(r, store_->ListRowMarks(r) & ~bit);
                if (Events.InvalidateRows) Events.InvalidateRows(r, r);
                break;
            }
        }
    }
    store_->SetListRowMarks(row, store_->ListRowMarks(row) | bit);
    if (Events.InvalidateRows) Events.InvalidateRows(row, row);
}

void TEditorCore::DeleteRowMark(int row, int mark) {
    if (mark < 0 || mark > 15 || row < 0 || row >= store_->RowCount()) return;
    store_->SetListRowMarks(row, store_->ListRowMarks(row) & ~(1u << mark));
    if (Events.InvalidateRows) Events.InvalidateRows(row, row);
}

bool TEditorCore::GotoRowMark(int mark) {
    if (mark < 0 || mark > 15 || !(store_->MarksInList() & (1u << mark))) return false;
    for (int r = 0; r < store_->RowCount(); ++r) {
        if (!(store_->ListRowMarks(r) & (1u << mark))) continue;
        if (r < topRow_ || r >= topRow_ + visibleRows_)
            SetTopRow(std::max(0, r - visibleRows_ / 2));
        CleanSelection();
        PlaceCaret(r, col_, r >= row_ ? 1 : -1, true);
        return true;
    }
    return false;
}

void TEditorCore::ToggleRowMark(int mark) {
    if (row_ >= store_->RowCount()) return;
    if (store_->ListRowMarks(row_) & (1u << mark))
        DeleteRowMark(row_, mark);
    else
        PutRowMark(row_, mark);
}
