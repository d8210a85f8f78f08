// Column maps, the row cut with Japanese line breaking, and the caret column rules.
#include "text/LineBreaking.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932.h"

namespace {
const std::string& DefaultSet(int which) {
    static const std::string sets[3] = {
        Utf8ToCp932("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"),
        Utf8ToCp932("（［｛「『([{｢"),
        Utf8ToCp932("、。，．,.｡､"),
    };
    return sets[which];
}

unsigned CharCode(std::string_view c) {
    if (c.size() == 1) return static_cast<unsigned char>(c[0]);
    if (c.size() == 2)
        return static_cast<unsigned>(static_cast<unsigned char>(c[0])) << 8 |
               static_cast<unsigned char>(c[1]);
    return 0x10000; // nothing
}

// A cursor over a text and its map (1-based columns), without owning either.
struct Cursor {
    std::string_view text, map;
    int pos = 1;   // 1-based column
    int bytes = 0; // bytes up to and including pos
    int count() const { return static_cast<int>(map.size()); }
    char attr() const { return pos <= count() ? map[static_cast<size_t>(pos - 1)] : ccEnd; }
    void next() {
        if (pos > count()) return;
        ++pos;
        if (pos <= count() && map[static_cast<size_t>(pos - 1)] != ccFiller) ++bytes;
    }
    void prev() {
        if (pos <= 1) return;
        if (pos <= count() && map[static_cast<size_t>(pos - 1)] != ccFiller) --bytes;
        --pos;
    }
    void moveTo(int n) {
        n = std::clamp(n, 1, count() + 1);
        pos = n;
        bytes = 0;
        int upto = std::min(n, count());
        for (int i = 0; i < upto; ++i)
            if (map[static_cast<size_t>(i)] != ccFiller) ++bytes;
    }
    std::string_view charAt() const {
        size_t b = static_cast<size_t>(bytes);
        switch (attr()) {
        case ccLead:
            return text.substr(b - 1, 2);
        case ccTrail:
            return text.substr(b - 2, 2);
        case ccSingle:
        case ccDelim:
            return text.substr(b - 1, 1);
        default:
            return {};
        }
    }
    std::string_view nextChar() {
        if (pos >= count()) return {};
        next();
        std::string_view c = charAt();
        prev();
        return c;
    }
};

// Appends the class characters of s to m until m holds at least `limit` columns.
void BuildMap(std::string_view s, const TWrapSettings& ws, int limit, const TDelimiters& delims,
              std::string& m) {
    m.clear();
    m.reserve(std::min(s.size(), static_cast<size_t>(std::max(limit, 0))) + 8);
    size_t i = 0, n = s.size();
    const int tab = ws.TabSpaceCount;
    while (i < n && static_cast<int>(m.size()) < limit) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(c) && i + 1 < n) {
            m += "45";
            i += 2;
        } else if (c == '\t') {
            int cur = static_cast<int>(m.size());
            int stop = (cur / tab + 1) * tab;
            if (ws.WordWrap) stop = std::min(stop, (cur / ws.WrapByte + 1) * ws.WrapByte);
            m += ccDelim;
            m.append(static_cast<size_t>(stop - cur - 1), ccFiller);
            ++i;
        } else {
            m += delims[c] ? ccDelim : ccSingle;
            ++i;
        }
    }
}

