// Tokenizing rows with the configured definitions: Delphi words, strings, comments, property
// declarations and asm blocks; HTML tags, attributes and their values, references and comments.
#include "syntax/SyntaxInstances.h"
#include "SyntaxTestUtil.h"

#include <gtest/gtest.h>

TEST(DelphiParser, WordsStringsAndComments) {
    auto f = CreateDelphiFountain1();
    EXPECT_EQ(Tokens(*f, "if X<>'It''s' then // done"),
              T({"if", "X", "<", ">", "'It''s'", "then", "// done"},
                {toReserve, toAnk, toSymbol, toSymbol, toSingleQuotation, toReserve, toComment}));
    EXPECT_EQ(Tokens(*f, "x:=$1F+{c}(*d*)"),
              T({"x", ":", "=", "$1F", "+", "{c}", "(*d*)"},
                {toAnk, toSymbol, toSymbol, toHex, toSymbol, toBracket, toBracket}));
    // A brace inside a string opens no comment.
    EXPECT_EQ(Tokens(*f, "'{' a"), T({"'{'", "a"}, {toSingleQuotation, toAnk}));
}

// "read" and "write" are reserved only inside a property declaration.
TEST(DelphiParser, PropertyDeclarationState) {
    auto f = CreateDelphiFountain1();
    EXPECT_EQ(Tokens(*f, "read property Foo: Integer read FFoo write SetFoo; procedure read"),
              T({"read", "property", "Foo", ":", "Integer", "read", "FFoo", "write", "SetFoo", ";",
                 "procedure", "read"},
                {toAnk, toReserve, toAnk, toSymbol, toAnk, toReserve, toAnk, toReserve, toAnk,
                 toSymbol, toReserve, toAnk}));
}

TEST(DelphiParser, AsmBlockEndsAtEnd) {
    auto f = CreateDelphiFountain1();
    TFountainState st;
    auto p = f->CreateParser();
    p->ParseRow(st, "asm", "", reLineEnd);
    EXPECT_EQ(st.Element, dsAsm);
    EXPECT_EQ(Tokens(*f, "  MOV EAX, 12 ; 'x'", st),
              T({"MOV", "EAX", ",", "12", ";", "'x'"},
                {toAsm, toAsm, toAsm, toAsm, toAsm, toSingleQuotation}));
    EXPECT_EQ(Tokens(*f, "  RET end; begin", st),
              T({"RET", "end", ";", "begin"}, {toAsm, toReserve, toSymbol, toReserve}));
    EXPECT_EQ(Colors(*f, "RET end", st),
              (std::vector<const TFountainColor*>{&f->AsmBlock, &f->Reserve()}));
    p->ParseRow(st, "  RET end;", "", reLineEnd);
    EXPECT_EQ(st.Element, dsNormal);
}

TEST(HTMLParser, AnchorTagAndEntity) {
    auto f = CreateHTMLFountain1();
    auto c = Colors(*f, "<a href=\"x.html\">A&amp;B</a>");
    std::vector<const TFountainColor*> want = {
        &f->TagColor, &f->TagElement, &f->TagAttribute, &f->TagColor, &f->Str,        &f->TagColor,
        nullptr,      &f->Ampersand,  nullptr,          &f->TagColor, &f->TagElement, &f->TagColor};
    EXPECT_EQ(c, want);
}

TEST(HTMLParser, ValuesReferencesAndComments) {
    auto f = CreateHTMLFountain1();
    EXPECT_EQ(
        Tokens(*f, "<td width=100 class='a b' nowrap>"),
        T({"<", "td", "width", "=", "100", "class", "=", "'a b'", "nowrap", ">"},
          {toTagStart, toTagElement, toTagAttribute, toTagAttributeDelimiter, toTagAttributeValue,
           toTagAttribute, toTagAttributeDelimiter, toSingleQuotation, toTagAttribute, toTagEnd}));
    EXPECT_EQ(Tokens(*f, "<img src=a.gif>"),
              T({"<", "img", "src", "=", "a.gif", ">"},
                {toTagStart, toTagElement, toTagAttribute, toTagAttributeDelimiter,
                 toTagAttributeValue, toTagEnd}));
    EXPECT_EQ(Tokens(*f, "&#160; & &x y"),
              T({"&#160;", "&", "&", "x", "y"}, {toAmpersand, toSymbol, toSymbol, toAnk, toAnk}));
    EXPECT_EQ(Tokens(*f, "a<!-- <b> -->c"),
              T({"a", "<!-- <b> -->", "c"}, {toAnk, toBracket, toAnk}));
    EXPECT_EQ(Tokens(*f, "mail a@b.jp http://x.jp/"),
              T({"mail", "a@b.jp", "http://x.jp/"}, {toAnk, toMail, toUrl}));
}
