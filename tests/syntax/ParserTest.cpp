// Tokenizing single rows: the dispatch by first byte, numbers, double-byte classes, the editor,
// Delphi and HTML rules and the colour of each token.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

namespace {

std::vector<Tok> T(std::initializer_list<Tok> l) {
    return l;
}

} // namespace

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

TEST(DelphiParser, WordsStringsAndComments) {
    auto f = CreateDelphiFountain1();
    EXPECT_EQ(Tokens(*f, "if X<>'It''s' then // done"), T({{"if", toReserve},
                                                           {"X", toAnk},
                                                           {"<", toSymbol},
                                                           {">", toSymbol},
                                                           {"'It''s'", toSingleQuotation},
                                                           {"then", toReserve},
                                                           {"// done", toComment}}));
    EXPECT_EQ(Tokens(*f, "x:=$1F+{c}(*d*)"), T({{"x", toAnk},
                                                {":", toSymbol},
                                                {"=", toSymbol},
                                                {"$1F", toHex},
                                                {"+", toSymbol},
                                                {"{c}", toBracket},
                                                {"(*d*)", toBracket}}));
    // A brace inside a string opens no comment.
    EXPECT_EQ(Tokens(*f, "'{' a"), T({{"'{'", toSingleQuotation}, {"a", toAnk}}));
}

TEST(DelphiParser, PropertyDeclarationState) {
    auto f = CreateDelphiFountain1();
    auto v = Tokens(*f, "read property Foo: Integer read FFoo write SetFoo; procedure read");
    ASSERT_EQ(v.size(), 12u);
    EXPECT_EQ(v[0], Tok("read", toAnk));
    EXPECT_EQ(v[1], Tok("property", toReserve));
    EXPECT_EQ(v[5], Tok("read", toReserve));
    EXPECT_EQ(v[7], Tok("write", toReserve));
    EXPECT_EQ(v[10], Tok("procedure", toReserve));
    EXPECT_EQ(v[11], Tok("read", toAnk));
}

TEST(DelphiParser, AsmBlockEndsAtEnd) {
    auto f = CreateDelphiFountain1();
    TFountainState st;
    auto p = f->CreateParser();
    p->ParseRow(st, "asm", "", reLineEnd);
    EXPECT_EQ(st.Element, dsAsm);
    EXPECT_EQ(Tokens(*f, "  MOV EAX, 12 ; 'x'", st), T({{"MOV", toAsm},
                                                        {"EAX", toAsm},
                                                        {",", toAsm},
                                                        {"12", toAsm},
                                                        {";", toAsm},
                                                        {"'x'", toSingleQuotation}}));
    auto v = Tokens(*f, "  RET end; begin", st);
    EXPECT_EQ(v, T({{"RET", toAsm}, {"end", toReserve}, {";", toSymbol}, {"begin", toReserve}}));
    auto colours = Colors(*f, "RET end", st);
    EXPECT_EQ(colours[0], &f->AsmBlock);
    EXPECT_EQ(colours[1], &f->Reserve());
    p->ParseRow(st, "  RET end;", "", reLineEnd);
    EXPECT_EQ(st.Element, dsNormal);
}

TEST(HTMLParser, AnchorTagAndEntity) {
    auto f = CreateHTMLFountain1();
    const std::string row = "<a href=\"x.html\">A&amp;B</a>";
    EXPECT_EQ(Tokens(*f, row), T({{"<", toTagStart},
                                  {"a", toTagElement},
                                  {"href", toTagAttribute},
                                  {"=", toTagAttributeDelimiter},
                                  {"\"x.html\"", toDoubleQuotation},
                                  {">", toTagEnd},
                                  {"A", toAnk},
                                  {"&amp;", toAmpersand},
                                  {"B", toAnk},
                                  {"<", toTagStart},
                                  {"/a", toTagElement},
                                  {">", toTagEnd}}));
    auto c = Colors(*f, row);
    std::vector<const TFountainColor*> want = {
        &f->TagColor, &f->TagElement, &f->TagAttribute, &f->TagColor, &f->Str,        &f->TagColor,
        nullptr,      &f->Ampersand,  nullptr,          &f->TagColor, &f->TagElement, &f->TagColor};
    EXPECT_EQ(c, want);
    EXPECT_EQ(c[1]->Color(), clAqua);
    EXPECT_EQ(c[2]->Color(), clYellow);
    EXPECT_EQ(c[4]->Color(), clLime);
}

TEST(HTMLParser, ValuesReferencesAndComments) {
    auto f = CreateHTMLFountain1();
    EXPECT_EQ(Tokens(*f, "<td width=100 class='a b' nowrap>"), T({{"<", toTagStart},
                                                                  {"td", toTagElement},
                                                                  {"width", toTagAttribute},
                                                                  {"=", toTagAttributeDelimiter},
                                                                  {"100", toTagAttributeValue},
                                                                  {"class", toTagAttribute},
                                                                  {"=", toTagAttributeDelimiter},
                                                                  {"'a b'", toSingleQuotation},
                                                                  {"nowrap", toTagAttribute},
                                                                  {">", toTagEnd}}));
    EXPECT_EQ(Tokens(*f, "<img src=a.gif>"), T({{"<", toTagStart},
                                                {"img", toTagElement},
                                                {"src", toTagAttribute},
                                                {"=", toTagAttributeDelimiter},
                                                {"a.gif", toTagAttributeValue},
                                                {">", toTagEnd}}));
    EXPECT_EQ(
        Tokens(*f, "&#160; & &x y"),
        T({{"&#160;", toAmpersand}, {"&", toSymbol}, {"&", toSymbol}, {"x", toAnk}, {"y", toAnk}}));
    EXPECT_EQ(Tokens(*f, "a<!-- <b> -->c"),
              T({{"a", toAnk}, {"<!-- <b> -->", toBracket}, {"c", toAnk}}));
    EXPECT_EQ(Tokens(*f, "mail a@b.jp http://x.jp/"),
              T({{"mail", toAnk}, {"a@b.jp", toMail}, {"http://x.jp/", toUrl}}));
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
