// The row cut of a loaded text, in parts on every core.
#include "text/RowCut.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <exception>
#include <new>
#include <thread>

#include "platform/Cp932.h"
#include "platform/MemoryInfo.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int64_t kMemoryReserve = 128ll << 20; // left to the rest of the program and system
constexpr int kCheckEvery = 64;                 // blocks between looks at the free memory

const char* const kTooManyRows = "行が多すぎるため、このテキストを開けません。";
const char* const kNoMemory = "メモリが足りないため、このテキストを開けません。";

struct Part {
    size_t From = 0, To = 0;
    std::vector<TRowBlock> Blocks;
};

// Bit i of *ends is set when p[i] is CR or LF, of *tabs when it is a tab (n <= 64 bytes).
void ScanWord(const char* p, size_t n, uint64_t* ends, uint64_t* tabs) {
#if defined(__SSE2__)
    alignas(16) char pad[64];
    if (n < 64) {
        std::memset(pad, 0, sizeof pad);
        std::memcpy(pad, p, n);
        p = pad;
    }
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), tab = _mm_set1_epi8('\t');
    uint64_t e = 0, t = 0;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const auto me = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        const auto mt = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab)));
        e |= uint64_t{me} << (16 * k);
        t |= uint64_t{mt} << (16 * k);
    }
    *ends = e;
    *tabs = t;
#else
    uint64_t e = 0, t = 0;
    for (size_t i = 0; i < n; ++i) {
        e |= uint64_t{p[i] == '\r' || p[i] == '\n'} << i;
        t |= uint64_t{p[i] == '\t'} << i;
    }
    *ends = e;
    *tabs = t;
#endif
}

// Bits lo..hi-1 of a word (0 <= lo <= hi <= 64).
uint64_t BitsBetween(size_t lo, size_t hi) {
    const uint64_t upto = hi >= 64 ? ~uint64_t{0} : (uint64_t{1} << hi) - 1;
    const uint64_t below = lo >= 64 ? ~uint64_t{0} : (uint64_t{1} << lo) - 1;
    return upto & ~below;
}

class Cutter {
  public:
    Cutter(const char* p, const TWrapSettings& ws, std::atomic<bool>& stop)
        : p_(p), ws_(ws), stop_(stop), wb_(static_cast<size_t>(ws.WrapByte)),
          plain_(ws.WordWrap && !ws.WordBreak && !ws.FollowPunctuation && !ws.Leading) {}

    // Rows of the lines in [from, to); `to` is the text's end or just after a line end. The
    // line ends and tabs are found 64 bytes at a time, in one pass.
    void Run(Part& part) {
        out_ = &part.Blocks;
        const size_t to = part.To;
        size_t line = part.From; // where the current line starts
        bool tab = false;        // a tab in the current line before the word being looked at
        for (size_t w = part.From; w < to; w += 64) {
            const size_t n = std::min<size_t>(64, to - w);
            uint64_t ends, tabs;
            ScanWord(p_ + w, n, &ends, &tabs);
            const uint64_t inText = BitsBetween(0, n);
            ends &= inText;
            if (line > w) ends &= ~BitsBetween(0, line - w); // the LF of a CR LF before
            while (ends) {
                const size_t b = static_cast<size_t>(__builtin_ctzll(ends));
                const size_t q = w + b;
                ends &= ends - 1;
                const size_t lo = line > w ? line - w : 0;
                Line(line, q - line, tab || (tabs & BitsBetween(lo, b)) != 0);
                tab = false;
                line = q + 1;
                if (p_[q] == '\r' && q + 1 < to && p_[q + 1] == '\n') {
                    ++line;
                    if (b < 63) ends &= ends - 1; // that LF, when it is in this word
                }
            }
            if (line < w + 64)
                tab = tab || (tabs & inText & BitsBetween(line > w ? line - w : 0, 64));
            if (stop_.load(std::memory_order_relaxed)) return;
        }
        if (line < to) { // the text ends without a line end
            Line(line, to - line, tab);
            const size_t last = cur_.Rows.size() - 1;
            cur_.Rows.SetA(last, RowData::WithRowEnd(cur_.Rows.A(last), reTextEnd));
            cur_.Bytes -= 2; // a line end as reLineEnd is, but no CR LF follows it
        }
        Flush();
    }

  private:
    // The rows of one line (without its line end) at pos.
    void Line(size_t pos, size_t len, bool tab) {
        if (ws_.WordWrap ? len < wb_ && !tab : len <= ws_.MaxRowBytes) {
            Add(pos, len, reLineEnd);
        } else if (plain_ && !tab) {
            PlainWrap(pos, len);
        } else {
            tmp_.clear();
            WrapLine(std::string_view(p_ + pos, len), pos, ws_, tmp_);
            for (const TWrapRow& w : tmp_)
                Add(w.Start, w.Length, w.RowEnd);
        }
    }

    // Word wrap without tabs, word break, hanging punctuation or kinsoku: every character takes
    // as many columns as it has bytes, so a row is WrapByte bytes, one less when its last column
    // would be the first half of a two-byte character. Whether a byte starts a character is told
    // by the lead bytes right before it: an even run of them ends on a character's end.
    void PlainWrap(size_t pos, size_t len) {
        const size_t end = pos + len;
        size_t start = pos;
        while (end - start >= wb_) {
            const size_t k = start + wb_ - 1; // the last column's byte
            size_t j = k;
            while (j > start && IsDBCSLeadByte(p_[j - 1]))
                --j;
            const bool lead = (k - j) % 2 == 0 && k + 1 < end && IsDBCSLeadByte(p_[k]);
            const size_t n = lead ? wb_ - 1 : wb_;
            Add(start, n, reWrapped);
            start += n;
        }
        if (start < end) {
            Add(start, end - start, reLineEnd);
        } else if (ws_.FollowRetMark) {
            const size_t last = cur_.Rows.size() - 1;
            cur_.Rows.SetA(last, RowData::WithRowEnd(cur_.Rows.A(last), reLineEnd));
            ++cur_.LineEnds;
            cur_.Bytes += 2;
        } else {
            Add(end, 0, reLineEnd);
        }
    }

    void Add(size_t start, size_t len, TRowEnd re) {
        if (cur_.Rows.size() == static_cast<size_t>(TRowTable::BlockRows)) Flush();
        if (cur_.Rows.capacity() == 0) cur_.Rows.reserve(TRowTable::BlockRows);
        cur_.Rows.PushRow(p_ + start, static_cast<uint32_t>(len), re);
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
    const size_t wb_;
    const bool plain_; // word wrap with none of the options that look at characters
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
