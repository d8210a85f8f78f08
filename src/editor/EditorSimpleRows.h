// A self-contained row store: rows of CP932 text with row ends and marks, a plain fixed-width
// wrap (no line-breaking rules), UpdateList and a snapshot undo. Used where no full row store
// is attached (tests, previews).
#pragma once

#include "editor/EditorColumns.h"
#include "editor/HEditorRows.h"

#include <vector>

class TEditorSimpleRows : public TEditorRowSource {
  public:
    struct Row {
        std::string Text;
        int End = erLineEnd;
        std::uint16_t Marks = 0;
    };

    void SetText(std::string_view text);
    void SetWordWrap(bool on, int wrapByte, int tabSpaceCount);
    int UndoListMax = 64;

    int RowCount() const override { return static_cast<int>(FRows.size()); }
    std::string_view RowText(int r) const override { return FRows.at(r).Text; }
    int RowEndKind(int r) const override { return FRows.at(r).End; }
    void UpdateList(int index, int count, const std::string& s) override;
    std::uint16_t RowMarks(int r) const override { return FRows.at(r).Marks; }
    void SetRowMarks(int r, std::uint16_t m) override;
    std::uint16_t MarksInList() const override;
    bool WordWrap() const override { return FWrap; }
    int WrapByte() const override { return FWrapByte; }
    bool CanUndo() const override { return !FUndo.empty(); }
    bool CanRedo() const override { return !FRedo.empty(); }
    bool Undo(int& caretRow, int& caretCol) override;
    bool Redo(int& caretRow, int& caretCol) override;
    void SetUndoCaret(int row, int col) override { FCaretRow = row, FCaretCol = col; }
    TEditorRowsUpdate TakeUpdate() override;

    // Text cut into rows (the last row's end is left for the caller to set).
    std::vector<Row> TextToRows(std::string_view text) const;

  private:
    struct UndoRec {
        int CaretRow, CaretCol, StartRow, RowCount, LastRowEnd; // LastRowEnd 3: no old text
        std::string Text;
    };
    void Replace(int index, int count, std::vector<Row> rows);
    bool Apply(std::vector<UndoRec>& from, std::vector<UndoRec>& to, int& caretRow, int& caretCol);
    void Note(int first, int oldCount, int newCount);

    std::vector<Row> FRows;
    bool FWrap = false;
    int FWrapByte = 80, FTab = 8;
    std::vector<UndoRec> FUndo, FRedo;
    int FCaretRow = 0, FCaretCol = 0;
    TEditorRowsUpdate FUpdate;
};
