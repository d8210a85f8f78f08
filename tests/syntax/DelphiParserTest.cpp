// Tokenizing Delphi rows: words, strings, comments, property declarations and asm blocks.
#include "SyntaxTestUtil.h"
#include "syntax/SyntaxInstances.h"

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
    EXPECT_EQ(Tokens(*f, "  MOV EAX, 12 ; 'x'", st),
              T({"MOV", "EAX", ",", "12", ";", "'x'"},
                {toAsm, toAsm, toAsm, toAsm, toAsm, toSingleQuotation}));
    auto v = Tokens(*f, "  RET end; begin", st);
    EXPECT_EQ(v, T({"RET", "end", ";", "begin"}, {toAsm, toReserve, toSymbol, toReserve}));
    auto colours = Colors(*f, "RET end", st);
    EXPECT_EQ(colours[0], &f->AsmBlock);
    EXPECT_EQ(colours[1], &f->Reserve());
    p->ParseRow(st, "  RET end;", "", reLineEnd);
    EXPECT_EQ(st.Element, dsNormal);
}
