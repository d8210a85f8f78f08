// Block storage of screen rows with per-block counts.
#include "text/RowTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
std::string IndexMessage(int index) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " (%d)", index);
    return std::string("リストのインデックスが範囲を超えています") + buf;
}

constexpr int kTarget = TRowTable::BlockRows;
constexpr int kMax = 2048;  // a block is split beyond this
constexpr int kSmall = 128; // a block below this is merged with a neighbour when they fit
constexpr size_t kChunk = 1 << 20;
} // namespace

EListError::EListError(int index) : std::out_of_range(IndexMessage(index)), FIndex(index) {}

void CheckListIndex(int index, int limit) {
    if (index < 0 || index >= limit) throw EListError(index);
}

TRowTable::TRowTable() {
    Clear();
}
TRowTable::~TRowTable() = default;

int64_t TRowTable::RowBytes(const TRowRec& r) {
    return static_cast<int64_t>(r.Len) + (RowData::RowEnd(r.A) == reLineEnd ? 2 : 0);
}

void TRowTable::Clear() {
    FBlocks.clear();
    FExtras.clear();
    FFreeExtras.clear();
    FChunks.clear();
    FCur = nullptr;
    FCurLeft = 0;
    FArenaBytes = 0;
    FTextLen = 0;
    FCount = 0;
    FLineEnds = 0;
    FBytes = 0;
    FCacheBlock = 0;
    FDirty = 0;
    FRowPrefix.assign(1, 0);
    FLinePrefix.assign(1, 0);
    FBytePrefix.assign(1, 0);
}

void TRowTable::Dirty(int b) const {
    FDirty = std::min(FDirty, std::max(b, 0));
}

void TRowTable::ExtendPrefix(size_t to) const {
    const size_t nb = FBlocks.size();
    if (FRowPrefix.size() != nb + 1) {
        FRowPrefix.resize(nb + 1);
        FLinePrefix.resize(nb + 1);
        FBytePrefix.resize(nb + 1);
    }
    if (FDirty > static_cast<int>(nb)) return;
    FRowPrefix[0] = 0;
    FLinePrefix[0] = 0;
    FBytePrefix[0] = 0;
    for (size_t b = static_cast<size_t>(FDirty); b < to; ++b) {
        FRowPrefix[b + 1] = FRowPrefix[b] + static_cast<int>(FBlocks[b].Rows.size());
        FLinePrefix[b + 1] = FLinePrefix[b] + FBlocks[b].LineEnds;
        FBytePrefix[b + 1] = FBytePrefix[b] + FBlocks[b].Bytes;
    }
    FDirty = to >= nb ? static_cast<int>(nb) + 1 : std::max(FDirty, static_cast<int>(to));
}

template <class T> size_t TRowTable::ValidThrough(const std::vector<T>& prefix, T key) const {
    const size_t nb = FBlocks.size();
    ExtendPrefix(0); // sizes the prefix after blocks came or went
    size_t v = std::min(static_cast<size_t>(FDirty), nb);
    while (v < nb && prefix[v] <= key) {
        const size_t to = std::min(nb, v + 16);
        ExtendPrefix(to);
        while (v < to && prefix[v] <= key)
            ++v;
    }
    return v;
}

void TRowTable::Locate(int i, int& b, int& off) const {
    const size_t v = ValidThrough(FRowPrefix, i);
    int nb = static_cast<int>(FBlocks.size());
    int c = FCacheBlock;
    if (c < nb && static_cast<size_t>(c) < v && FRowPrefix[static_cast<size_t>(c)] <= i &&
        i < FRowPrefix[static_cast<size_t>(c) + 1]) {
        b = c;
    } else {
        // last block whose first row is <= i
        const auto end = static_cast<std::ptrdiff_t>(std::min(v + 1, static_cast<size_t>(nb)));
        auto it = std::upper_bound(FRowPrefix.begin(), FRowPrefix.begin() + end, i);
        b = static_cast<int>(it - FRowPrefix.begin()) - 1;
        // skip empty blocks (none are kept, but be safe)
        while (b + 1 < nb && FRowPrefix[static_cast<size_t>(b) + 1] <= i)
            ++b;
        FCacheBlock = b;
    }
    off = i - FRowPrefix[static_cast<size_t>(b)];
}

