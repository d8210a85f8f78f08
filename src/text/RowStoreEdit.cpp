// TEditorScreenStrings: the replacement primitive UpdateList with its row-mark rules,
// loading, Text, re-wrap and un-wrap.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

#include "platform/AtomicFile.h"
#include "text/EndOfFileMark.h"
#include "text/RowCut.h"
#include "text/RowStore.h"

EFileError::EFileError(const std::string& fileName, const std::string& what, int err)
    : std::runtime_error("ファイル \"" + fileName + "\" " + what + "\r\n" + std::strerror(err)) {}

namespace {
bool EndsWithLineEnd(std::string_view s) {
    return !s.empty() && (s.back() == '\n' || s.back() == '\r');
}
} // namespace

// ---- replacing rows ----

void TEditorScreenStrings::ApplyRows(int index, int count, std::vector<TRowRec>& recs,
                                     bool marksFollow) {
    NoteRewrapEdit(index, index + count - 1);
    const int newN = static_cast<int>(recs.size());
    // Marks of the replaced rows, aligned at the bottom of the range.
    if (count > 0) {
        std::vector<TRowMarks> old(static_cast<size_t>(count));
        TRowMarks any = 0;
        for (int k = 0; k < count; ++k)
            any |= old[static_cast<size_t>(k)] = RowData::Marks(rows_.At(index + k).B);
        if (any) {
            std::vector<TRowMarks> nm(static_cast<size_t>(newN), 0);
            if (newN == count) {
                for (int k = 0; k < count; ++k)
                    nm[static_cast<size_t>(k)] = old[static_cast<size_t>(k)];
            } else if (newN < count) {
                int removed = count - newN;
                TRowMarks gone = 0;
                for (int k = 0; k < removed; ++k)
                    gone |= old[static_cast<size_t>(k)];
                for (int j = 0; j < newN; ++j)
                    nm[static_cast<size_t>(j)] = old[static_cast<size_t>(removed + j)];
                if (newN > 0) nm[0] |= gone;
            } else {
                int extra = newN - count;
                for (int k = 1; k < count; ++k)
                    nm[static_cast<size_t>(k + extra)] |= old[static_cast<size_t>(k)];
                nm[static_cast<size_t>(marksFollow ? extra : 0)] |= old[0];
            }
            for (int j = 0; j < newN; ++j)
                recs[static_cast<size_t>(j)].B = RowData::WithMarks(
                    recs[static_cast<size_t>(j)].B,
                    RowData::Marks(recs[static_cast<size_t>(j)].B) | nm[static_cast<size_t>(j)]);
            if (newN == 0 && count > 0) {
                rows_.Erase(index, count);
                RemoveMarksFromSummary(any);
                count = 0;
            }
        }
    }
    rows_.Erase(index, count);
    rows_.Insert(index, recs.data(), newN);
    for (const TRowRec& r : recs)
        marksInList_ |= RowData::Marks(r.B);
    if (parseValid_ > index) parseValid_ = std::max(index, parseValid_ + newN - count);
}

void TEditorScreenStrings::ChangeRows(int index, int count, std::string_view text,
                                      const std::vector<TWrapRow>& rows,
                                      const std::vector<uint8_t>* eols, bool marksFollow) {
    const char* base = rows_.StoreText(text);
    std::vector<TRowRec> recs(rows.size());
    for (size_t j = 0; j < rows.size(); ++j) {
        recs[j].P = rows[j].Length ? base + rows[j].Start : nullptr;
        recs[j].Len = rows[j].Length;
        recs[j].A = RowData::WithRowEnd(0, rows[j].RowEnd);
        if (eols && j < eols->size() && rows[j].RowEnd == reLineEnd) recs[j].Eol = (*eols)[j];
    }
    ApplyRows(index, count, recs, marksFollow);
}

void TEditorScreenStrings::DeleteRows(int index, int count) {
    if (count <= 0) return;
    if (index < 0 || index + count > Count()) throw EListError(index);
    NoteRewrapEdit(index, index + count - 1);
    TRowMarks gone = 0;
    for (int k = 0; k < count; ++k)
        gone |= RowData::Marks(rows_.At(index + k).B);
    rows_.Erase(index, count);
    if (parseValid_ > index) parseValid_ = std::max(index, parseValid_ - count);
    if (!gone) return;
    int n = Count();
    if (n == 0) {
        RemoveMarksFromSummary(gone);
        return;
    }
    int to = index < n ? index : n - 1;
    rows_.SetB(to, RowData::WithMarks(rows_.At(to).B, RowData::Marks(rows_.At(to).B) | gone));
}

