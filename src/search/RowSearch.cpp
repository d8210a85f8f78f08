// The editor's search over its rows (see HTSearchRows.h).
//
// Every buffer takes at least two rows when there are two: the next buffer begins at the last row
// taken into this one, so with a single row of 8192 bytes or more the search would otherwise start
// over on the same row for ever (or find a match behind its start).
#include "search/RowSearch.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::ptrdiff_t pieceBytes(const TRowPiece& p) {
    return static_cast<std::ptrdiff_t>(p.Len) + (p.End == reLineEnd ? 2 : 0);
}

std::ptrdiff_t rowBytes(const TRowView& rows, int r) {
    return static_cast<std::ptrdiff_t>(rows.RowText(r).size()) +
           ((rows.RowEndKind(r) == reLineEnd) ? 2 : 0);
}

// Moves pos on by n bytes of text (line ends counting 2), across rows.
TSearchPos advance(const TRowView& rows, TSearchPos pos, std::ptrdiff_t n) {
    pos.Offset += n;
    while (pos.Row + 1 < rows.RowCount() && pos.Offset > rowBytes(rows, pos.Row)) {
        pos.Offset -= rowBytes(rows, pos.Row);
        ++pos.Row;
    }
    return pos;
}

// The rows' texts, fetched a batch at a time around the rows asked for. The first batch is
// small and each next one twice as large: a hit a few rows away (a run of replacements) fetches
// few rows, a long search soon fetches full batches.
class PieceCache {
  public:
    PieceCache(const TRowView& rows, bool forward) : rows_(rows), forward_(forward) {}
    const TRowPiece& operator[](int r) {
        if (r < base_ || r >= base_ + count_) {
            base_ = forward_ ? r : std::max(0, r - size_ + 1);
            count_ = rows_.RowPieces(base_, size_, batch_);
            size_ = std::min(size_ * 2, kBatch);
        }
        return batch_[r - base_];
    }

  private:
    static constexpr int kBatch = 512;
    const TRowView& rows_;
    bool forward_;
    int base_ = 0;
    int count_ = 0;
    int size_ = 32;
    TRowPiece batch_[kBatch];
};

struct Buffer {
    std::unique_ptr<char[]> text; // the rows copied, when they do not lie in place
    std::size_t capacity = 0;
    std::string_view view; // the bytes searched: text, or the rows where they lie
    int first = 0, last = 0;
    std::size_t lastStart = 0;  // offset of the last row in view
    std::vector<TRowPiece> got; // the pieces of rows first..last

    // Rows top..bottom with CR LF after each line end; bottom < 0 takes rows until they reach
    // limit bytes (at least two when there are two). Returns the last row taken.
    // When the row texts already lie one after the other with those line ends between them (a
    // loaded file), they are searched in place. Only bytes between row texts (or up to the text
    // of the row after the buffer) are read there, never bytes before or after them.
    int build(const TRowView& rows, PieceCache& pieces, int top, int bottom,
              std::size_t limit = kSearchBufferSize) {
        const int count = rows.RowCount();
        got.clear();
        const TRowPiece head = pieces[top];
        bool inPlace = head.Len > 0;
        const char* at = head.P;    // where the next row's text must lie
        const char* ends = nullptr; // line ends since the last row text, not yet checked
        std::size_t size = 0;
        int r = top;
        for (;; ++r) {
            const TRowPiece& p = got.emplace_back(pieces[r]);
            lastStart = size;
            size += p.Len + (p.End == reLineEnd ? 2u : 0u);
            if (inPlace) {
                if (p.Len) {
                    if (p.P != at || (ends && !lineEnds(ends, at))) inPlace = false;
                    ends = nullptr;
                    at = p.P + p.Len;
                }
                if (p.End == reLineEnd) {
                    if (!ends) ends = at;
                    at += 2;
                }
            }
            if (bottom >= 0 ? r >= bottom : r + 1 >= count || (size >= limit && r > top)) break;
        }
        first = top;
        last = r;
        if (inPlace && ends) {
            // Line ends after the last text: the next row's text must follow them.
            const TRowPiece next = r + 1 < count ? pieces[r + 1] : TRowPiece();
            inPlace = next.Len && next.P == at && lineEnds(ends, at);
        }
        if (inPlace) {
            view = std::string_view(head.P, size);
            return r;
        }
        if (size > capacity) {
            capacity = std::max(size, capacity * 2);
            text.reset(new char[capacity]);
        }
        char* to = text.get();
        for (const TRowPiece& p : got) {
            if (p.Len) std::memcpy(to, p.P, p.Len);
            to += p.Len;
            if (p.End == reLineEnd) {
                to[0] = '\r';
                to[1] = '\n';
                to += 2;
            }
        }
        view = std::string_view(text.get(), size);
        return r;
    }

    // True when [from, to) holds CR LF pairs only.
    static bool lineEnds(const char* from, const char* to) {
        for (; from < to; from += 2)
            if (from[0] != '\r' || from[1] != '\n') return false;
        return true;
    }

