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

EListError::EListError(int index) : std::out_of_range(IndexMessage(index)), index_(index) {}

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
    clearRows();
    chunks_.clear();
    cur_ = nullptr;
    curLeft_ = 0;
    arenaBytes_ = 0;
    rowPrefix_.assign(1, 0);
    linePrefix_.assign(1, 0);
    bytePrefix_.assign(1, 0);
}

void TRowTable::Dirty(int b) const {
    dirty_ = std::min(dirty_, std::max(b, 0));
}

void TRowTable::ExtendPrefix(size_t to) const {
    const size_t nb = blocks_.size();
    if (rowPrefix_.size() != nb + 1) {
        rowPrefix_.resize(nb + 1);
        linePrefix_.resize(nb + 1);
        bytePrefix_.resize(nb + 1);
    }
    if (dirty_ > static_cast<int>(nb)) return;
    rowPrefix_[0] = 0;
    linePrefix_[0] = 0;
    bytePrefix_[0] = 0;
    for (size_t b = static_cast<size_t>(dirty_); b < to; ++b) {
        rowPrefix_[b + 1] = rowPrefix_[b] + static_cast<int>(blocks_[b].Rows.Count());
        linePrefix_[b + 1] = linePrefix_[b] + blocks_[b].LineEnds;
        bytePrefix_[b + 1] = bytePrefix_[b] + blocks_[b].Bytes;
    }
    dirty_ = to >= nb ? static_cast<int>(nb) + 1 : std::max(dirty_, static_cast<int>(to));
}

template <class T> size_t TRowTable::ValidThrough(const std::vector<T>& prefix, T key) const {
    const size_t nb = blocks_.size();
    ExtendPrefix(0); // sizes the prefix after blocks came or went
    size_t v = std::min(static_cast<size_t>(dirty_), nb);
    while (v < nb && prefix[v] <= key) {
        const size_t to = std::min(nb, v + 16);
        ExtendPrefix(to);
        while (v < to && prefix[v] <= key)
            ++v;
    }
    return v;
}

void TRowTable::Locate(int i, int& b, int& off) const {
    const int nb = static_cast<int>(blocks_.size());
    const auto c = static_cast<size_t>(cacheBlock_);
    // The block of the last lookup, while its prefix entries are still valid (rows walked one
    // by one mostly stay in it).
    if (static_cast<int>(c) < nb && static_cast<int>(c) < dirty_ &&
        rowPrefix_.size() == blocks_.size() + 1 && rowPrefix_[c] <= i && i < rowPrefix_[c + 1]) {
        b = static_cast<int>(c);
        off = i - rowPrefix_[c];
        return;
    }
    const size_t v = ValidThrough(rowPrefix_, i);
    // last block whose first row is <= i
    const auto end = static_cast<std::ptrdiff_t>(std::min(v + 1, static_cast<size_t>(nb)));
    auto it = std::upper_bound(rowPrefix_.begin(), rowPrefix_.begin() + end, i);
    b = static_cast<int>(it - rowPrefix_.begin()) - 1;
    // skip empty blocks (none are kept, but be safe)
    while (b + 1 < nb && rowPrefix_[static_cast<size_t>(b) + 1] <= i)
        ++b;
    cacheBlock_ = b;
    off = i - rowPrefix_[static_cast<size_t>(b)];
}

void TRowTable::LocateRow(int i, int& b, int& off) const {
    // A row of the last block is found without the prefix: the text's end is asked for after
    // every edit, wherever it was.
    if (!blocks_.empty()) {
        const int lastFirst = count_ - static_cast<int>(blocks_.back().Rows.Count());
        if (i >= lastFirst) {
            b = static_cast<int>(blocks_.size()) - 1;
            off = i - lastFirst;
            return;
        }
    }
    Locate(i, b, off);
}

TRowRec TRowTable::At(int i) const {
    int b, off;
    LocateRow(i, b, off);
    return (*blocks_[static_cast<size_t>(b)].Rows)[static_cast<size_t>(off)];
}

int TRowTable::Pieces(int first, int n, TRowPiece* out) const {
    if (first < 0 || first >= count_ || n <= 0) return 0;
    // No cached block here: readers on several threads may ask at once (the prefix, once valid
    // up to the blocks asked for, is only read).
    const size_t v = ValidThrough(rowPrefix_, first);
    const auto end = static_cast<std::ptrdiff_t>(std::min(v + 1, blocks_.size()));
    int b = static_cast<int>(std::upper_bound(rowPrefix_.begin(), rowPrefix_.begin() + end, first) -
                             rowPrefix_.begin() - 1);
    int k = 0;
    for (auto j = static_cast<size_t>(first - rowPrefix_[static_cast<size_t>(b)]);
         k < n && b < static_cast<int>(blocks_.size()); ++b) {
        const TPackedRows& rows = *blocks_[static_cast<size_t>(b)].Rows;
        const size_t take =
            std::min(rows.Count() - std::min(j, rows.Count()), static_cast<size_t>(n - k));
        rows.Pieces(j, j + take, out + k);
        k += static_cast<int>(take);
        j = 0;
    }
    return k;
}

