// The row cut of a loaded text, in parts on every core.
#include "text/RowCut.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <unistd.h>

#include "platform/Cp932.h"
#include "platform/HugePagePool.h"
#include "platform/MemoryInfo.h"
#include "text/EndOfFileMark.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int64_t kMemoryReserve = 128ll << 20; // left to the rest of the program and system
constexpr int kCheckEvery = 64;                 // blocks between looks at the free memory
constexpr size_t kLargeText = size_t{8} << 20;  // from here on the rows go to huge pages

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
    void Run(Part& part, bool large) {
        // The rows of a large text take huge pages: far fewer page faults, each costly.
        std::optional<HugePagePool::TUse> pool;
        if (large) pool.emplace();
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
                uint8_t own = p_[q] == '\n' ? leLf : leCr;
                if (p_[q] == '\r' && q + 1 < to && p_[q + 1] == '\n') {
                    ++line;
                    own = leCrLf;
                    if (b < 63) ends &= ends - 1; // that LF, when it is in this word
                }
                if (ws_.LineEnd && own != ws_.LineEnd) cur_.Rows.SetEol(cur_.Rows.Count() - 1, own);
            }
            if (line < w + 64)
                tab = tab || (tabs & inText & BitsBetween(line > w ? line - w : 0, 64));
            if (stop_.load(std::memory_order_relaxed)) return;
        }
        if (line < to) { // the text ends without a line end
            Line(line, to - line, tab);
            const size_t last = cur_.Rows.Count() - 1;
            cur_.Rows.SetA(last, RowData::WithRowEnd(cur_.Rows.A(last), reTextEnd));
            cur_.Bytes -= 2; // a line end as reLineEnd is, but no CR LF follows it
        }
        Flush();
    }

    // For a re-wrap: the rows of one line that lies anywhere in memory (tab: it holds one),
    // wrapped (wrap) or as one row; the blocks so far go to *out, the last one at Finish.
    void LineAt(const char* line, size_t len, bool tab, bool wrap, std::vector<TRowBlock>* out) {
        out_ = out;
        p_ = line;
        if (wrap)
            Line(0, len, tab);
        else
            Add(0, len, reLineEnd);
    }
    void Finish(std::vector<TRowBlock>* out) {
        out_ = out;
        Flush();
    }
    size_t RowsMade(const std::vector<TRowBlock>& out) const {
        return out.size() * TRowTable::BlockRows + cur_.Rows.Count();
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
            const size_t last = cur_.Rows.Count() - 1;
            cur_.Rows.SetA(last, RowData::WithRowEnd(cur_.Rows.A(last), reLineEnd));
            ++cur_.LineEnds;
            cur_.Bytes += 2;
        } else {
            Add(end, 0, reLineEnd);
        }
    }

    void Add(size_t start, size_t len, TRowEnd re) {
        if (cur_.Rows.Count() == static_cast<size_t>(TRowTable::BlockRows)) Flush();
        if (cur_.Rows.Capacity() == 0) cur_.Rows.Reserve(TRowTable::BlockRows);
        cur_.Rows.PushRow(p_ + start, static_cast<uint32_t>(len), re);
        cur_.LineEnds += re != reWrapped ? 1 : 0;
        cur_.Bytes += static_cast<int64_t>(len) + (re == reLineEnd ? 2 : 0);
        cur_.TextLen += len;
    }
    void Flush() {
        if (cur_.Rows.IsEmpty()) return;
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

int ThreadCount(int threads) {
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::min(threads, 64);
}

// Runs task(k) for k in 0..count-1 on up to `threads` threads (this one among them), each k once.
// The first exception stops the rest and is thrown here, a shortage of memory as ETextTooLarge.
template <class Task> void RunParts(int threads, size_t count, std::atomic<bool>& stop, Task task) {
    std::atomic<size_t> next{0};
    std::exception_ptr error;
    std::atomic<bool> failed{false};
    auto worker = [&] {
        for (;;) {
            const size_t k = next.fetch_add(1);
            if (k >= count || stop.load()) return;
            try {
                task(k);
            } catch (...) {
                if (!failed.exchange(true)) error = std::current_exception();
                stop = true;
                return;
            }
        }
    };
    const int extra = static_cast<int>(std::min<size_t>(static_cast<size_t>(threads), count)) - 1;
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
}

// The blocks of the parts, in order.
std::vector<TRowBlock> JoinParts(std::vector<Part>& work) {
    size_t nb = 0;
    int64_t rows = 0;
    for (const Part& part : work) {
        nb += part.Blocks.size();
        for (const TRowBlock& b : part.Blocks)
            rows += static_cast<int64_t>(b.Rows.Count());
    }
    if (rows >= INT_MAX) throw ETextTooLarge(kTooManyRows);
    std::vector<TRowBlock> blocks;
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

// A file read into a buffer in pieces, each by the first thread that needs it (pread), while the
// others go on cutting what is there.
class PieceReader {
  public:
    PieceReader(int fd, char* buf, size_t size, size_t pieceBytes)
        : fd_(fd), buf_(buf), size_(size), piece_(std::max<size_t>(pieceBytes, 1)),
          state_((size + piece_ - 1) / piece_) {}

    // Bytes [from, to) are in the buffer when this returns (or the read failed: Failed()).
    void Ensure(size_t from, size_t to) {
        if (from >= to) return;
        for (size_t k = from / piece_; k <= (to - 1) / piece_; ++k)
            Piece(k);
    }
    bool Failed() const { return failed_.load(); }
    int Error() const { return error_.load(); }

  private:
    enum { kUnread, kReading, kRead };
    void Piece(size_t k) {
        std::atomic<int>& st = state_[k];
        if (st.load(std::memory_order_acquire) == kRead) return;
        int expected = kUnread;
        if (st.compare_exchange_strong(expected, kReading)) {
            Read(k);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                st.store(kRead, std::memory_order_release);
            }
            done_.notify_all();
            return;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return st.load(std::memory_order_acquire) == kRead; });
    }
    void Read(size_t k) {
        const size_t from = k * piece_, to = std::min(size_, from + piece_);
        size_t at = from;
        while (at < to) {
            const ssize_t got = ::pread(fd_, buf_ + at, to - at, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) { // an error, or the file is shorter than it was
                if (got < 0) error_ = errno;
                failed_ = true;
                std::memset(buf_ + at, 0, to - at); // never cut bytes nobody wrote
                return;
            }
            at += static_cast<size_t>(got);
        }
    }

    const int fd_;
    char* const buf_;
    const size_t size_, piece_;
    std::vector<std::atomic<int>> state_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::atomic<bool> failed_{false};
    std::atomic<int> error_{0};
};

