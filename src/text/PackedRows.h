// TPackedRows: the rows of one block of the row table, kept in as few bytes as their values allow.
// Each row has a 16-bit word of its length and row end, and the place of its text as an offset
// from the block's base pointer: in the short form (rows read or laid out one after the other) a
// 16-bit step from an anchor every 16 rows, about 4.3 bytes a row in all; once a row is changed
// in place, or its text lies too far from its group's anchor, a signed 32-bit offset (6 bytes a
// row). Rows that do not fit that either (a text further than 2 GiB from the base, a row of
// 16 KiB or more) turn the block wide, where each row keeps a full pointer and a 32-bit length.
// The row data beyond the row end (parser state, marks, DataStr index, a line end of the row's
// own) lives in columns of their own, made when a row first gets a value other than 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/HugePagePool.h"
#include "text/RowData.h"
#include "text/RowView.h"

// One row as the table's readers and writers see it. An empty row's P is null.
struct TRowRec {
    const char* P = nullptr; // text bytes (arena)
    uint32_t Len = 0;
    uint32_t A = 0;     // DataA
    uint32_t B = 0;     // DataB
    uint32_t Extra = 0; // index+1 of the row's DataStr record, 0 = none
    uint8_t Eol = 0;    // TLineEndBytes of a reLineEnd row: leUsual unless the file had another
    std::string_view Text() const { return {P, Len}; }
};

class TPackedRows {
  public:
    static constexpr uint32_t MaxPackedLen = (1u << 14) - 1; // longer rows make the block wide
    static constexpr size_t Group = 16;                      // rows per anchor of the short form
    enum TForm { fmShort, fmLong, fmWide };

    TPackedRows() = default;
    TPackedRows(const TRowRec* recs, size_t n) { Assign(recs, n); }

    size_t Count() const { return wide_ ? rows_.size() : lenEnd_.size(); }
    bool IsEmpty() const { return Count() == 0; }
    size_t Capacity() const { return wide_ ? rows_.capacity() : lenEnd_.capacity(); }
    void Reserve(size_t n);
    TForm Form() const { return wide_ ? fmWide : short_ ? fmShort : fmLong; }

