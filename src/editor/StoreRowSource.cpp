// Row store view: the editor core on TEditorScreenStrings, and the colouring definition's
// parser as the store's row-state parser.
#include "editor/StoreRowSource.h"

#include "syntax/RowStateParser.h"

#include <algorithm>

TEditorScreenRows::TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store)
    : FStore(store ? std::move(store) : std::make_shared<TEditorScreenStrings>()),
      FOffsets(*FStore), FSeen(FStore->Revision()) {
    FStore->Attach(this);
}

TEditorScreenRows::~TEditorScreenRows() {
    FStore->Detach(this);
}

void TEditorScreenRows::Note(int first, int oldCount, int newCount, bool moved) {
    if (FUpdate.FirstRow < 0) {
        FUpdate = {first, oldCount, newCount, moved || oldCount != newCount};
        return;
    }
    const int lo = std::min(FUpdate.FirstRow, first);
    FUpdate.OldCount = std::max(FUpdate.FirstRow + FUpdate.OldCount, first + oldCount) - lo;
    FUpdate.NewCount = std::max(FUpdate.FirstRow + FUpdate.NewCount, first + newCount) - lo;
    FUpdate.FirstRow = lo;
    FUpdate.CountChanged = FUpdate.CountChanged || moved || oldCount != newCount;
}

namespace {
struct OwnEdit {
    int& n;
    explicit OwnEdit(int& c) : n(c) { ++n; }
    ~OwnEdit() { --n; }
};
} // namespace

void TEditorScreenRows::BeforeReplace(int index, int count, std::string_view text) {
    const int n = FStore->Count();
    index = std::clamp(index, 0, n);
    count = std::clamp(count, 0, n - index);
    if (RecordTextChanges && RecordTextChanges()) {
        // Appended to a last line without a line end: the text joins that line.
        const std::string old = count ? FStore->RowsText(index, index + count - 1) : std::string();
        FTextChanges.push_back(
            MakeTextChange(FOffsets.RowStart(index), old, text, FStore->CharTable().get()));
    }
    // A change re-cuts the row before the replaced ones too.
    FOffsets.Invalidate(index - 1);
}

std::vector<TTextChange> TEditorScreenRows::TakeTextChanges() {
    std::vector<TTextChange> t;
    t.swap(FTextChanges);
    std::erase_if(t, [](const TTextChange& c) { return c.Removed.empty() && c.Inserted.empty(); });
    return t;
}

TRowPlace TEditorScreenRows::UpdateList(int index, int count, const std::string& s, TCaretPos caret,
                                        size_t caretAt) {
    OwnEdit own(FOwnEdit);
    BeforeReplace(index, count, s);
    return FStore->UpdateList(index, count, s, caret, caretAt);
}

TEditorRowsUpdate TEditorScreenRows::TakeUpdate() {
    Pull(); // parser states computed while painting are logged without telling the views
    TEditorRowsUpdate u = FUpdate;
    FUpdate = {};
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
    OwnEdit own(FOwnEdit);
    const TUndoDataList& list = redo ? FStore->UndoObj().RedoList() : FStore->UndoObj().UndoList();
    if (!list.empty()) {
        const TUndoData& r = list.back();
        BeforeReplace(r.StartRow, r.RowCount,
                      r.LastRowEnd == NoOldRowEnd ? std::string_view() : r.Text);
    }
    return redo ? FStore->Redo(caret) : FStore->Undo(caret);
}

void TEditorScreenRows::SetText(std::string_view cp932) {
    TakeText(std::string(cp932));
}

void TEditorScreenRows::TakeText(std::string&& cp932) {
    OwnEdit own(FOwnEdit);
    FStore->TakeText(std::move(cp932));
    FOffsets.Invalidate(0);
    Note(0, 0, FStore->Count(), true);
}

void TEditorScreenRows::BeginLoad(std::unique_ptr<TBackgroundLoad> load,
                                  std::function<void()> wake) {
    OwnEdit own(FOwnEdit);
    FStore->BeginLoad(std::move(load), std::move(wake));
    FOffsets.Invalidate(0);
    Note(0, 0, FStore->Count(), true);
}

void TEditorScreenRows::ApplyWrap(bool wordWrap, const TEditorWrapOption& w, int tab) {
    const int before = FRewraps;
    OwnEdit own(FOwnEdit);
    FRebuilding = true;
    // Switching wrap off un-wraps before the options change; switching it on takes the
    // options first: the rows are rebuilt once.
    if (!wordWrap) FStore->SetWordWrap(false);
    FStore->SetTabSpaceCount(tab);
    FStore->SetWrapOption(w);
    if (wordWrap) FStore->SetWordWrap(true);
    FRebuilding = false;
    if (FRewraps != before) Note(0, 0, FStore->Count(), true);
}

void TEditorScreenRows::SetFountain(const TFountain* f) {
    FFountain = f;
    if (f)
        FStore->SetViewParser(this, [f] { return CreateRowStateParser(*f); });
    else
        FStore->SetViewParser(this, nullptr);
    FStore->InitBrackets();
}

bool TEditorScreenRows::SavedState(int row, TFountainState& out) {
    if (!FFountain) return false;
    if (row >= FStore->ParsedLimit()) FStore->ParseUpTo(row);
    if (FStore->BracketIndex(row) == -2) return false;
    out = FromRowState(FStore->ParserState(row));
    return true;
}

void TEditorScreenRows::Pull() {
    const uint64_t now = FStore->Revision();
    if (FSeen == now) return;
    const std::vector<TRowChange> changes = FStore->ChangesSince(FSeen);
    FSeen = now;
    for (const TRowChange& c : changes)
        Take(c);
}

void TEditorScreenRows::Take(const TRowChange& c) {
    switch (c.Kind) {
    case TRowChange::ckStates:
        Note(c.FirstRow, c.NewRowCount, c.NewRowCount, false);
        break;
    case TRowChange::ckRows:
        FOffsets.Invalidate(c.FirstRow - 1);
        Note(c.FirstRow, c.OldRowCount, c.NewRowCount, c.Merged);
        if (!FOwnEdit && Events.ChangedElsewhere) Events.ChangedElsewhere(); // a split page
        break;
    case TRowChange::ckAppended:
        FOffsets.Invalidate(c.FirstRow - 1);
        if (Events.Appended) Events.Appended(c.FirstRow);
        break;
    case TRowChange::ckRewrapping:
        if (!Events.KeepPlaces) break;
        Events.KeepPlaces();
        FPlacesKept = true;
        break;
    case TRowChange::ckReset: {
        const int n = FStore->Count();
        if (Events.KeepTopWithin)
            Events.KeepTopWithin((n == 0 || FStore->RowEndKind(n - 1) == reLineEnd) ? n : n - 1);
        FOffsets.Invalidate(0);
        if (FRebuilding) ++FRewraps;
        Note(0, 0, n, true);
        if (!FOwnEdit && Events.ChangedElsewhere) Events.ChangedElsewhere();
        if (FPlacesKept && Events.RestorePlaces) Events.RestorePlaces();
        FPlacesKept = false;
        break;
    }
    }
}
