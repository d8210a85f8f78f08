// The main window's commands on the active control's core.
#include "mainwindow/EditorActions.h"

#include "editor/EditorCore.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/FunctionBar.h"
#include "platform/Folders.h"
#include "text/RowStore.h"

void FillEditorState(TCommandState& s, const TEditorCore& c) {
    s.HasEditor = true;
    s.Modified = c.Modified;
    s.ReadOnly = c.ReadOnly();
    s.Selected = c.Selected();
    s.CanUndo = c.CanUndo();
    s.CanRedo = c.CanRedo();
    s.BoxMode = c.SelectionMode() == smBox;
    s.Overwrite = c.OverWrite();
    s.CaretRowMarks = c.Row() < c.Rows().RowCount() ? c.Rows().ListRowMarks(c.Row()) : 0;
    s.MarksInText = c.Rows().MarksInList();
}

void FillPageState(TCommandState& s, const TPageBook& book, int page, int pageCount) {
    s.PageCount = pageCount;
    s.Untitled = page < 0 || book.IsUntitled(page);
    s.FileExists = !s.Untitled && FileExists(book.PathOfPage(page));
    s.ReadMeAvailable = !FindCompanionFile(book.programFolder, kReadMeName).empty();
}

void JumpEditor(TEditorCore& c, int tag, const std::array<int, 10>& lines,
                const TJumpPlacement& place, bool shift) {
    if (tag >= 0 && tag <= 9) {
        const int line = lines[static_cast<size_t>(tag)];
        if (line < 0) return;
        const int row = c.Rows().LineToRow(line);
        c.CleanSelection();
        c.SetCaret(row, 0);
        c.SetTopRow(
            JumpTopRow(row, c.VisibleRows(), place.CLine1, place.CLine2, place.JHanten, shift));
    } else if (tag == 10) {
        c.CleanSelection();
        c.SetCaret(0, 0);
        c.SetTopRow(0);
    } else if (tag == 11) {
        c.CleanSelection();
        Execute(c, TEditorCommand::End, 0, {false, true, false});
        c.SetTopRow(c.Row() - c.VisibleRows() + 1);
    }
}

void SetJumpMarkAtCaret(TEditorCore& c, int digit) {
    const int row = c.Row();
    if (row >= c.Rows().RowCount()) return;
    if (c.Rows().ListRowMarks(row) & (1u << digit)) return;
    for (int k = 0; k <= 9; ++k)
        if (c.Rows().ListRowMarks(row) & (1u << k)) c.DeleteRowMark(row, k);
    c.PutRowMark(row, digit);
}

bool RunContextItemOnCore(TEditorCore& c, const TContextItem& item) {
    if (item.SetJumpMark) {
        SetJumpMarkAtCaret(c, item.Arg);
        return true;
    }
    if (item.Command == TEditorCommand::Home || item.Command == TEditorCommand::End) {
        c.CleanSelection();
        Execute(c, item.Command, 0, {false, true, false});
        return true;
    }
    return false;
}

void DropSelectionAfterCopy(TEditorCore& c) {
    if (c.SelectionMode() == smBox)
        c.CleanSelection();
    else
        c.SetSelStart(c.SelStart() + c.SelLength());
}

void ApplyPasteCaret(TEditorCore& c, const TPasteCaret& p) {
    if (!p.Move) return;
    if (p.SetTop) c.SetTopRow(p.Top);
    c.SetCaret(p.Row, p.Col);
    if (!p.SetTop) c.ScrollCaret();
}

bool WheelScroll(TEditorCore& c, int angleDelta) {
    if (angleDelta == 0) return false;
    c.SetTopRow(c.TopRow() + (angleDelta < 0 ? 1 : -1));
    return true;
}

TCaretLine CaretLineOf(const TEditorCore& c) {
    const TEditorScreenStrings& rows = c.Rows();
    const int count = rows.RowCount();
    TCaretLine out{0, c.Col()};
    if (c.Row() < count) {
        out.Line = rows.RowToLine(c.Row());
        out.Char += static_cast<int>(rows.TextPos(c.Row()) - rows.TextPos(rows.RowStart(c.Row())));
    } else if (count > 0) {
        const int last = count - 1;
        out.Line = rows.RowToLine(last);
        if (rows.RowEndKind(last) == reLineEnd)
            ++out.Line;
        else
            out.Char += static_cast<int>(rows.TextPos(last) + rows.RowText(last).size() -
                                         rows.TextPos(rows.RowStart(last)));
    }
    return out;
}
