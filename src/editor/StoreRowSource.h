// TEditorScreenRows: an editor core's link to its row store TEditorScreenStrings. It edits
// through the store (UpdateList, undo, wrap, colouring definition), answers the store's
// questions about the editor (caret, view, focus, parser) and collects the rows the changes
// touched for painting.
#pragma once

#include "editor/CharOffsets.h"
#include "editor/PropertyTypes.h"
#include "text/RowStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TFountainState;
class TFountain;
class TEditorCore;

struct TEditorRowsUpdate {
    int FirstRow = -1; // -1: nothing changed
    int OldCount = 0;  // rows the changed range had before
    int NewCount = 0;  // rows it has now
    bool CountChanged = false;
};

class TEditorScreenRows : public TScreenStringsClient {
  public:
    explicit TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store = nullptr);
    ~TEditorScreenRows() override;
    void SetOwner(TEditorCore* owner) { FOwner = owner; }
    TEditorScreenStrings& Store() { return *FStore; }
    const TEditorScreenStrings& Store() const { return *FStore; }
    const std::shared_ptr<TEditorScreenStrings>& SharedStore() const { return FStore; }

    // Replaces rows index..index+count-1 by s (which may hold line ends), re-wrapping the
    // touched lines; one undo step.
    void UpdateList(int index, int count, const std::string& s);
    bool CanUndo() const { return FStore->UndoObj().CanUndo(); }
    bool CanRedo() const { return FStore->UndoObj().CanRedo(); }
    // Undo/Redo return false when there was nothing to do; the caret to restore comes back
    // through caretRow/caretCol.
    bool Undo(int& caretRow, int& caretCol);
    bool Redo(int& caretRow, int& caretCol);
    TEditorRowsUpdate TakeUpdate(); // the range of the changes since the last call
    // Replaces the whole text (no undo history).
    void SetText(std::string_view cp932);
    void TakeText(std::string&& cp932); // without copying the bytes
    // Starts showing a file that goes on loading in the background (TEditorScreenStrings).
    void BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake);
    // Word wrap, wrap options and tab width; rows are rebuilt only when something changed.
    void ApplyWrap(bool wordWrap, const TEditorWrapOption& w, int tabSpaceCount);
    int RewrapCount() const { return FRewraps; } // how often the rows were rebuilt
    // The colouring definition whose parser states the store keeps (null: none).
    void SetFountain(const TFountain* f);
    // The saved parser state at the start of a row; false when the store keeps none.
    bool SavedState(int row, TFountainState& out);

    // TScreenStringsClient
    int CaretRow() const override;
    int CaretCol() const override;
    void SetCaretPos(int row, int col) override;
    int TopRow() const override;
    void SetTopRow(int row) override;
    int VisibleRowCount() const override;
    bool Focused() const override { return HasFocus && HasFocus(); }
    bool InitBracketsFull() const override;
    std::unique_ptr<TRowStateParser> CreateRowParser() override;
    void InvalidateRow(int row) override;
    void ListUpdated(const TUpdateInfo& info) override;
    void ListReset() override;
    void RowsRewrapping() override;
    void RowsAppended(int first) override;

    std::function<bool()> HasFocus;

    // Character offsets of the rows, as assistive technology counts them.
    TCharOffsets& Offsets() { return FOffsets; }
    // While it says so, each change this editor makes (an edit, undo or redo) is kept as the
    // characters it removed and inserted, for TakeTextChanges.
    std::function<bool()> RecordTextChanges;
    std::vector<TTextChange> TakeTextChanges();

  private:
    bool UndoStep(bool redo, int& caretRow, int& caretCol);
    void Note(int first, int oldCount, int newCount, bool moved);
    // Rows index..index+count-1 are about to become text.
    void BeforeReplace(int index, int count, std::string_view text);
    std::shared_ptr<TEditorScreenStrings> FStore;
    TCharOffsets FOffsets;
    std::vector<TTextChange> FTextChanges;
    TEditorCore* FOwner = nullptr;
    const TFountain* FFountain = nullptr;
    TEditorRowsUpdate FUpdate;
    int FRewraps = 0;
    bool FRebuilding = false;
    bool FPlacesKept = false; // the owner noted its places in the text before a re-wrap
    int FOwnEdit = 0;         // inside a change this editor makes
    bool FCaretSet = false;
    int FCaretRow = 0, FCaretCol = 0;
};
