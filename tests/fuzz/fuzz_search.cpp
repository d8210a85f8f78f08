// Fuzz target of the search engine: a match lies inside the text on a character's first byte,
// really matches, lies on the searched side, and the row search agrees with the whole text.
#include "platform/Cp932.h"
#include "search/Matcher.h"
#include "search/RowSearch.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool startsChar(std::string_view s, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos)
        i += (IsDBCSLeadByte(s[i]) && i + 1 < s.size() && IsDBCSTrailByte(s[i + 1])) ? 2 : 1;
    return i == pos;
}

struct Rows : TRowView {
    std::vector<std::string> text;
    int RowCount() const override { return static_cast<int>(text.size()); }
    std::string_view RowText(int r) const override { return text[static_cast<std::size_t>(r)]; }
    TRowEnd RowEndKind(int) const override { return reLineEnd; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const TSearchOptions options =
        static_cast<TSearchOptions>((data[0] | data[1] << 8) & 0x01CF); // the matching bits
    const std::size_t patLen = data[2] % 16;
    const std::size_t startSel = data[3];
    std::string_view rest(reinterpret_cast<const char*>(data + 4), size - 4);
    if (patLen > rest.size()) return 0;
    const std::string pattern(rest.substr(0, patLen));
    const std::string text(rest.substr(patLen));

    TSearchInfo info{static_cast<std::ptrdiff_t>(startSel % (text.size() + 1)), 0};
    const TSearchInfo before = info;
    TSearchPattern p(pattern, options);
    if (p.Find(text, info)) {
        const auto start = static_cast<std::size_t>(info.Start);
        FUZZ_CHECK(info.Start >= 0 && info.Length > 0 && start + info.Length <= text.size());
        FUZZ_CHECK(startsChar(text, start));
        FUZZ_CHECK(p.MatchAt(text, start) == static_cast<std::size_t>(info.Length));
        // On the searched side of the start; an exact search finds the pattern itself.
        FUZZ_CHECK((options & soDown) ? info.Start >= before.Start : info.Start <= before.Start);
        FUZZ_CHECK((options & (soNoMatchZenkaku | soSkipLineEnd | soSkipBlank)) ||
                   !(options & soMatchCase) || text.compare(start, pattern.size(), pattern) == 0);
    }

    // The same text cut into rows at its line ends: the row search finds a match exactly when
    // the whole text holds one, as long as no match can reach over more than two rows (the
    // pattern holds no line end and none is skipped).
    if ((options & soDown) && !(options & soSkipLineEnd) && text.find('\r') == std::string::npos &&
        pattern.find_first_of("\r\n") == std::string::npos && text.size() < 40000) {
        Rows rows;
        std::string joined;
        std::size_t from = 0;
        while (from <= text.size()) {
            std::size_t nl = text.find('\n', from);
            if (nl == std::string::npos) nl = text.size();
            rows.text.push_back(text.substr(from, nl - from));
            joined += rows.text.back() + "\r\n";
            from = nl + 1;
        }
        TSearchInfo whole{0, 0};
        const bool inWhole = p.Find(joined, whole);
        TSearchHit hit;
        const bool inRows = SearchRows(rows, {0, 0}, p, hit);
        FUZZ_CHECK(inWhole == inRows);
    }
    return 0;
}
