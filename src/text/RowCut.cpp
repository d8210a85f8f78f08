// The row cut of a loaded text, in parts on every core.
#include "text/RowCut.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <thread>

#include "platform/MemoryInfo.h"

namespace {

constexpr int64_t kMemoryReserve = 128ll << 20; // left to the rest of the program and system
constexpr int kCheckEvery = 64;                 // blocks between looks at the free memory

const char* const kTooManyRows = "行が多すぎるため、このテキストを開けません。";
const char* const kNoMemory = "メモリが足りないため、このテキストを開けません。";

struct Part {
    size_t From = 0, To = 0;
    std::vector<TRowBlock> Blocks;
};

class Cutter {
  public:
    Cutter(const char* p, const TWrapSettings& ws, std::atomic<bool>& stop)
        : p_(p), ws_(ws), stop_(stop) {}

    // Rows of the lines in [from, to); `to` is the text's end or just after a LF.
    void Run(Part& part) {
        out_ = &part.Blocks;
        const size_t to = part.To;
        const size_t wb = static_cast<size_t>(ws_.WrapByte);
        size_t pos = part.From, lf = 0, cr = 0;
        bool lfValid = false, crValid = false;
        while (pos < to) {
            if (!lfValid || lf < pos) {
                const void* f = std::memchr(p_ + pos, '\n', to - pos);
                lf = f ? static_cast<size_t>(static_cast<const char*>(f) - p_) : to;
                lfValid = true;
            }
            if (!crValid || cr < pos) {
                const void* f = std::memchr(p_ + pos, '\r', to - pos);
                cr = f ? static_cast<size_t>(static_cast<const char*>(f) - p_) : to;
                crValid = true;
            }
            const size_t q = std::min(lf, cr);
            const size_t len = q - pos;
            const bool whole = ws_.WordWrap ? len < wb && !std::memchr(p_ + pos, '\t', len)
                                            : len <= ws_.MaxRowBytes;
            if (whole) {
                Add(pos, len, reLineEnd);
            } else {
                tmp_.clear();
                WrapLine(std::string_view(p_ + pos, len), pos, ws_, tmp_);
                for (const TWrapRow& w : tmp_)
                    Add(w.Start, w.Length, w.RowEnd);
            }
            if (q >= to) { // the text ends without a line end
                const size_t last = cur_.Rows.size() - 1;
                cur_.Rows.SetA(last, RowData::WithRowEnd(cur_.Rows.A(last), reTextEnd));
                cur_.Bytes -= 2; // a line end as reLineEnd is, but no CR LF follows it
                break;
            }
            pos = q + ((p_[q] == '\r' && q + 1 < to && p_[q + 1] == '\n') ? 2 : 1);
            if (stop_.load(std::memory_order_relaxed)) return;
        }
        Flush();
    }

  private:
    void Add(size_t start, size_t len, TRowEnd re) {
        if (cur_.Rows.size() == static_cast<size_t>(TRowTable::BlockRows)) Flush();
        if (cur_.Rows.capacity() == 0) cur_.Rows.reserve(TRowTable::BlockRows);
        cur_.Rows.push_back({len ? p_ + start : nullptr, static_cast<uint32_t>(len),
                             RowData::WithRowEnd(0, re), 0, 0});
        cur_.LineEnds += re != reWrapped ? 1 : 0;
        cur_.Bytes += static_cast<int64_t>(len) + (re == reLineEnd ? 2 : 0);
        cur_.TextLen += len;
    }
    void Flush() {
        if (cur_.Rows.empty()) return;
        out_->push_back(std::move(cur_));
        cur_ = TRowBlock();
        if (out_->size() % kCheckEvery == 0) {
            const int64_t avail = AvailableMemoryBytes();
            if (avail >= 0 && avail < kMemoryReserve) throw std::bad_alloc();
        }
    }

    const char* p_;
    const TWrapSettings& ws_;
    std::atomic<bool>& stop_;
    std::vector<TRowBlock>* out_ = nullptr;
    TRowBlock cur_;
    std::vector<TWrapRow> tmp_;
};

// Part boundaries: about equal parts, each ending just after a LF (or at the text's end).
std::vector<Part> SplitParts(const char* p, size_t n, int parts) {
    std::vector<Part> out;
    size_t from = 0;
    for (int k = 1; k <= parts && from < n; ++k) {
        size_t to = n;
        if (k < parts) {
            size_t aim = std::max(from, n / static_cast<size_t>(parts) * static_cast<size_t>(k));
            const void* f = std::memchr(p + aim, '\n', n - aim);
            to = f ? static_cast<size_t>(static_cast<const char*>(f) - p) + 1 : n;
        }
        out.push_back({from, to, {}});
        from = to;
    }
    return out;
}

} // namespace

std::vector<TRowBlock> CutRows(const char* p, size_t n, const TWrapSettings& ws, int threads,
                               size_t partBytes) {
    std::vector<TRowBlock> blocks;
    if (n == 0) return blocks;
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, 64);
    // A few parts per thread even out lines that wrap into many rows.
    const int parts = static_cast<int>(std::clamp<size_t>(n / std::max<size_t>(partBytes, 1), 1,
                                                          static_cast<size_t>(threads) * 4));
    std::vector<Part> work = SplitParts(p, n, parts);
    std::atomic<bool> stop{false};
    std::atomic<size_t> next{0};
    std::exception_ptr error;
    std::atomic<bool> failed{false};
    auto worker = [&] {
        for (;;) {
            const size_t k = next.fetch_add(1);
            if (k >= work.size() || stop.load()) return;
            try {
                Cutter(p, ws, stop).Run(work[k]);
            } catch (...) {
                if (!failed.exchange(true)) error = std::current_exception();
                stop = true;
                return;
            }
        }
    };
    const int extra = std::min(threads, static_cast<int>(work.size())) - 1;
    std::vector<std::thread> pool;
    try {
        for (int i = 0; i < extra; ++i)
            pool.emplace_back(worker);
    } catch (const std::system_error&) {
        // fewer threads: the ones started and this one share the parts
    }
    worker();
    for (std::thread& t : pool)
        t.join();
    if (failed) {
        try {
            std::rethrow_exception(error);
        } catch (const std::bad_alloc&) {
            throw ETextTooLarge(kNoMemory);
        }
    }
    // Join the parts in order.
    size_t nb = 0;
    int64_t rows = 0;
    for (const Part& part : work) {
        nb += part.Blocks.size();
        for (const TRowBlock& b : part.Blocks)
            rows += static_cast<int64_t>(b.Rows.size());
    }
    if (rows >= INT_MAX) throw ETextTooLarge(kTooManyRows);
    try {
        blocks.reserve(nb);
    } catch (const std::bad_alloc&) {
        throw ETextTooLarge(kNoMemory);
    }
    for (Part& part : work)
        for (TRowBlock& b : part.Blocks)
            blocks.push_back(std::move(b));
    return blocks;
}
