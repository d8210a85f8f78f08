// TEditorScreenStrings: the screen rows of a text with their row data, the one
// replacement primitive UpdateList, wrapping, parser states, row marks and the undo history.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/BackgroundLoad.h"
#include "text/CharTable.h"
#include "text/LineBreaking.h"
#include "text/RowData.h"
#include "text/RowTable.h"
#include "text/RowView.h"
#include "text/UndoHistory.h"

// A file could not be opened or read; the message names the file and the reason.
class EFileError : public std::runtime_error {
  public:
    EFileError(const std::string& fileName, const std::string& what, int err);
};

// What changed since the outermost BeginUpdate.
struct TUpdateInfo {
    int FirstRow = -1;      // first changed row, -1 when nothing changed
    int OldRowCount = 0;    // rows of the changed range before the change
    int NewRowCount = 0;    // rows of the changed range after it
    int LastParsedRow = -1; // last row whose parser state was recomputed
    int ParsedRows = 0;     // rows whose parser state changed
    bool TextChanged = false;
    bool Merged = false; // several changes: everything from FirstRow on may have moved
};

// A caret as an edit is given it and hands it back: a row and a column of that row (the
// store keeps the column as it is given).
struct TCaretPos {
    int Row = 0, Col = 0;
    bool operator==(const TCaretPos&) const = default;
};

// A place in the rows: a row and a byte offset in it.
struct TRowPlace {
    int Row = 0, Offset = 0;
    bool operator==(const TRowPlace&) const = default;
};

// One entry of the store's change log, as a view pulls it (ChangesSince).
struct TRowChange {
    enum TKind : uint8_t {
        ckRows,       // rows FirstRow..: OldRowCount rows became NewRowCount (an outermost update)
        ckStates,     // the parser states of rows FirstRow..FirstRow+NewRowCount-1 changed
        ckReset,      // every row was rebuilt (a new text, a re-wrap): refresh everything
        ckRewrapping, // the rows are about to be wrapped anew; the text stays
        ckAppended,   // a background load appended rows FirstRow.. (nothing before them changed)
        ckParsed,     // a slice (ParseSlice) computed the states of rows FirstRow.. for painting
    };
    TKind Kind = ckRows;
    int FirstRow = -1;
    int OldRowCount = 0;
    int NewRowCount = 0;
    bool Merged = false; // ckRows of several changes: everything from FirstRow on may have moved
};

// A view of a row store (an editor). The store tells it only that its change log grew; the view
// pulls the changes since the revision it saw (ChangesSince) and asks the store nothing else.
// A view handles ckRewrapping when it is told: the rows still follow the old wrap then.
class TRowStoreView {
  public:
    virtual ~TRowStoreView() = default;
    virtual void RowsChanged() = 0;
};

class TEditorScreenStrings final : public TRowView {
  public:
    TEditorScreenStrings();
    ~TEditorScreenStrings() override;
    TEditorScreenStrings(const TEditorScreenStrings&) = delete;
    TEditorScreenStrings& operator=(const TEditorScreenStrings&) = delete;

    // Attached views; the first is the owner.
    void Attach(TRowStoreView* v);
    void Detach(TRowStoreView* v); // returns when v is not attached
    int ViewCount() const { return static_cast<int>(views_.size()); }
    // The last row a view wants parser states for after a change (its top row plus twice its
    // visible rows; INT_MAX for every row). The walks after a change stop at the largest bound of
    // the attached views; rows beyond it are parsed when painting reaches them (ParseUpTo).
    void SetParseBound(const TRowStoreView* v, int lastRow);
    // The parser of a view's colouring definition (null parses nothing); the first attached view
    // with one supplies the parser, else ParserFactory.
    void SetViewParser(const TRowStoreView* v,
                       std::function<std::unique_ptr<TRowStateParser>()> parser);

    // The change log: a revision counts the entries made so far. ChangesSince returns those after
    // rev, oldest first; a view older than the kept log gets one ckRows change of every row.
    uint64_t Revision() const { return logBase_ + log_.size(); }
    std::vector<TRowChange> ChangesSince(uint64_t rev) const;

