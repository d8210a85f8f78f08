// Row store view: the editor core on TEditorScreenStrings, and the colouring definition's
// parser as the store's row-state parser.
#include "editor/StoreRowSource.h"

#include "syntax/RowStateParser.h"

#include <algorithm>

TEditorScreenRows::TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store)
    : store_(store ? std::move(store) : std::make_shared<TEditorScreenStrings>()),
      offsets_(*store_), seen_(store_->Revision()) {
    store_->Attach(this);
}

TEditorScreenRows::~TEditorScreenRows() {
    store_->Detach(this);
}

void TEditorScreenRows::Note(int first, int oldCount, int newCount, bool moved) {
    if (update_.FirstRow < 0) {
        update_ = {first, oldCount, newCount, moved || oldCount != newCount};
        return;
    }
    const int lo = std::min(update_.FirstRow, first);
    update_.OldCount = std::max(update_.FirstRow + update_.OldCount, first + oldCount) - lo;
    update_.NewCount = std::max(update_.FirstRow + update_.NewCount, first + newCount) - lo;
    update_.FirstRow = lo;
    update_.CountChanged = update_.CountChanged || moved || oldCount != newCount;
}

namespace {
struct OwnEdit {
    int& n;
    explicit OwnEdit(int& c) : n(c) { ++n; }
    ~OwnEdit() { --n; }
};
} // namespace

void TEditorScreenRows::BeforeReplace(int index, int count, std::string_view text) {
    const int n = store_->Count();
    index = std::clamp(index, 0, n);
    count = std::clamp(count, 0, n - index);
    if (RecordTextChanges && RecordTextChanges()) {
        // Appended to a last line without a line end: the text joins that line.
        const std::string old = count ? store_->RowsText(index, index + count - 1) : std::string();
        textChanges_.push_back(
            MakeTextChange(offsets_.RowStart(index), old, text, store_->CharTable().get()));
    }
    // A change re-cuts the row before the replaced ones too.
    offsets_.Invalidate(index - 1);
}

std::vector<TTextChange> TEditorScreenRows::TakeTextChanges() {
    std::vector<TTextChange> t;
    t.swap(textChanges_);
    std::erase_if(t, [](const TTextChange& c) { return c.Removed.empty() && c.Inserted.empty(); });
    return t;
}

TRowPlace TEditorScreenRows::UpdateList(int index, int count, const std::string& s, TCaretPos caret,
                                        size_t caretAt) {
    OwnEdit own(ownEdit_);
    BeforeReplace(index, count, s);
    return store_->UpdateList(index, count, s, caret, caretAt);
}

TEditorRowsUpdate TEditorScreenRows::TakeUpdate() {
    Pull(); // parser states computed while painting are logged without telling the views
    TEditorRowsUpdate u = update_;
    update_ = {};
    return u;
}

std::optional<TCaretPos> TEditorScreenRows::Undo(TCaretPos caret) {
    if (!CanUndo()) return std::nullopt;
    return UndoStep(false, caret);
}

std::optional<TCaretPos> TEditorScreenRows::Redo(TCaretPos caret) {
    if (!CanRedo()) return std::nullopt;
    return UndoStep(true, caret);
}

std::optional<TCaretPos> TEditorScreenRows::UndoStep(bool redo, TCaretPos caret) {
    OwnEdit own(ownEdit_);
    const TUndoDataList& list = redo ? store_->UndoObj().RedoList() : store_->UndoObj().UndoList();
    if (!list.empty()) {
        const TUndoData& r = list.back();
        BeforeReplace(r.StartRow, r.RowCount,
                      r.LastRowEnd == NoOldRowEnd ? std::string_view() : r.Text);
    }
    return redo ? store_->Redo(caret) : store_->Undo(caret);
}

void TEditorScreenRows::SetText(std::string_view cp932) {
    TakeText(std::string(cp932));
}

void TEditorScreenRows::TakeText(std::string&& cp932) {
    OwnEdit own(ownEdit_);
    store_->TakeText(std::move(cp932));
    offsets_.Invalidate(0);
    Note(0, 0, store_->Count(), true);
}