    // The row holding byte pos of the buffer and the offset of that row.
    int rowAt(std::size_t pos, std::size_t& start) const {
        start = 0;
        for (int r = first;; ++r) {
            const auto bytes = static_cast<std::size_t>(pieceBytes(got[std::size_t(r - first)]));
            if (r == last || pos < start + bytes) return r;
            start += bytes;
        }
    }

    // The hit as rows see it. The editor has no position between the CR and the LF of a line
    // end, so a match that begins on the LF or ends on the CR (a pattern with a line feed or a
    // carriage return at its edge) takes the whole line end: Find shows, and Replace changes,
    // the bytes that matched plus the other half of that line end, never a neighbouring byte.
    TSearchHit hit(const TSearchInfo& info) const {
        const auto pos = static_cast<std::size_t>(info.Start);
        std::size_t start = 0;
        TSearchHit h;
        h.Row = rowAt(pos, start);
        const auto into = static_cast<std::ptrdiff_t>(pos - start);
        h.Offset = std::min(into, static_cast<std::ptrdiff_t>(got[std::size_t(h.Row - first)].Len));
        h.Length = info.Length + (into - h.Offset);
        if (info.Length > 0) {
            const std::size_t end = pos + static_cast<std::size_t>(info.Length) - 1;
            const int row = rowAt(end, start);
            const TRowPiece& p = got[std::size_t(row - first)];
            if (p.End == reLineEnd && end - start == p.Len) ++h.Length; // ends on the CR
        }
        return h;
    }
};

// Bytes of the first rows searched before the whole first buffer is built.
constexpr std::size_t kHeadBytes = 2048;

// A hit close to the start (the next one of a run of replacements) is found without building
// the whole first buffer: the rows from top up to kHeadBytes are its beginning, and a match in
// them that ends, with room for the longest match and the character read after it, before
// their end is the first match of the whole buffer too: an earlier match would lie in them as
// well, and every byte read to find it is the same in both. Otherwise nothing is decided.
bool findInHead(const TRowView& rows, PieceCache& pieces, Buffer& buf, int top,
                std::ptrdiff_t offset, const TSearchPattern& pattern, TSearchHit& hit) {
    const std::size_t most = pattern.MaxBytes();
    if (most >= kHeadBytes) return false;
    buf.build(rows, pieces, top, -1, kHeadBytes);
    TSearchInfo info{offset, 0};
    if (!pattern.Find(buf.view, info)) return false;
    if (static_cast<std::size_t>(info.Start) + most + 2 > buf.view.size()) return false;
    hit = buf.hit(info);
    return true;
}

// Searches the buffers that begin at tops[from..to) (the first from offset), each ending where
// the next begins; stops early once stop() says an earlier part has a hit.
template <class Stop>
bool searchBuffers(const TRowView& rows, const std::vector<int>& tops, std::size_t from,
                   std::size_t to, std::ptrdiff_t offset, const TSearchPattern& pattern,
                   TSearchHit& hit, Stop stop) {
    PieceCache pieces(rows, true);
    Buffer buf;
    const int count = rows.RowCount();
    for (std::size_t i = from; i < to; ++i, offset = 0) {
        if (stop()) return false;
        const int top = tops[i];
        buf.build(rows, pieces, top, i + 1 < tops.size() ? tops[i + 1] : count - 1);
        TSearchInfo info{offset, 0};
        if (pattern.Find(buf.view, info)) {
            hit = buf.hit(info);
            return true;
        }
    }
    return false;
}

std::atomic<int> searchThreads{0};

// Bytes searched on the calling thread before the rest is shared among threads: a hit close to
// the start costs no more than before.
constexpr std::size_t kAloneBytes = 1u << 20;
// Buffers per part of the rest (about 4 MB).
constexpr std::size_t kPartBuffers = 512;

