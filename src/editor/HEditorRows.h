// What the caret, the editing commands and painting need of a row store: rows of CP932 text
// with their row-end kind and marks, the one replacement primitive, undo and redo, and the
// range the last change touched.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Row-end kinds, numbered as the row store keeps them.
inline constexpr int erLineEnd = 0; // the row ends a logical line followed by a line end
inline constexpr int erWrapped = 1; // the logical line continues on the next row
inline constexpr int erTextEnd = 2; // the last row, without a line end

struct TEditorRowsUpdate {
    int FirstRow = -1; // -1: nothing changed
    int OldCount = 0;  // rows the changed range had before
    int NewCount = 0;  // rows it has now
    bool CountChanged = false;
};

class TEditorRowSource {
  public:
    virtual ~TEditorRowSource() = default;
    virtual int RowCount() const = 0;
    virtual std::string_view RowText(int r) const = 0;
    virtual int RowEndKind(int r) const = 0;
    // Replaces rows index..index+count-1 by s (which may hold line ends), re-wrapping the
    // touched lines; one undo step.
    virtual void UpdateList(int index, int count, const std::string& s) = 0;
    virtual std::uint16_t RowMarks(int r) const = 0;
    virtual void SetRowMarks(int r, std::uint16_t marks) = 0;
    virtual std::uint16_t MarksInList() const = 0;
    virtual bool WordWrap() const = 0;
    virtual int WrapByte() const = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    // Undo/Redo return false when there was nothing to do; the caret to restore comes back
    // through caretRow/caretCol.
    virtual bool Undo(int& caretRow, int& caretCol) = 0;
    virtual bool Redo(int& caretRow, int& caretCol) = 0;
    // Caret position recorded with the next undo step.
    virtual void SetUndoCaret(int row, int col) = 0;
    virtual TEditorRowsUpdate TakeUpdate() = 0; // the range of the changes since the last call

    // First and last row of the logical line that holds row r.
    int RowStart(int r) const;
    int RowEnd(int r) const;
    // Whole text with CR LF after every erLineEnd row.
    std::string Text() const;
    std::string RowsText(int first, int last) const;
};