TRowRec TRowTable::At(int i) const {
    int b, off;
    Locate(i, b, off);
    return (*FBlocks[static_cast<size_t>(b)].Rows)[static_cast<size_t>(off)];
}

int TRowTable::Pieces(int first, int n, TRowPiece* out) const {
    if (first < 0 || first >= FCount || n <= 0) return 0;
    // No cached block here: readers on several threads may ask at once (the prefix, once valid
    // up to the blocks asked for, is only read).
    const size_t v = ValidThrough(FRowPrefix, first);
    const auto end = static_cast<std::ptrdiff_t>(std::min(v + 1, FBlocks.size()));
    int b = static_cast<int>(std::upper_bound(FRowPrefix.begin(), FRowPrefix.begin() + end, first) -
                             FRowPrefix.begin() - 1);
    int k = 0;
    for (auto j = static_cast<size_t>(first - FRowPrefix[static_cast<size_t>(b)]);
         k < n && b < static_cast<int>(FBlocks.size()); ++b) {
        const TPackedRows& rows = *FBlocks[static_cast<size_t>(b)].Rows;
        const size_t take =
            std::min(rows.size() - std::min(j, rows.size()), static_cast<size_t>(n - k));
        rows.Pieces(j, j + take, out + k);
        k += static_cast<int>(take);
        j = 0;
    }
    return k;
}

void TRowTable::SetA(int i, uint32_t a) {
    int b, off;
    Locate(i, b, off);
    Block& blk = FBlocks[static_cast<size_t>(b)];
    TPackedRows& rows = blk.Rows.Mut();
    const auto j = static_cast<size_t>(off);
    int le = IsLineEnd(rows, j) ? 1 : 0;
    int64_t by = RowBytes(rows, j);
    rows.SetA(j, a);
    blk.AuxOk = false;
    int dle = (IsLineEnd(rows, j) ? 1 : 0) - le;
    int64_t dby = RowBytes(rows, j) - by;
    if (dle || dby) {
        blk.LineEnds += dle;
        blk.Bytes += dby;
        FLineEnds += dle;
        FBytes += dby;
        Dirty(b);
    }
}

void TRowTable::SetB(int i, uint32_t v) {
    int b, off;
    Locate(i, b, off);
    FBlocks[static_cast<size_t>(b)].Rows.Mut().SetB(static_cast<size_t>(off), v);
}

void TRowTable::SetText(int i, std::string_view s) {
    const char* p = StoreText(s);
    int b, off;
    Locate(i, b, off);
    Block& blk = FBlocks[static_cast<size_t>(b)];
    TPackedRows& rows = blk.Rows.Mut();
    const auto j = static_cast<size_t>(off);
    const uint32_t old = rows.Len(j);
    FTextLen += s.size();
    FTextLen -= old;
    int64_t d = static_cast<int64_t>(s.size()) - static_cast<int64_t>(old);
    rows.SetText(j, p, static_cast<uint32_t>(s.size()));
    blk.AuxOk = false;
    blk.Bytes += d;
    FBytes += d;
    Dirty(b);
}

uint32_t TRowTable::NewExtra() {
    if (!FFreeExtras.empty()) {
        uint32_t e = FFreeExtras.back();
        FFreeExtras.pop_back();
        return e;
    }
    FExtras.emplace_back();
    return static_cast<uint32_t>(FExtras.size());
}

