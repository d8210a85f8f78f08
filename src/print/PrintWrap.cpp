// Row splitting for printing.
#include "print/PrintWrap.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace {

// Length and code of the character at i.
inline std::size_t charAt(std::string_view t, std::size_t i, unsigned& code) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (IsDBCSLeadByte(b) && i + 1 < t.size()) {
        code = b << 8 | static_cast<unsigned char>(t[i + 1]);
        return 2;
    }
    code = b;
    return 1;
}

inline long long advance(unsigned code, long long x, TPrintMeasurer& m, int tabStop) {
    if (code == '\t') {
        const long long stop = tabStop > 0 ? tabStop : std::max(1, m.CharWidth(' '));
        return (x / stop + 1) * stop - x;
    }
    return m.CharWidth(code);
}

} // namespace

long long RowWidth(std::string_view text, TPrintMeasurer& m, int tabStop) {
    long long x = 0;
    for (std::size_t i = 0; i < text.size();) {
        unsigned code;
        i += charAt(text, i, code);
        x += advance(code, x, m, tabStop);
    }
    return x;
}

void WrapLine(std::string_view text, int width, TPrintMeasurer& m, int tabStop, bool wordAware,
              std::vector<std::size_t>& ends) {
    ends.clear();
    std::size_t pos = 0;
    const std::size_t n = text.size();
    if (n == 0) {
        ends.push_back(0);
        return;
    }
    while (pos < n) {
        long long x = 0;
        std::size_t k = pos;   // end of the characters that fit
        std::size_t brk = 0;   // last place inside the row where a word may end; 0 for none
        bool lastWide = false; // the character before k is a double-byte one
        while (k < n) {
            unsigned code;
            const std::size_t len = charAt(text, k, code);
            const long long w = advance(code, x, m, tabStop);
            if (x + w > width && k > pos) break;
            if (len == 2 && k > pos) brk = k; // before a double-byte character
            x += w;
            k += len;
            lastWide = len == 2;
            if (lastWide || code < 33) brk = k; // after a double-byte character or a blank
            if (x > width) break;               // a single character wider than the row
        }
        if (k < n && wordAware && !lastWide) {
            const auto last = static_cast<unsigned char>(text[k - 1]);
            const auto next = static_cast<unsigned char>(text[k]);
            const bool wordEnds = last < 33 || next < 33 || IsDBCSLeadByte(next);
            if (!wordEnds && brk > pos) k = brk;
        }
        ends.push_back(k);
        pos = k;
    }
}