// ---- undo records ----

TUndoData TEditorScreenStrings::NewUndoRecord(int first, int last, TCaretPos caret) const {
    TUndoData u;
    u.CaretRow = caret.Row;
    u.CaretCol = caret.Col;
    u.StartRow = first;
    if (first <= last) {
        u.Text = RowsText(first, last);
        u.Layout = RowsLayout(first, last);
        u.LastRowEnd = RowEndKind(last);
    } else {
        u.LastRowEnd = NoOldRowEnd;
    }
    return u;
}

std::optional<TCaretPos> TEditorScreenStrings::Undo(TCaretPos caret) {
    if (!undo_.CanUndo()) return std::nullopt;
    return Replay(undo_.TakeUndo(), false, caret);
}

std::optional<TCaretPos> TEditorScreenStrings::Redo(TCaretPos caret) {
    if (!undo_.CanRedo()) return std::nullopt;
    return Replay(undo_.TakeRedo(), true, caret);
}

// A record's old text replaces the rows the change produced; the rows as they are now become
// the inverse record on the other stack, with the caret the undo is given.
TCaretPos TEditorScreenStrings::Replay(TUndoData r, bool redo, TCaretPos caret) {
    const int n = Count();
    const int start = std::clamp(r.StartRow, 0, n);
    const int count = std::clamp(r.RowCount, 0, n - start);

    BeginUpdate();
    TUndoData inv = NewUndoRecord(start, start + count - 1, caret);
    int newRows = 0;
    if (r.LastRowEnd != NoOldRowEnd) {
        std::vector<TWrapRow> rows;
        std::vector<uint8_t> eols;
        if (!r.LayoutRows(rows, &eols)) {
            rows.clear();
            eols.clear();
            StrToWrapList(r.Text, settings_, rows);
            if (r.LastRowEnd == reWrapped && rows.size() > 1 && rows.back().Length == 0)
                rows.pop_back();
        }
        rows.back().RowEnd = static_cast<TRowEnd>(r.LastRowEnd & 3);
        newRows = static_cast<int>(rows.size());
        ChangeRows(start, count, r.Text, rows, &eols, caret.Col == 0);
    } else {
        DeleteRows(start, count);
    }
    int parsed = InitBracketsFrom(start);
    RecordUpdate(start, count, newRows, lastParsedRow_, parsed);

    inv.RowCount = newRows;
    if (redo)
        undo_.PushRedone(std::move(inv));
    else
        undo_.PushUndone(std::move(inv));
    EndUpdate();
    return {r.CaretRow, r.CaretCol};
}

// ---- UpdateList ----

