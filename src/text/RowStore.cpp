// TEditorScreenStrings: rows, logical lines, UpdateList and row marks.
#include "text/RowStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

TEditorScreenStrings::TEditorScreenStrings() {
    RebuildSettings();
}

TEditorScreenStrings::~TEditorScreenStrings() {
    if (sliceQueued_) *sliceQueued_ = nullptr;
    DropRewrap();
}

// ---- views ----

void TEditorScreenStrings::Attach(TRowStoreView* v) {
    if (v && !FindView(v)) views_.push_back({v, 0, nullptr});
}

void TEditorScreenStrings::Detach(TRowStoreView* v) {
    std::erase_if(views_, [v](const TViewEntry& e) { return e.View == v; });
}

TEditorScreenStrings::TViewEntry* TEditorScreenStrings::FindView(const TRowStoreView* v) {
    for (TViewEntry& e : views_)
        if (e.View == v) return &e;
    return nullptr;
}

void TEditorScreenStrings::SetParseBound(const TRowStoreView* v, int lastRow) {
    if (TViewEntry* e = FindView(v)) e->ParseBound = lastRow;
}

void TEditorScreenStrings::SetViewParser(const TRowStoreView* v,
                                         std::function<std::unique_ptr<TRowStateParser>()> p) {
    if (TViewEntry* e = FindView(v)) e->Parser = std::move(p);
}

void ExchangeList(std::shared_ptr<TEditorScreenStrings>& mine, TRowStoreView* me,
                  const std::shared_ptr<TEditorScreenStrings>& other) {
    if (!other || mine == other) return;
    if (mine) mine->Detach(me);
    mine = other; // the old store is freed with its last view
    mine->Attach(me);
}

// ---- change log ----

void TEditorScreenStrings::Log(const TRowChange& c, bool wake) {
    log_.push_back(c);
    if (log_.size() > LogMax) {
        log_.pop_front();
        ++logBase_;
    }
    if (wake) WakeViews();
}

// A view may detach another one while it is told (a split page closed): the list is copied.
void TEditorScreenStrings::WakeViews() {
    std::vector<TRowStoreView*> views;
    views.reserve(views_.size());
    for (const TViewEntry& e : views_)
        views.push_back(e.View);
    for (TRowStoreView* v : views)
        if (FindView(v)) v->RowsChanged();
}

std::vector<TRowChange> TEditorScreenStrings::ChangesSince(uint64_t rev) const {
    if (rev >= Revision()) return {};
    if (rev < logBase_) return {TRowChange{TRowChange::ckRows, 0, 0, Count(), true}};
    return std::vector<TRowChange>(log_.begin() + static_cast<std::ptrdiff_t>(rev - logBase_),
                                   log_.end());
}

// ---- options ----

void TEditorScreenStrings::RebuildSettings() {
    settings_ = TWrapSettings(wrapOption_, wordWrap_, tabSpaceCount_);
    // A load in the background cuts the rest with them; the rows it has are rebuilt here.
    if (load_) load_->SetWrap(CutSettings(loadLineEnd_));
}

// The views note their places while the rows still follow the old settings.
void TEditorScreenStrings::RewrapRows(bool wrap) {
    if (PostToOwnThread && !load_ && Count() > 0 && TextLength() >= BackgroundRewrapBytes &&
        StartRewrap())
        return;
    Log({TRowChange::ckRewrapping}, true);
    RebuildSettings();
    undo_.Clear();
    Rebuild(wrap);
    InitBrackets();
    AfterRebuild();
}

// Without word wrap the wrap options and the tab width change no row; with it they do, as the
// switch itself does. A re-wrap still running is for settings no longer wanted.
void TEditorScreenStrings::WrapChanged() {
    DropRewrap();
    const bool same =
        settings_.WordWrap == wordWrap_ &&
        (!wordWrap_ || (static_cast<const TEditorWrapOption&>(settings_) == wrapOption_ &&
                        settings_.TabSpaceCount == tabSpaceCount_));
    if (same || loading_) return RebuildSettings();
    RewrapRows(wordWrap_);
}