// The text's length before an end-of-file mark, reading from the end as far as it needs.
size_t TextLengthOf(PieceReader& reader, const char* buf, size_t size) {
    size_t k = size;
    for (;;) {
        if (k == 0) return size;
        reader.Ensure(k - 1, k);
        if (buf[k - 1] != '\r' && buf[k - 1] != '\n') break;
        --k;
    }
    if (buf[k - 1] != '\x1a') return size;
    reader.Ensure(0, k);
    return TextLengthBeforeEofMark(std::string_view(buf, size));
}

} // namespace

bool ReadAndCutRows(int fd, char* buf, size_t size, const TWrapSettings& ws, int threads,
                    TReadCut* out, size_t partBytes) {
    *out = TReadCut();
    partBytes = std::max<size_t>(partBytes, 1);
    PieceReader reader(fd, buf, size, partBytes);
    const size_t n = TextLengthOf(reader, buf, size);
    // Part k holds the lines that start from just after the first LF at or past k * partBytes
    // (the text's start for part 0) up to that of part k + 1, read as they are scanned.
    auto boundary = [&](size_t k) -> size_t {
        if (k == 0) return 0;
        for (size_t at = k * partBytes; at < n;) {
            const size_t to = std::min(n, (at / partBytes + 1) * partBytes);
            reader.Ensure(at, to);
            if (reader.Failed()) return n;
            if (const void* f = std::memchr(buf + at, '\n', to - at))
                return static_cast<size_t>(static_cast<const char*>(f) - buf) + 1;
            at = to;
        }
        return n;
    };
    std::vector<Part> work((n + partBytes - 1) / partBytes);
    std::atomic<bool> stop{false};
    RunParts(ThreadCount(threads), work.size(), stop, [&](size_t k) {
        Part& part = work[k];
        part.From = boundary(k);
        part.To = boundary(k + 1);
        if (part.From >= part.To) return;
        reader.Ensure(part.From, part.To);
        if (reader.Failed()) {
            stop = true;
            return;
        }
        Cutter(buf, ws, stop).Run(part, n >= kLargeText);
    });
    // Everything is read (an end-of-file mark's tail too), so that a shorter file is seen.
    reader.Ensure(n, size);
    if (reader.Failed()) {
        out->Error = reader.Error();
        return false;
    }
    out->Blocks = JoinParts(work);
    out->TextLength = n;
    return true;
}

