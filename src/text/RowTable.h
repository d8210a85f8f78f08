// TRowTable: compact storage of screen rows in blocks, with per-block counts of rows, line ends
// and text bytes so that positions and logical lines are found in O(log n). Row texts live in an
// append-only arena (the loaded file is one chunk of it); the arena is compacted when more than
// half of it is garbage. A snapshot shares the blocks and the arena copy-on-write, so another
// thread can read the text as it was while the table goes on changing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/PackedRows.h"
#include "text/RowData.h"
#include "text/RowView.h"

// Raised for every row access outside the valid range; the message names the index.
class EListError : public std::out_of_range {
  public:
    explicit EListError(int index);
    int Index() const { return index_; }

  private:
    int index_;
};

// Throws EListError(index) unless 0 <= index < limit.
void CheckListIndex(int index, int limit);

// Rows made outside the table (by the load), with their counts, ready to become one block.
struct TRowBlock {
    TPackedRows Rows;
    int LineEnds = 0;     // rows that are not reWrapped
    int64_t Bytes = 0;    // text bytes + 2 per reLineEnd row
    uint64_t TextLen = 0; // text bytes
};

// The rows of one block, shared with snapshots: reading is free, the first change after a
// snapshot copies the block's rows (never the texts, which the arena does not overwrite).
class TCowRows {
  public:
    using Rows = TPackedRows;
    TCowRows() : p_(std::make_shared<Rows>()) {}
    explicit TCowRows(Rows&& rows) : p_(std::make_shared<Rows>(std::move(rows))) {}
    std::size_t Count() const { return p_->Count(); }
    bool IsEmpty() const { return p_->IsEmpty(); }
    const Rows& operator*() const { return *p_; }
    const Rows* operator->() const { return p_.get(); }
    // The rows to change, copied first when a snapshot still holds them.
    Rows& Mut() {
        if (p_.use_count() > 1) p_ = std::make_shared<Rows>(*p_);
        return *p_;
    }
    std::shared_ptr<const Rows> Share() const { return p_; }

  private:
    std::shared_ptr<Rows> p_;
};

// The text of a row table at one moment, safe to read on any thread while the table changes.
struct TRowTableSnapshot {
    std::vector<std::shared_ptr<const TCowRows::Rows>> Blocks;
    std::vector<std::shared_ptr<char[]>> Chunks; // keeps the row texts alive
    int64_t Bytes = 0;                           // the text's length, line ends counting 2
    // Calls f with the pieces of the text in order: each row's bytes, and "\r\n" after a row
    // that ends a line.
    template <class F> void ForEachPiece(F&& f) const {
        for (const auto& blk : Blocks)
            for (size_t i = 0, n = blk->Count(); i < n; ++i) {
                if (blk->Len(i)) f(blk->Text(i));
                if (blk->RowEnd(i) == reLineEnd) f(std::string_view("\r\n", 2));
            }
    }
};

class TRowTable {
  public:
    static constexpr int BlockRows = 1024; // rows per block when blocks are built or split

    TRowTable();
    ~TRowTable();

    int Count() const { return count_; }
    TRowRec At(int i) const; // a copy: the table keeps its rows packed
    // Texts and row ends of rows first.. (at most n); returns how many (see TRowView::RowPieces).
    // Safe on several threads at once while the table does not change, once a call on one thread
    // has asked for the last row (which leaves nothing more to compute).
    int Pieces(int first, int n, TRowPiece* out) const;
    void SetA(int i, uint32_t a);
    void SetB(int i, uint32_t b);
    void SetText(int i, std::string_view s);
    std::string_view DataStr(int i) const;
    void SetDataStr(int i, std::string_view s);

    // Copies s into the arena; the returned pointer stays valid until the next Compact.
    const char* StoreText(std::string_view s);
    // Takes a buffer into the arena (the loaded file); returns its first byte.
    const char* AdoptBuffer(std::unique_ptr<char[]> buf, size_t size);
    // A string's bytes as an arena chunk, without copying them (the pointer stays valid however
    // the chunk is passed on); AddChunk takes such a chunk of n bytes into the arena.
    static std::shared_ptr<char[]> ChunkOf(std::string&& s);
    void AddChunk(std::shared_ptr<char[]> chunk, size_t n);
    // Appends whole blocks after the last row (texts already in the arena, Extra 0).
    void AppendBlocks(std::vector<TRowBlock>&& blocks);
    // Inserts rows before i (0 <= i <= Count). Their texts must already be in the arena and
    // their Extra must be 0.
    void Insert(int i, const TRowRec* recs, int n);
    void Erase(int i, int n);
    void Clear();
    // Replaces all rows by recs (texts already in the arena); DataStr is dropped.
    void AssignRows(std::vector<TRowRec>&& recs);
    // The same with rows already in blocks (texts in the arena, Extra 0).
    void AssignBlocks(std::vector<TRowBlock>&& blocks);
    // Compacts the arena when more than half of it is garbage.
    void MaybeCompact();

