// Tokenizing single rows of plain text: the dispatch by first byte, numbers, double-byte
// classes, addresses, quotations, comments and the colour of each token.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"

#include <gtest/gtest.h>

TEST(FountainDispatch, NumbersWordsSymbolsAndBlanks) {
    TEditorFountain f;
    EXPECT_EQ(Tokens(f, "12.5e+3"), T({{"12.5e+3", toFloat}}));
    EXPECT_EQ(Tokens(f, "12.a"), T({{"12", toInteger}, {".", toSymbol}, {"a", toAnk}}));
    EXPECT_EQ(Tokens(f, "1..2 3e 4E-2"), T({{"1", toInteger},
                                            {".", toSymbol},
                                            {".", toSymbol},
                                            {"2", toInteger},
                                            {"3", toInteger},
                                            {"e", toAnk},
                                            {"4E-2", toFloat}}));
    // Blanks and control bytes are skipped, a tab is a token, CR ends the row.
    EXPECT_EQ(Tokens(f, " \x01x_1\tfoo\rbar"), T({{"x_1", toAnk}, {"\t", toTab}, {"foo", toAnk}}));
    EXPECT_EQ(Tokens(f, std::string("ab\0cd", 5)), T({{"ab", toAnk}}));
    EXPECT_TRUE(Tokens(f, "").empty());
    EXPECT_TRUE(Tokens(f, "   ").empty());
}

TEST(FountainDispatch, DoubleByteClasses) {
    TEditorFountain f;
    // Full-width capitals then full-width digits: two runs.
    EXPECT_EQ(Tokens(f, "\x82\x60\x82\x61\x82\x62\x82\x4f\x82\x50\x82\x51"),
              T({{"\x82\x60\x82\x61\x82\x62", toDBAlph}, {"\x82\x4f\x82\x50\x82\x51", toDBInt}}));
    // Full-width digits continue over the full-width comma and period.
    EXPECT_EQ(Tokens(f, "\x82\x50\x81\x43\x82\x51\x81\x44\x82\x52"),
              T({{"\x82\x50\x81\x43\x82\x51\x81\x44\x82\x52", toDBInt}}));
    // Hiragana and katakana runs take the long vowel mark and the minus sign along.
    EXPECT_EQ(Tokens(f, "\x82\xa0\x81\x5b\x82\xa2\x83\x4a\x81\x5b\x83\x68\x8a\xbf\x8e\x9a"),
              T({{"\x82\xa0\x81\x5b\x82\xa2", toDBHira},
                 {"\x83\x4a\x81\x5b\x83\x68", toDBKana},
                 {"\x8a\xbf\x8e\x9a", toDBKanji}}));
    // A leading long vowel mark is a symbol; so are the katakana trail bytes above 0x96.
    EXPECT_EQ(Tokens(f, "\x81\x5b\x83\x9f\x84\x40"),
              T({{"\x81\x5b", toDBSymbol}, {"\x83\x9f", toDBSymbol}, {"\x84\x40", toDBSymbol}}));
    // Kanji runs over both lead-byte ranges; half-width kana and its punctuation.
    EXPECT_EQ(Tokens(f, "\x88\x9f\xe0\x40\xa1\xb1\xb2\xdf\xa5"), T({{"\x88\x9f\xe0\x40", toDBKanji},
                                                                    {"\xa1", toKanaSymbol},
                                                                    {"\xb1\xb2\xdf", toKana},
                                                                    {"\xa5", toKanaSymbol}}));
    // A lead byte at the row end is consumed alone, never with the byte past the row.
    EXPECT_EQ(Tokens(f, "a\x82"), T({{"a", toAnk}, {"\x82", toDBSymbol}}));
    EXPECT_EQ(Tokens(f, "\x80\xa0\xfd"),
              T({{"\x80", toSymbol}, {"\xa0", toSymbol}, {"\xfd", toSymbol}}));
}

