// The byte-level search engine over Shift-JIS text (see HTSearch.h).
//
// Characters are compared as 16-bit values: single bytes 0x00-0xFF, two-byte characters
// lead << 8 | trail (always >= 0x8140, so the two never meet). Without soMatchCase both sides are
// folded to upper case; with soNoMatchZenkaku both sides are first turned into full-width forms.
// A match may only start on the first byte of a character. Forward searches find that out lazily
// from the bytes before a candidate (a run of possible lead bytes is paired from its start), so
// the common search touches each byte of the buffer only in the candidate scan.
#include "search/Matcher.h"

#include "platform/Cp932.h"
#include "search/MatchTables.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using uchar = unsigned char;

// Upper-case partner of every two-byte code (identity where there is none), built once.
struct FoldTable {
    std::uint16_t fold[65536];
    FoldTable() {
        for (unsigned i = 0; i < 65536; ++i)
            fold[i] = static_cast<std::uint16_t>(i);
        for (int i = 0; i < kFullWidthCasePairCount; ++i)
            fold[kFullWidthCasePairs[i].code] = kFullWidthCasePairs[i].upper;
    }
};

const std::uint16_t* foldTable() {
    static const FoldTable t;
    return t.fold;
}

inline bool isPair(const uchar* s, std::size_t n, std::size_t pos) {
    return IsDBCSLeadByte(s[pos]) && pos + 1 < n && IsDBCSTrailByte(s[pos + 1]);
}

// Full-width form of a half-width character at s[pos] (a katakana with a following sound mark
// combined), or 0; len receives the bytes it covers.
inline std::uint16_t halfToFull(const uchar* s, std::size_t n, std::size_t pos, std::size_t& len) {
    const uchar c = s[pos];
    len = 1;
    if (c >= 0xA1 && c <= 0xDF && pos + 1 < n) {
        const uchar m = s[pos + 1];
        const std::uint16_t v = m == 0xDE   ? kVoicedTable[c - 0xA0]
                                : m == 0xDF ? kSemiVoicedTable[c - 0xA0]
                                            : 0;
        if (v) {
            len = 2;
            return v;
        }
    }
    return kHalfToFullTable[c];
}

// The character at s[pos] (pos < n) as the matcher compares it.
inline std::uint16_t readChar(const uchar* s, std::size_t n, std::size_t pos, bool zenkaku,
                              const std::uint16_t* fold, std::size_t& len) {
    if (isPair(s, n, pos)) {
        len = 2;
        const std::uint16_t v = static_cast<std::uint16_t>(s[pos] << 8 | s[pos + 1]);
        return fold ? fold[v] : v;
    }
    if (zenkaku) {
        if (std::uint16_t v = halfToFull(s, n, pos, len)) return fold ? fold[v] : v;
    }
    len = 1;
    return fold ? kSearchUpperTable[s[pos]] : s[pos];
}

// Bytes of blank or line end at s[pos] that a match may pass over, or 0.
inline std::size_t skippable(const uchar* s, std::size_t n, std::size_t pos, TSearchOptions o) {
    const uchar c = s[pos];
    if ((o & soSkipLineEnd) && (c == '\r' || c == '\n')) return 1;
    if (o & soSkipBlank) {
        if (c == ' ' || c == '\t') return 1;
        if (c == 0x81 && pos + 1 < n && s[pos + 1] == 0x40) return 2;
    }
    return 0;
}

// 1 for each byte that is the second byte of a two-byte character, else 0.
std::vector<uchar> trailMap(const uchar* s, std::size_t n) {
    std::vector<uchar> map(n, 0);
    for (std::size_t i = 0; i < n;) {
        if (isPair(s, n, i)) {
            map[i + 1] = 1;
            i += 2;
        } else {
            ++i;
        }
    }
    return map;
}

// True when q starts a character, given that sync <= q starts one. Only the run of possible lead
// bytes right before q is looked at: bytes outside the lead range always end a character.
inline bool startsChar(const uchar* s, std::size_t n, std::size_t sync, std::size_t q) {
    std::size_t k = q;
    while (k > sync && IsDBCSLeadByte(s[k - 1]))
        --k;
    const std::size_t run = q - k;
    return run % 2 == 0 || q >= n || !IsDBCSTrailByte(s[q]);
}

} // namespace

bool IsSearchDelimiter(unsigned char c) {
    return c <= 0x2F || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x80) || (c >= 0xA0 && c <= 0xA5) || c >= 0xFD;
}