void TRowTable::FreeExtra(TPackedRows& rows, size_t j) {
    const uint32_t x = rows.Extra(j);
    if (!x) return;
    Extra& e = FExtras[x - 1];
    e.DataStr.clear();
    e.DataStr.shrink_to_fit();
    FFreeExtras.push_back(x);
    rows.SetExtra(j, 0);
}

std::string_view TRowTable::DataStr(int i) const {
    const TRowRec& r = At(i);
    return r.Extra ? std::string_view(FExtras[r.Extra - 1].DataStr) : std::string_view();
}

void TRowTable::SetDataStr(int i, std::string_view s) {
    int b, off;
    Locate(i, b, off);
    TPackedRows& rows = FBlocks[static_cast<size_t>(b)].Rows.Mut();
    const auto j = static_cast<size_t>(off);
    if (!rows.Extra(j)) {
        if (s.empty()) return;
        rows.SetExtra(j, NewExtra());
    }
    FExtras[rows.Extra(j) - 1].DataStr.assign(s);
    if (s.empty()) FreeExtra(rows, j);
}

const char* TRowTable::StoreText(std::string_view s) {
    if (s.empty()) return nullptr;
    if (s.size() > FCurLeft) {
        size_t n = std::max(kChunk, s.size());
        FChunks.push_back(std::shared_ptr<char[]>(new char[n]));
        FCur = FChunks.back().get();
        FCurLeft = n;
    }
    char* p = FCur;
    std::memcpy(p, s.data(), s.size());
    FCur += s.size();
    FCurLeft -= s.size();
    FArenaBytes += s.size();
    return p;
}

const char* TRowTable::AdoptBuffer(std::unique_ptr<char[]> buf, size_t size) {
    const char* p = buf.get();
    // Keep the current chunk current: insert the buffer before it.
    if (FChunks.empty())
        FChunks.push_back(std::move(buf));
    else
        FChunks.insert(FChunks.end() - 1, std::move(buf));
    FArenaBytes += size;
    return p;
}

std::shared_ptr<char[]> TRowTable::ChunkOf(std::string&& s) {
    auto* held = new std::string(std::move(s));
    return std::shared_ptr<char[]>(held->data(), [held](char*) { delete held; });
}

void TRowTable::AddChunk(std::shared_ptr<char[]> chunk, size_t n) {
    // Keep the current chunk current: insert before it.
    if (FChunks.empty())
        FChunks.push_back(std::move(chunk));
    else
        FChunks.insert(FChunks.end() - 1, std::move(chunk));
    FArenaBytes += n;
}

void TRowTable::AppendBlocks(std::vector<TRowBlock>&& blocks) {
    Dirty(static_cast<int>(FBlocks.size()));
    FBlocks.reserve(FBlocks.size() + blocks.size());
    for (TRowBlock& b : blocks) {
        if (b.Rows.empty()) continue;
        Block blk;
        blk.LineEnds = b.LineEnds;
        blk.Bytes = b.Bytes;
        FCount += static_cast<int>(b.Rows.size());
        FLineEnds += b.LineEnds;
        FBytes += b.Bytes;
        FTextLen += b.TextLen;
        blk.Rows = TCowRows(std::move(b.Rows));
        FBlocks.push_back(std::move(blk));
    }
    blocks.clear();
}

void TRowTable::Recount(Block& blk) {
    blk.LineEnds = 0;
    blk.Bytes = 0;
    const TPackedRows& rows = *blk.Rows;
    for (size_t j = 0; j < rows.size(); ++j) {
        blk.LineEnds += IsLineEnd(rows, j) ? 1 : 0;
        blk.Bytes += RowBytes(rows, j);
    }
}