void TRowTable::SetA(int i, uint32_t a) {
    int b, off;
    Locate(i, b, off);
    Block& blk = blocks_[static_cast<size_t>(b)];
    TPackedRows& rows = blk.Rows.Mut();
    const auto j = static_cast<size_t>(off);
    int le = IsLineEnd(rows, j) ? 1 : 0;
    int64_t by = RowBytes(rows, j);
    rows.SetA(j, a);
    blk.DropAux(j);
    int dle = (IsLineEnd(rows, j) ? 1 : 0) - le;
    int64_t dby = RowBytes(rows, j) - by;
    if (dle || dby) {
        blk.LineEnds += dle;
        blk.Bytes += dby;
        lineEnds_ += dle;
        bytes_ += dby;
        Dirty(b);
    }
}

void TRowTable::SetB(int i, uint32_t v) {
    int b, off;
    Locate(i, b, off);
    blocks_[static_cast<size_t>(b)].Rows.Mut().SetB(static_cast<size_t>(off), v);
}

void TRowTable::SetText(int i, std::string_view s) {
    const char* p = StoreText(s);
    int b, off;
    Locate(i, b, off);
    Block& blk = blocks_[static_cast<size_t>(b)];
    TPackedRows& rows = blk.Rows.Mut();
    const auto j = static_cast<size_t>(off);
    const uint32_t old = rows.Len(j);
    textLen_ += s.size();
    textLen_ -= old;
    int64_t d = static_cast<int64_t>(s.size()) - static_cast<int64_t>(old);
    rows.SetText(j, p, static_cast<uint32_t>(s.size()));
    blk.DropAux(j);
    blk.Bytes += d;
    bytes_ += d;
    Dirty(b);
}

uint32_t TRowTable::NewExtra() {
    if (!freeExtras_.empty()) {
        uint32_t e = freeExtras_.back();
        freeExtras_.pop_back();
        return e;
    }
    extras_.emplace_back();
    return static_cast<uint32_t>(extras_.size());
}

void TRowTable::FreeExtra(TPackedRows& rows, size_t j) {
    const uint32_t x = rows.Extra(j);
    if (!x) return;
    Extra& e = extras_[x - 1];
    e.DataStr.clear();
    e.DataStr.shrink_to_fit();
    freeExtras_.push_back(x);
    rows.SetExtra(j, 0);
}

std::string_view TRowTable::DataStr(int i) const {
    const TRowRec& r = At(i);
    return r.Extra ? std::string_view(extras_[r.Extra - 1].DataStr) : std::string_view();
}

void TRowTable::SetDataStr(int i, std::string_view s) {
    int b, off;
    Locate(i, b, off);
    TPackedRows& rows = blocks_[static_cast<size_t>(b)].Rows.Mut();
    const auto j = static_cast<size_t>(off);
    if (!rows.Extra(j)) {
        if (s.empty()) return;
        rows.SetExtra(j, NewExtra());
    }
    extras_[rows.Extra(j) - 1].DataStr.assign(s);
    if (s.empty()) FreeExtra(rows, j);
}

const char* TRowTable::StoreText(std::string_view s) {
    if (s.empty()) return nullptr;
    if (s.size() > curLeft_) {
        size_t n = std::max(kChunk, s.size());
        chunks_.push_back(std::shared_ptr<char[]>(new char[n]));
        cur_ = chunks_.back().get();
        curLeft_ = n;
    }
    char* p = cur_;
    std::memcpy(p, s.data(), s.size());
    cur_ += s.size();
    curLeft_ -= s.size();
    arenaBytes_ += s.size();
    return p;
}

const char* TRowTable::AdoptBuffer(std::unique_ptr<char[]> buf, size_t size) {
    const char* p = buf.get();
    // Keep the current chunk current: insert the buffer before it.
    if (chunks_.empty())
        chunks_.push_back(std::move(buf));
    else
        chunks_.insert(chunks_.end() - 1, std::move(buf));
    arenaBytes_ += size;
    return p;
}

