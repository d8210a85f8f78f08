// What the caret, the editing commands and painting need of a row store: rows of CP932 text
// with their row-end kind and marks, the one replacement primitive, undo and redo, and the
// range the last change touched.
#pragma once

#include "editor/PropertyTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TFountainState;
class TFountain;

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

    // Replaces the whole text (no undo history).
    virtual void SetText(std::string_view cp932) = 0;
    // Word wrap, wrap options and tab width; rows are rebuilt only when something changed.
    virtual void ApplyWrap(bool wordWrap, const TEditorPropWrap& w, int tabSpaceCount) = 0;
    virtual int RewrapCount() const { return 0; } // how often the rows were rebuilt
    // The colouring definition whose parser states the store keeps (null: none).
    virtual void SetFountain(const TFountain*) {}
    // The saved parser state at the start of a row; false when the store keeps none.
    virtual bool SavedState(int, TFountainState&) { return false; }

    // First and last row of the logical line that holds row r.
    virtual int RowStart(int r) const;
    virtual int RowEnd(int r) const;
    // Text position of a row's start (rows above plus 2 per line end) and its inverse.
    virtual std::int64_t TextPos(int r) const;
    virtual int RowToLine(int r) const; // logical line index of a row
    // Row holding a text position (the last row for positions at or past the end).
    virtual int RowOfTextPos(std::int64_t pos) const;
    // Whole text with CR LF after every erLineEnd row.
    std::string Text() const;
    std::string RowsText(int first, int last) const;
};