void TRowTable::Insert(int i, const TRowRec* recs, int n) {
    if (n <= 0) return;
    int le = 0;
    int64_t by = 0;
    for (int k = 0; k < n; ++k) {
        le += IsLineEnd(recs[k]) ? 1 : 0;
        by += RowBytes(recs[k]);
    }
    int b, off;
    if (FBlocks.empty()) {
        FBlocks.emplace_back();
        b = 0;
        off = 0;
    } else if (i >= FCount) {
        b = static_cast<int>(FBlocks.size()) - 1;
        off = static_cast<int>(FBlocks.back().Rows.size());
    } else {
        Locate(i, b, off);
    }
    Block& blk = FBlocks[static_cast<size_t>(b)];
    if (static_cast<int>(blk.Rows.size()) + n <= kMax) {
        blk.Rows.Mut().Insert(static_cast<size_t>(off), recs, static_cast<size_t>(n));
        blk.AuxOk = false;
        blk.LineEnds += le;
        blk.Bytes += by;
        Dirty(b);
    } else {
        // Rebuild the block as whole blocks of kTarget rows over head + recs + tail.
        const size_t head = static_cast<size_t>(off);
        const size_t total = blk.Rows.size() + static_cast<size_t>(n);
        const TPackedRows& old = *blk.Rows;
        auto at = [&](size_t k) -> TRowRec {
            if (k < head) return old[k];
            if (k < head + static_cast<size_t>(n)) return recs[k - head];
            return old[k - static_cast<size_t>(n)];
        };
        std::vector<Block> parts;
        parts.reserve(total / kTarget + 1);
        for (size_t s = 0; s < total; s += kTarget) {
            Block p;
            size_t e = std::min(total, s + kTarget);
            auto& rows = p.Rows.Mut();
            rows.reserve(e - s);
            for (size_t k = s; k < e; ++k)
                rows.push_back(at(k));
            Recount(p);
            parts.push_back(std::move(p));
        }
        FBlocks.erase(FBlocks.begin() + b);
        FBlocks.insert(FBlocks.begin() + b, std::make_move_iterator(parts.begin()),
                       std::make_move_iterator(parts.end()));
        Dirty(b);
    }
    for (int k = 0; k < n; ++k)
        FTextLen += recs[k].Len;
    FCount += n;
    FLineEnds += le;
    FBytes += by;
}

void TRowTable::Erase(int i, int n) {
    if (n <= 0) return;
    int b, off;
    Locate(i, b, off);
    int left = n;
    int firstTouched = b;
    while (left > 0) {
        Block& blk = FBlocks[static_cast<size_t>(b)];
        int take = std::min(left, static_cast<int>(blk.Rows.size()) - off);
        TPackedRows& rows = blk.Rows.Mut();
        for (int k = off; k < off + take; ++k) {
            const auto j = static_cast<size_t>(k);
            FTextLen -= rows.Len(j);
            FreeExtra(rows, j);
            int le = IsLineEnd(rows, j) ? 1 : 0;
            int64_t by = RowBytes(rows, j);
            blk.LineEnds -= le;
            blk.Bytes -= by;
            FLineEnds -= le;
            FBytes -= by;
        }
        rows.Erase(static_cast<size_t>(off), static_cast<size_t>(take));
        blk.AuxOk = false;
        left -= take;
        FCount -= take;
        if (blk.Rows.empty()) {
            FBlocks.erase(FBlocks.begin() + b);
        } else {
            ++b;
        }
        off = 0;
    }
    Dirty(firstTouched);
    if (firstTouched < static_cast<int>(FBlocks.size())) MergeSmall(firstTouched);
    if (firstTouched > 0) MergeSmall(firstTouched - 1);
    FCacheBlock = 0;
}

void TRowTable::MergeSmall(int b) {
    if (b < 0 || b + 1 >= static_cast<int>(FBlocks.size())) return;
    Block& x = FBlocks[static_cast<size_t>(b)];
    Block& y = FBlocks[static_cast<size_t>(b) + 1];
    if ((x.Rows.size() < kSmall || y.Rows.size() < kSmall) &&
        x.Rows.size() + y.Rows.size() <= kTarget) {
        std::vector<TRowRec> tail = y.Rows->Unpack();
        TPackedRows& rows = x.Rows.Mut();
        rows.Insert(rows.size(), tail.data(), tail.size());
        x.AuxOk = false;
        x.LineEnds += y.LineEnds;
        x.Bytes += y.Bytes;
        FBlocks.erase(FBlocks.begin() + b + 1);
        Dirty(b);
    }
}

