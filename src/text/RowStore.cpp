// TEditorScreenStrings: rows, logical lines, UpdateList and row marks.
#include "text/RowStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

TEditorScreenStrings::TEditorScreenStrings() {
    RebuildSettings();
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

// ---- editors ----

void TEditorScreenStrings::Attach(TScreenStringsClient* c) {
    if (c && std::find(FClients.begin(), FClients.end(), c) == FClients.end())
        FClients.push_back(c);
}

void TEditorScreenStrings::Detach(TScreenStringsClient* c) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), c), FClients.end());
}

TScreenStringsClient* TEditorScreenStrings::ActiveEditor() const {
    for (TScreenStringsClient* c : FClients)
        if (c->Focused()) return c;
    return FClients.empty() ? nullptr : FClients.front();
}

void ExchangeList(std::shared_ptr<TEditorScreenStrings>& mine, TScreenStringsClient* me,
                  const std::shared_ptr<TEditorScreenStrings>& other) {
    if (!other || mine == other) return;
    if (mine) mine->Detach(me);
    mine = other; // the old store is freed with its last editor
    mine->Attach(me);
}

// ---- options ----

void TEditorScreenStrings::RebuildSettings() {
    FSettings = TWrapSettings(FWrapOption, FWordWrap, FTabSpaceCount);
    // A load in the background cuts the rest with them; the rows it has are rebuilt here.
    if (FLoad) FLoad->SetWrap(FSettings);
}

// The clients note their places while the rows still follow the old settings.
void TEditorScreenStrings::RewrapRows(bool wrap) {
    for (TScreenStringsClient* c : FClients)
        c->RowsRewrapping();
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

// Caret and top row of every editor within the rows, caret column 0, then a full refresh.
void TEditorScreenStrings::AfterRebuild() {
    int n = Count();
    int maxRow = (n == 0 || RowEndKind(n - 1) == reLineEnd) ? n : n - 1;
    for (TScreenStringsClient* c : FClients) {
        c->SetTopRow(std::min(c->TopRow(), maxRow));
        c->SetCaretPos(std::min(c->CaretRow(), maxRow), 0);
        c->ListReset();
    }
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
        v.push_back(static_cast<uint64_t>(rec.Len) << 2 | RowData::RowEnd(rec.A));
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
    TUpdateInfo info = FUpdateInfo;
    FUpdateInfo = TUpdateInfo();
    for (TScreenStringsClient* c : FClients)
        c->ListUpdated(info);
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
