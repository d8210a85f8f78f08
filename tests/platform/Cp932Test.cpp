// CP932 conversion: Microsoft's mappings both ways, failures counted, UTF-8 validation.
#include "platform/Cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, MicrosoftMappingsRoundTrip) {
    // Backslash and tilde stay ASCII; the wave dash, minus, pound and NEC/IBM rows use CP932's
    // choices.
    const std::string sjis = "\x5c\x7e\x81\x60\x81\x7c\x81\x91\x87\x40\xfa\x40\xb1\x82\xa0";
    Cp932Report r;
    std::u16string u = Cp932ToUtf16(sjis, &r);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(u, u"\\~\uFF5E\uFF0D\uFFE0\u2460\u2170\uFF71\u3042");
    EXPECT_EQ(Utf16ToCp932(u, &r), sjis);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(Cp932ToUtf8("\x93\xfa\x96\x7b"), "日本");
    // The control codes that ICU's IBM-style table trades among themselves stay themselves, in
    // both directions and in the code tables, also between other text and with a failure after.
    const std::string controls = "\x1a\x1c\x7f\x82\xa0\x1a";
    EXPECT_EQ(Cp932ToUtf16(controls), u"\x1a\x1c\x7f\u3042\x1a");
    EXPECT_EQ(Utf16ToCp932(u"\x1a\x1c\x7f\u3042\x1a\u00e9", &r), controls + "?");
    EXPECT_EQ(r.failures, 1u);
    EXPECT_EQ(r.firstFailure, 5u);
    for (char32_t c : {0x1A, 0x1C, 0x7F}) {
        EXPECT_EQ(Cp932CodeChar(c), c);
        EXPECT_EQ(Cp932ExactCode(c), c);
    }
}

TEST(Cp932, FailuresAreReportedNotDropped) {
    Cp932Report r;
    // U+00E9 and an emoji have no CP932 form: each becomes '?' and is counted.
    std::string out = Utf8ToCp932("a\u00e9b\U0001F600", &r);
    EXPECT_EQ(out, "a?b?");
    EXPECT_EQ(r.failures, 2u);
    EXPECT_EQ(r.firstFailure, 1u);
    // A lone lead byte at the end and an invalid trail byte decode to U+FFFD, counted.
    EXPECT_EQ(Cp932ToUtf16("ab\x82", &r), u"ab\uFFFD");
    EXPECT_EQ(r.firstFailure, 2u);
    // A byte that is no character becomes U+FFFD too, not the control code of 0x1A.
    EXPECT_EQ(Cp932ToUtf16("a\x80\xa0", &r), u"a\uFFFD\uFFFD");
    EXPECT_EQ(r.failures, 2u);
}

TEST(Cp932, Utf8Validation) {
    EXPECT_TRUE(IsValidUtf8("plain") && IsValidUtf8("元日"));
    // The same text in CP932, an overlong form and a cut sequence.
    for (const char* bad : {"\x8c\xb3\x93\xfa", "\xc0\xaf", "\xe5\x85"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}
