// The generated conversion tables, checked against known Shift-JIS codes and, independently of
// how the generator chose them, against Unicode compatibility normalisation.
#include "search/MatchTables.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace {

std::string Bytes(unsigned code) {
    return code < 0x100 ? std::string(1, char(code))
                        : std::string{char(code >> 8), char(code & 0xFF)};
}

std::string Nfkc(const std::string& sjis) {
    std::u16string u = Cp932ToUtf16(sjis);
    UErrorCode err = U_ZERO_ERROR;
    const icu::Normalizer2* n = icu::Normalizer2::getNFKCInstance(err);
    icu::UnicodeString s(false, reinterpret_cast<const UChar*>(u.data()), int32_t(u.size()));
    std::string out;
    n->normalize(s, err).toUTF8String(out);
    return out;
}

TEST(MatchTables, EveryFullWidthFormIsTheSameTextByCompatibility) {
    int entries = 0;
    for (int b = 0; b < 256; ++b) {
        const unsigned full = kHalfToFullTable[b];
        if (!full) continue;
        ++entries;
        ASSERT_GE(full, 0x8140u) << b;
        ASSERT_TRUE(IsDBCSLeadByte(static_cast<unsigned char>(full >> 8)));
        const std::string half = Nfkc(Bytes(b));
        const std::string wide = Nfkc(Bytes(full));
        // The lone sound marks: CP932 holds the spacing forms, a space plus the combining mark.
        EXPECT_TRUE(wide == half || wide == " " + half) << std::hex << b;
    }
    EXPECT_EQ(entries, 95 + 63);
}

TEST(MatchTables, VoicedAndSemiVoicedKatakana) {
    int voiced = 0, semi = 0;
    for (int i = 0; i < 64; ++i) {
        if (kVoicedTable[i]) {
            ++voiced;
            EXPECT_EQ(Nfkc(Bytes(0xA0 + i) + "\xDE"), Nfkc(Bytes(kVoicedTable[i])));
        }
        if (kSemiVoicedTable[i]) {
            ++semi;
            EXPECT_EQ(Nfkc(Bytes(0xA0 + i) + "\xDF"), Nfkc(Bytes(kSemiVoicedTable[i])));
        }
    }
    EXPECT_EQ(voiced, 20 + 1); // カ..ト, ハ..ホ and ウ: no ｱﾞ
    EXPECT_EQ(semi, 5);        // ハ..ホ: no ｶﾟ
}

TEST(MatchTables, CasePairsAreUnicodeCasePairs) {
    // Latin, Greek, Cyrillic and the small Roman numerals (twice: NEC's and IBM's codes), and
    // IBM's capital Roman numerals, which search as NEC's.
    for (int i = 0; i < kFullWidthCasePairCount; ++i) {
        const char32_t c = Cp932CodeChar(kFullWidthCasePairs[i].code);
        EXPECT_EQ(char32_t(u_toupper(UChar32(c))), Cp932CodeChar(kFullWidthCasePairs[i].upper))
            << std::hex << unsigned(c);
    }
    EXPECT_EQ(kFullWidthCasePairCount, 26 + 24 + 33 + 3 * 10);
}

} // namespace
