// Undo and redo of a row store: each record holds the old text of a range of rows.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class TEditorScreenStrings;

struct TUndoData {
    int CaretRow = 0; // caret of the active editor when the record was made
    int CaretCol = 0;
    int StartRow = -1;      // first row of the replaced range
    int RowCount = 0;       // rows the range has after the change
    uint8_t LastRowEnd = 0; // TRowEnd of the last old row; NoOldRowEnd (3) = no old text
    std::string Text;       // old text, each reLineEnd row followed by CR LF
    // The old rows as they were cut: length << 2 | TRowEnd per row. Undo puts back exactly these
    // rows, because cutting Text again may place a row end elsewhere (a row end before a lone
    // lead byte, a row kept from an earlier cut), and later records rely on the old rows.
    std::vector<uint64_t> Layout;
};

using TUndoDataList = std::deque<TUndoData>;

class TEditorUndoObj {
  public:
    explicit TEditorUndoObj(TEditorScreenStrings* owner) : FOwner(owner) {}

    static constexpr int DefaultListMax = 64;
    int ListMax() const { return FListMax; }
    void SetListMax(int v) { FListMax = v < DefaultListMax ? DefaultListMax : v; }

    bool CanUndo() const { return !FUndoList.empty(); }
    bool CanRedo() const { return !FRedoList.empty(); }
    void Clear();
    // A new record with the active editor's caret; drops the oldest beyond ListMax and empties
    // the redo stack unless an undo or redo is running. The caller fills in the rest.
    TUndoData& Push();
    void Undo();
    void Redo();
    bool InUndoRedo() const { return FInUndoRedo; }
    uint64_t PushCount() const { return FPushCount; } // records made by edits so far

    const TUndoDataList& UndoList() const { return FUndoList; }
    const TUndoDataList& RedoList() const { return FRedoList; }

  private:
    void Replay(TUndoDataList& from, TUndoDataList& to);
    TEditorScreenStrings* FOwner;
    int FListMax = DefaultListMax;
    bool FInUndoRedo = false;
    uint64_t FPushCount = 0;
    TUndoDataList FRedoList;
    TUndoDataList FUndoList;
};
