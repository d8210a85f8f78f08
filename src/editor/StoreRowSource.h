// TEditorScreenRows: an editor core's view of its row store TEditorScreenStrings. It edits
// through the store (UpdateList, undo, wrap, colouring definition) giving it the caret, the
// parse bound and the parser, pulls what changed from the store's change log, collects the rows
// the changes touched for painting and tells the core what it has to do (TEditorRowsEvents).
#pragma once

#include "editor/CharOffsets.h"
#include "editor/PropertyTypes.h"
#include "text/RowStore.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TFountainState;
enum class TStateKept : std::uint8_t;
class TFountain;

struct TEditorRowsUpdate {
    int FirstRow = -1; // -1: nothing changed
    int OldCount = 0;  // rows the changed range had before
    int NewCount = 0;  // rows it has now
    bool CountChanged = false;
};

// What the changes pulled from the store ask of the editor core.
struct TEditorRowsEvents {
    std::function<void()> ChangedElsewhere;  // another view of the store changed the rows
    std::function<void(int first)> Appended; // a background load appended rows first..
    // Around a re-wrap: note the places in the text, find them again.
    std::function<void()> KeepPlaces, RestorePlaces;
    std::function<void(int maxRow)> KeepTopWithin; // the rows were rebuilt
    // The states of rows first..last were computed after painting showed them guessed.
    std::function<void(int first, int last)> StatesComputed;
};

class TEditorScreenRows : public TRowStoreView {
  public:
    explicit TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store = nullptr);
    ~TEditorScreenRows() override;
    TEditorRowsEvents Events;
    TEditorScreenStrings& Store() { return *store_; }
    const TEditorScreenStrings& Store() const { return *store_; }
    const std::shared_ptr<TEditorScreenStrings>& SharedStore() const { return store_; }

    // Replaces rows index..index+count-1 by s (which may hold line ends), re-wrapping the
    // touched lines; one undo step recording caret. Returns the place caretAt bytes into s
    // (TEditorScreenStrings::UpdateList).
    TRowPlace UpdateList(int index, int count, const std::string& s, TCaretPos caret,
                         size_t caretAt = std::string::npos);
    bool CanUndo() const { return store_->UndoObj().CanUndo(); }
    bool CanRedo() const { return store_->UndoObj().CanRedo(); }
    // Undo/Redo are given the caret as it stands and return the caret to restore; nothing when
    // there was nothing to do.
    std::optional<TCaretPos> Undo(TCaretPos caret);
    std::optional<TCaretPos> Redo(TCaretPos caret);
    TEditorRowsUpdate TakeUpdate(); // the range of the changes since the last call
    // The last row this view wants parser states for after a change (see
    // TEditorScreenStrings::SetParseBound).
    void SetParseBound(int lastRow) { store_->SetParseBound(this, lastRow); }
    // Replaces the whole text (no undo history).
    void SetText(std::string_view cp932);
    void TakeText(std::string&& cp932); // without copying the bytes
    // Starts showing a file that goes on loading in the background (TEditorScreenStrings).
    void BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake);
    // Word wrap, wrap options and tab width; rows are rebuilt only when something changed.
    void ApplyWrap(bool wordWrap, const TEditorWrapOption& w, int tabSpaceCount);
    // How often the rows were rebuilt: by this view's wrap changes, and by re-wraps swapped in
    // from the background.
    int RewrapCount() const { return rewraps_; }
    // The colouring definition whose parser states the store keeps (null: none).
    void SetFountain(const TFountain* f);
    // The saved parser state at the start of a row (TStateKept); Later only without `exact`.
    TStateKept SavedState(int row, TFountainState& out, bool exact = false);

    // TRowStoreView: pulls the store's changes.
    void RowsChanged() override { Pull(); }

    // Character offsets of the rows, as assistive technology counts them.
    TCharOffsets& Offsets() { return offsets_; }
    // While it says so, each change this editor makes (an edit, undo or redo) is kept as the
    // characters it removed and inserted, for TakeTextChanges.
    std::function<bool()> RecordTextChanges;
    std::vector<TTextChange> TakeTextChanges();

  private:
    std::optional<TCaretPos> UndoStep(bool redo, TCaretPos caret);
    void Pull();
    void Take(const TRowChange& c);
    void Note(int first, int oldCount, int newCount, bool moved);
    // Rows index..index+count-1 are about to become text.
    void BeforeReplace(int index, int count, std::string_view text);
    std::shared_ptr<TEditorScreenStrings> store_;
    TCharOffsets offsets_;
    std::vector<TTextChange> textChanges_;
    const TFountain* fountain_ = nullptr;
    uint64_t seen_ = 0; // the store's revision pulled so far
    TEditorRowsUpdate update_;
    int rewraps_ = 0;
    bool rebuilding_ = false;
    bool placesKept_ = false; // the core noted its places in the text before a re-wrap
    bool rewrapSeen_ = false; // a re-wrap's rows come next
    int ownEdit_ = 0;         // inside a change this editor makes
};