void TRowTable::EnsureAux(const Block& blk) {
    if (blk.AuxOk) return;
    const TPackedRows& rows = *blk.Rows;
    const size_t n = rows.size();
    blk.Bits.assign((n + 63) / 64, 0);
    blk.Sub.assign((n + 63) / 64, 0);
    int64_t bytes = 0;
    uint32_t lenEnds[64];
    for (size_t w = 0; w * 64 < n; ++w) {
        const size_t m = std::min<size_t>(64, n - w * 64);
        rows.LenEnds(w * 64, w * 64 + m, lenEnds);
        blk.Sub[w] = bytes;
        uint64_t bits = 0;
        for (size_t j = 0; j < m; ++j) {
            const uint32_t end = lenEnds[j] & 3u;
            bits |= uint64_t{end != reWrapped} << j;
            bytes += (lenEnds[j] >> 2) + (end == reLineEnd ? 2 : 0);
        }
        blk.Bits[w] = bits;
    }
    blk.AuxOk = true;
}

int TRowTable::LineEndsBefore(int r) const {
    if (r <= 0) return 0;
    if (r >= FCount) return FLineEnds;
    int b, off;
    Locate(r, b, off);
    const Block& blk = FBlocks[static_cast<size_t>(b)];
    EnsureAux(blk);
    int n = FLinePrefix[static_cast<size_t>(b)];
    size_t w = static_cast<size_t>(off) / 64;
    for (size_t k = 0; k < w; ++k)
        n += __builtin_popcountll(blk.Bits[k]);
    if (off % 64) n += __builtin_popcountll(blk.Bits[w] & ((uint64_t{1} << (off % 64)) - 1));
    return n;
}

int TRowTable::RowOfLineEnd(int k) const {
    if (k < 0) return -1;
    if (k >= FLineEnds) return FCount;
    const size_t v = ValidThrough(FLinePrefix, k);
    // first block whose prefix after it exceeds k
    auto it = std::upper_bound(FLinePrefix.begin() + 1,
                               FLinePrefix.begin() + static_cast<std::ptrdiff_t>(v) + 1, k);
    int b = static_cast<int>(it - FLinePrefix.begin()) - 1;
    int left = k - FLinePrefix[static_cast<size_t>(b)];
    const Block& blk = FBlocks[static_cast<size_t>(b)];
    EnsureAux(blk);
    for (size_t w = 0; w < blk.Bits.size(); ++w) {
        uint64_t bits = blk.Bits[w];
        int c = __builtin_popcountll(bits);
        if (left >= c) {
            left -= c;
            continue;
        }
        while (left-- > 0)
            bits &= bits - 1; // drop the lowest set bits
        return FRowPrefix[static_cast<size_t>(b)] + static_cast<int>(w * 64) +
               __builtin_ctzll(bits);
    }
    return FCount; // not reached
}

int64_t TRowTable::BytesBefore(int r) const {
    if (r <= 0) return 0;
    if (r >= FCount) return FBytes;
    int b, off;
    Locate(r, b, off);
    const Block& blk = FBlocks[static_cast<size_t>(b)];
    EnsureAux(blk);
    int64_t n = FBytePrefix[static_cast<size_t>(b)] + blk.Sub[static_cast<size_t>(off) / 64];
    for (int k = off / 64 * 64; k < off; ++k)
        n += RowBytes(*blk.Rows, static_cast<size_t>(k));
    return n;
}