// Runs the row cut over one logical line; sink(start, length, rowEnd) receives each row, and
// retarget() turns the last row into reLineEnd (FollowRetMark on an exactly filled row).
template <class Sink, class Retarget>
void CutLine(std::string_view line, const TWrapSettings& ws, Sink sink, Retarget retarget) {
    const int wb = ws.WrapByte;
    const int keep = wb / 5 * 4;
    std::string m;
    size_t start = 0;
    bool cut = false;
    for (;;) {
        std::string_view rest = line.substr(start);
        // Fast exit: without tabs the width of the rest is its byte count.
        if (rest.size() < static_cast<size_t>(wb) && !std::memchr(rest.data(), '\t', rest.size()))
            break;
        BuildMap(rest, ws, ws.MapLimit(), DefaultWordDelimiters(), m);
        Cursor a{rest, m};
        a.moveTo(wb);
        if (a.pos > a.count()) break;
        // 1. never split a two-byte character; word break steps back to a delimiter.
        if (a.attr() == ccLead) {
            a.prev();
        } else if (ws.WordBreak && a.count() > wb) {
            for (;;) {
                char c = a.attr();
                if (c == ccDelim || c == ccFiller || c == ccTrail) break;
                if (a.pos <= wb / 3) break;
                if (c == ccLead) a.prev();
                a.prev();
            }
        }
        // 2. hanging punctuation.
        if (ws.FollowPunctuation) {
            while (a.pos < wb + 2) {
                std::string_view nc = a.nextChar();
                if (nc.empty() || !ws.Punctuation.Contains(CharCode(nc))) break;
                for (size_t k = 0; k < nc.size(); ++k)
                    a.next();
            }
        }
        // 3. characters that must not end or begin a row.
        if (ws.Leading && a.pos < a.count()) {
            auto stepBack = [&] {
                if (a.attr() == ccTrail) a.prev();
                a.prev();
            };
            while (a.pos > keep && ws.Lead.Contains(CharCode(a.charAt())))
                stepBack();
            if (a.count() - a.pos >= 2 && ws.Follow.Contains(CharCode(a.nextChar()))) {
                while (a.pos > keep && (ws.Lead.Contains(CharCode(a.charAt())) ||
                                        ws.Follow.Contains(CharCode(a.nextChar()))))
                    stepBack();
            }
        }
        // 4. the row ends here.
        size_t len = static_cast<size_t>(a.bytes);
        if (len == 0) len = 1; // cannot happen (the first column holds a byte); keeps progress
        sink(start, len, reWrapped);
        start += len;
        cut = true;
    }
    if (start < line.size() || !cut) {
        sink(start, line.size() - start, reLineEnd);
    } else if (ws.FollowRetMark) {
        retarget();
    } else {
        sink(line.size(), 0, reLineEnd);
    }
}

template <class Fn> void ForEachLine(std::string_view text, Fn fn) {
    size_t pos = 0, n = text.size();
    while (pos < n) {
        size_t q = pos;
        const char* p = text.data();
        while (q < n && p[q] != '\r' && p[q] != '\n')
            ++q;
        fn(pos, q - pos);
        if (q >= n) break;
        q += (p[q] == '\r' && q + 1 < n && p[q + 1] == '\n') ? 2 : 1;
        pos = q;
    }
}
} // namespace

// ---- TEditorWrapOption ----

TEditorWrapOption::TEditorWrapOption()
    : FollowStr(DefaultSet(0)), LeadStr(DefaultSet(1)), PunctuationStr(DefaultSet(2)) {}

void TEditorWrapOption::SetWrapByte(int v) {
    WrapByte = std::clamp(v, MinWrapByte, MaxWrapByte);
}

// ---- character classes ----

const TDelimiters& DefaultWordDelimiters() {
    static const TDelimiters d = [] {
        TDelimiters s;
        auto range = [&](int a, int b) {
            for (int c = a; c <= b; ++c)
                s.set(static_cast<size_t>(c));
        };
        range(0x00, 0x2F);
        range(0x3A, 0x40);
        range(0x5B, 0x5E);
        range(0x60, 0x60);
        range(0x7B, 0x80);
        range(0xA0, 0xA5);
        range(0xFD, 0xFF);
        return s;
    }();
    return d;
}

int NormalizeTabSpaceCount(int v) {
    return std::clamp(v, 2, 8) & ~1;
}

