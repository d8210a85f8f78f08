// Tokenizing HTML rows: tags, attributes and their values, character references and comments.
#include "SyntaxTestUtil.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

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