void TEditorScreenStrings::SetWrapOption(const TEditorWrapOption& o) {
    TEditorWrapOption v = o;
    v.SetWrapByte(o.WrapByte);
    if (v == wrapOption_) return;
    wrapOption_ = std::move(v);
    WrapChanged();
}

void TEditorScreenStrings::SetWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    WrapChanged();
}

void TEditorScreenStrings::SetTabSpaceCount(int v) {
    v = NormalizeTabSpaceCount(v);
    if (v == tabSpaceCount_) return;
    tabSpaceCount_ = v;
    WrapChanged(); // tab stops move the wrap points as the wrap options do
}

// The views refresh everything and keep their view within the rows.
void TEditorScreenStrings::AfterRebuild() {
    Log({TRowChange::ckReset, 0, 0, Count()}, true);
}

// ---- row access ----

void TEditorScreenStrings::CheckRow(int r) const {
    CheckListIndex(r, Count());
}

std::string_view TEditorScreenStrings::RowText(int r) const {
    CheckRow(r);
    return rows_.At(r).Text();
}

uint32_t TEditorScreenStrings::DataA(int r) const {
    CheckRow(r);
    uint32_t a = rows_.At(r).A;
    return r >= parseValid_ ? (a & 3u) : a;
}

uint32_t TEditorScreenStrings::DataB(int r) const {
    CheckRow(r);
    uint32_t b = rows_.At(r).B;
    return r >= parseValid_ ? (b & 0xFFFF0000u) : b;
}

std::string_view TEditorScreenStrings::DataStr(int r) const {
    CheckRow(r);
    return r >= parseValid_ ? std::string_view() : rows_.DataStr(r);
}

int TEditorScreenStrings::BracketIndex(int r) const {
    return RowData::BracketIndex(DataA(r));
}

TRowParserState TEditorScreenStrings::ParserState(int r) const {
    return RowData::ParserState(DataA(r), DataB(r), DataStr(r));
}

// ---- marks ----

void TEditorScreenStrings::RecountMarks() {
    TRowMarks m = 0;
    for (int r = 0, n = Count(); r < n && m != 0xFFFF; ++r)
        m |= RowData::Marks(rows_.At(r).B);
    marksInList_ = m;
}

void TEditorScreenStrings::RemoveMarksFromSummary(TRowMarks m) {
    if (m & marksInList_) RecountMarks();
}

void TEditorScreenStrings::SetListRowMarks(int r, TRowMarks m) {
    CheckRow(r);
    NoteRewrapEdit(r, r);
    TRowMarks old = RowData::Marks(rows_.At(r).B);
    rows_.SetB(r, RowData::WithMarks(rows_.At(r).B, m));
    marksInList_ |= m;
    if (old & ~m) RemoveMarksFromSummary(old & ~m);
}

void TEditorScreenStrings::PutRowMark(int r, TRowMark m) {
    if (r < 0 || r >= Count()) return;
    NoteRewrapEdit(r, r);
    if (m <= rm9) {
        int old = RowOfMark(m);
        if (old >= 0 && old != r) {
            NoteRewrapEdit(old, old);
            TRowMarks om = RowData::Marks(rows_.At(old).B) & ~RowMarkBit(m);
            rows_.SetB(old, RowData::WithMarks(rows_.At(old).B, om));
        }
    }
    rows_.SetB(r, RowData::WithMarks(rows_.At(r).B, RowData::Marks(rows_.At(r).B) | RowMarkBit(m)));
    marksInList_ |= RowMarkBit(m);
}

void TEditorScreenStrings::DeleteRowMark(int r, TRowMark m) {
    if (r < 0 || r >= Count()) return;
    SetListRowMarks(r, ListRowMarks(r) & ~RowMarkBit(m));
}