TCharSet::TCharSet(std::string_view chars) {
    for (size_t i = 0; i < chars.size();) {
        unsigned char c = static_cast<unsigned char>(chars[i]);
        if (IsDBCSLeadByte(c) && i + 1 < chars.size()) {
            double_.push_back(
                static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(chars[i + 1])));
            i += 2;
        } else {
            single_.set(c);
            ++i;
        }
    }
    std::sort(double_.begin(), double_.end());
}

bool TCharSet::Contains(unsigned c) const {
    if (c < 0x100) return single_[c];
    if (c > 0xFFFF) return false;
    return std::binary_search(double_.begin(), double_.end(), static_cast<uint16_t>(c));
}

TWrapSettings::TWrapSettings(const TEditorWrapOption& o, bool wordWrap, int tabSpaceCount)
    : TEditorWrapOption(o), WordWrap(wordWrap),
      TabSpaceCount(NormalizeTabSpaceCount(tabSpaceCount)), Follow(o.FollowStr), Lead(o.LeadStr),
      Punctuation(o.PunctuationStr) {}

// ---- maps and widths ----

std::string ColumnMap(std::string_view s, const TWrapSettings& ws, int limit,
                      const TDelimiters& delims) {
    std::string m;
    BuildMap(s, ws, limit, delims, m);
    return m;
}

int ExpandTabLength(std::string_view s, const TWrapSettings& ws) {
    // Without tabs every byte is a column (a two-byte character is two).
    if (s.empty() || !std::memchr(s.data(), '\t', s.size())) return static_cast<int>(s.size());
    int w = 0;
    const int tab = ws.TabSpaceCount;
    for (size_t i = 0, n = s.size(); i < n;) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsDBCSLeadByte(c) && i + 1 < n) {
            w += 2;
            i += 2;
        } else if (c == '\t') {
            int stop = (w / tab + 1) * tab;
            if (ws.WordWrap) stop = std::min(stop, (w / ws.WrapByte + 1) * ws.WrapByte);
            w = stop;
            ++i;
        } else {
            ++w;
            ++i;
        }
    }
    return w;
}

// ---- the row cut ----

void SplitLongLine(std::string_view line, uint64_t base, size_t maxRow,
                   std::vector<TWrapRow>& out) {
    maxRow = std::max<size_t>(maxRow, 2);
    size_t start = 0;
    while (line.size() - start > maxRow) {
        // Step over whole characters up to the limit.
        size_t i = start;
        while (i < start + maxRow) {
            const size_t w =
                IsDBCSLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
            if (i + w > start + maxRow) break;
            i += w;
        }
        out.push_back({base + start, static_cast<uint32_t>(i - start), reWrapped});
        start = i;
    }
    out.push_back({base + start, static_cast<uint32_t>(line.size() - start), reLineEnd});
}

void WrapLine(std::string_view line, uint64_t base, const TWrapSettings& ws,
              std::vector<TWrapRow>& out) {
    if (!ws.WordWrap) {
        SplitLongLine(line, base, ws.MaxRowBytes, out);
        return;
    }
    CutLine(
        line, ws,
        [&](size_t s, size_t n, TRowEnd re) {
            out.push_back({base + s, static_cast<uint32_t>(n), re});
        },
        [&] { out.back().RowEnd = reLineEnd; });
}

int WrapCount(std::string_view line, const TWrapSettings& ws) {
    if (!ws.WordWrap) {
        if (line.size() <= ws.MaxRowBytes) return 1;
        std::vector<TWrapRow> rows;
        SplitLongLine(line, 0, ws.MaxRowBytes, rows);
        return static_cast<int>(rows.size());
    }
    int n = 0;
    CutLine(
        line, ws, [&](size_t, size_t, TRowEnd) { ++n; }, [] {});
    return n;
}

void StrToWrapList(std::string_view text, const TWrapSettings& ws, std::vector<TWrapRow>& out) {
    if (text.empty()) {
        out.push_back({0, 0, reLineEnd});
        return;
    }
    ForEachLine(text,
                [&](size_t pos, size_t len) { WrapLine(text.substr(pos, len), pos, ws, out); });
}

