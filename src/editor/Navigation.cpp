// TEditorCore: navigation keys, word movement and row marks.
#include "editor/EditorCore.h"

#include "platform/Cp932.h"

#include <algorithm>

void TEditorCore::KeyNavigate(TEditorKey key, bool shift, bool ctrl, bool repeat) {
    if (shift)
        StartSelection();
    else
        CleanSelection();
    const int rc = FStore->RowCount();
    switch (key) {
    case TEditorKey::Home:
        PlaceCaret(ctrl ? 0 : FRow, 0, -1, false);
        break;
    case TEditorKey::End: {
        const int row = ctrl ? MaxRow() : FRow;
        PlaceCaret(row, IsEofPos(row) ? 0 : RowWidthOf(row), 1, false);
        break;
    }
    case TEditorKey::Left:
        if (ctrl)
            WordLeft();
        else if (FCol > 0)
            PlaceCaret(FRow, FCol - 1, -1, false);
        else if (FRow > 0 && (FCaret.NextLine() || FStore->RowEndKind(FRow - 1) == reWrapped))
            PlaceCaret(FRow - 1, RowWidthOf(FRow - 1), -1, false);
        break;
    case TEditorKey::Right: {
        if (ctrl) {
            WordRight();
            break;
        }
        const int before = FCol;
        if (!IsEofPos(FRow)) PlaceCaret(FRow, FCol + 1, 1, false);
        if (FCol <= before && FRow < rc && FStore->RowEndKind(FRow) != reTextEnd &&
            (FCaret.NextLine() || FStore->RowEndKind(FRow) == reWrapped) && FRow + 1 <= MaxRow())
            PlaceCaret(FRow + 1, 0, 1, false);
        break;
    }
    case TEditorKey::Up:
    case TEditorKey::Down: {
        const int dir = key == TEditorKey::Up ? -1 : 1;
        int n = 1;
        const bool atEdge = dir < 0 ? FRow <= FTopRow : FRow >= FTopRow + FVisibleRows - 1;
        if (repeat && atEdge) n = FSpeed.CaretVerticalAc();
        if (ctrl) {
            SetTopRow(std::clamp(FTopRow + dir * (repeat ? FSpeed.CaretVerticalAc() : 1), 0,
                                 std::max(0, MaxRow())));
            const int row = std::clamp(FRow, FTopRow, FTopRow + FVisibleRows - 1);
            if (row != FRow) PlaceCaret(row, FCol, dir, true);
            break;
        }
        PlaceCaret(FRow + dir * n, FCol, dir, true);
        break;
    }
    case TEditorKey::PageUp:
    case TEditorKey::PageDown: {
        int d = ((FVisibleRows - 1) / 2) * FSpeed.PageVerticalRange();
        if (repeat) d *= FSpeed.PageVerticalRangeAc();
        d = std::max(d, 1);
        if (key == TEditorKey::PageUp) {
            if (FTopRow == 0) {
                PlaceCaret(0, FCol, -1, true);
                break;
            }
            const int top = std::max(0, FTopRow - d);
            const int delta = FTopRow - top;
            FTopRow = top;
            ParseBoundChanged();
            Notify(Events.OnTopRowChange);
            Notify(Events.InvalidateAll);
            PlaceCaret(FRow - delta, FCol, -1, true);
        } else {
            if (rc > 0 && FTopRow >= rc - 1 && FStore->RowEndKind(rc - 1) != reLineEnd) break;
            const int top = std::min(FTopRow + d, std::max(0, MaxRow()));
            const int delta = top - FTopRow;
            FTopRow = top;
            ParseBoundChanged();
            Notify(Events.OnTopRowChange);
            Notify(Events.InvalidateAll);
            PlaceCaret(FRow + delta, FCol, 1, true);
        }
        break;
    }
    }
    if (shift) ExtendSelection();
}

// Token starts and lengths of a row for word movement; single-byte symbols are never words.
std::vector<std::pair<int, int>> TEditorCore::Tokens(int row) const {
    if (RowTokens) return RowTokens(row);
    std::vector<std::pair<int, int>> out;
    for (const TFountainToken& t : const_cast<TEditorRowColoring&>(FColoring).Tokens(row))
        if (t.Kind != toSymbol) out.emplace_back(t.Start, t.Length);
    return out;
}

void TEditorCore::WordRight() {
    if (IsEofPos(FRow)) return;
    const int off = CaretOffset();
    for (const auto& [start, len] : Tokens(FRow)) {
        (void)len;
        if (start > off) {
            PlaceCaret(FRow, OffsetToCol(FStore->RowText(FRow), start, Rules()), 1, false);
            return;
        }
    }
    const int end = FStore->RowEndKind(FRow);
    const int len = static_cast<int>(FStore->RowText(FRow).size());
    if (end != reWrapped && off < len) {
        PlaceCaret(FRow, RowWidthOf(FRow), 1, false);
        return;
    }
    if (FRow + 1 <= MaxRow()) PlaceCaret(FRow + 1, 0, 1, false);
}

void TEditorCore::WordLeft() {
    const int off = IsEofPos(FRow) ? 0 : CaretOffset();
    if (off > 0) {
        int target = 0;
        for (const auto& [start, len] : Tokens(FRow)) {
            (void)len;
            if (start < off) target = start;
        }
        PlaceCaret(FRow, OffsetToCol(FStore->RowText(FRow), target, Rules()), -1, false);
        return;
    }
    if (FRow > 0) PlaceCaret(FRow - 1, RowWidthOf(FRow - 1), -1, false);
}

void TEditorCore::PutRowMark(int row, int mark) {
    if (mark < 0 || mark > 15 || row < 0 || row >= FStore->RowCount()) return;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << mark);
    if (mark <= 9 && (FStore->MarksInList() & bit)) {
        for (int r = 0; r < FStore->RowCount(); ++r) {
            if (FStore->ListRowMarks(r) & bit) {
                FStore->SetListRowMarks(r, FStore->ListRowMarks(r) & ~bit);
                if (Events.InvalidateRows) Events.InvalidateRows(r, r);
                break;
            }
        }
    }
    FStore->SetListRowMarks(row, FStore->ListRowMarks(row) | bit);
    if (Events.InvalidateRows) Events.InvalidateRows(row, row);
}

void TEditorCore::DeleteRowMark(int row, int mark) {
    if (mark < 0 || mark > 15 || row < 0 || row >= FStore->RowCount()) return;
    FStore->SetListRowMarks(row, FStore->ListRowMarks(row) & ~(1u << mark));
    if (Events.InvalidateRows) Events.InvalidateRows(row, row);
}

bool TEditorCore::GotoRowMark(int mark) {
    if (mark < 0 || mark > 15 || !(FStore->MarksInList() & (1u << mark))) return false;
    for (int r = 0; r < FStore->RowCount(); ++r) {
        if (!(FStore->ListRowMarks(r) & (1u << mark))) continue;
        if (r < FTopRow || r >= FTopRow + FVisibleRows)
            SetTopRow(std::max(0, r - FVisibleRows / 2));
        CleanSelection();
        PlaceCaret(r, FCol, r >= FRow ? 1 : -1, true);
        return true;
    }
    return false;
}

void TEditorCore::ToggleRowMark(int mark) {
    if (FRow >= FStore->RowCount()) return;
    if (FStore->ListRowMarks(FRow) & (1u << mark))
        DeleteRowMark(FRow, mark);
    else
        PutRowMark(FRow, mark);
}
