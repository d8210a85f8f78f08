// Mouse gestures of the editing control: button states and word selection.
#include "editor/MouseGestures.h"

#include <algorithm>
#include <cstdlib>

void TEditorMouseGestures::Press(int x, int y, TEditorPos pos, bool leftOfText, bool shift) {
    pressX_ = x;
    pressY_ = y;
    core_.MouseDragging = true;
    if (shift) {
        core_.StartSelection();
        core_.SetCaret(pos.Row, pos.Col);
        core_.ExtendSelection();
        drag_ = TEditorDrag::Selecting;
        return;
    }
    const TEditorCaret& caret = core_.Caret();
    if (!leftOfText && core_.InSelection(pos.Row, pos.Col) && caret.SelMove() &&
        caret.SelDragMode() == dmAutomatic) {
        drag_ = TEditorDrag::Armed;
        pressPos_ = pos;
        return;
    }
    core_.CleanSelection();
    if (leftOfText && caret.RowSelect()) {
        rowAnchor_ = pos.Row;
        core_.SelectRows(pos.Row, pos.Row);
        drag_ = TEditorDrag::RowSelect;
        return;
    }
    core_.SetCaret(pos.Row, pos.Col);
    pressPos_ = {core_.Row(), core_.Col()};
    drag_ = TEditorDrag::Pending;
}

bool TEditorMouseGestures::Move(int x, int y, TEditorPos pos, bool aboveText, int minMove) {
    if (drag_ == TEditorDrag::None) return false;
    // Above the text the caret goes one row up, so that the view scrolls.
    if (aboveText && core_.TopRow() > 0) pos.Row = core_.TopRow() - 1;
    const bool far = std::abs(x - pressX_) >= minMove || std::abs(y - pressY_) >= minMove;
    switch (drag_) {
    case TEditorDrag::Pending:
        if (!far) return false;
        drag_ = TEditorDrag::Selecting;
        core_.StartSelection();
        [[fallthrough]];
    case TEditorDrag::Selecting:
        core_.SetCaret(pos.Row, pos.Col);
        core_.ExtendSelection();
        return false;
    case TEditorDrag::RowSelect:
        core_.SelectRows(rowAnchor_, pos.Row);
        return false;
    case TEditorDrag::Armed:
        if (!far) return false;
        drag_ = TEditorDrag::Moving;
        [[fallthrough]];
    case TEditorDrag::Moving: {
        // The selection stays; a marker at the drop position follows the mouse.
        const bool changed = !(dropPos_ == pos);
        dropPos_ = pos;
        return changed || drag_ == TEditorDrag::Moving;
    }
    case TEditorDrag::None:
        break;
    }
    return false;
}

void TEditorMouseGestures::Release(bool ctrl) {
    const TEditorDrag d = drag_;
    drag_ = TEditorDrag::None;
    core_.MouseDragging = false;
    if (d == TEditorDrag::Moving) {
        core_.DropSelection(dropPos_.Row, dropPos_.Col, ctrl);
    } else if (d == TEditorDrag::Armed) {
        core_.CleanSelection();
        core_.SetCaret(pressPos_.Row, pressPos_.Col);
    }
}

void TEditorMouseGestures::PressAt(int x, int y, const TEditorMetrics& m, bool shift) {
    Press(x, y, PosAtPixel(core_, m, x, y), x < m.LeftMargin, shift);
}

bool TEditorMouseGestures::MoveAt(int x, int y, const TEditorMetrics& m) {
    return Move(x, y, PosAtPixel(core_, m, x, y), y < m.TopMargin, std::max(1, m.CellWidth / 2));
}

bool TEditorMouseGestures::DoubleClickAt(int x, int y, const TEditorMetrics& m) {
    return x >= m.LeftMargin && DoubleClick(PosAtPixel(core_, m, x, y));
}

bool TEditorMouseGestures::DoubleClick(TEditorPos pos) {
    drag_ = TEditorDrag::None;
    core_.MouseDragging = false;
    return SelectWordAt(core_, pos.Row, pos.Col);
}

bool SelectWordAt(TEditorCore& core, int row, int col) {
    if (row < 0 || row >= core.Rows().RowCount()) return false;
    const int off = core.OffsetOf(row, col);
    for (const TFountainToken& t : core.Coloring().Tokens(row)) {
        if (off < t.Start || off >= t.Start + t.Length) continue;
        const std::string_view s = core.RowTextOf(row);
        core.CleanSelection();
        core.SetCaret(row, OffsetToCol(s, t.Start, core.Rules()));
        core.StartSelection();
        core.SetCaret(row, OffsetToCol(s, t.Start + t.Length, core.Rules()));
        core.ExtendSelection();
        return true;
    }
    return false;
}

TEditorPos PosAtPixel(const TEditorCore& core, const TEditorMetrics& m, int x, int y) {
    const int dy = y - m.TopMargin;
    const int row = core.TopRow() + (dy < 0 ? -1 : dy / std::max(1, m.RowHeight));
    const int dx = x - m.LeftMargin;
    const int cell = std::max(1, m.CellWidth);
    const int col = core.TopCol() + (dx < 0 ? 0 : (dx + cell / 2) / cell);
    return {std::clamp(row, 0, core.MaxRow()), std::max(0, col)};
}

TEditorPoint CellOrigin(const TEditorCore& core, const TEditorMetrics& m, int row, int col) {
    return {m.LeftMargin + (col - core.TopCol()) * m.CellWidth,
            m.TopMargin + (row - core.TopRow()) * m.RowHeight};
}

TEditorRect CaretRectOf(const TEditorCore& core, const TEditorMetrics& m, bool focused) {
    const TEditorPoint o = CellOrigin(core, m, core.Row(), core.Col());
    if (core.GetHitStyle() == hsCaret && core.HitSelLength() > 0 && focused) {
        const TEditorRowSel hit = core.RowHit(core.Row());
        const std::string_view t = core.RowTextOf(core.Row());
        const int cols =
            OffsetToCol(t, hit.End, core.Rules()) - OffsetToCol(t, hit.Start, core.Rules());
        return {o.X, o.Y, o.X + std::max(2, cols * m.CellWidth), o.Y + m.TextHeight};
    }
    return CaretShape(o.X, o.Y, m.CellWidth, m.RowHeight, core.Caret().Style() == csBrief,
                      core.OverWrite());
}

bool CaretOnScreen(const TEditorCore& core, const TEditorMetrics& m, bool focused) {
    return core.Row() >= core.TopRow() && core.Row() < core.TopRow() + m.VisibleRows &&
           CaretRectOf(core, m, focused).Left >= m.LeftMargin;
}

std::optional<TCursor> CursorAtPixel(const TEditorCore& core, const TEditorMetrics& m, int x, int y,
                                     bool dragging, bool ctrl) {
    const TEditorCaretCursors& c = core.Caret().Cursors;
    if (!core.Caret().AutoCursor()) return std::nullopt;
    if (dragging) return ctrl ? c.DragSelCopyCursor : c.DragSelCursor;
    if (x < m.LeftMargin) return c.LeftMarginCursor;
    if (y < m.TopMargin) return c.TopMarginCursor;
    const TEditorPos pos = PosAtPixel(core, m, x, y);
    return core.InSelection(pos.Row, pos.Col) ? c.InSelCursor : c.DefaultCursor;
}