std::uint16_t SearchFullWidthChar(std::string_view text, std::size_t pos, std::size_t* len) {
    std::size_t l = 0;
    const std::uint16_t v =
        readChar(reinterpret_cast<const uchar*>(text.data()), text.size(), pos, true, nullptr, l);
    if (len) *len = l;
    return v;
}

std::uint16_t SearchFoldCase(std::uint16_t ch) {
    return ch < 0x100 ? kSearchUpperTable[ch] : foldTable()[ch];
}

namespace {

// The bytes a text character equal to v (as compared) can begin with, and the bytes that can
// come second within such a character.
struct CharBytes {
    bool first[256] = {};
    bool second[256] = {};
    bool single = false; // v can be a character of one byte
};

CharBytes charBytes(std::uint16_t v, bool zen, const std::uint16_t* fold) {
    CharBytes r;
    auto canon = [&](std::uint16_t c) { return fold ? SearchFoldCase(c) : c; };
    for (unsigned b = 0; b < 256; ++b) {
        const auto c = static_cast<uchar>(b);
        std::uint16_t one = zen && kHalfToFullTable[c] ? kHalfToFullTable[c] : c;
        if (canon(one) == v) r.first[b] = r.single = true;
        if (zen && c >= 0xA1 && c <= 0xDF) {
            // A half-width katakana with its sound mark.
            if (kVoicedTable[c - 0xA0] && canon(kVoicedTable[c - 0xA0]) == v)
                r.first[b] = r.second[0xDE] = true;
            if (kSemiVoicedTable[c - 0xA0] && canon(kSemiVoicedTable[c - 0xA0]) == v)
                r.first[b] = r.second[0xDF] = true;
        }
    }
    if (v >= 0x100) {
        r.first[v >> 8] = r.second[v & 0xFF] = true;
        if (fold) {
            for (int i = 0; i < kFullWidthCasePairCount; ++i) {
                const std::uint16_t code = kFullWidthCasePairs[i].code;
                if (fold[code] == v) r.first[code >> 8] = r.second[code & 0xFF] = true;
            }
        }
    }
    return r;
}

// The bytes of set in list when there are at most 4; returns their number, 5 for more.
int listBytes(const bool* set, uchar* list) {
    int count = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (!set[b]) continue;
        if (count < 4) list[count] = static_cast<uchar>(b);
        ++count;
    }
    return std::min(count, 5);
}

} // namespace

TSearchPattern::TSearchPattern(std::string_view pattern, TSearchOptions options)
    : options_(options) {
    const auto* s = reinterpret_cast<const uchar*>(pattern.data());
    const std::size_t n = pattern.size();
    const bool zen = options & soNoMatchZenkaku;
    const std::uint16_t* fold = (options & soMatchCase) ? nullptr : foldTable();
    fold_ = fold;
    for (std::size_t pos = 0; pos < n;) {
        std::size_t len = 1;
        const std::uint16_t v = readChar(s, n, pos, zen, fold, len);
        chars_.push_back(v);
        minBytes_ += zen ? 1 : len;
        pos += len;
    }
    if (chars_.empty()) return;

    const CharBytes head = charBytes(chars_[0], zen, fold);
    std::copy(std::begin(head.first), std::end(head.first), first_);
    firstCount_ = listBytes(first_, firstList_);

    // The bytes that can follow the first byte of a match. After a single-byte character that
    // is the second character's first byte, or a byte the match may pass over.
    bool second[256] = {};
    std::copy(std::begin(head.second), std::end(head.second), second);
    if (head.single) {
        if (chars_.size() < 2) return; // anything may follow: no filter
        const CharBytes next = charBytes(chars_[1], zen, fold);
        for (unsigned b = 0; b < 256; ++b)
            second[b] = second[b] || next.first[b];
        if (options & soSkipLineEnd) second[0x0D] = second[0x0A] = true;              // CR, LF
        if (options & soSkipBlank) second[0x20] = second[0x09] = second[0x81] = true; // space, tab
    }
    secondCount_ = listBytes(second, secondList_);
}

std::size_t TSearchPattern::MatchAt(std::string_view buffer, std::size_t pos) const {
    if (pos >= buffer.size() || chars_.empty()) return 0;
    return matchAt(reinterpret_cast<const uchar*>(buffer.data()), buffer.size(), pos);
}