std::vector<TRowBlock> CutRows(const char* p, size_t n, const TWrapSettings& ws, int threads,
                               size_t partBytes) {
    if (n == 0) return {};
    threads = ThreadCount(threads);
    // A few parts per thread even out lines that wrap into many rows.
    const int parts = static_cast<int>(std::clamp<size_t>(n / std::max<size_t>(partBytes, 1), 1,
                                                          static_cast<size_t>(threads) * 4));
    std::vector<Part> work = SplitParts(p, n, parts);
    std::atomic<bool> stop{false};
    RunParts(threads, work.size(), stop,
             [&](size_t k) { Cutter(p, ws, stop).Run(work[k], n >= kLargeText); });
    return JoinParts(work);
}

namespace {

// One part of a re-wrap: the lines that start in blocks [First, End) of the old rows.
struct RewrapPart {
    size_t First = 0, End = 0;
    std::vector<TRowBlock> Blocks;
    std::vector<std::pair<std::shared_ptr<char[]>, size_t>> Own; // copies of lines that lay apart
};

// Copies of the lines whose rows lay apart, in chunks that never move.
class OwnTexts {
  public:
    const char* Copy(std::string_view t) {
        if (t.empty()) return cur_; // nothing to copy, and no chunk may exist yet
        if (t.size() > left_) {
            const size_t n = std::max<size_t>(t.size(), size_t{1} << 20);
            chunks_.emplace_back(std::shared_ptr<char[]>(new char[n]), n);
            cur_ = chunks_.back().first.get();
            left_ = n;
        }
        char* at = cur_;
        std::memcpy(at, t.data(), t.size());
        cur_ += t.size();
        left_ -= t.size();
        return at;
    }
    std::vector<std::pair<std::shared_ptr<char[]>, size_t>> chunks_;