std::shared_ptr<char[]> TRowTable::ChunkOf(std::string&& s) {
    auto* held = new std::string(std::move(s));
    return std::shared_ptr<char[]>(held->data(), [held](char*) { delete held; });
}

void TRowTable::AddChunk(std::shared_ptr<char[]> chunk, size_t n) {
    // Keep the current chunk current: insert before it.
    if (chunks_.empty())
        chunks_.push_back(std::move(chunk));
    else
        chunks_.insert(chunks_.end() - 1, std::move(chunk));
    arenaBytes_ += n;
}

void TRowTable::AppendBlocks(std::vector<TRowBlock>&& blocks) {
    Dirty(static_cast<int>(blocks_.size()));
    blocks_.reserve(blocks_.size() + blocks.size());
    for (TRowBlock& b : blocks) {
        if (b.Rows.IsEmpty()) continue;
        Block blk;
        blk.LineEnds = b.LineEnds;
        blk.Bytes = b.Bytes;
        count_ += static_cast<int>(b.Rows.Count());
        lineEnds_ += b.LineEnds;
        bytes_ += b.Bytes;
        textLen_ += b.TextLen;
        blk.Rows = TCowRows(std::move(b.Rows));
        blocks_.push_back(std::move(blk));
    }
    blocks.clear();
}

void TRowTable::Recount(Block& blk) {
    blk.LineEnds = 0;
    blk.Bytes = 0;
    const TPackedRows& rows = *blk.Rows;
    for (size_t j = 0; j < rows.Count(); ++j) {
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
    if (blocks_.empty()) {
        blocks_.emplace_back();
        b = 0;
        off = 0;
    } else if (i >= count_) {
        b = static_cast<int>(blocks_.size()) - 1;
        off = static_cast<int>(blocks_.back().Rows.Count());
    } else {
        Locate(i, b, off);
    }
    Block& blk = blocks_[static_cast<size_t>(b)];
    if (static_cast<int>(blk.Rows.Count()) + n <= kMax) {
        blk.Rows.Mut().Insert(static_cast<size_t>(off), recs, static_cast<size_t>(n));
        blk.DropAux(static_cast<size_t>(off));
        blk.LineEnds += le;
        blk.Bytes += by;
        Dirty(b);
    } else {
        // Rebuild the block as whole blocks of kTarget rows over head + recs + tail.
        const size_t head = static_cast<size_t>(off);
        const size_t total = blk.Rows.Count() + static_cast<size_t>(n);
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
            rows.Reserve(e - s);
            for (size_t k = s; k < e; ++k)
                rows.Append(at(k));
            Recount(p);
            parts.push_back(std::move(p));
        }
        blocks_.erase(blocks_.begin() + b);
        blocks_.insert(blocks_.begin() + b, std::make_move_iterator(parts.begin()),
                       std::make_move_iterator(parts.end()));
        Dirty(b);
    }
    for (int k = 0; k < n; ++k)
        textLen_ += recs[k].Len;
    count_ += n;
    lineEnds_ += le;
    bytes_ += by;
}

void TRowTable::Erase(int i, int n) {
    if (n <= 0) return;
    int b, off;
    Locate(i, b, off);
    int left = n;
    int firstTouched = b;
    while (left > 0) {
        Block& blk = blocks_[static_cast<size_t>(b)];
        int take = std::min(left, static_cast<int>(blk.Rows.Count()) - off);
        TPackedRows& rows = blk.Rows.Mut();
        for (int k = off; k < off + take; ++k) {
            const auto j = static_cast<size_t>(k);
            textLen_ -= rows.Len(j);
            FreeExtra(rows, j);
            int le = IsLineEnd(rows, j) ? 1 : 0;
            int64_t by = RowBytes(rows, j);
            blk.LineEnds -= le;
            blk.Bytes -= by;
            lineEnds_ -= le;
            bytes_ -= by;
        }
        rows.Erase(static_cast<size_t>(off), static_cast<size_t>(take));
        blk.DropAux(static_cast<size_t>(off));
        left -= take;
        count_ -= take;
        if (blk.Rows.IsEmpty()) {
            blocks_.erase(blocks_.begin() + b);
        } else {
            ++b;
        }
        off = 0;
    }
    Dirty(firstTouched);
    if (firstTouched < static_cast<int>(blocks_.size())) MergeSmall(firstTouched);
    if (firstTouched > 0) MergeSmall(firstTouched - 1);
    cacheBlock_ = 0;
}