void TEditorScreenRows::BeginLoad(std::unique_ptr<TBackgroundLoad> load,
                                  std::function<void()> wake) {
    OwnEdit own(ownEdit_);
    store_->BeginLoad(std::move(load), std::move(wake));
    offsets_.Invalidate(0);
    Note(0, 0, store_->Count(), true);
}

void TEditorScreenRows::ApplyWrap(bool wordWrap, const TEditorWrapOption& w, int tab) {
    const int before = rewraps_;
    OwnEdit own(ownEdit_);
    rebuilding_ = true;
    // Switching wrap off un-wraps before the options change; switching it on takes the
    // options first: the rows are rebuilt once.
    if (!wordWrap) store_->SetWordWrap(false);
    store_->SetTabSpaceCount(tab);
    store_->SetWrapOption(w);
    if (wordWrap) store_->SetWordWrap(true);
    rebuilding_ = false;
    if (rewraps_ != before) Note(0, 0, store_->Count(), true);
}

void TEditorScreenRows::SetFountain(const TFountain* f) {
    fountain_ = f;
    if (f)
        store_->SetViewParser(this, [f] { return CreateRowStateParser(*f); });
    else
        store_->SetViewParser(this, nullptr);
    store_->InitBrackets();
}

TStateKept TEditorScreenRows::SavedState(int row, TFountainState& out, bool exact) {
    if (!fountain_) return TStateKept::None;
    if (row >= store_->ParsedLimit()) {
        // A jump far down paints at once; the rows above are walked in slices meanwhile.
        if (!exact && store_->ParseIsFar(row)) {
            store_->WantParsed(row);
            return TStateKept::Later;
        }
        store_->ParseUpTo(row);
    }
    if (store_->BracketIndex(row) == -2) return TStateKept::None;
    out = FromRowState(store_->ParserState(row));
    return TStateKept::Saved;
}

void TEditorScreenRows::Pull() {
    const uint64_t now = store_->Revision();
    if (seen_ == now) return;
    const std::vector<TRowChange> changes = store_->ChangesSince(seen_);
    seen_ = now;
    for (const TRowChange& c : changes)
        Take(c);
}

void TEditorScreenRows::Take(const TRowChange& c) {
    switch (c.Kind) {
    case TRowChange::ckStates:
        Note(c.FirstRow, c.NewRowCount, c.NewRowCount, false);
        break;
    case TRowChange::ckRows:
        offsets_.Invalidate(c.FirstRow - 1);
        Note(c.FirstRow, c.OldRowCount, c.NewRowCount, c.Merged);
        if (!ownEdit_ && Events.ChangedElsewhere) Events.ChangedElsewhere(); // a split page
        break;
    case TRowChange::ckParsed:
        if (Events.StatesComputed)
            Events.StatesComputed(c.FirstRow, c.FirstRow + c.NewRowCount - 1);
        break;
    case TRowChange::ckAppended:
        offsets_.Invalidate(c.FirstRow - 1);
        if (Events.Appended) Events.Appended(c.FirstRow);
        break;
    case TRowChange::ckRewrapping:
        rewrapSeen_ = true;
        if (!Events.KeepPlaces) break;
        Events.KeepPlaces();
        placesKept_ = true;
        break;
    case TRowChange::ckReset: {
        const int n = store_->Count();
        if (Events.KeepTopWithin)
            Events.KeepTopWithin((n == 0 || store_->RowEndKind(n - 1) == reLineEnd) ? n : n - 1);
        offsets_.Invalidate(0);
        // A re-wrap this view asked for, done at once or swapped in from the background.
        if (rebuilding_ || (rewrapSeen_ && !ownEdit_)) ++rewraps_;
        rewrapSeen_ = false;
        Note(0, 0, n, true);
        if (!ownEdit_ && Events.ChangedElsewhere) Events.ChangedElsewhere();
        if (placesKept_ && Events.RestorePlaces) Events.RestorePlaces();
        placesKept_ = false;
        break;
    }
    }
}