    TEditorUndoObj& UndoObj() { return undo_; }
    const TEditorUndoObj& UndoObj() const { return undo_; }
    // Puts back the rows of the latest undo (redo) record; its inverse, with the caret given,
    // goes on the other stack. Returns the caret the record holds (where it stood before the
    // undone edit); nothing when the stack is empty.
    std::optional<TCaretPos> Undo(TCaretPos caret = {});
    std::optional<TCaretPos> Redo(TCaretPos caret = {});
    // The wrap asked for last; the rows follow WrapSettings(), which differ from it while a
    // re-wrap runs in the background (RewrapPending).
    const TEditorWrapOption& WrapOption() const { return wrapOption_; }
    // New wrap options; with word wrap on the rows are re-wrapped (undo cleared) when they differ.
    void SetWrapOption(const TEditorWrapOption& o);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v); // clears undo, re-wraps or un-wraps, recomputes parser states
    int TabSpaceCount() const { return tabSpaceCount_; }
    void SetTabSpaceCount(int v); // normalised; re-wraps like a wrap option when word wrap is on
    const TWrapSettings& WrapSettings() const { return settings_; } // the rows' settings

    // A re-wrap of a text of BackgroundRewrapBytes or more runs on worker threads when the store
    // can hand a call to its own thread (PostToOwnThread: it must only queue the call there). The
    // rows keep their wrap and take edits meanwhile; when the workers are done, the queued call
    // swaps the new rows in (ckRewrapping, then ckReset, undo cleared), with the lines edited
    // meanwhile cut again (or, after edits far apart, the re-wrap starts again from the text as
    // it is then). Another wrap change drops the running re-wrap and starts one with the newest
    // settings (none when they are the rows' again); a new text and Clear drop it, the store's
    // end stops and waits for its workers. Small texts, a store without PostToOwnThread and a
    // text still loading re-wrap at once.
    std::function<void(std::function<void()>)> PostToOwnThread;
    int64_t BackgroundRewrapBytes = int64_t{64} << 20;
    bool RewrapPending() const { return rewrap_ != nullptr; }
    // Waits for a running re-wrap and swaps its rows in (nothing when none runs).
    void FinishRewrap();
    bool Loading() const { return loading_; }
    void SetLoading(bool v) { loading_ = v; }
    // Without an attached view, parse every row (true) or none (false) in InitBrackets.
    void SetParseAllWithoutEditor(bool v) { parseAll_ = v; }
    // The document's table of characters beyond CP932 (null: a plain Shift-JIS document). The
    // store only keeps it for the editors that share the store; Clear and loading leave it.
    const std::shared_ptr<TCharTable>& CharTable() const { return charTable_; }
    void SetCharTable(std::shared_ptr<TCharTable> t) { charTable_ = std::move(t); }
    // Threads that cut a loaded text into rows; 0 uses every core.
    int LoadThreads = 0;
    // Parser used when no attached view supplies one (tests and benchmarks).
    std::function<std::unique_ptr<TRowStateParser>()> ParserFactory;

    // Rows.
    int Count() const { return rows_.Count(); }
    int RowCount() const override { return rows_.Count(); }
    std::string_view RowText(int r) const override; // valid until the next change

    TRowEnd RowEndKind(int r) const override { return RowData::RowEnd(DataA(r)); }
    int RowPieces(int first, int n, TRowPiece* out) const override {
        return rows_.Pieces(first, n, out);
    }
    int PrevRowEnd(int r) const { return RowData::PrevRowEnd(DataA(r)); }
    int BracketIndex(int r) const; // -2 for rows whose state is not computed
    TRowParserState ParserState(int r) const;

    // Row marks.
    TRowMarks ListRowMarks(int r) const { return RowData::Marks(DataB(r)); }
    void SetListRowMarks(int r, TRowMarks m);
    TRowMarks MarksInList() const { return marksInList_; }
    void PutRowMark(int r, TRowMark m); // jump marks 0..9 exist on one row at most
    void DeleteRowMark(int r, TRowMark m);
    int RowOfMark(TRowMark m) const; // first row holding m, -1 when none

    // Logical lines and positions, all O(log n).
    int LineCount() const;
    int LineToRow(int line) const; // first row of line (Count() for line == LineCount())
    int RowToLine(int row) const;
    int RowStart(int r) const; // first row of r's logical line
    int RowEnd(int r) const;   // last row of r's logical line
    // Byte position of row r's start in Text (rows before it plus 2 per reLineEnd row).
    int64_t TextPos(int r) const;
    // Row holding text position pos (the last row for positions at or past the end).
    int RowOfTextPos(int64_t pos) const;
    int64_t TextLength() const;

    // Changes. UpdateList replaces rows index..index+count-1 by s, one undo step recording
    // caret (the caret of the editor that edits; none: 0, 0). When one row becomes several, its
    // marks go with its text to the last of them if the caret stands at column 0 (a line end
    // typed before the text), else they stay on the first. Returns where a caret goes that stands
    // caretAt bytes into s (npos: after s); the row is Count() (offset 0) when the place lies past
    // the last row. Nothing changes (and the place comes
    // back as row index, offset 0) for a range outside the rows or an empty change.
    TRowPlace UpdateList(int index, int count, std::string_view s,
                         std::optional<TCaretPos> caret = std::nullopt,
                         size_t caretAt = std::string_view::npos);
    // eols (may be null): the rows' own line ends. marksFollow: see UpdateList's caret rule.
    void ChangeRows(int index, int count, std::string_view text, const std::vector<TWrapRow>& rows,
                    const std::vector<uint8_t>* eols = nullptr, bool marksFollow = false);
    void DeleteRows(int index, int count); // marks go to the following (or previous) row
    void Clear();
    std::string Text() const;
    // The text as it is now (see TRowTableSnapshot), for a reader on another thread; costs one
    // pointer per thousand rows, whatever the text's size.
    TRowTableSnapshot Snapshot() const {
        FinishLoadForReader();
        return rows_.Snapshot();
    }
    std::string RowsText(int first, int last) const; // rows first..last with CR LF after reLineEnd
    std::vector<uint64_t> RowsLayout(int first, int last) const; // see TUndoData::Layout
    void SetText(std::string_view s);
    // The same taking the bytes (the text of a file that was read): they are not copied.
    void TakeText(std::string&& s);
    // The next text taken (TakeText, LoadFromBuffer, LoadFromFile, BeginLoad) is a file's whose
    // usual line end is `usual` (TLineEndBytes): its lines that end otherwise keep their own end
    // (RowLineEnd). Without this call every line takes the usual end.
    void ExpectFileLineEnds(uint8_t usual) { nextLineEnd_ = usual; }
    // A reLineEnd row's own line end (TLineEndBytes; leUsual when it has the usual one).
    uint8_t RowLineEnd(int r) const { return rows_.At(r).Eol; }
    // Loads a file: CR, LF and CR LF end lines; a 0x1A byte with only line ends after it ends the
    // text (TextLengthBeforeEofMark). Throws EFileError.
    void LoadFromFile(const std::string& fileName);
    // The same from bytes in memory.
    void LoadFromBuffer(std::unique_ptr<char[]> buf, size_t n);

    // A large file shown while it is still being read: the rows of its head replace the text now
    // (undo cleared), the rest is appended by AppendLoaded as the load hands it over. wake is
    // called on the load's thread when a piece is ready: it must post a call to AppendLoaded to
    // this store's thread. Edits that reach the last loaded line, Text, Snapshot and a re-wrap
    // first wait for the rest (FinishLoad); Clear and a new text cancel the load.
    void BeginLoad(std::unique_ptr<TBackgroundLoad> load, std::function<void()> wake);
    bool LoadPending() const { return load_ != nullptr; }
    // Appends the pieces that are ready; at the load's end calls OnLoadEnd. Returns rows added.
    int AppendLoaded();
    // Waits for the rest of the file and appends it.
    void FinishLoad();
    // Stops a background load: the rows read so far stay (for a store that is going away).
    void CancelLoad();
    // The client that started a pending load goes away, and with it the load's wake-up: a store
    // other clients keep (the other half of a split page) is read to its end first; a store left
    // alone stops its load.
    void LeaveLoad();
    // Bytes of the file read so far and its size (0, 0 when no load is pending).
    size_t LoadedBytes() const { return load_ ? load_->BytesRead() : 0; }
    size_t LoadSize() const { return load_ ? load_->FileSize() : 0; }
    // The end of a background load: the line ends of the whole text, and why the file could not
    // be read whole ("path: reason"; empty when it was).
    std::function<void(const TLineEndCounts&, const std::string& error)> OnLoadEnd;

    // Parser states.
    void InitBrackets(); // full walk (resets every row first)
    // The incremental walk after a change; returns the rows whose state changed. `start` is the
    // state at the start of `row` when the caller knows it.
    int InitBracketsFrom(int row, const TRowParserState* start = nullptr);
    void ParseUpTo(int row);                        // compute states up to row (painting)
    int ParsedLimit() const { return parseValid_; } // rows from here on are not computed
    // Painting far below the computed rows (more than SyncParseBytes of text between them) does
    // not wait for the walk: the view shows the row with a state guessed from the rows just
    // above it and asks for it with WantParsed. The rows up to it are then walked in slices of
    // ParseSliceBytes, each one a call this store's thread runs when it has nothing else to do
    // (RunWhenIdle), so keys and painting come first; every slice logs its rows as ckParsed and
    // tells the views. Without RunWhenIdle the caller runs the slices (ParseSlice).
    std::function<void(std::function<void()>)> RunWhenIdle;
    int64_t SyncParseBytes = int64_t{256} << 10;
    int64_t ParseSliceBytes = int64_t{512} << 10;
    bool ParseIsFar(int row) const;
    void WantParsed(int row);
    bool ParseWanted() const { return parseWanted_ >= parseValid_ && parseValid_ < Count(); }
    // Walks one slice towards the row wanted; returns the rows it computed.
    int ParseSlice();

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    const TUpdateInfo& UpdateInfo() const { return updateInfo_; }

  private:
    // The row data words and string; the parser fields read as "not computed" from
    // ParsedLimit() on.
    uint32_t DataA(int r) const;
    uint32_t DataB(int r) const;
    std::string_view DataStr(int r) const;
    void WrapChanged(); // the rows are wrapped anew when they do not follow the wrap asked for
    void RewrapRows(bool wrap); // clients told first, undo cleared, parser states again
    // The background re-wrap: started from the rows as they are, its rows swapped in, dropped.
    struct TRewrapJob;
    bool StartRewrap(); // false when no worker could be started
    void SwapRewrap(const std::shared_ptr<TRewrapJob>& job);
    void DropRewrap();
    // Rows first..last are about to change while a re-wrap runs: their lines (and a line on
    // either side) are cut again at the swap.
    void NoteRewrapEdit(int first, int last);
    void RebuildSettings();
    void AfterRebuild();
    void RecordUpdate(int first, int oldRows, int newRows, int lastParsed, int parsed);
    // A record of rows first..last as they are now (none when first > last), with caret.
    TUndoData NewUndoRecord(int first, int last, TCaretPos caret) const;
    TCaretPos Replay(TUndoData r, bool redo, TCaretPos caret);
    // A new log entry; wake: the attached views are told.
    void Log(const TRowChange& c, bool wake);
    void WakeViews();
    // Where a place `at` bytes into the text of rows from `first` on lies now.
    TRowPlace PlaceOf(int first, size_t at) const;
    int ParseLimit() const;
    bool ParsesEveryRow() const;
    // Saves s as row r's state; rec is the row's record (its DataStr is str) and follows.
    void StoreState(int r, TRowRec& rec, std::string_view str, const TRowParserState& s,
                    bool& changed);
    std::unique_ptr<TRowStateParser> MakeParser() const;
    // The parser state row starts from: the state saved for the row above, carried over it.
    TRowParserState StateAtStartOf(int row) const;
    void WalkFrom(int row, TRowParserState state, int limit, bool stopOnEqual, int& changed,
                  TRowChange::TKind logAs = TRowChange::ckStates);
    void WalkRows(int row, TRowParserState state, int limit, bool stopOnEqual, int& changed,
                  int& lo, int& hi);
    void CheckRow(int r) const;
    void ApplyRows(int index, int count, std::vector<TRowRec>& recs, bool marksFollow);
    void LoadRows(std::shared_ptr<char[]> chunk, size_t n, uint8_t lineEnd);
    // The settings a file's text is cut with (lineEnd: see ExpectFileLineEnds): the ones asked
    // for, also while the rows still follow others (a re-wrap running).
    TWrapSettings CutSettings(uint8_t lineEnd) const {
        TWrapSettings ws(wrapOption_, wordWrap_, tabSpaceCount_);
        ws.LineEnd = lineEnd;
        return ws;
    }
    uint8_t TakeNextLineEnd() {
        const uint8_t le = nextLineEnd_;
        nextLineEnd_ = 0;
        return le;
    }
    // The own line ends of rows B..E that still stand in text after the change that made it out
    // of their text old (in the unchanged head or tail), for the new rows; empty when none.
    std::vector<uint8_t> KeptLineEnds(int B, int E, std::string_view old, std::string_view text,
                                      const std::vector<TWrapRow>& rows) const;
    void InstallRows(std::shared_ptr<char[]> chunk, size_t n, std::vector<TRowBlock> blocks);
    void Rebuild(bool wrap);
    void RemoveMarksFromSummary(TRowMarks m);
    void RecountMarks();
    // The whole text is wanted by a reader that cannot change the store: the load is finished
    // first (the store itself is never const, only the reader's view of it).
    void FinishLoadForReader() const { const_cast<TEditorScreenStrings*>(this)->FinishLoad(); }

    struct TViewEntry {
        TRowStoreView* View = nullptr;
        int ParseBound = 0;
        std::function<std::unique_ptr<TRowStateParser>()> Parser;
    };
    TViewEntry* FindView(const TRowStoreView* v);

    TRowTable rows_;
    std::vector<TViewEntry> views_;
    std::deque<TRowChange> log_;
    uint64_t logBase_ = 0; // revision of log_.front()
    static constexpr size_t LogMax = 1024;
    TEditorUndoObj undo_;
    TEditorWrapOption wrapOption_;
    TWrapSettings settings_;
    bool wordWrap_ = false;
    int tabSpaceCount_ = 8;
    bool loading_ = false;
    bool parseAll_ = false;
    std::shared_ptr<TCharTable> charTable_;
    TRowMarks marksInList_ = 0;
    int parseValid_ = 0;
    int parseWanted_ = -1; // last row painting asked for beyond SyncParseBytes (WantParsed)
    // The queued slice (ParseSlice): cleared when this store goes away before it runs.
    std::shared_ptr<TEditorScreenStrings*> sliceQueued_;
    void QueueSlice();
    int lastParsedRow_ = -1; // last row the latest walk stored a state into
    int updateCount_ = 0;
    TUpdateInfo updateInfo_;
    std::unique_ptr<TBackgroundLoad> load_;
    TLineEndCounts loadLineEnds_;
    bool loadTableFull_ = false; // a decoded load ran out of table codes
    // Gives a decoded piece's characters their table codes before its rows are used.
    void giveLoadCodes(const TLoadPiece& piece);
    uint8_t nextLineEnd_ = 0; // see ExpectFileLineEnds
    uint8_t loadLineEnd_ = 0; // the same for the background load
    std::shared_ptr<TRewrapJob> rewrap_;
    // Lines left alone by the edits since the running re-wrap started: the first rewrapHead_
    // lines and the last rewrapTail_ (INT_MAX: no edit).
    int rewrapHead_ = 0, rewrapTail_ = 0;
};

// Detaches `me` from its row store `mine` (freed with its last view) and attaches it to
// `other`'s store.
void ExchangeList(std::shared_ptr<TEditorScreenStrings>& mine, TRowStoreView* me,
                  const std::shared_ptr<TEditorScreenStrings>& other);