void TRowTable::MergeSmall(int b) {
    if (b < 0 || b + 1 >= static_cast<int>(blocks_.size())) return;
    Block& x = blocks_[static_cast<size_t>(b)];
    Block& y = blocks_[static_cast<size_t>(b) + 1];
    if ((x.Rows.Count() < kSmall || y.Rows.Count() < kSmall) &&
        x.Rows.Count() + y.Rows.Count() <= kTarget) {
        std::vector<TRowRec> tail = y.Rows->Unpack();
        TPackedRows& rows = x.Rows.Mut();
        x.DropAux(rows.Count());
        rows.Insert(rows.Count(), tail.data(), tail.size());
        x.LineEnds += y.LineEnds;
        x.Bytes += y.Bytes;
        blocks_.erase(blocks_.begin() + b + 1);
        Dirty(b);
    }
}

void TRowTable::EnsureAux(const Block& blk, size_t words) {
    const TPackedRows& rows = *blk.Rows;
    const size_t n = rows.Count();
    const size_t all = (n + 63) / 64;
    words = std::min(words, all);
    if (blk.AuxWords >= words) return;
    if (blk.Bits.size() != all) {
        blk.Bits.resize(all);
        blk.Sub.resize(all + 1);
    }
    int64_t bytes = blk.Sub[blk.AuxWords];
    uint32_t lenEnds[64];
    for (size_t w = blk.AuxWords; w < words; ++w) {
        const size_t m = std::min<size_t>(64, n - w * 64);
        rows.LenEnds(w * 64, w * 64 + m, lenEnds);
        uint64_t bits = 0;
        for (size_t j = 0; j < m; ++j) {
            const uint32_t end = lenEnds[j] & 3u;
            bits |= uint64_t{end != reWrapped} << j;
            bytes += (lenEnds[j] >> 2) + (end == reLineEnd ? 2 : 0);
        }
        blk.Bits[w] = bits;
        blk.Sub[w + 1] = bytes;
    }
    blk.AuxWords = words;
}

int TRowTable::LineEndsBefore(int r) const {
    if (r <= 0) return 0;
    if (r >= count_) return lineEnds_;
    int b, off;
    LocateRow(r, b, off);
    const Block& blk = blocks_[static_cast<size_t>(b)];
    EnsureAux(blk, static_cast<size_t>(off) / 64 + 1);
    // Before the last block lie all line ends but its own; other blocks take the prefix.
    int n = b + 1 == static_cast<int>(blocks_.size()) ? lineEnds_ - blk.LineEnds
                                                      : linePrefix_[static_cast<size_t>(b)];
    size_t w = static_cast<size_t>(off) / 64;
    for (size_t k = 0; k < w; ++k)
        n += __builtin_popcountll(blk.Bits[k]);
    if (off % 64) n += __builtin_popcountll(blk.Bits[w] & ((uint64_t{1} << (off % 64)) - 1));
    return n;
}

int TRowTable::RowOfLineEnd(int k) const {
    if (k < 0) return -1;
    if (k >= lineEnds_) return count_;
    const size_t v = ValidThrough(linePrefix_, k);
    // first block whose prefix after it exceeds k
    auto it = std::upper_bound(linePrefix_.begin() + 1,
                               linePrefix_.begin() + static_cast<std::ptrdiff_t>(v) + 1, k);
    int b = static_cast<int>(it - linePrefix_.begin()) - 1;
    int left = k - linePrefix_[static_cast<size_t>(b)];
    const Block& blk = blocks_[static_cast<size_t>(b)];
    for (size_t w = 0; w * 64 < blk.Rows.Count(); ++w) {
        if (w >= blk.AuxWords) EnsureAux(blk, w + 1);
        uint64_t bits = blk.Bits[w];
        int c = __builtin_popcountll(bits);
        if (left >= c) {
            left -= c;
            continue;
        }
        while (left-- > 0)
            bits &= bits - 1; // drop the lowest set bits
        return rowPrefix_[static_cast<size_t>(b)] + static_cast<int>(w * 64) +
               __builtin_ctzll(bits);
    }
    return count_; // not reached
}

int64_t TRowTable::BytesBefore(int r) const {
    if (r <= 0) return 0;
    if (r >= count_) return bytes_;
    int b, off;
    LocateRow(r, b, off);
    const Block& blk = blocks_[static_cast<size_t>(b)];
    EnsureAux(blk, static_cast<size_t>(off) / 64);
    int64_t n = (b + 1 == static_cast<int>(blocks_.size()) ? bytes_ - blk.Bytes
                                                           : bytePrefix_[static_cast<size_t>(b)]) +
                blk.Sub[static_cast<size_t>(off) / 64];
    const auto from = static_cast<size_t>(off) / 64 * 64;
    uint32_t lenEnds[64];
    blk.Rows->LenEnds(from, static_cast<size_t>(off), lenEnds);
    for (size_t k = 0; k < static_cast<size_t>(off) - from; ++k)
        n += (lenEnds[k] >> 2) + ((lenEnds[k] & 3u) == reLineEnd ? 2 : 0);
    return n;
}

