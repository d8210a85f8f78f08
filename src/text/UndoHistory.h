// Undo and redo history of a row store: each record holds the old text of a range of rows and
// everything needed to put it back; the store replays the records.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "text/LineBreaking.h"

struct TUndoData {
    int CaretRow = 0; // caret the edit was given (undo hands it back)
    int CaretCol = 0;
    int StartRow = -1;      // first row of the replaced range
    int RowCount = 0;       // rows the range has after the change
    uint8_t LastRowEnd = 0; // TRowEnd of the last old row; NoOldRowEnd (3) = no old text
    std::string Text;       // old text, each reLineEnd row followed by CR LF
    // The old rows as they were cut: length << 2 | TRowEnd per row, and the row's own line end
    // (TLineEndBytes) from bit LayoutEolShift on. Undo puts back exactly these
    // rows, because cutting Text again may place a row end elsewhere (a row end before a lone
    // lead byte, a row kept from an earlier cut), and later records rely on the old rows.
    std::vector<uint64_t> Layout;
    static constexpr int LayoutEolShift = 60;

    // The old rows as slices of Text, from Layout; false when Layout is missing or does not fit
    // the text (the caller then cuts the text again).
    // eols (may be null) receives each row's own line end.
    bool LayoutRows(std::vector<TWrapRow>& rows, std::vector<uint8_t>* eols = nullptr) const;
};

using TUndoDataList = std::deque<TUndoData>;

class TEditorUndoObj {
  public:
    static constexpr int DefaultListMax = 64;
    int ListMax() const { return listMax_; }
    void SetListMax(int v) { listMax_ = v < DefaultListMax ? DefaultListMax : v; }

    bool CanUndo() const { return !undoList_.empty(); }
    bool CanRedo() const { return !redoList_.empty(); }
    void Clear();
    // Records an edit: drops the oldest record beyond ListMax and empties the redo stack.
    void Push(TUndoData d);
    // Takes the latest record off the undo or the redo stack (which must not be empty).
    TUndoData TakeUndo();
    TUndoData TakeRedo();
    // The inverse of an undone record goes on the redo stack; the inverse of a redone one goes
    // back on the undo stack (ListMax kept, the rest of the redo stack too).
    void PushUndone(TUndoData inverse);
    void PushRedone(TUndoData inverse);
    uint64_t PushCount() const { return FPushCount; } // records made by edits so far

    const TUndoDataList& UndoList() const { return undoList_; }
    const TUndoDataList& RedoList() const { return redoList_; }

  private:
    void Trim();
    int listMax_ = DefaultListMax;
    uint64_t FPushCount = 0;
    TUndoDataList redoList_;
    TUndoDataList undoList_;
};
