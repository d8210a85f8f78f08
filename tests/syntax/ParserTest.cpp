// Tokenizing single rows of plain text: the dispatch by first byte, numbers, double-byte
// classes, addresses, quotations, comments and the colour of each token.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"

#include <gtest/gtest.h>

TEST(FountainDispatch, NumbersWordsSymbolsAndBlanks) {
    TEditorFountain f;
    EXPECT_EQ(Tokens(f, "12.5e+3"), T({"12.5e+3"}, {toFloat}));
    EXPECT_EQ(Tokens(f, "12.a"), T({"12", ".", "a"}, {toInteger, toSymbol, toAnk}));
    EXPECT_EQ(Tokens(f, "1..2 3e 4E-2"),
              T({"1", ".", ".", "2", "3", "e", "4E-2"},
                {toInteger, toSymbol, toSymbol, toInteger, toInteger, toAnk, toFloat}));
    // Blanks and control bytes are skipped, a tab is a token, CR ends the row.
    EXPECT_EQ(Tokens(f, " \x01x_1\tfoo\rbar"), T({"x_1", "\t", "foo"}, {toAnk, toTab, toAnk}));
    EXPECT_EQ(Tokens(f, std::string("ab\0cd", 5)), T({"ab"}, {toAnk}));
    EXPECT_TRUE(Tokens(f, "").empty());
    EXPECT_TRUE(Tokens(f, "   ").empty());
}

TEST(FountainDispatch, DoubleByteClasses) {
    TEditorFountain f;
    // Full-width capitals then full-width digits: two runs.
    EXPECT_EQ(Tokens(f, "\x82\x60\x82\x61\x82\x62\x82\x4f\x82\x50\x82\x51"),
              T({"\x82\x60\x82\x61\x82\x62", "\x82\x4f\x82\x50\x82\x51"}, {toDBAlph, toDBInt}));
    // Full-width digits continue over the full-width comma and period.
    EXPECT_EQ(Tokens(f, "\x82\x50\x81\x43\x82\x51\x81\x44\x82\x52"),
              T({"\x82\x50\x81\x43\x82\x51\x81\x44\x82\x52"}, {toDBInt}));
    // Hiragana and katakana runs take the long vowel mark and the minus sign along.
    EXPECT_EQ(Tokens(f, "\x82\xa0\x81\x5b\x82\xa2\x83\x4a\x81\x5b\x83\x68\x8a\xbf\x8e\x9a"),
              T({"\x82\xa0\x81\x5b\x82\xa2", "\x83\x4a\x81\x5b\x83\x68", "\x8a\xbf\x8e\x9a"},
                {toDBHira, toDBKana, toDBKanji}));
    // A leading long vowel mark is a symbol; so are the katakana trail bytes above 0x96.
    EXPECT_EQ(Tokens(f, "\x81\x5b\x83\x9f\x84\x40"),
              T({"\x81\x5b", "\x83\x9f", "\x84\x40"}, {toDBSymbol, toDBSymbol, toDBSymbol}));
    // Kanji runs over both lead-byte ranges; half-width kana and its punctuation.
    EXPECT_EQ(Tokens(f, "\x88\x9f\xe0\x40\xa1\xb1\xb2\xdf\xa5"),
              T({"\x88\x9f\xe0\x40", "\xa1", "\xb1\xb2\xdf", "\xa5"},
                {toDBKanji, toKanaSymbol, toKana, toKanaSymbol}));
    // A lead byte at the row end is consumed alone, never with the byte past the row.
    EXPECT_EQ(Tokens(f, "a\x82"), T({"a", "\x82"}, {toAnk, toDBSymbol}));
    EXPECT_EQ(Tokens(f, "\x80\xa0\xfd"),
              T({"\x80", "\xa0", "\xfd"}, {toSymbol, toSymbol, toSymbol}));
}

TEST(EditorParser, UrlAndMailInPlainText) {
    TEditorFountain f;
    f.SetUrl(true);
    f.SetMail(true);
    EXPECT_EQ(Tokens(f, "see http://example.com/a?b=1 now"),
              T({"see", "http://example.com/a?b=1", "now"}, {toAnk, toUrl, toAnk}));
    EXPECT_EQ(Tokens(f, "www.example.jp/~x,"), T({"www.example.jp/~x", ","}, {toUrl, toSymbol}));
    EXPECT_EQ(Tokens(f, "mail foo.bar@example.co.jp!"),
              T({"mail", "foo.bar@example.co.jp!"}, {toAnk, toMail}));
    // An at sign without a following dot is no address; "HTTP:" is no URL.
    EXPECT_EQ(Tokens(f, "a@b HTTP:x"), T({"a", "@", "b", "HTTP", ":", "x"},
                                         {toAnk, toSymbol, toAnk, toAnk, toSymbol, toAnk}));
    f.SetUrl(false);
    EXPECT_EQ(Tokens(f, "http:x").front(), Tok("http", toAnk));
}

TEST(EditorParser, OrderOfTestsAndColours) {
    TEditorFountain f;
    f.SetCommenter("//");
    f.SetHexPrefix("0x");
    f.SetQuotation("'");
    f.SetControlCode(true);
    f.SetReserveWordList({"Begin"});
    EXPECT_EQ(Tokens(f, "'It''s' x"), T({"'It''s'", "x"}, {toQuotation, toAnk}));
    EXPECT_EQ(Tokens(f, "0XfF 0xg #13#$0a #x"),
              T({"0XfF", "0", "xg", "#13", "#$0a", "#", "x"},
                {toHex, toInteger, toAnk, toControlCode, toHexControlCode, toSymbol, toAnk}));
    EXPECT_EQ(Tokens(f, "a // 'b' 12"), T({"a", "// 'b' 12"}, {toAnk, toComment}));
    // An unclosed quotation ends with the row; two-byte characters are skipped whole, so a
    // trail byte equal to the quote does not close it.
    EXPECT_EQ(Tokens(f, "'\x83\x27x"), T({"'\x83\x27x"}, {toQuotation}));
    // Brackets come first, across the other tests.
    f.Brackets().Add("(*", "*)", clNone, clRed);
    EXPECT_EQ(Tokens(f, "(* 'a' *)'b'"), T({"(* 'a' *)", "'b'"}, {toBracket, toQuotation}));
    // Each kind in its colour; reserved words whatever their letter case.
    const TEditorColors& c = f.Colors();
    EXPECT_EQ(
        Colors(f, "BEGIN beginx ; 1 's' \x82\xa0 (*b*) \t"),
        (std::vector<const TFountainColor*>{&f.Reserve(), &c.Ank, &c.Symbol, &c.Int, &c.Str,
                                            &c.DBCS, &f.Brackets().Items(0).ItemColor(), nullptr}));
    // A two-byte quotation: the first character delimits, and a trail byte equal to its lead
    // byte does not close it.
    f.SetQuotation("\x81\x75\x81\x76"); // 「 」
    EXPECT_EQ(Tokens(f, "a \x81\x75\x82\xa0\x81\x75 b"),
              T({"a", "\x81\x75\x82\xa0\x81\x75", "b"}, {toAnk, toQuotation, toAnk}));
    EXPECT_EQ(Tokens(f, "\x81\x75\x88\x81\x75x\x81\x75"),
              T({"\x81\x75\x88\x81\x75x\x81\x75"}, {toQuotation}));
}
