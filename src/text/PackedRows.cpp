// The rows of one row-table block in their packed or wide form.
#include "text/PackedRows.h"

#include <algorithm>
#include <climits>

namespace {
uintptr_t Addr(const char* p) {
    return reinterpret_cast<uintptr_t>(p);
}
} // namespace

void TPackedRows::Reserve(size_t n) {
    if (wide_) {
        rows_.reserve(n);
    } else if (short_) {
        step_.reserve(n);
        anchor_.reserve((n + Group - 1) / Group);
        lenEnd_.reserve(n);
    } else {
        off_.reserve(n);
        lenEnd_.reserve(n);
    }
}

bool TPackedRows::Offset(const char* p, uint32_t len, int32_t& off) {
    if (len == 0) {
        off = 0;
        return true;
    }
    if (len > MaxPackedLen || !p) return false;
    if (!base_) base_ = p;
    const auto d = static_cast<int64_t>(Addr(p) - Addr(base_));
    if (d < INT32_MIN || d > INT32_MAX) return false;
    off = static_cast<int32_t>(d);
    return true;
}

bool TPackedRows::PushStep(size_t rows, int32_t off, uint32_t len) {
    if (rows % Group == 0) {
        anchor_.push_back(0);
        anchorSet_ = false;
    }
    uint16_t step = 0;
    if (len) {
        if (!anchorSet_) {
            anchor_.back() = off;
            anchorSet_ = true;
        }
        const int64_t d = int64_t{off} - anchor_.back();
        if (d < 0 || d > UINT16_MAX) return false;
        step = static_cast<uint16_t>(d);
    }
    step_.push_back(step);
    return true;
}

void TPackedRows::MakeLong() {
    if (wide_ || !short_) return;
    std::vector<int32_t> off;
    off.reserve(std::max(lenEnd_.capacity(), lenEnd_.size() + 1));
    for (size_t i = 0; i < lenEnd_.size(); ++i)
        off.push_back(lenEnd_[i] < 4 ? 0 : anchor_[i / Group] + step_[i]);
    off_ = std::move(off);
    decltype(step_)().swap(step_);
    std::vector<int32_t>().swap(anchor_);
    short_ = false;
}

void TPackedRows::MakeWide() {
    std::vector<WideRow> rows;
    rows.reserve(std::max(lenEnd_.capacity(), lenEnd_.size() + 1));
    for (size_t i = 0; i < lenEnd_.size(); ++i)
        rows.push_back({P(i), Len(i), RowEnd(i)});
    rows_ = std::move(rows);
    std::vector<int32_t>().swap(off_);
    decltype(step_)().swap(step_);
    std::vector<int32_t>().swap(anchor_);
    decltype(lenEnd_)().swap(lenEnd_);
    wide_ = true;
    short_ = false;
}

void TPackedRows::SetSide(std::vector<uint32_t>& col, size_t i, uint32_t v) {
    if (col.empty()) {
        if (!v) return;
        col.assign(Count(), 0);
    }
    col[i] = v;
}

void TPackedRows::PushSide(std::vector<uint32_t>& col, size_t rows, uint32_t v) {
    if (col.empty()) {
        if (!v) return;
        col.assign(rows, 0);
    }
    col.push_back(v);
}

template <class F>
void TPackedRows::InsertSide(std::vector<uint32_t>& col, size_t rows, size_t at,
                             const TRowRec* recs, size_t n, F value) {
    if (col.empty()) {
        if (std::none_of(recs, recs + n, [&](const TRowRec& r) { return value(r) != 0; })) return;
        col.assign(rows, 0);
    }
    col.insert(col.begin() + static_cast<std::ptrdiff_t>(at), n, 0);
    for (size_t k = 0; k < n; ++k)
        col[at + k] = value(recs[k]);
}

void TPackedRows::Append(const TRowRec& r) {
    const size_t rows = Count();
    int32_t off;
    if (!wide_ && Offset(r.P, r.Len, off)) {
        if (short_ && !PushStep(rows, off, r.Len)) MakeLong();
        if (!short_) off_.push_back(off);
        lenEnd_.push_back(static_cast<uint16_t>(r.Len << 2 | (r.A & 3u)));
    } else {
        if (!wide_) MakeWide();
        rows_.push_back({r.Len ? r.P : nullptr, r.Len, r.A & 3u});
    }
    PushSide(dataA_, rows, (r.A & ~3u) | (r.Eol & 3u));
    PushSide(dataB_, rows, r.B);
    PushSide(extra_, rows, r.Extra);
}

