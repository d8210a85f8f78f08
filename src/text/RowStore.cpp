// TEditorScreenStrings: rows, logical lines, UpdateList and row marks.
#include "text/RowStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

TEditorScreenStrings::TEditorScreenStrings() {
    RebuildSettings();
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

// ---- views ----

void TEditorScreenStrings::Attach(TRowStoreView* v) {
    if (v && !FindView(v)) FViews.push_back({v, 0, nullptr});
}

void TEditorScreenStrings::Detach(TRowStoreView* v) {
    std::erase_if(FViews, [v](const TViewEntry& e) { return e.View == v; });
}

TEditorScreenStrings::TViewEntry* TEditorScreenStrings::FindView(const TRowStoreView* v) {
    for (TViewEntry& e : FViews)
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
    FLog.push_back(c);
    if (FLog.size() > LogMax) {
        FLog.pop_front();
        ++FLogBase;
    }
    if (wake) WakeViews();
}

// A view may detach another one while it is told (a split page closed): the list is copied.
void TEditorScreenStrings::WakeViews() {
    std::vector<TRowStoreView*> views;
    views.reserve(FViews.size());
    for (const TViewEntry& e : FViews)
        views.push_back(e.View);
    for (TRowStoreView* v : views)
        if (FindView(v)) v->RowsChanged();
}

std::vector<TRowChange> TEditorScreenStrings::ChangesSince(uint64_t rev) const {
    if (rev >= Revision()) return {};
    if (rev < FLogBase) return {TRowChange{TRowChange::ckRows, 0, 0, Count(), true}};
    return std::vector<TRowChange>(FLog.begin() + static_cast<std::ptrdiff_t>(rev - FLogBase),
                                   FLog.end());
}

// ---- options ----

void TEditorScreenStrings::RebuildSettings() {
    FSettings = TWrapSettings(FWrapOption, FWordWrap, FTabSpaceCount);
    // A load in the background cuts the rest with them; the rows it has are rebuilt here.
    if (FLoad) FLoad->SetWrap(CutSettings(FLoadLineEnd));
}

// The views note their places while the rows still follow the old settings.
void TEditorScreenStrings::RewrapRows(bool wrap) {
    Log({TRowChange::ckRewrapping}, true);
    RebuildSettings();
    FUndo.Clear();
    Rebuild(wrap);
    InitBrackets();
    AfterRebuild();
}

void TEditorScreenStrings::WrapOptionChanged() {
    if (!FWordWrap || FLoading) return RebuildSettings();
    RewrapRows(true);
}

void TEditorScreenStrings::SetWrapOption(const TEditorWrapOption& o) {
    TEditorWrapOption v = o;
    v.SetWrapByte(o.WrapByte);
    if (v == FWrapOption) return;
    FWrapOption = std::move(v);
    WrapOptionChanged();
}

void TEditorScreenStrings::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    if (FLoading) return RebuildSettings();
    RewrapRows(v);
}

void TEditorScreenStrings::SetTabSpaceCount(int v) {
    v = NormalizeTabSpaceCount(v);
    if (v == FTabSpaceCount) return;
    FTabSpaceCount = v;
    WrapOptionChanged(); // tab stops move the wrap points as the wrap options do
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
    return FRows.At(r).Text();
}

uint32_t TEditorScreenStrings::DataA(int r) const {
    CheckRow(r);
    uint32_t a = FRows.At(r).A;
    return r >= FParseValid ? (a & 3u) : a;
}

uint32_t TEditorScreenStrings::DataB(int r) const {
    CheckRow(r);
    uint32_t b = FRows.At(r).B;
    return r >= FParseValid ? (b & 0xFFFF0000u) : b;
}

std::string_view TEditorScreenStrings::DataStr(int r) const {
    CheckRow(r);
    return r >= FParseValid ? std::string_view() : FRows.DataStr(r);
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
        m |= RowData::Marks(FRows.At(r).B);
    FMarksInList = m;
}