int TRowTable::RowOfByte(int64_t pos) const {
    if (count_ == 0) return -1;
    if (pos <= 0) return 0;
    if (pos >= bytes_) return count_ - 1;
    const size_t v = ValidThrough(bytePrefix_, pos);
    auto it = std::upper_bound(bytePrefix_.begin() + 1,
                               bytePrefix_.begin() + static_cast<std::ptrdiff_t>(v) + 1, pos);
    int b = static_cast<int>(it - bytePrefix_.begin()) - 1;
    const Block& blk = blocks_[static_cast<size_t>(b)];
    const int64_t in = pos - bytePrefix_[static_cast<size_t>(b)];
    // Only the words up to the one holding pos are made valid.
    const size_t all = (blk.Rows.Count() + 63) / 64;
    while (blk.AuxWords < all && blk.Sub[blk.AuxWords] <= in)
        EnsureAux(blk, blk.AuxWords + 1);
    const auto valid = blk.Sub.begin() + static_cast<std::ptrdiff_t>(blk.AuxWords) + 1;
    auto sit = std::upper_bound(blk.Sub.begin(), valid, in);
    const size_t from = static_cast<size_t>(sit - blk.Sub.begin() - 1) * 64;
    const size_t to = std::min(blk.Rows.Count(), from + 64);
    int64_t n = blk.Sub[from / 64];
    uint32_t lenEnds[64];
    blk.Rows->LenEnds(from, to, lenEnds);
    for (size_t j = from; j < to; ++j) {
        const uint32_t le = lenEnds[j - from];
        n += (le >> 2) + ((le & 3u) == reLineEnd ? 2 : 0);
        if (in < n) return rowPrefix_[static_cast<size_t>(b)] + static_cast<int>(j);
    }
    return rowPrefix_[static_cast<size_t>(b) + 1] - 1;
}

TRowTableSnapshot TRowTable::Snapshot() const {
    TRowTableSnapshot snap;
    snap.Blocks.reserve(blocks_.size());
    for (const Block& blk : blocks_)
        snap.Blocks.push_back(blk.Rows.Share());
    snap.Chunks = chunks_;
    snap.Bytes = bytes_;
    return snap;
}

void TRowTable::MaybeCompact() {
    size_t garbage = GarbageBytes();
    if (garbage > (4u << 20) && garbage * 2 > arenaBytes_) Compact();
}

void TRowTable::clearRows() {
    blocks_.clear();
    extras_.clear();
    freeExtras_.clear();
    count_ = 0;
    lineEnds_ = 0;
    bytes_ = 0;
    textLen_ = 0;
    cacheBlock_ = 0;
    dirty_ = 0;
}

void TRowTable::AssignRows(std::vector<TRowRec>&& recs) {
    clearRows();
    blocks_.reserve(recs.size() / kTarget + 1);
    for (size_t s = 0; s < recs.size(); s += kTarget) {
        Block p;
        size_t e = std::min(recs.size(), s + kTarget);
        for (size_t k = s; k < e; ++k) {
            recs[k].Extra = 0;
            textLen_ += recs[k].Len;
        }
        p.Rows.Mut().Assign(recs.data() + s, e - s);
        Recount(p);
        lineEnds_ += p.LineEnds;
        bytes_ += p.Bytes;
        blocks_.push_back(std::move(p));
    }
    count_ = static_cast<int>(recs.size());
    std::vector<TRowRec>().swap(recs);
    dirty_ = 0;
}

void TRowTable::AssignBlocks(std::vector<TRowBlock>&& blocks) {
    clearRows();
    AppendBlocks(std::move(blocks));
    dirty_ = 0;
}

void TRowTable::Compact() {
    size_t live = textLen_;
    std::shared_ptr<char[]> buf(new char[std::max<size_t>(live, 1) + kChunk]);
    char* p = buf.get();
    for (Block& blk : blocks_) {
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
    chunks_.clear();
    chunks_.push_back(std::move(buf));
    cur_ = p;
    curLeft_ = std::max<size_t>(live, 1) + kChunk - static_cast<size_t>(p - chunks_.back().get());
    arenaBytes_ = static_cast<size_t>(p - chunks_.back().get());
}