TRowPlace TEditorScreenStrings::UpdateList(int index, int count, std::string_view s,
                                           std::optional<TCaretPos> caret, size_t caretAt) {
    // A change that reaches the last loaded line may join it with the lines still being read.
    if (load_ && (Count() == 0 || index + count + 1 >= RowStart(Count() - 1))) FinishLoad();
    const int n = Count();
    const TCaretPos given = caret.value_or(TCaretPos{});
    if (index < 0 || count < 0 || index + count - 1 > n - 1 || (count == 0 && s.empty()))
        return {std::clamp(index, 0, n), 0};
    if (caretAt > s.size()) caretAt = s.size();
    BeginUpdate();
    const int L = index + count - 1;
    // First row of the line at `index`; past the end it is the end, unless the last row has no
    // line end (then the new text joins the last line).
    int startRow = (index < n)                                 ? RowStart(index)
                   : (n > 0 && RowEndKind(n - 1) != reLineEnd) ? RowStart(n - 1)
                                                               : n;
    const int B = std::max(startRow, index - 1);
    int E = RowEnd(L);

    if (index == B && E == L && s.empty() && count > 0) {
        // Whole lines are deleted.
        TUndoData u = NewUndoRecord(index, L, given);
        u.RowCount = 0;
        undo_.Push(std::move(u));
        DeleteRows(index, count);
        int parsed = InitBracketsFrom(index);
        RecordUpdate(index, count, 0, lastParsedRow_, parsed);
        EndUpdate();
        return PlaceOf(index, 0);
    }

    TRowEnd re;
    if (L < E) {
        re = RowEndKind(E);
    } else if (E == n - 1) {
        re = EndsWithLineEnd(s) ? reLineEnd : reTextEnd;
    } else {
        E = RowEnd(E + 1); // the following line may be joined: re-wrap it too
        re = RowEndKind(E);
    }

    TUndoData u = NewUndoRecord(B, E, given);
    std::string text = RowsText(B, index - 1);
    const size_t place = text.size() + caretAt;
    text.append(s);
    text += RowsText(L + 1, E);
    std::vector<TWrapRow> rows;
    StrToWrapList(text, settings_, rows);
    rows.back().RowEnd = re;
    const std::vector<uint8_t> eols = KeptLineEnds(B, E, u.Text, text, rows);
    u.RowCount = static_cast<int>(rows.size());
    undo_.Push(std::move(u));

    // The state at the start of row B follows from the rows above it, which stay as they are:
    // when it was computed it is kept, and the walk needs no parse of the row above.
    std::optional<TRowParserState> kept;
    if (B < parseValid_ && !loading_) kept = ParserState(B);
    int oldRows = std::max(E - B + 1, 0);
    ChangeRows(B, oldRows, text, rows, &eols, caret && caret->Col == 0);
    int parsed = InitBracketsFrom(B, kept ? &*kept : nullptr);
    RecordUpdate(B, oldRows, static_cast<int>(rows.size()), lastParsedRow_, parsed);
    EndUpdate();
    return PlaceOf(B, place);
}

// Rows are walked from `first`; a place at a wrapped row's end belongs to the next row.
TRowPlace TEditorScreenStrings::PlaceOf(int first, size_t at) const {
    const int n = Count();
    int64_t pos = static_cast<int64_t>(at);
    for (int row = first; row < n; ++row) {
        const TRowRec rec = rows_.At(row);
        const TRowEnd end = RowData::RowEnd(rec.A);
        if (pos < rec.Len || (pos == rec.Len && end != reWrapped))
            return {row, static_cast<int>(pos)};
        pos -= rec.Len + (end == reLineEnd ? 2 : 0);
    }
    return {n, 0};
}

