// Tokenizing HTML rows: tags, attributes and their values, character references and comments.
#include "SyntaxTestUtil.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

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