    TRowRec operator[](size_t i) const {
        return {P(i),  Len(i), A(i), dataB_.empty() ? 0 : dataB_[i], extra_.empty() ? 0 : extra_[i],
                Eol(i)};
    }
    uint32_t Len(size_t i) const { return wide_ ? rows_[i].Len : uint32_t{lenEnd_[i]} >> 2; }
    TRowEnd RowEnd(size_t i) const {
        return static_cast<TRowEnd>(wide_ ? rows_[i].RowEnd : lenEnd_[i] & 3u);
    }
    const char* P(size_t i) const {
        if (wide_) return rows_[i].P;
        if (lenEnd_[i] < 4) return nullptr; // an empty row
        const intptr_t off = short_ ? intptr_t{anchor_[i / Group]} + step_[i] : off_[i];
        return reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(base_) +
                                             static_cast<uintptr_t>(off));
    }
    std::string_view Text(size_t i) const { return {P(i), Len(i)}; }
    // Len << 2 | RowEnd of each row from..to-1 into out.
    void LenEnds(size_t from, size_t to, uint32_t* out) const {
        if (wide_) {
            for (size_t i = from; i < to; ++i)
                *out++ = rows_[i].Len << 2 | rows_[i].RowEnd;
        } else {
            for (size_t i = from; i < to; ++i)
                *out++ = lenEnd_[i];
        }
    }
    // Texts and row ends of rows from..to-1 into out (see TRowView::RowPieces).
    void Pieces(size_t from, size_t to, TRowPiece* out) const {
        if (wide_) {
            for (size_t i = from; i < to; ++i)
                *out++ = {rows_[i].P, rows_[i].Len, static_cast<TRowEnd>(rows_[i].RowEnd)};
            return;
        }
        const auto base = reinterpret_cast<uintptr_t>(base_);
        if (!short_) {
            for (size_t i = from; i < to; ++i) {
                const uint32_t le = lenEnd_[i];
                const auto off = static_cast<uintptr_t>(intptr_t{off_[i]});
                *out++ = {le < 4 ? nullptr : reinterpret_cast<const char*>(base + off), le >> 2,
                          static_cast<TRowEnd>(le & 3u)};
            }
            return;
        }
        for (size_t i = from; i < to; ++i) {
            const uint32_t le = lenEnd_[i];
            const uintptr_t off = static_cast<uintptr_t>(intptr_t{anchor_[i / Group]} + step_[i]);
            *out++ = {le < 4 ? nullptr : reinterpret_cast<const char*>(base + off), le >> 2,
                      static_cast<TRowEnd>(le & 3u)};
        }
    }
    uint32_t A(size_t i) const { return (dataA_.empty() ? 0 : dataA_[i] & ~3u) | RowEnd(i); }
    uint8_t Eol(size_t i) const {
        return dataA_.empty() ? 0 : static_cast<uint8_t>(dataA_[i] & 3u);
    }
    uint32_t B(size_t i) const { return dataB_.empty() ? 0 : dataB_[i]; }
    uint32_t Extra(size_t i) const { return extra_.empty() ? 0 : extra_[i]; }

    void Append(const TRowRec& r);
    // Append of a fresh row (no data beyond its row end): rows laid out one after the other,
    // as a load appends them, take the short way.
    void PushRow(const char* p, uint32_t len, TRowEnd re) {
        if (len && len <= MaxPackedLen && short_ && !wide_ && anchorSet_ && base_ &&
            lenEnd_.size() % Group != 0 && dataA_.empty() && dataB_.empty() && extra_.empty()) {
            const int64_t off = static_cast<int64_t>(reinterpret_cast<uintptr_t>(p) -
                                                     reinterpret_cast<uintptr_t>(base_));
            const int64_t d = off - anchor_.back();
            if (d >= 0 && d <= UINT16_MAX && off <= INT32_MAX) {
                step_.push_back(static_cast<uint16_t>(d));
                lenEnd_.push_back(static_cast<uint16_t>(len << 2 | re));
                return;
            }
        }
        Append({len ? p : nullptr, len, RowData::WithRowEnd(0, re), 0, 0});
    }
    void SetA(size_t i, uint32_t a);
    void SetB(size_t i, uint32_t b) { SetSide(dataB_, i, b); }
    void SetEol(size_t i, uint8_t e) { SetSide(dataA_, i, (A(i) & ~3u) | (e & 3u)); }
    void SetExtra(size_t i, uint32_t e) { SetSide(extra_, i, e); }
    void SetText(size_t i, const char* p, uint32_t len);
    // Rows before `at` (0 <= at <= Count()) and removal of n rows from `at`.
    void Insert(size_t at, const TRowRec* recs, size_t n);
    void Erase(size_t at, size_t n);
    // Replaces every row, packed again from scratch (a wide block may become packed).
    void Assign(const TRowRec* recs, size_t n);
    std::vector<TRowRec> Unpack() const;

  private:
    struct WideRow {
        const char* P;
        uint32_t Len;
        uint32_t RowEnd;
    };
    // The packed offset of p from base_, false when it does not fit (base_ is set by the first
    // row with text).
    bool Offset(const char* p, uint32_t len, int32_t& off);
    // Appends a short-form step for the offset of a new row; false when it does not fit.
    bool PushStep(size_t rows, int32_t off, uint32_t len);
    void MakeLong();
    void MakeWide();
    void SetSide(std::vector<uint32_t>& col, size_t i, uint32_t v);
    static void PushSide(std::vector<uint32_t>& col, size_t rows, uint32_t v);
    template <class F>
    static void InsertSide(std::vector<uint32_t>& col, size_t rows, size_t at, const TRowRec* recs,
                           size_t n, F value);

    bool wide_ = false;
    bool short_ = true;     // packed offsets as steps from the anchors
    bool anchorSet_ = true; // the last group's anchor is a row's offset (short form, appending)
    const char* base_ = nullptr;
    // The arrays a load fills may come from huge pages (see HugePagePool).
    template <class T> using Array = std::vector<T, THugePageAllocator<T>>;
    Array<uint16_t> step_;        // short: text at base_ + anchor_[i / Group] + step_[i]
    std::vector<int32_t> anchor_; // short: the offset of each group's first row with text
    std::vector<int32_t> off_;    // long: text at base_ + off_[i]
    Array<uint16_t> lenEnd_;      // packed: Len << 2 | RowEnd
    std::vector<WideRow> rows_;   // wide
    std::vector<uint32_t> dataA_; // DataA, its row-end bits holding Eol; empty while all are 0
    std::vector<uint32_t> dataB_; // DataB; empty while all are 0
    std::vector<uint32_t> extra_; // empty while all are 0
};