void TPackedRows::SetA(size_t i, uint32_t a) {
    if (wide_)
        rows_[i].RowEnd = a & 3u;
    else
        lenEnd_[i] = static_cast<uint16_t>((lenEnd_[i] & ~3u) | (a & 3u));
    SetSide(dataA_, i, (a & ~3u) | Eol(i));
}

void TPackedRows::SetText(size_t i, const char* p, uint32_t len) {
    MakeLong();
    int32_t off;
    if (!wide_ && Offset(p, len, off)) {
        off_[i] = off;
        lenEnd_[i] = static_cast<uint16_t>(len << 2 | (lenEnd_[i] & 3u));
        return;
    }
    if (!wide_) MakeWide();
    rows_[i].P = len ? p : nullptr;
    rows_[i].Len = len;
}

void TPackedRows::Insert(size_t at, const TRowRec* recs, size_t n) {
    if (n == 0) return;
    const size_t rows = Count();
    const auto pos = static_cast<std::ptrdiff_t>(at);
    MakeLong();
    if (wide_) {
        rows_.insert(rows_.begin() + pos, n, WideRow{});
        for (size_t k = 0; k < n; ++k)
            rows_[at + k] = {recs[k].Len ? recs[k].P : nullptr, recs[k].Len, recs[k].A & 3u};
    } else {
        std::vector<int32_t> offs(n);
        for (size_t k = 0; k < n; ++k)
            if (!Offset(recs[k].P, recs[k].Len, offs[k])) {
                // Packed again around a base that suits every row, or wide.
                std::vector<TRowRec> all = Unpack();
                all.insert(all.begin() + pos, recs, recs + n);
                Assign(all.data(), all.size());
                return;
            }
        off_.insert(off_.begin() + pos, offs.begin(), offs.end());
        lenEnd_.insert(lenEnd_.begin() + pos, n, 0);
        for (size_t k = 0; k < n; ++k)
            lenEnd_[at + k] = static_cast<uint16_t>(recs[k].Len << 2 | (recs[k].A & 3u));
    }
    InsertSide(dataA_, rows, at, recs, n,
               [](const TRowRec& r) { return (r.A & ~3u) | (r.Eol & 3u); });
    InsertSide(dataB_, rows, at, recs, n, [](const TRowRec& r) { return r.B; });
    InsertSide(extra_, rows, at, recs, n, [](const TRowRec& r) { return r.Extra; });
}

void TPackedRows::Erase(size_t at, size_t n) {
    if (at + n < Count()) MakeLong(); // rows after the cut would move to other groups
    if (short_) {                     // the tail goes: the kept rows keep their anchors
        anchor_.resize((at + Group - 1) / Group);
        anchorSet_ = true;
    }
    auto cut = [&](auto& col) {
        if (!col.empty())
            col.erase(col.begin() + static_cast<std::ptrdiff_t>(at),
                      col.begin() + static_cast<std::ptrdiff_t>(at + n));
    };
    cut(rows_);
    cut(off_);
    cut(step_);
    cut(lenEnd_);
    cut(dataA_);
    cut(dataB_);
    cut(extra_);
}

void TPackedRows::Assign(const TRowRec* recs, size_t n) {
    *this = TPackedRows();
    // Packed when every text lies within 4 GiB of the others and no row is too long: the base
    // sits in the middle of the span, so that the offsets fit 32 signed bits.
    uintptr_t lo = UINTPTR_MAX, hi = 0;
    bool fit = true;
    for (size_t k = 0; k < n && fit; ++k) {
        const TRowRec& r = recs[k];
        if (!r.Len) continue;
        fit = r.P && r.Len <= MaxPackedLen;
        lo = std::min(lo, Addr(r.P));
        hi = std::max(hi, Addr(r.P));
    }
    if (fit && hi >= lo) {
        if (hi - lo > uintptr_t{INT32_MAX} * 2)
            fit = false;
        else
            base_ = reinterpret_cast<const char*>(lo + (hi - lo) / 2);
    }
    wide_ = !fit;
    Reserve(n);
    for (size_t k = 0; k < n; ++k)
        Append(recs[k]);
}

std::vector<TRowRec> TPackedRows::Unpack() const {
    std::vector<TRowRec> out(Count());
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = (*this)[i];
    return out;
}
