// The search engine: options, two-byte boundaries, case pairs, full-width/half-width matching,
// skipping of line ends and blanks.
#include "search/Matcher.h"
#include "platform/Cp932.h"
#include "search/MatchTables.h"

#include <gtest/gtest.h>

namespace {

// Shift-JIS bytes of a UTF-8 literal.
std::string S(std::string_view utf8) {
    Cp932Report r;
    std::string s = Utf8ToCp932(utf8, &r);
    EXPECT_TRUE(r.ok()) << utf8;
    return s;
}

// Offset and length of the match, or {-1, 0}.
std::pair<long, long> Find(const std::string& text, const std::string& pat, TSearchOptions o,
                           long start = 0, long length = 0) {
    TSearchInfo info{start, length};
    if (!SearchText(text, info, pat, o)) return {-1, 0};
    return {long(info.Start), long(info.Length)};
}

using P = std::pair<long, long>;

TEST(Matcher, LetterCaseHalfAndFullWidth) {
    EXPECT_EQ(Find("xxabcxx", "ABC", soDown), P(2, 3));
    EXPECT_EQ(Find("xxABCxx", "abc", soDown | soMatchCase), P(-1, 0));
    // Half-width katakana have no case; the upper-case table leaves them alone.
    EXPECT_EQ(Find(S("ｱｲｳ"), S("ｲ"), soDown), P(1, 1));
    const std::string small = S("ｘａｂｃ");
    EXPECT_EQ(Find(small, S("ＡＢＣ"), soDown), P(2, 6));
    EXPECT_EQ(Find(small, S("ＡＢＣ"), soDown | soMatchCase), P(-1, 0));
    EXPECT_EQ(Find(S("ΑΒΓ"), S("αβγ"), soDown), P(0, 6)); // Greek
    EXPECT_EQ(Find(S("ЖЁЯ"), S("жёя"), soDown), P(0, 6)); // Cyrillic, both sides of 0x847F
    EXPECT_EQ(Find(S("ⅠⅡⅩ"), S("ⅰⅱⅹ"), soDown), P(0, 6)); // Roman numerals
    EXPECT_EQ(Find(S("ⅰⅱ"), S("ⅠⅡ"), 0, 4), P(0, 4));
    // Full-width letters do not match half-width ones unless asked.
    EXPECT_EQ(Find(S("ＡＢＣ"), "ABC", soDown), P(-1, 0));
}

// Forward the search continues after the selection, backward it finds the nearest match before
// its start; a hit never starts on the second byte of a character.
TEST(Matcher, StartsAfterOrBeforeTheSelectionNeverOnASecondByte) {
    const std::string abc = "abc abc abc";
    EXPECT_EQ(Find(abc, "abc", soDown, 0, 3), P(4, 3));
    EXPECT_EQ(Find(abc, "abc", soDown, 8, 3), P(-1, 0));
    EXPECT_EQ(Find("aaaa", "aa", soDown, 0, 2), P(2, 2)); // overlapping: after the current hit
    EXPECT_EQ(Find(abc, "abc", 0, 11), P(8, 3));
    EXPECT_EQ(Find(abc, "abc", 0, 8, 3), P(4, 3));
    EXPECT_EQ(Find(abc, "abc", 0, 2), P(-1, 0));
    EXPECT_EQ(Find(abc, "abc", 0, 100), P(8, 3)); // a start past the end means the end
    // An empty pattern or buffer finds nothing and leaves the selection as it was.
    TSearchInfo info{3, 2};
    EXPECT_FALSE(SearchText("", info, "a", soDown) || SearchText("abc", info, "", soDown));
    EXPECT_EQ(P(info.Start, info.Length), P(3, 2));

    // "ソ" is 0x83 0x5C, "表" is 0x95 0x5C: the second byte is a backslash.
    const std::string t = S("ソ表") + "\\" + S("表");
    EXPECT_EQ(Find(t, "\\", soDown), P(4, 1));
    EXPECT_EQ(Find(t, "\\", 0, 7), P(4, 1));
    EXPECT_EQ(Find(t, "\\", 0, 4), P(-1, 0));
    // "@" (0x40) as the second byte of "　" (0x81 0x40) and of "ァ" (0x83 0x40).
    EXPECT_EQ(Find(S("　ァ") + "@", "@", 0, 5), P(4, 1));
    // A forward start on a second byte moves to the next character.
    EXPECT_EQ(Find(S("ソソ"), S("ソ"), soDown, 1), P(2, 2));
    // A run of bytes that all could be lead bytes is paired from its start.
    // "亜" is 0x88 0x9F and "＝" 0x81 0x81: 0x9F 0x81 appears across them but is no character.
    EXPECT_EQ(Find(S("亜＝"), "\x9F\x81", soDown), P(-1, 0));
    EXPECT_EQ(Find(S("亜＝") + "\x9F\x81", "\x9F\x81", 0, 6), P(4, 2));
    // Long runs of such bytes, both ways.
    std::string eq;
    for (int i = 0; i < 300; ++i)
        eq += "\x81\x81";                 // ＝
    const std::string odd = "x\x81" + eq; // pairs shifted by one, a lone byte at the end
    EXPECT_EQ(Find(odd, S("＝"), 0, 602), P(599, 2));
    EXPECT_EQ(Find(odd, "\x81", soDown, 2), P(601, 1));
    // Backward: the first candidate on a second byte moves back to its character.
    EXPECT_EQ(Find(S("ａソ"), S("ソ"), 0, 3), P(-1, 0));
    EXPECT_EQ(Find(S("ａソ"), S("ソ"), 0, 4), P(2, 2));
    // A lead byte before a line end or at the end of the buffer is a byte of its own.
    const std::string cut = std::string("a\x82\r\nb\x82");
    EXPECT_EQ(Find(cut, "\r\n", soDown), P(2, 2));
    EXPECT_EQ(Find(cut, "\x82", 0, 6), P(5, 1));
    EXPECT_EQ(Find(cut, "b", soDown), P(4, 1));
}

TEST(Matcher, WholeWords) {
    const TSearchOptions w = soDown | soWholeWord;
    EXPECT_EQ(Find("xabc", "abc", w), P(-1, 0));
    EXPECT_EQ(Find("abc_d", "abc", w), P(0, 3)); // the underscore separates words here
    EXPECT_EQ(Find("abcd abc", "abc", w), P(5, 3));
    EXPECT_EQ(Find("abc abcd", "abc", soWholeWord, 8), P(0, 3));
    // Two-byte characters are word characters, whatever their second byte ("ソ" ends in "\").
    EXPECT_EQ(Find(S("ソ") + "abc", "abc", w), P(-1, 0));
    EXPECT_EQ(Find("abc" + S("の"), "abc", w), P(-1, 0));
    EXPECT_EQ(Find(S("ソ") + " abc", "abc", w), P(3, 3));
    EXPECT_EQ(Find(S("ｦ") + "abc", "abc", w), P(-1, 0)); // so are half-width kana
}

TEST(Matcher, NoMatchZenkaku) {
    const TSearchOptions z = soDown | soNoMatchZenkaku;
    EXPECT_EQ(Find("xABC", S("ＡＢＣ"), z), P(1, 3));
    EXPECT_EQ(Find(S("xａｂｃ"), "ABC", z), P(1, 6)); // case folded as well
    EXPECT_EQ(Find(S("xａｂｃ"), "ABC", z | soMatchCase), P(-1, 0));
    EXPECT_EQ(Find(S("xｶﾞ"), S("ガ"), z), P(1, 2));
    EXPECT_EQ(Find(S("ヴァ"), S("ｳﾞｧ"), z), P(0, 4));
    EXPECT_EQ(Find(S("ﾊﾟﾝ"), S("パン"), z), P(0, 3));
    EXPECT_EQ(Find(S("ｶﾞ"), S("カ"), z), P(-1, 0));  // the sound mark belongs to the kana
    EXPECT_EQ(Find(S("ｱﾞ"), S("ア゛"), z), P(0, 2)); // no combined form: two characters
    EXPECT_EQ(Find("a b", S("ａ　ｂ"), z), P(0, 3));
    EXPECT_EQ(Find("\\~", S("＼～"), z), P(0, 2));
    EXPECT_EQ(Find(S("ｶﾞ"), S("ガ"), soDown), P(-1, 0)); // only with the option
    // Backward steps over as many characters as the pattern has.
    EXPECT_EQ(Find(S("ＡＢＡＢ"), "AB", soNoMatchZenkaku, 8), P(4, 4));
    EXPECT_EQ(Find(S("ｶﾞｶﾞ"), S("ガ"), soNoMatchZenkaku, 4), P(2, 2));
}

TEST(Matcher, SkippingLineEndsAndBlanks) {
    const TSearchOptions c = soDown | soIncludeCRLF;
    EXPECT_EQ(Find("xxab\r\ncd", "abcd", c), P(2, 6));
    EXPECT_EQ(Find("ab\r\ncd", "abcd", soDown | soSkipBlank), P(-1, 0));
    EXPECT_EQ(Find("a b\tc", "abc", soDown | soSkipBlank), P(0, 5));
    EXPECT_EQ(Find("a b", "ab", soDown | soSkipLineEnd), P(-1, 0));
    EXPECT_EQ(Find("a" + S("　") + "b", "ab", c), P(0, 4));
    // Blanks before the first character are never part of the match, nor after the last.
    EXPECT_EQ(Find(" \r\nab\r\n", "ab", c), P(3, 2));
    // A blank in the pattern still matches a blank in the text.
    EXPECT_EQ(Find("a \r\n b", "a b", c), P(0, 6));
    // Backward over a line end.
    EXPECT_EQ(Find("ab\r\ncd ab\r\ncd", "abcd", soIncludeCRLF, 13), P(7, 6));
    // With whole words the byte after the covered range must be a delimiter.
    EXPECT_EQ(Find("ab\r\ncdx", "abcd", c | soWholeWord), P(-1, 0));
    EXPECT_EQ(Find("ab\r\ncd x", "abcd", c | soWholeWord), P(0, 6));
}

// The candidate scan (first and second bytes, sixteen at a time) against the matcher tried at
// every character start, for every option set, over random text made of the pieces that the
// options treat alike: letters in both cases and widths, katakana with and without sound marks,
// two-byte characters whose second byte is a first byte, line ends and blanks.
TEST(Matcher, ScanAgreesWithTryingEveryCharacter) {
    const std::vector<std::string> pieces = {
        "a",    "A",        "b",        "\x82\x81", "\x82\x60", "\xB6",
        "\xDE", "\x83\x4B", "\x83\x4A", "\x91\xB6", "\x91\x91", "\x83\x91",
        "\r\n", " ",        "\x81\x40", "\t",       "z"};
    std::uint32_t seed = 12345;
    auto next = [&](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string text, pat;
        for (std::uint32_t i = 0, n = 20 + next(60); i < n; ++i)
            text += pieces[next(std::uint32_t(pieces.size()))];
        for (std::uint32_t i = 0, n = 1 + next(3); i < n; ++i)
            pat += pieces[next(std::uint32_t(pieces.size()))];
        const auto opts =
            TSearchOptions(soDown | (round & 1 ? soMatchCase : 0) |
                           (round & 2 ? soNoMatchZenkaku : 0) | (round & 4 ? soIncludeCRLF : 0));
        const TSearchPattern p(pat, opts);
        const auto start = long(next(std::uint32_t(text.size())));
        P expected(-1, 0);
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t len =
                IsDBCSLeadByte(text[pos]) && pos + 1 < text.size() && IsDBCSTrailByte(text[pos + 1])
                    ? 2
                    : 1;
            if (long(pos) >= start) {
                if (const std::size_t m = p.MatchAt(text, pos)) {
                    expected = P(long(pos), long(m));
                    break;
                }
            }
            pos += len;
        }
        ASSERT_EQ(Find(text, pat, opts, start), expected) << "round " << round;
    }
}

} // namespace