int TRowTable::RowOfByte(int64_t pos) const {
    if (FCount == 0) return -1;
    if (pos <= 0) return 0;
    if (pos >= FBytes) return FCount - 1;
    const size_t v = ValidThrough(FBytePrefix, pos);
    auto it = std::upper_bound(FBytePrefix.begin() + 1,
                               FBytePrefix.begin() + static_cast<std::ptrdiff_t>(v) + 1, pos);
    int b = static_cast<int>(it - FBytePrefix.begin()) - 1;
    const Block& blk = FBlocks[static_cast<size_t>(b)];
    EnsureAux(blk);
    int64_t in = pos - FBytePrefix[static_cast<size_t>(b)];
    auto sit = std::upper_bound(blk.Sub.begin(), blk.Sub.end(), in);
    size_t j = static_cast<size_t>(sit - blk.Sub.begin() - 1) * 64;
    int64_t n = blk.Sub[j / 64];
    for (; j < blk.Rows.size(); ++j) {
        n += RowBytes(*blk.Rows, j);
        if (in < n) return FRowPrefix[static_cast<size_t>(b)] + static_cast<int>(j);
    }
    return FRowPrefix[static_cast<size_t>(b) + 1] - 1;
}

TRowTableSnapshot TRowTable::Snapshot() const {
    TRowTableSnapshot snap;
    snap.Blocks.reserve(FBlocks.size());
    for (const Block& blk : FBlocks)
        snap.Blocks.push_back(blk.Rows.Share());
    snap.Chunks = FChunks;
    snap.Bytes = FBytes;
    return snap;
}

void TRowTable::MaybeCompact() {
    size_t garbage = GarbageBytes();
    if (garbage > (4u << 20) && garbage * 2 > FArenaBytes) Compact();
}

void TRowTable::clearRows() {
    FBlocks.clear();
    FExtras.clear();
    FFreeExtras.clear();
    FCount = 0;
    FLineEnds = 0;
    FBytes = 0;
    FTextLen = 0;
    FCacheBlock = 0;
    FDirty = 0;
}

void TRowTable::AssignRows(std::vector<TRowRec>&& recs) {
    clearRows();
    FBlocks.reserve(recs.size() / kTarget + 1);
    for (size_t s = 0; s < recs.size(); s += kTarget) {
        Block p;
        size_t e = std::min(recs.size(), s + kTarget);
        for (size_t k = s; k < e; ++k) {
            recs[k].Extra = 0;
            FTextLen += recs[k].Len;
        }
        p.Rows.Mut().Assign(recs.data() + s, e - s);
        Recount(p);
        FLineEnds += p.LineEnds;
        FBytes += p.Bytes;
        FBlocks.push_back(std::move(p));
    }
    FCount = static_cast<int>(recs.size());
    std::vector<TRowRec>().swap(recs);
    FDirty = 0;
}

void TRowTable::AssignBlocks(std::vector<TRowBlock>&& blocks) {
    clearRows();
    AppendBlocks(std::move(blocks));
    FDirty = 0;
}

void TRowTable::Compact() {
    size_t live = FTextLen;
    std::shared_ptr<char[]> buf(new char[std::max<size_t>(live, 1) + kChunk]);
    char* p = buf.get();
    for (Block& blk : FBlocks) {
        TPackedRows& rows = blk.Rows.Mut();
        std::vector<TRowRec> recs = rows.Unpack();
        for (TRowRec& r : recs) {
            if (!r.Len) continue;
            std::memcpy(p, r.P, r.Len);
            r.P = p;
            p += r.Len;
        }
        rows.Assign(recs.data(), recs.size()); // one chunk now: packed again where it fits
    }
    FChunks.clear();
    FChunks.push_back(std::move(buf));
    FCur = p;
    FCurLeft = std::max<size_t>(live, 1) + kChunk - static_cast<size_t>(p - FChunks.back().get());
    FArenaBytes = static_cast<size_t>(p - FChunks.back().get());
}
