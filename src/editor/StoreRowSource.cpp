// Row store adapter: the editor core on TEditorScreenStrings, and the colouring definition's
// parser as the store's row-state parser.
#include "editor/StoreRowSource.h"

#include "editor/EditorCore.h"
#include "syntax/RowStateParser.h"

#include <algorithm>

TEditorScreenRows::TEditorScreenRows(std::shared_ptr<TEditorScreenStrings> store)
    : FStore(store ? std::move(store) : std::make_shared<TEditorScreenStrings>()),
      FOffsets(*FStore) {
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

void TEditorScreenRows::UpdateList(int index, int count, const std::string& s) {
    OwnEdit own(FOwnEdit);
    BeforeReplace(index, count, s);
    FStore->UpdateList(index, count, s);
}

TEditorRowsUpdate TEditorScreenRows::TakeUpdate() {
    TEditorRowsUpdate u = FUpdate;
    FUpdate = {};
    return u;
}

bool TEditorScreenRows::Undo(int& caretRow, int& caretCol) {
    return CanUndo() && UndoStep(false, caretRow, caretCol);
}

bool TEditorScreenRows::Redo(int& caretRow, int& caretCol) {
    return CanRedo() && UndoStep(true, caretRow, caretCol);
}

// The caret goes where the store puts it during the step, or stays where the editor has it.
bool TEditorScreenRows::UndoStep(bool redo, int& caretRow, int& caretCol) {
    FCaretSet = false;
    OwnEdit own(FOwnEdit);
    const TUndoDataList& list = redo ? FStore->UndoObj().RedoList() : FStore->UndoObj().UndoList();
    if (!list.empty()) {
        const TUndoData& r = list.back();
        BeforeReplace(r.StartRow, r.RowCount,
                      r.LastRowEnd == NoOldRowEnd ? std::string_view() : r.Text);
    }
    if (redo)
        FStore->Redo();
    else
        FStore->Undo();
    caretRow = FCaretSet ? FCaretRow : CaretRow();
    caretCol = FCaretSet ? FCaretCol : CaretCol();
    return true;
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
    FStore->InitBrackets();
}

bool TEditorScreenRows::SavedState(int row, TFountainState& out) {
    if (!FFountain) return false;
    if (row >= FStore->ParsedLimit()) FStore->ParseUpTo(row);
    if (FStore->BracketIndex(row) == -2) return false;
    out = FromRowState(FStore->ParserState(row));
    return true;
}

int TEditorScreenRows::CaretRow() const {
    return FOwner ? FOwner->Row() : 0;
}
int TEditorScreenRows::CaretCol() const {
    return FOwner ? FOwner->Col() : 0;
}

void TEditorScreenRows::SetCaretPos(int row, int col) {
    FCaretSet = true;
    FCaretRow = row;
    FCaretCol = col;
}

int TEditorScreenRows::TopRow() const {
    return FOwner ? FOwner->TopRow() : 0;
}
void TEditorScreenRows::SetTopRow(int row) {
    if (FOwner) FOwner->SetTopRow(row);
}
int TEditorScreenRows::VisibleRowCount() const {
    return FOwner ? FOwner->VisibleRows() : 0;
}
bool TEditorScreenRows::InitBracketsFull() const {
    return FOwner && FOwner->Speed().InitBracketsFull();
}

std::unique_ptr<TRowStateParser> TEditorScreenRows::CreateRowParser() {
    if (!FFountain) return nullptr;
    return CreateRowStateParser(*FFountain);
}

void TEditorScreenRows::InvalidateRow(int row) {
    Note(row, 1, 1, false);
}

void TEditorScreenRows::ListUpdated(const TUpdateInfo& info) {
    if (info.FirstRow < 0) return;
    FOffsets.Invalidate(info.FirstRow - 1);
    Note(info.FirstRow, info.OldRowCount, info.NewRowCount, info.Merged);
    if (!FOwnEdit && FOwner) FOwner->RowsChangedElsewhere(); // the partner of a split page
}

void TEditorScreenRows::RowsAppended(int first) {
    FOffsets.Invalidate(first - 1);
    if (FOwner) FOwner->RowsAppended(first);
}

void TEditorScreenRows::RowsRewrapping() {
    if (!FOwner) return;
    FOwner->KeepTextPlaces();
    FPlacesKept = true;
}

void TEditorScreenRows::ListReset() {
    FOffsets.Invalidate(0);
    if (FRebuilding) ++FRewraps;
    Note(0, 0, FStore->Count(), true);
    if (!FOwnEdit && FOwner) FOwner->RowsChangedElsewhere();
    if (FPlacesKept && FOwner) FOwner->RestoreTextPlaces();
    FPlacesKept = false;
}