TEST(EditorParser, UrlAndMailInPlainText) {
    TEditorFountain f;
    f.SetUrl(true);
    f.SetMail(true);
    EXPECT_EQ(Tokens(f, "see http://example.com/a?b=1 now"),
              T({{"see", toAnk}, {"http://example.com/a?b=1", toUrl}, {"now", toAnk}}));
    EXPECT_EQ(Tokens(f, "www.example.jp/~x,"), T({{"www.example.jp/~x", toUrl}, {",", toSymbol}}));
    EXPECT_EQ(Tokens(f, "mail foo.bar@example.co.jp!"),
              T({{"mail", toAnk}, {"foo.bar@example.co.jp!", toMail}}));
    // An at sign without a following dot is no address; "HTTP:" is no URL.
    EXPECT_EQ(Tokens(f, "a@b HTTP:x"), T({{"a", toAnk},
                                          {"@", toSymbol},
                                          {"b", toAnk},
                                          {"HTTP", toAnk},
                                          {":", toSymbol},
                                          {"x", toAnk}}));
    f.SetUrl(false);
    EXPECT_EQ(Tokens(f, "http:x").front(), Tok("http", toAnk));
}

TEST(EditorParser, OrderOfTests) {
    TEditorFountain f;
    f.SetCommenter("//");
    f.SetHexPrefix("0x");
    f.SetQuotation("'");
    f.SetControlCode(true);
    EXPECT_EQ(Tokens(f, "'It''s' x"), T({{"'It''s'", toQuotation}, {"x", toAnk}}));
    EXPECT_EQ(Tokens(f, "0XfF 0xg #13#$0a #x"), T({{"0XfF", toHex},
                                                   {"0", toInteger},
                                                   {"xg", toAnk},
                                                   {"#13", toControlCode},
                                                   {"#$0a", toHexControlCode},
                                                   {"#", toSymbol},
                                                   {"x", toAnk}}));
    EXPECT_EQ(Tokens(f, "a // 'b' 12"), T({{"a", toAnk}, {"// 'b' 12", toComment}}));
    // An unclosed quotation ends with the row; two-byte characters are skipped whole, so a
    // trail byte equal to the quote does not close it.
    EXPECT_EQ(Tokens(f, "'\x83\x27x"), T({{"'\x83\x27x", toQuotation}}));
    // Brackets come first, across the other tests.
    f.Brackets().Add("(*", "*)", clNone, clRed);
    EXPECT_EQ(Tokens(f, "(* 'a' *)'b'"), T({{"(* 'a' *)", toBracket}, {"'b'", toQuotation}}));
}

TEST(EditorParser, ColoursByKind) {
    TEditorFountain f;
    f.SetQuotation("\"");
    f.SetReserveWordList({"Begin"});
    f.Brackets().Add("[", "]", clNone, clRed);
    const TEditorColors& c = f.Colors();
    auto v = Colors(f, "begin beginx ; 1 \"s\" \x82\xa0 [b] \t");
    std::vector<const TFountainColor*> want = {&f.Reserve(),
                                               &c.Ank,
                                               &c.Symbol,
                                               &c.Int,
                                               &c.Str,
                                               &c.DBCS,
                                               &f.Brackets().Items(0).ItemColor(),
                                               nullptr};
    EXPECT_EQ(v, want);
    EXPECT_EQ(Tokens(f, "BEGIN").front().second, toReserve);
}

TEST(EditorParser, TwoByteQuotation) {
    TEditorFountain f;
    f.SetQuotation("\x81\x75\x81\x76"); // 「 」: the first character delimits
    EXPECT_EQ(Tokens(f, "a \x81\x75\x82\xa0\x81\x75 b"),
              T({{"a", toAnk}, {"\x81\x75\x82\xa0\x81\x75", toQuotation}, {"b", toAnk}}));
    // A trail byte equal to the lead byte of the quotation does not close it.
    EXPECT_EQ(Tokens(f, "\x81\x75\x88\x81\x75x\x81\x75"),
              T({{"\x81\x75\x88\x81\x75x\x81\x75", toQuotation}}));
}