    // Aggregates.
    int LineEnds() const { return lineEnds_; } // rows whose RowEnd is not reWrapped
    int LineEndsBefore(int r) const;           // among rows 0..r-1
    int RowOfLineEnd(int k) const;             // row index of the k-th such row
    int64_t Bytes() const { return bytes_; }   // text bytes + 2 per reLineEnd row
    int64_t BytesBefore(int r) const;
    int RowOfByte(int64_t pos) const; // row r with BytesBefore(r) <= pos < BytesBefore(r + 1)
    // The whole text as it is now, shared copy-on-write: costs one pointer per block.
    TRowTableSnapshot Snapshot() const;
    size_t ArenaBytes() const { return arenaBytes_; }
    size_t GarbageBytes() const { return arenaBytes_ - textLen_; }

  private:
    struct Block {
        TCowRows Rows;
        int LineEnds = 0;
        int64_t Bytes = 0;
        // Built on demand, 64 rows (a word) at a time: line-end rows as bits (Bits[w]) and the
        // bytes before every 64th row (Sub[w]; Sub[w + 1] ends word w). A change at a row
        // drops the words from its own on; the ones before it stay valid, so a run of edits
        // moving forward through a block rebuilds each word about once.
        mutable std::vector<uint64_t> Bits;
        mutable std::vector<int64_t> Sub{0};
        mutable size_t AuxWords = 0; // words 0..AuxWords-1 and Sub[0..AuxWords] are valid
        void DropAux(size_t row) const { AuxWords = std::min(AuxWords, row / 64); }
    };
    // Makes words 0..words-1 of the block's aux valid (fewer when the block has fewer).
    static void EnsureAux(const Block& blk, size_t words);
    static int64_t RowBytes(const TRowRec& r);
    static int64_t RowBytes(const TPackedRows& rows, size_t j) {
        return int64_t{rows.Len(j)} + (rows.RowEnd(j) == reLineEnd ? 2 : 0);
    }
    static bool IsLineEnd(const TRowRec& r) { return RowData::RowEnd(r.A) != reWrapped; }
    static bool IsLineEnd(const TPackedRows& rows, size_t j) { return rows.RowEnd(j) != reWrapped; }
    // The block of row i and the row's place in it; the prefix is then valid up to that block.
    void Locate(int i, int& b, int& off) const;
    // The same without that promise (faster for the last block).
    void LocateRow(int i, int& b, int& off) const;
    // The per-block prefix sums are made valid lazily, from the first changed block only as far
    // as a lookup needs them (an edit near the start costs nothing for the blocks after it).
    void ExtendPrefix(size_t to) const; // entries 0..to valid
    // Extends the prefix until its entry v exceeds key (or to the end); returns v.
    template <class T> size_t ValidThrough(const std::vector<T>& prefix, T key) const;
    void Dirty(int b) const;
    void Recount(Block& blk);
    // Empties the table: no blocks, no rows, no extras.
    void clearRows();
    void FreeExtra(TPackedRows& rows, size_t j);
    void Compact();
    void MergeSmall(int b);
    uint32_t NewExtra();

    std::vector<Block> blocks_;
    mutable std::vector<int> rowPrefix_;
    mutable std::vector<int> linePrefix_;
    mutable std::vector<int64_t> bytePrefix_;
    mutable int dirty_ = 0;
    mutable int cacheBlock_ = 0;
    int count_ = 0;
    int lineEnds_ = 0;
    int64_t bytes_ = 0;

    struct Extra {
        std::string DataStr;
    };
    std::vector<Extra> extras_;
    std::vector<uint32_t> freeExtras_;

    std::vector<std::shared_ptr<char[]>> chunks_;
    char* cur_ = nullptr;
    size_t curLeft_ = 0;
    size_t arenaBytes_ = 0; // bytes handed out
    size_t textLen_ = 0;    // bytes referenced by rows (row texts never overlap)
};