int TEditorScreenStrings::RowOfMark(TRowMark m) const {
    if (!(marksInList_ & RowMarkBit(m))) return -1;
    for (int r = 0, n = Count(); r < n; ++r)
        if (RowData::Marks(rows_.At(r).B) & RowMarkBit(m)) return r;
    return -1;
}

// ---- logical lines ----

int TEditorScreenStrings::LineCount() const {
    int n = Count();
    return rows_.LineEnds() + (n > 0 && RowEndKind(n - 1) == reWrapped ? 1 : 0);
}

int TEditorScreenStrings::LineToRow(int line) const {
    if (line <= 0) return 0;
    if (line - 1 >= rows_.LineEnds()) return Count();
    return rows_.RowOfLineEnd(line - 1) + 1;
}

int TEditorScreenStrings::RowToLine(int row) const {
    return rows_.LineEndsBefore(row);
}

int TEditorScreenStrings::RowStart(int r) const {
    if (r <= 0) return 0;
    if (r >= Count()) return Count();
    return LineToRow(RowToLine(r));
}

int TEditorScreenStrings::RowEnd(int r) const {
    if (r < 0) return -1;
    int n = Count();
    if (r >= n) return n - 1;
    int line = RowToLine(r);
    if (line < rows_.LineEnds()) return rows_.RowOfLineEnd(line);
    return n - 1;
}

int64_t TEditorScreenStrings::TextPos(int r) const {
    return rows_.BytesBefore(r);
}
int TEditorScreenStrings::RowOfTextPos(int64_t pos) const {
    return rows_.RowOfByte(pos);
}
int64_t TEditorScreenStrings::TextLength() const {
    return rows_.Bytes();
}

// ---- text ----

std::string TEditorScreenStrings::RowsText(int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first > last) return {};
    int64_t len = rows_.BytesBefore(last + 1) - rows_.BytesBefore(first);
    std::string s;
    s.reserve(static_cast<size_t>(len)); // appended, not cleared first
    for (int r = first; r <= last; ++r) {
        const TRowRec rec = rows_.At(r);
        s.append(rec.P ? rec.P : "", rec.Len);
        if (RowData::RowEnd(rec.A) == reLineEnd) s.append("\r\n", 2);
    }
    return s;
}

std::vector<uint64_t> TEditorScreenStrings::RowsLayout(int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    std::vector<uint64_t> v;
    for (int r = first; r <= last; ++r) {
        const TRowRec rec = rows_.At(r);
        v.push_back(static_cast<uint64_t>(rec.Len) << 2 | RowData::RowEnd(rec.A) |
                    uint64_t{rec.Eol} << TUndoData::LayoutEolShift);
    }
    return v;
}

std::string TEditorScreenStrings::Text() const {
    FinishLoadForReader();
    return RowsText(0, Count() - 1);
}

// ---- updates ----

void TEditorScreenStrings::BeginUpdate() {
    ++updateCount_;
}

void TEditorScreenStrings::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    // The rows a background load appends point into its buffer: the arena keeps it until then.
    // A re-wrap running elsewhere makes rows that point into the texts as they are.
    if (!load_ && !rewrap_) rows_.MaybeCompact();
    if (updateInfo_.FirstRow < 0 && !updateInfo_.TextChanged) return;
    const TUpdateInfo info = updateInfo_;
    updateInfo_ = TUpdateInfo();
    if (info.FirstRow < 0) return;
    Log({TRowChange::ckRows, info.FirstRow, info.OldRowCount, info.NewRowCount, info.Merged}, true);
}

void TEditorScreenStrings::RecordUpdate(int first, int oldRows, int newRows, int lastParsed,
                                        int parsed) {
    TUpdateInfo& u = updateInfo_;
    if (u.FirstRow >= 0) {
        u.Merged = true;
        u.FirstRow = std::min(u.FirstRow, first);
    } else {
        u.FirstRow = first;
    }
    u.OldRowCount = oldRows;
    u.NewRowCount = newRows;
    u.LastParsedRow = lastParsed;
    u.ParsedRows += parsed;
    u.TextChanged = true;
}