std::size_t TSearchPattern::matchAt(const uchar* s, std::size_t n, std::size_t pos) const {
    const bool zen = options_ & soNoMatchZenkaku;
    const std::uint16_t* fold = fold_;
    const std::size_t start = pos;
    for (std::size_t j = 0; j < chars_.size(); ++j) {
        for (;;) {
            if (pos >= n) return 0;
            std::size_t len = 1;
            if (readChar(s, n, pos, zen, fold, len) == chars_[j]) {
                pos += len;
                break;
            }
            // A text blank equal to a pattern blank is matched above; others may be passed over.
            const std::size_t skip = j > 0 ? skippable(s, n, pos, options_) : 0;
            if (!skip) return 0;
            pos += skip;
        }
    }
    return pos - start;
}

bool TSearchPattern::wholeWordAt(const uchar* s, std::size_t n, std::size_t pos, std::size_t len,
                                 bool prevIsTrail) const {
    // A two-byte character before the candidate is a word character, whatever its second byte.
    if (pos > 0 && (prevIsTrail || !IsSearchDelimiter(s[pos - 1]))) return false;
    if (IsSearchDelimiter(s[pos])) return false;
    return pos + len >= n || IsSearchDelimiter(s[pos + len]);
}

namespace {

#ifdef __SSE2__
// Up to four first bytes of a match, compared with 16 text bytes at a time.
class FirstBytes16 {
  public:
    FirstBytes16(const uchar* list, int count)
        : a_(Splat(list[0])), b_(Splat(list[count > 1 ? 1 : 0])),
          c_(Splat(list[count > 2 ? 2 : 0])), d_(Splat(list[count > 3 ? 3 : 0])) {}
    // Bit i set when byte i of the 16 bytes at at is one of the first bytes.
    int Mask(const uchar* at) const {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i m = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, a_), _mm_cmpeq_epi8(x, b_)),
                                       _mm_or_si128(_mm_cmpeq_epi8(x, c_), _mm_cmpeq_epi8(x, d_)));
        return _mm_movemask_epi8(m);
    }

  private:
    static __m128i Splat(uchar c) { return _mm_set1_epi8(static_cast<char>(c)); }
    __m128i a_, b_, c_, d_;
};
#endif

// Next position in [p, end) whose byte may start a match, or end. With second bytes (count2 of
// at most 4), positions whose next byte (before n) cannot come second are passed over as well.
std::size_t scanFirst(const uchar* s, std::size_t p, std::size_t end, std::size_t n,
                      const bool* first, const uchar* list, int count, const uchar* list2,
                      int count2) {
    if (p >= end) return end;
#ifdef __SSE2__
    if (count <= 4 && count2 <= 4) {
        const FirstBytes16 bytes(list, count), next(list2, count2);
        const std::size_t stop = std::min(end, n - 1); // the next byte of p is s[p + 1]
        for (; p + 32 <= stop; p += 32) {
            const int lo = bytes.Mask(s + p) & next.Mask(s + p + 1);
            const int hi = bytes.Mask(s + p + 16) & next.Mask(s + p + 17);
            if (lo) return p + __builtin_ctz(lo);
            if (hi) return p + 16 + __builtin_ctz(hi);
        }
        for (; p + 16 <= stop; p += 16) {
            if (const int mask = bytes.Mask(s + p) & next.Mask(s + p + 1))
                return p + __builtin_ctz(mask);
        }
    }
#endif
    if (count == 1) {
        const void* r = std::memchr(s + p, list[0], end - p);
        return r ? static_cast<std::size_t>(static_cast<const uchar*>(r) - s) : end;
    }
#ifdef __SSE2__
    if (count <= 4) {
        const FirstBytes16 bytes(list, count);
        for (; p + 16 <= end; p += 16) {
            if (const int mask = bytes.Mask(s + p)) return p + __builtin_ctz(mask);
        }
    }
#endif
    while (p < end && !first[s[p]])
        ++p;
    return p;
}

} // namespace

bool TSearchPattern::findForward(const uchar* s, std::size_t n, TSearchInfo& info) const {
    std::size_t start = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
        info.Start + std::max<std::ptrdiff_t>(info.Length, 0), 0, static_cast<std::ptrdiff_t>(n)));
    if (start < n && !startsChar(s, n, 0, start)) ++start;
    if (n < minBytes_ || start > n - minBytes_) return false;
    const std::size_t last = n - minBytes_;
    const bool whole = options_ & soWholeWord;
    const std::vector<uchar> trail = whole ? trailMap(s, n) : std::vector<uchar>();
    std::size_t sync = start; // a known character start at or before the next candidate
    for (std::size_t p = start;; ++p) {
        p = scanFirst(s, p, last + 1, n, first_, firstList_, firstCount_, secondList_,
                      secondCount_);
        if (p > last) return false;
        const std::size_t len = matchAt(s, n, p);
        if (!len) continue;
        if (whole) {
            if (trail[p] || !wholeWordAt(s, n, p, len, p > 0 && trail[p - 1])) continue;
        } else if (!startsChar(s, n, sync, p)) {
            sync = p + 1; // p is a second byte, so the next byte starts a character
            continue;
        }
        info.Start = static_cast<std::ptrdiff_t>(p);
        info.Length = static_cast<std::ptrdiff_t>(len);
        return true;
    }
}