std::vector<uint8_t> TEditorScreenStrings::KeptLineEnds(int B, int E, std::string_view old,
                                                        std::string_view text,
                                                        const std::vector<TWrapRow>& rows) const {
    // The old line ends of their own, by their place in old (where "\r\n" stands for each).
    std::vector<std::pair<size_t, uint8_t>> own;
    size_t pos = 0;
    for (int r = B; r <= E; ++r) {
        const TRowRec rec = rows_.At(r);
        pos += rec.Len;
        if (RowData::RowEnd(rec.A) != reLineEnd) continue;
        if (rec.Eol) own.push_back({pos, rec.Eol});
        pos += 2;
    }
    if (own.empty()) return {};
    // What the change left alone: the common head and tail of the two texts.
    const size_t most = std::min(old.size(), text.size());
    size_t head = 0;
    while (head < most && old[head] == text[head])
        ++head;
    size_t tail = 0;
    while (tail < most - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    std::vector<uint8_t> eols(rows.size(), leUsual);
    for (size_t j = 0; j < rows.size(); ++j) {
        if (rows[j].RowEnd != reLineEnd) continue;
        const size_t q = rows[j].Start + rows[j].Length;
        if (q >= text.size()) continue;
        const size_t sep = text.compare(q, 2, "\r\n") == 0 ? 2 : 1;
        size_t at;
        if (q + sep <= head)
            at = q;
        else if (q >= text.size() - tail)
            at = q - text.size() + old.size();
        else
            continue;
        const auto it = std::lower_bound(own.begin(), own.end(), std::make_pair(at, uint8_t{0}));
        if (it != own.end() && it->first == at) eols[j] = it->second;
    }
    return eols;
}

// ---- whole text ----

void TEditorScreenStrings::Clear() {
    CancelLoad();
    if (rewrap_) {
        DropRewrap();
        RebuildSettings(); // the next text is cut as asked
    }
    BeginUpdate();
    int old = Count();
    rows_.Clear();
    undo_.Clear();
    marksInList_ = 0;
    parseValid_ = 0;
    parseWanted_ = -1;
    RecordUpdate(0, old, 0, -1, 0);
    EndUpdate();
}

// The rows of chunk[0..n) replace the text; the chunk becomes the arena's. When the rows cannot be
// made (ETextTooLarge) the store is left as it was.
void TEditorScreenStrings::LoadRows(std::shared_ptr<char[]> chunk, size_t n, uint8_t lineEnd) {
    std::vector<TRowBlock> blocks = CutRows(chunk.get(), n, CutSettings(lineEnd), LoadThreads);
    InstallRows(std::move(chunk), n, std::move(blocks));
}

void TEditorScreenStrings::InstallRows(std::shared_ptr<char[]> chunk, size_t n,
                                       std::vector<TRowBlock> blocks) {
    BeginUpdate();
    Clear();
    if (n) {
        rows_.AddChunk(std::move(chunk), n);
        rows_.AppendBlocks(std::move(blocks));
    }
    InitBrackets();
    RecordUpdate(0, 0, Count(), lastParsedRow_, 0);
    EndUpdate();
    AfterRebuild();
}

// ---- background load ----

void TEditorScreenStrings::BeginLoad(std::unique_ptr<TBackgroundLoad> load,
                                     std::function<void()> wake) {
    BeginUpdate();
    Clear();
    rows_.AddChunk(load->Buffer(), load->FileSize());
    loadLineEnds_ = TLineEndCounts();
    loadTableFull_ = false;
    loadLineEnd_ = TakeNextLineEnd();
    load->Start(CutSettings(loadLineEnd_), std::move(wake), LoadThreads);
    load_ = std::move(load);
    TLoadPiece head;
    if (load_->Take(&head)) {
        giveLoadCodes(head);
        rows_.AppendBlocks(std::move(head.Blocks));
        loadLineEnds_ = head.LineEnds;
    }
    InitBrackets();
    RecordUpdate(0, 0, Count(), lastParsedRow_, 0);
    EndUpdate();
    AfterRebuild();
}

int TEditorScreenStrings::AppendLoaded() {
    if (!load_) return 0;
    const int first = Count();
    TLoadPiece piece;
    while (load_->Take(&piece)) {
        // Cut before the wrap settings changed: cut again (a piece or two at most).
        if (piece.Generation != load_->Generation())
            load_->CutPiece(piece, CutSettings(loadLineEnd_), LoadThreads);
        giveLoadCodes(piece);
        rows_.AppendBlocks(std::move(piece.Blocks));
        loadLineEnds_.crlf += piece.LineEnds.crlf;
        loadLineEnds_.lf += piece.LineEnds.lf;
        loadLineEnds_.cr += piece.LineEnds.cr;
    }
    const bool ended = load_->Ended();
    std::string error;
    if (ended) {
        error = load_->Error();
        TDecodeOutcome outcome = load_->Outcome();
        outcome.full = outcome.full || loadTableFull_;
        if (charTable_ && outcome.extended) charTable_->SetExtendedCodes(true);
        if (error.empty() && charTable_) error = ReadOnlyReason(outcome, load_->Encoding());
        load_.reset();
    }
    if (Count() > first) Log({TRowChange::ckAppended, first, 0, Count() - first}, true);
    if (ended) {
        BeginUpdate(); // the arena may be compacted now
        EndUpdate();
        if (OnLoadEnd) OnLoadEnd(loadLineEnds_, error);
    }
    return Count() - first;
}

void TEditorScreenStrings::giveLoadCodes(const TLoadPiece& piece) {
    if (piece.Codes.empty() || !charTable_) return;
    if (!GiveCodes(piece.Codes, *charTable_, load_->Buffer().get())) loadTableFull_ = true;
}

void TEditorScreenStrings::FinishLoad() {
    while (load_) {
        load_->WaitForPiece();
        AppendLoaded();
    }
}

void TEditorScreenStrings::CancelLoad() {
    if (!load_) return;
    load_->Cancel();
    load_.reset();
}

void TEditorScreenStrings::LeaveLoad() {
    if (!load_) return;
    if (views_.size() > 1)
        FinishLoad();
    else
        CancelLoad();
}

void TEditorScreenStrings::LoadFromBuffer(std::unique_ptr<char[]> buf, size_t n) {
    n = TextLengthBeforeEofMark(std::string_view(buf.get(), n));
    LoadRows(std::shared_ptr<char[]>(std::move(buf)), n, TakeNextLineEnd());
}

void TEditorScreenStrings::SetText(std::string_view s) {
    TakeText(std::string(s));
}

void TEditorScreenStrings::TakeText(std::string&& s) {
    // Text keeps every byte, also 0x1A: cut rows without the end-of-file rule.
    const size_t n = s.size();
    LoadRows(TRowTable::ChunkOf(std::move(s)), n, TakeNextLineEnd());
}

void TEditorScreenStrings::LoadFromFile(const std::string& fileName) {
    const uint8_t lineEnd = TakeNextLineEnd();
    Clear();
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFileError(fileName, "を開けません。", errno);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    size_t cap = regular ? static_cast<size_t>(st.st_size) + 1 : 65536;
    std::unique_ptr<char[]> buf(new char[cap]);
    AdviseHugePages(buf.get(), cap);
    if (regular && cap > 1) {
        // Read in pieces on every core, each cut as soon as it is there. A file that is not its
        // size by the end (it changed meanwhile, or a read failed) is read again from the start
        // below, as any other file is.
        TReadCut cut;
        const size_t size = cap - 1;
        char more;
        bool whole;
        try {
            whole = ReadAndCutRows(fd, buf.get(), size, CutSettings(lineEnd), LoadThreads, &cut) &&
                    ::pread(fd, &more, 1, static_cast<off_t>(size)) == 0;
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (whole) {
            ::close(fd);
            InstallRows(std::shared_ptr<char[]>(std::move(buf)), cut.TextLength,
                        std::move(cut.Blocks));
            return;
        }
        if (::lseek(fd, 0, SEEK_SET) != 0) {
            const int err = errno;
            ::close(fd);
            throw EFileError(fileName, "を読めません。", err);
        }
    }
    size_t n = 0;
    int err = 0;
    for (;;) {
        if (n == cap) {
            size_t ncap = cap * 2;
            std::unique_ptr<char[]> nb(new char[ncap]);
            std::memcpy(nb.get(), buf.get(), n);
            buf = std::move(nb);
            cap = ncap;
        }
        ssize_t k = ::read(fd, buf.get() + n, cap - n);
        if (k < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        if (k == 0) break;
        n += static_cast<size_t>(k);
    }
    ::close(fd);
    nextLineEnd_ = lineEnd;
    LoadFromBuffer(std::move(buf), n);
    if (err) throw EFileError(fileName, "を読めません。", err);
}

// ---- re-wrap and un-wrap ----

// Every line cut into rows again on every core (RewrapRows); the rows keep pointing into the
// texts they had, lines whose rows lay apart are joined into new chunks.
void TEditorScreenStrings::Rebuild(bool wrap) {
    const int n = Count();
    if (n == 0) return;
    const TRowEnd lastEnd = RowEndKind(n - 1);
    std::vector<TRowBlock> blocks;
    std::vector<std::pair<std::shared_ptr<char[]>, size_t>> chunks;
    {
        const TRowTableSnapshot old = rows_.Snapshot(); // read-only on every thread
        blocks = ::RewrapRows(old.Blocks, wrap, settings_, lastEnd, LoadThreads, &chunks);
    }
    for (auto& [chunk, bytes] : chunks)
        rows_.AddChunk(std::move(chunk), bytes);
    rows_.AssignBlocks(std::move(blocks));
    parseValid_ = 0;
    parseWanted_ = -1;
}

// ---- re-wrap in the background ----

// A re-wrap on worker threads: the rows of a snapshot wrapped with Settings. The store's thread
// owns it; the worker only reads the snapshot and writes the results, then queues the swap.
struct TEditorScreenStrings::TRewrapJob {
    TRowTableSnapshot Old;
    TWrapSettings Settings;
    TRowEnd LastEnd = reLineEnd;
    int Threads = 0;
    std::vector<TRowBlock> Blocks;
    std::vector<std::pair<std::shared_ptr<char[]>, size_t>> Chunks;
    std::exception_ptr Error;
    std::atomic<bool> Stop{false};
    std::thread Worker;
    TEditorScreenStrings* Store = nullptr; // null once the store let it go

    ~TRewrapJob() { Cancel(); }
    void Cancel() {
        Stop = true;
        if (Worker.joinable()) Worker.join();
    }
    void Run() {
        try {
            Blocks = ::RewrapRows(Old.Blocks, Settings.WordWrap, Settings, LastEnd, Threads,
                                  &Chunks, &Stop);
        } catch (...) {
            Error = std::current_exception();
        }
    }
};

namespace {
// Rows of a text by its lines: the row after the k-th row that ends a line (0 for k < 0).
int RowAfterLineEnd(const std::vector<TRowBlock>& blocks, int k) {
    if (k < 0) return 0;
    int row = 0;
    for (const TRowBlock& b : blocks) {
        if (k >= b.LineEnds) {
            k -= b.LineEnds;
            row += static_cast<int>(b.Rows.Count());
            continue;
        }
        for (size_t j = 0; j < b.Rows.Count(); ++j)
            if (b.Rows.RowEnd(j) != reWrapped && k-- == 0) return row + static_cast<int>(j) + 1;
    }
    return row;
}

// The rows of lines that the edits during a re-wrap may have touched, in a text of `count` rows
// with `lineEnds` rows that end a line before its last row: from the row after the first `head`
// lines to the first row of the last `tail` lines (the last line counting as one whatever its
// end). rowAfter(k) is the row after the k-th row that ends a line. Empty (From > To) when the
// text has too few lines.
struct TRowSpan {
    int From = 0, To = 0;
};
template <class F> TRowSpan EditedRows(int count, int lineEnds, int head, int tail, F rowAfter) {
    TRowSpan s;
    s.From = head <= 0 ? 0 : head - 1 < lineEnds ? rowAfter(head - 1) : count + 1;
    s.To = tail <= 0 ? count : lineEnds - tail >= -1 ? rowAfter(lineEnds - tail) : -1;
    return s;
}
} // namespace

bool TEditorScreenStrings::StartRewrap() {
    DropRewrap();
    auto job = std::make_shared<TRewrapJob>();
    job->Old = rows_.Snapshot();
    job->Settings = TWrapSettings(wrapOption_, wordWrap_, tabSpaceCount_);
    job->LastEnd = RowEndKind(Count() - 1);
    job->Threads = LoadThreads;
    job->Store = this;
    rewrapHead_ = rewrapTail_ = INT_MAX;
    undo_.Clear();
    // The worker holds no owning pointer: the job always ends on this thread.
    try {
        job->Worker = std::thread(
            [j = job.get(), weak = std::weak_ptr<TRewrapJob>(job), post = PostToOwnThread] {
                j->Run();
                if (j->Stop) return; // dropped: nobody waits for it
                post([weak] {
                    if (const std::shared_ptr<TRewrapJob> done = weak.lock())
                        if (done->Store) done->Store->SwapRewrap(done);
                });
            });
    } catch (const std::system_error&) {
        return false; // no thread to be had: re-wrapped at once
    }
    rewrap_ = std::move(job);
    return true;
}

void TEditorScreenStrings::DropRewrap() {
    if (!rewrap_) return;
    rewrap_->Store = nullptr;
    rewrap_->Cancel();
    rewrap_.reset();
}

void TEditorScreenStrings::FinishRewrap() {
    if (rewrap_) SwapRewrap(rewrap_);
}

void TEditorScreenStrings::NoteRewrapEdit(int first, int last) {
    if (!rewrap_) return;
    const int n = Count();
    if (n == 0) {
        rewrapHead_ = rewrapTail_ = 0;
        return;
    }
    const int before = std::clamp(first - 1, 0, n - 1);
    const int end = RowEnd(std::clamp(last + 1, 0, n - 1));
    rewrapHead_ = std::min(rewrapHead_, RowToLine(before));
    const int inner = rows_.LineEnds() - (RowEndKind(n - 1) != reWrapped ? 1 : 0);
    rewrapTail_ =
        std::min(rewrapTail_, end >= n - 1 ? 0 : inner - rows_.LineEndsBefore(end + 1) + 1);
}

void TEditorScreenStrings::SwapRewrap(const std::shared_ptr<TRewrapJob>& held) {
    if (held != rewrap_) return;
    const std::shared_ptr<TRewrapJob> job = std::move(rewrap_);
    job->Store = nullptr;
    if (job->Worker.joinable()) job->Worker.join();
    if (job->Error) {
        // The rows keep their wrap, and the wrap asked for becomes theirs again.
        wrapOption_ = static_cast<const TEditorWrapOption&>(settings_);
        wordWrap_ = settings_.WordWrap;
        tabSpaceCount_ = settings_.TabSpaceCount;
        std::rethrow_exception(job->Error);
    }
    std::vector<TRowBlock> blocks = std::move(job->Blocks);
    std::vector<std::pair<std::shared_ptr<char[]>, size_t>> chunks = std::move(job->Chunks);
    const TWrapSettings& ws = job->Settings;
    // The lines edited meanwhile are cut again from the rows as they are now.
    const bool edited = rewrapHead_ != INT_MAX;
    TRowSpan now, made;
    std::vector<TRowRec> recut;
    if (edited) {
        const int n = Count();
        const int inner = n ? rows_.LineEnds() - (RowEndKind(n - 1) != reWrapped ? 1 : 0) : 0;
        now = EditedRows(n, inner, rewrapHead_, rewrapTail_,
                         [this](int k) { return k < 0 ? 0 : rows_.RowOfLineEnd(k) + 1; });
        int rows = 0, lineEnds = 0;
        for (const TRowBlock& b : blocks) {
            rows += static_cast<int>(b.Rows.Count());
            lineEnds += b.LineEnds;
        }
        const bool lastEnds = !blocks.empty() && blocks.back().Rows.RowEnd(
                                                     blocks.back().Rows.Count() - 1) != reWrapped;
        made = EditedRows(rows, lineEnds - (lastEnds ? 1 : 0), rewrapHead_, rewrapTail_,
                          [&](int k) { return RowAfterLineEnd(blocks, k); });
        constexpr int kMostRows = 1 << 16; // cut at once; more: the whole text again
        if (now.From > now.To || made.From > made.To || now.To - now.From > kMostRows ||
            made.To - made.From > kMostRows)
            return RewrapRows(wordWrap_);
        std::vector<std::shared_ptr<const TPackedRows>> lines;
        for (int r = now.From; r < now.To; r += TRowTable::BlockRows) {
            auto packed = std::make_shared<TPackedRows>();
            for (int k = r, e = std::min(now.To, r + TRowTable::BlockRows); k < e; ++k) {
                const TRowRec rec = rows_.At(k);
                packed->Append({rec.P, rec.Len, RowData::WithRowEnd(0, RowData::RowEnd(rec.A)),
                                RowData::WithMarks(0, RowData::Marks(rec.B)), 0, rec.Eol});
            }
            lines.push_back(std::move(packed));
        }
        const TRowEnd lastEnd = now.To == n && n ? RowEndKind(n - 1) : reLineEnd;
        if (!lines.empty())
            for (TRowBlock& b :
                 ::RewrapRows(lines, ws.WordWrap, ws, lastEnd, LoadThreads, &chunks)) {
                std::vector<TRowRec> recs = b.Rows.Unpack();
                recut.insert(recut.end(), recs.begin(), recs.end());
            }
    }
    Log({TRowChange::ckRewrapping}, true);
    RebuildSettings();
    undo_.Clear();
    for (auto& [chunk, bytes] : chunks)
        rows_.AddChunk(std::move(chunk), bytes);
    rows_.AssignBlocks(std::move(blocks));
    if (edited) {
        rows_.Erase(made.From, made.To - made.From);
        rows_.Insert(made.From, recut.data(), static_cast<int>(recut.size()));
    }
    parseValid_ = 0;
    parseWanted_ = -1;
    InitBrackets();
    AfterRebuild();
}