// ---- caret columns ----

namespace {
char ClassAt(const std::string& m, int col) {
    return col >= 0 && col < static_cast<int>(m.size()) ? m[static_cast<size_t>(col)] : ccEnd;
}

// The column classes the caret rules look at: from the column map of a row with tabs, read
// straight from the bytes of a row without (no filler columns, a trail where a pair ends).
class CaretClasses {
  public:
    CaretClasses(std::string_view row, const TWrapSettings& ws, int limit)
        : row_(row), limit_(limit) {
        tabs_ = !row.empty() && std::memchr(row.data(), '\t', row.size());
        if (tabs_) m_ = ColumnMap(row, ws, limit);
    }
    bool Trail(int col) const {
        if (tabs_) return ClassAt(m_, col) == ccTrail;
        if (col <= 0 || col >= std::min(static_cast<int>(row_.size()), limit_)) return false;
        size_t i = 0;
        const auto c = static_cast<size_t>(col);
        while (i < c)
            i += IsDBCSLeadByte(static_cast<unsigned char>(row_[i])) && i + 1 < row_.size() ? 2 : 1;
        return i > c;
    }
    bool Filler(int col) const { return tabs_ && ClassAt(m_, col) == ccFiller; }

  private:
    std::string_view row_;
    int limit_;
    bool tabs_;
    std::string m_;
};

int MoveOffTrailAndFiller(const CaretClasses& m, int col, int dir, bool inTab) {
    int step = dir > 0 ? 1 : -1;
    if (m.Trail(col)) col += step;
    if (!inTab)
        while (m.Filler(col))
            col += step;
    return std::max(col, 0);
}
} // namespace

int CaretColumn(std::string_view rowText, TRowEnd rowEnd, const TWrapSettings& ws,
                const TCaretColumnOptions& opt, int col, int direction, bool vertical,
                int& remembered) {
    if (!vertical)
        remembered = -1;
    else if (remembered >= 0)
        col = remembered;
    col = std::clamp(col, 0, 1001);
    const CaretClasses m(rowText, ws, 1003);
    int width = ExpandTabLength(rowText, ws);
    if (!opt.FreeCaret && col > width) {
        if (opt.KeepCaret && remembered < 0) remembered = col;
        if (!(vertical && opt.FreeRow)) col = width;
    }
    col = MoveOffTrailAndFiller(m, col, direction, opt.InTab);
    if (ws.WordWrap && col >= width) {
        if (rowEnd == reWrapped)
            col = std::max(width - 1, 0);
        else if (col >= ws.WrapByte)
            col = std::max(width, ws.WrapByte - 1);
        col = MoveOffTrailAndFiller(m, col, -1, opt.InTab);
    }
    if (col > 1000) {
        col = 1000;
        if (m.Trail(col)) col = 999;
    }
    return col;
}

int CaretToByteOffset(std::string_view rowText, int col, const TWrapSettings& ws) {
    if (col <= 0 || rowText.empty()) return 0;
    // Without a tab up to the column, columns and bytes are the same.
    const size_t upTo = std::min(rowText.size(), static_cast<size_t>(col) + 1);
    if (!std::memchr(rowText.data(), '\t', upTo))
        return std::min(col, static_cast<int>(rowText.size()));
    std::string m = ColumnMap(rowText, ws, col + 1);
    int fillers = 0;
    for (int i = 0; i <= col && i < static_cast<int>(m.size()); ++i)
        if (m[static_cast<size_t>(i)] == ccFiller) ++fillers;
    return std::min(col - fillers, static_cast<int>(rowText.size()));
}

int ByteOffsetToCaret(std::string_view rowText, int offset, const TWrapSettings& ws) {
    offset = std::clamp(offset, 0, static_cast<int>(rowText.size()));
    return ExpandTabLength(rowText.substr(0, static_cast<size_t>(offset)), ws);
}