namespace {

// Tells second bytes from first bytes while searching backward: from the run of possible lead
// bytes before a position, or, once such a run proves long, from a map of the whole buffer.
class TrailOracle {
  public:
    TrailOracle(const uchar* s, std::size_t n) : s_(s), n_(n) {}
    bool operator()(std::size_t q) {
        if (!map_.empty()) return map_[q];
        const std::size_t limit = q > kMaxRun ? q - kMaxRun : 0;
        std::size_t k = q;
        while (k > limit && IsDBCSLeadByte(s_[k - 1]))
            --k;
        if (k == limit && limit > 0 && IsDBCSLeadByte(s_[k - 1])) {
            map_ = trailMap(s_, n_);
            return map_[q];
        }
        return !startsChar(s_, n_, k, q);
    }

  private:
    static constexpr std::size_t kMaxRun = 256;
    const uchar* s_;
    std::size_t n_;
    std::vector<uchar> map_;
};

// Last position in [0, p] whose byte may start a match, or -1.
std::ptrdiff_t scanFirstBack(const uchar* s, std::ptrdiff_t p, const bool* first, const uchar* list,
                             int count) {
    if (count == 1) {
        const void* r = memrchr(s, list[0], static_cast<std::size_t>(p) + 1);
        return r ? static_cast<const uchar*>(r) - s : -1;
    }
#ifdef __SSE2__
    if (count <= 4) {
        const FirstBytes16 bytes(list, count);
        for (; p >= 15; p -= 16) {
            if (const int mask = bytes.Mask(s + p - 15)) return p - 15 + (31 - __builtin_clz(mask));
        }
    }
#endif
    while (p >= 0 && !first[s[p]])
        --p;
    return p;
}

} // namespace

bool TSearchPattern::findBackward(const uchar* s, std::size_t n, TSearchInfo& info) const {
    TrailOracle trail(s, n);
    std::ptrdiff_t first =
        std::clamp<std::ptrdiff_t>(info.Start, 0, static_cast<std::ptrdiff_t>(n));
    if (options_ & soNoMatchZenkaku) {
        // Step back over as many text characters as the pattern has; a half-width katakana
        // with its sound mark is one character.
        for (std::size_t k = 0; k < chars_.size(); ++k) {
            if (first <= 0) return false;
            std::ptrdiff_t q = first - 1;
            const auto uq = static_cast<std::size_t>(q);
            if (q > 0 && trail(uq)) {
                --q;
            } else if (q > 0 && (s[q] == 0xDE || s[q] == 0xDF) && !trail(uq - 1)) {
                std::size_t len = 1;
                halfToFull(s, n, uq - 1, len);
                if (len == 2) --q;
            }
            first = q;
        }
    } else {
        first -= static_cast<std::ptrdiff_t>(minBytes_);
    }
    if (first < 0) return false;
    if (static_cast<std::size_t>(first) >= n) first = static_cast<std::ptrdiff_t>(n) - 1;
    const bool whole = options_ & soWholeWord;
    for (std::ptrdiff_t p = first; p >= 0; --p) {
        p = scanFirstBack(s, p, first_, firstList_, firstCount_);
        if (p < 0) return false;
        const auto up = static_cast<std::size_t>(p);
        const std::size_t len = matchAt(s, n, up);
        if (!len || trail(up)) continue;
        if (whole && !wholeWordAt(s, n, up, len, up > 0 && trail(up - 1))) continue;
        info.Start = p;
        info.Length = static_cast<std::ptrdiff_t>(len);
        return true;
    }
    return false;
}

bool TSearchPattern::Find(std::string_view buffer, TSearchInfo& info) const {
    if (chars_.empty() || buffer.empty()) return false;
    const auto* s = reinterpret_cast<const uchar*>(buffer.data());
    return (options_ & soDown) ? findForward(s, buffer.size(), info)
                               : findBackward(s, buffer.size(), info);
}

bool SearchText(std::string_view buffer, TSearchInfo& info, std::string_view pattern,
                TSearchOptions options) {
    if (pattern.empty() || buffer.empty()) return false;
    return TSearchPattern(pattern, options).Find(buffer, info);
}
