// TRowTable: compact storage of screen rows in blocks, with per-block counts of rows, line ends
// and text bytes so that positions and logical lines are found in O(log n). Row texts live in an
// append-only arena (the loaded file is one chunk of it); the arena is compacted when more than
// half of it is garbage.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/RowData.h"

// Raised for every row access outside the valid range; the message names the index.
class EListError : public std::out_of_range {
  public:
    explicit EListError(int index);
    int Index() const { return FIndex; }

  private:
    int FIndex;
};

// Throws EListError(index) unless 0 <= index < limit.
void CheckListIndex(int index, int limit);

struct TRowRec {
    const char* P = nullptr; // text bytes (arena)
    uint32_t Len = 0;
    uint32_t A = 0;     // DataA
    uint32_t B = 0;     // DataB
    uint32_t Extra = 0; // index+1 of the row's DataStr record, 0 = none
    std::string_view Text() const { return {P, Len}; }
};

class TRowTable {
  public:
    TRowTable();
    ~TRowTable();

    int Count() const { return FCount; }
    const TRowRec& At(int i) const;
    void SetA(int i, uint32_t a);
    void SetB(int i, uint32_t b);
    void SetText(int i, std::string_view s);
    std::string_view DataStr(int i) const;
    void SetDataStr(int i, std::string_view s);

    // Copies s into the arena; the returned pointer stays valid until the next Compact.
    const char* StoreText(std::string_view s);
    // Takes a buffer into the arena (the loaded file); returns its first byte.
    const char* AdoptBuffer(std::unique_ptr<char[]> buf, size_t size);
    // Inserts rows before i (0 <= i <= Count). Their texts must already be in the arena and
    // their Extra must be 0.
    void Insert(int i, const TRowRec* recs, int n);
    void Erase(int i, int n);
    void Clear();
    // Replaces all rows by recs (texts already in the arena); DataStr is dropped.
    void AssignRows(std::vector<TRowRec>&& recs);
    // Compacts the arena when more than half of it is garbage.
    void MaybeCompact();

    // Aggregates.
    int LineEnds() const { return FLineEnds; } // rows whose RowEnd is not reWrapped
    int LineEndsBefore(int r) const;           // among rows 0..r-1
    int RowOfLineEnd(int k) const;             // row index of the k-th such row
    int64_t Bytes() const { return FBytes; }   // text bytes + 2 per reLineEnd row
    int64_t BytesBefore(int r) const;
    int RowOfByte(int64_t pos) const; // row r with BytesBefore(r) <= pos < BytesBefore(r + 1)
    size_t ArenaBytes() const { return FArenaBytes; }
    size_t GarbageBytes() const { return FArenaBytes - FTextLen; }

  private:
    struct Block {
        std::vector<TRowRec> Rows;
        int LineEnds = 0;
        int64_t Bytes = 0;
        // Built on demand after a change: line-end rows as bits, bytes before every 64th row.
        mutable std::vector<uint64_t> Bits;
        mutable std::vector<int64_t> Sub;
        mutable bool AuxOk = false;
    };
    static void EnsureAux(const Block& blk);
    static int RowBytes(const TRowRec& r);
    static bool IsLineEnd(const TRowRec& r) { return RowData::RowEnd(r.A) != reWrapped; }
    void Locate(int i, int& b, int& off) const;
    void ValidatePrefix() const;
    void Dirty(int b) const;
    void Recount(Block& blk);
    void FreeExtra(TRowRec& r);
    void Compact();
    void MergeSmall(int b);
    uint32_t NewExtra();

    std::vector<Block> FBlocks;
    mutable std::vector<int> FRowPrefix;
    mutable std::vector<int> FLinePrefix;
    mutable std::vector<int64_t> FBytePrefix;
    mutable int FDirty = 0;
    mutable int FCacheBlock = 0;
    int FCount = 0;
    int FLineEnds = 0;
    int64_t FBytes = 0;

    struct Extra {
        std::string DataStr;
    };
    std::vector<Extra> FExtras;
    std::vector<uint32_t> FFreeExtras;

    std::vector<std::unique_ptr<char[]>> FChunks;
    char* FCur = nullptr;
    size_t FCurLeft = 0;
    size_t FArenaBytes = 0; // bytes handed out
    size_t FTextLen = 0;    // bytes referenced by rows (row texts never overlap)
};