  private:
    char* cur_ = nullptr;
    size_t left_ = 0;
};

void RewrapOnePart(const std::vector<std::shared_ptr<const TPackedRows>>& blocks, RewrapPart& part,
                   bool wrap, const TWrapSettings& ws, TRowEnd lastEnd, std::atomic<bool>& stop) {
    const size_t nb = blocks.size();
    size_t b = part.First, i = 0;
    auto settle = [&] {
        while (b < nb && i >= blocks[b]->Count()) {
            ++b;
            i = 0;
        }
    };
    // Rows that go on a line begun in an earlier block belong to the part before.
    bool continued = false;
    for (size_t p = part.First; p-- > 0;)
        if (!blocks[p]->IsEmpty()) {
            continued = blocks[p]->RowEnd(blocks[p]->Count() - 1) == reWrapped;
            break;
        }
    settle();
    while (continued && b < part.End) {
        continued = blocks[b]->RowEnd(i) == reWrapped;
        ++i;
        settle();
    }
    Cutter cut(nullptr, ws, stop);
    OwnTexts own;
    std::vector<std::pair<size_t, TRowMarks>> marks; // (new row, marks)
    std::vector<std::pair<size_t, uint8_t>> eols;    // (new row, its own line end)
    std::string scratch;
    while (b < part.End && !stop.load(std::memory_order_relaxed)) {
        // One logical line: its rows, whether their texts follow each other, their marks.
        const char* start = nullptr;
        const char* end = nullptr;
        bool contiguous = true;
        const size_t firstRow = cut.RowsMade(part.Blocks);
        const size_t lineMarks = marks.size();
        size_t k = 0;
        bool more = true;
        uint8_t eol = leUsual;
        while (more && b < nb) {
            const TPackedRows& rows = *blocks[b];
            const uint32_t len = rows.Len(i);
            if (len) {
                const char* p = rows.P(i);
                if (!start) {
                    start = p;
                    end = p + len;
                } else if (contiguous && p == end) {
                    end += len;
                } else {
                    if (contiguous) scratch.assign(start, static_cast<size_t>(end - start));
                    contiguous = false;
                    scratch.append(p, len);
                }
            }
            if (const TRowMarks m = RowData::Marks(rows.B(i))) marks.emplace_back(firstRow + k, m);
            ++k;
            more = rows.RowEnd(i) == reWrapped;
            if (!more) eol = rows.Eol(i);
            ++i;
            settle();
        }
        std::string_view line =
            contiguous ? (start ? std::string_view(start, static_cast<size_t>(end - start))
                                : std::string_view())
                       : std::string_view(scratch);
        if (!contiguous) line = std::string_view(own.Copy(line), line.size());
        const bool tab = !line.empty() && std::memchr(line.data(), '\t', line.size()) != nullptr;
        cut.LineAt(line.data(), line.size(), tab, wrap, &part.Blocks);
        // A mark goes to the new row of the same rank in the line, or its last row.
        const size_t lineRows = cut.RowsMade(part.Blocks) - firstRow;
        for (size_t m = lineMarks; m < marks.size(); ++m)
            marks[m].first = firstRow + std::min(marks[m].first - firstRow, lineRows - 1);
        if (eol && lineRows) eols.emplace_back(firstRow + lineRows - 1, eol);
    }
    cut.Finish(&part.Blocks);
    for (const auto& [row, m] : marks) {
        TPackedRows& rows = part.Blocks[row / TRowTable::BlockRows].Rows;
        const size_t j = row % TRowTable::BlockRows;
        rows.SetB(j, RowData::WithMarks(rows.B(j), RowData::Marks(rows.B(j)) | m));
    }
    for (const auto& [row, e] : eols) // the line keeps its own end
        part.Blocks[row / TRowTable::BlockRows].Rows.SetEol(row % TRowTable::BlockRows, e);
    if (b >= nb && !part.Blocks.empty()) {
        // The text's last row: its end as it was (no line end after it without wrap).
        TRowEnd last = lastEnd;
        if (!wrap && last == reWrapped) last = reTextEnd;
        TRowBlock& blk = part.Blocks.back();
        const size_t j = blk.Rows.Count() - 1;
        const TRowEnd was = blk.Rows.RowEnd(j);
        blk.Rows.SetA(j, RowData::WithRowEnd(blk.Rows.A(j), last));
        blk.LineEnds += (last != reWrapped) - (was != reWrapped);
        blk.Bytes += (last == reLineEnd ? 2 : 0) - (was == reLineEnd ? 2 : 0);
    }
    part.Own = std::move(own.chunks_);
}

} // namespace

std::vector<TRowBlock> RewrapRows(const std::vector<std::shared_ptr<const TPackedRows>>& blocks,
                                  bool wrap, const TWrapSettings& ws, TRowEnd lastEnd, int threads,
                                  std::vector<std::pair<std::shared_ptr<char[]>, size_t>>* chunks) {
    threads = ThreadCount(threads);
    // Parts of 64 blocks (about 64 thousand rows) share out evenly among the threads.
    constexpr size_t kBlocksPerPart = 64;
    std::vector<RewrapPart> work((blocks.size() + kBlocksPerPart - 1) / kBlocksPerPart);
    for (size_t k = 0; k < work.size(); ++k) {
        work[k].First = k * kBlocksPerPart;
        work[k].End = std::min(blocks.size(), work[k].First + kBlocksPerPart);
    }
    std::atomic<bool> stop{false};
    RunParts(threads, work.size(), stop,
             [&](size_t k) { RewrapOnePart(blocks, work[k], wrap, ws, lastEnd, stop); });
    std::vector<TRowBlock> out;
    size_t count = 0;
    for (const RewrapPart& p : work)
        count += p.Blocks.size();
    out.reserve(count);
    for (RewrapPart& p : work) {
        for (TRowBlock& blk : p.Blocks)
            out.push_back(std::move(blk));
        for (auto& c : p.Own)
            chunks->push_back(std::move(c));
    }
    return out;
}