bool searchForward(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                   TSearchHit& hit) {
    const int count = rows.RowCount();
    if (start.Row < 0 || start.Row >= count) return false;
    PieceCache pieces(rows, true);
    Buffer buf;
    int top = start.Row;
    std::ptrdiff_t offset = std::max<std::ptrdiff_t>(start.Offset, 0);
    if (findInHead(rows, pieces, buf, top, offset, pattern, hit)) return true;
    std::size_t searched = 0;
    for (;;) {
        const int bottom = buf.build(rows, pieces, top, -1);
        TSearchInfo info{offset, 0};
        if (pattern.Find(buf.view, info)) {
            hit = buf.hit(info);
            return true;
        }
        if (bottom >= count - 1) return false;
        top = bottom; // overlap one row: a match crossing the border within it is still found
        offset = 0;
        searched += buf.view.size();
        if (searched >= kAloneBytes) break;
    }

    // The rest: the same buffers (found first, from their lengths alone), shared out in parts
    // of consecutive buffers among threads; the hit of the earliest part that has one wins.
    std::vector<int> tops;
    for (;;) {
        tops.push_back(top);
        auto size = static_cast<std::size_t>(pieceBytes(pieces[top]));
        int bottom = top;
        while (bottom + 1 < count && (size < kSearchBufferSize || bottom == top))
            size += static_cast<std::size_t>(pieceBytes(pieces[++bottom]));
        if (bottom >= count - 1) break;
        top = bottom;
    }
    const std::size_t parts = (tops.size() + kPartBuffers - 1) / kPartBuffers;
    const unsigned cores = searchThreads > 0 ? static_cast<unsigned>(searchThreads)
                                             : std::thread::hardware_concurrency();
    const auto threads = static_cast<unsigned>(std::min<std::size_t>(parts, cores));
    if (threads <= 1)
        return searchBuffers(rows, tops, 0, tops.size(), 0, pattern, hit, [] { return false; });
    std::vector<TSearchHit> hits(parts);
    std::atomic<std::size_t> nextPart{0};
    std::atomic<std::size_t> firstHit{parts}; // the earliest part with a hit so far
    auto work = [&] {
        for (std::size_t p; (p = nextPart.fetch_add(1)) < parts;) {
            if (p > firstHit.load()) return;
            const std::size_t from = p * kPartBuffers;
            const std::size_t to = std::min(tops.size(), from + kPartBuffers);
            if (searchBuffers(rows, tops, from, to, 0, pattern, hits[p],
                              [&] { return firstHit.load(std::memory_order_relaxed) < p; })) {
                std::size_t f = firstHit.load();
                while (p < f && !firstHit.compare_exchange_weak(f, p)) {
                }
                return;
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    if (firstHit.load() >= parts) return false;
    hit = hits[firstHit.load()];
    return true;
}

bool searchBackward(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                    TSearchHit& hit) {
    const int count = rows.RowCount();
    if (count == 0) return false;
    int bottom = std::clamp(start.Row, 0, count - 1);
    std::ptrdiff_t offset = std::max<std::ptrdiff_t>(start.Offset, 0);
    PieceCache pieces(rows, false);
    Buffer buf;
    for (;;) {
        int top = bottom;
        auto size = static_cast<std::size_t>(pieceBytes(pieces[bottom]));
        while (top > 0 && (size < kSearchBufferSize || top == bottom))
            size += static_cast<std::size_t>(pieceBytes(pieces[--top]));
        buf.build(rows, pieces, top, bottom);
        TSearchInfo info{static_cast<std::ptrdiff_t>(buf.lastStart) + offset, 0};
        if (pattern.Find(buf.view, info)) {
            hit = buf.hit(info);
            return true;
        }
        if (top == 0) return false;
        bottom = top; // overlap one row, searched again from its end
        offset = pieceBytes(pieces[top]);
    }
}

} // namespace

void SetSearchThreads(int threads) {
    searchThreads = std::max(threads, 0);
}

TSearchPos SearchStartPos(const TRowView& rows, const TEditorSearchState& state, bool forward) {
    const int count = rows.RowCount();
    if (forward) {
        if (state.HasSelection) return state.SelEnd;
        if (state.HitLength >= 1) return advance(rows, state.Caret, state.HitLength);
        TSearchPos p = state.Caret;
        if (p.Row >= 0 && p.Row < count)
            p.Offset = std::min<std::ptrdiff_t>(
                p.Offset, static_cast<std::ptrdiff_t>(rows.RowText(p.Row).size()));
        return p;
    }
    if (state.HasSelection) return state.SelStart;
    if (count > 0 && state.Caret.Row >= count) return {count - 1, rowBytes(rows, count - 1)};
    TSearchPos p = state.Caret;
    if (p.Row >= 0 && p.Row < count)
        p.Offset = std::min<std::ptrdiff_t>(
            p.Offset, static_cast<std::ptrdiff_t>(rows.RowText(p.Row).size()));
    return p;
}

bool SearchRows(const TRowView& rows, TSearchPos start, const TSearchPattern& pattern,
                TSearchHit& hit) {
    if (pattern.Empty()) return false;
    return (pattern.Options() & soDown) ? searchForward(rows, start, pattern, hit)
                                        : searchBackward(rows, start, pattern, hit);
}

const TSearchPattern& PreparedPattern(std::string_view pattern, TSearchOptions options) {
    thread_local std::string lastBytes;
    thread_local std::unique_ptr<TSearchPattern> last;
    if (!last || last->Options() != options || lastBytes != pattern) {
        last = std::make_unique<TSearchPattern>(pattern, options);
        lastBytes.assign(pattern);
    }
    return *last;
}

bool EditorSearch(const TRowView& rows, const TEditorSearchState& state, std::string_view pattern,
                  TSearchOptions options, TSearchHit& hit) {
    if (rows.RowCount() == 0 || pattern.empty()) return false;
    return SearchRows(rows, SearchStartPos(rows, state, options & soDown),
                      PreparedPattern(pattern, options), hit);
}