void TEditorScreenStrings::RemoveMarksFromSummary(TRowMarks m) {
    if (m & FMarksInList) RecountMarks();
}

void TEditorScreenStrings::SetListRowMarks(int r, TRowMarks m) {
    CheckRow(r);
    TRowMarks old = RowData::Marks(FRows.At(r).B);
    FRows.SetB(r, RowData::WithMarks(FRows.At(r).B, m));
    FMarksInList |= m;
    if (old & ~m) RemoveMarksFromSummary(old & ~m);
}

void TEditorScreenStrings::PutRowMark(int r, TRowMark m) {
    if (r < 0 || r >= Count()) return;
    if (m <= rm9) {
        int old = RowOfMark(m);
        if (old >= 0 && old != r) {
            TRowMarks om = RowData::Marks(FRows.At(old).B) & ~RowMarkBit(m);
            FRows.SetB(old, RowData::WithMarks(FRows.At(old).B, om));
        }
    }
    FRows.SetB(r, RowData::WithMarks(FRows.At(r).B, RowData::Marks(FRows.At(r).B) | RowMarkBit(m)));
    FMarksInList |= RowMarkBit(m);
}

void TEditorScreenStrings::DeleteRowMark(int r, TRowMark m) {
    if (r < 0 || r >= Count()) return;
    SetListRowMarks(r, ListRowMarks(r) & ~RowMarkBit(m));
}

int TEditorScreenStrings::RowOfMark(TRowMark m) const {
    if (!(FMarksInList & RowMarkBit(m))) return -1;
    for (int r = 0, n = Count(); r < n; ++r)
        if (RowData::Marks(FRows.At(r).B) & RowMarkBit(m)) return r;
    return -1;
}

// ---- logical lines ----

int TEditorScreenStrings::LineCount() const {
    int n = Count();
    return FRows.LineEnds() + (n > 0 && RowEndKind(n - 1) == reWrapped ? 1 : 0);
}

int TEditorScreenStrings::LineToRow(int line) const {
    if (line <= 0) return 0;
    if (line - 1 >= FRows.LineEnds()) return Count();
    return FRows.RowOfLineEnd(line - 1) + 1;
}

int TEditorScreenStrings::RowToLine(int row) const {
    return FRows.LineEndsBefore(row);
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
    if (line < FRows.LineEnds()) return FRows.RowOfLineEnd(line);
    return n - 1;
}

int64_t TEditorScreenStrings::TextPos(int r) const {
    return FRows.BytesBefore(r);
}
int TEditorScreenStrings::RowOfTextPos(int64_t pos) const {
    return FRows.RowOfByte(pos);
}
int64_t TEditorScreenStrings::TextLength() const {
    return FRows.Bytes();
}

// ---- text ----

std::string TEditorScreenStrings::RowsText(int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first > last) return {};
    int64_t len = FRows.BytesBefore(last + 1) - FRows.BytesBefore(first);
    std::string s;
    s.reserve(static_cast<size_t>(len)); // appended, not cleared first
    for (int r = first; r <= last; ++r) {
        const TRowRec rec = FRows.At(r);
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
        const TRowRec rec = FRows.At(r);
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
    ++FUpdateCount;
}

void TEditorScreenStrings::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    // The rows a background load appends point into its buffer: the arena keeps it until then.
    if (!FLoad) FRows.MaybeCompact();
    if (FUpdateInfo.FirstRow < 0 && !FUpdateInfo.TextChanged) return;
    const TUpdateInfo info = FUpdateInfo;
    FUpdateInfo = TUpdateInfo();
    if (info.FirstRow < 0) return;
    Log({TRowChange::ckRows, info.FirstRow, info.OldRowCount, info.NewRowCount, info.Merged}, true);
}

void TEditorScreenStrings::RecordUpdate(int first, int oldRows, int newRows, int lastParsed,
                                        int parsed) {
    TUpdateInfo& u = FUpdateInfo;
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
