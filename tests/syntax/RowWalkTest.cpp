// The state carried from row to row: brackets over blank rows, tokens crossing a wrapped row
// end, comments and quoted text continued, tags across lines, and the token stepping on top.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

namespace {
// What a row's start state carries over: the running token's kind, how many of its bytes lie in
// this row and the open bracket.
std::tuple<int, int, int> Carry(const TFountainState& s) {
    return {s.Token, s.Remain, s.BracketIndex};
}
} // namespace

TEST(RowWalk, BlankRowsPassTheStateOn) {
    auto f = CreateHTMLFountain1();
    auto st =
        Walk(*f, {{"<!--", reLineEnd}, {"   ", reLineEnd}, {"", reLineEnd}, {"-->", reLineEnd}});
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(st[r].BracketIndex, r < 4 ? 0 : -1) << r;
    // A quoted text that crossed into a blank row that ends its line stops there.
    auto d = CreateDelphiFountain1();
    st = Walk(*d, {{"'abc", reWrapped}, {"   ", reLineEnd}, {"x", reLineEnd}});
    EXPECT_EQ(st[1].Token, toSingleQuotation);
    EXPECT_EQ(st[2].Token, 0);
}

// A token cut by the wrap knows its whole length and keeps its colour in the next row.
TEST(RowWalk, TokenCrossingAWrappedRowEndKeepsItsColour) {
    TEditorFountain f;
    f.SetUrl(true);
    f.SetReserveWordList({"begin"});
    const std::string r0 = "see http://exam", r1 = "ple.com/ ok";
    auto st = Walk(f, {{r0, reWrapped}, {r1, reLineEnd}});
    EXPECT_EQ(Carry(st[1]), std::tuple(toUrl, 8, -1));
    TRowTokens rt(f);
    auto t0 = rt.All(r0, r1, st[0]);
    ASSERT_EQ(t0.size(), 2u);
    EXPECT_EQ(std::tuple(t0[1].Kind, t0[1].Start, t0[1].Length, t0[1].FullLength),
              std::tuple(toUrl, 4, 11, 19));
    // A reserved word split by the wrap is finished in the reserved colour.
    st = Walk(f, {{"x beg", reWrapped}, {"in y", reLineEnd}});
    EXPECT_EQ(Carry(st[1]), std::tuple(toReserve, 2, -1));
    auto t = rt.All("in y", "", st[1]);
    EXPECT_EQ(std::tuple(t[0].Color, t[0].Reserved), std::tuple(&f.Reserve(), true));
}

TEST(RowWalk, CommentAndQuotedTextContinueThroughWrappedRows) {
    TEditorFountain f;
    f.SetCommenter("//");
    f.SetQuotation("'");
    auto st = Walk(
        f, {{"a // comm", reWrapped}, {"ent", reWrapped}, {"more", reLineEnd}, {"x", reLineEnd}});
    EXPECT_EQ(Carry(st[1]), std::tuple(toComment, 0, -1));
    EXPECT_EQ(Tokens(f, "more", st[2]), T({"more"}, {toComment}));
    EXPECT_EQ(Tokens(f, "x", st[3]), T({"x"}, {toAnk}));

    // The quotation routine goes on without expecting its opening quote.
    st = Walk(f, {{"'It''", reWrapped}, {"s long", reWrapped}, {" text' x", reLineEnd}});
    EXPECT_EQ(st[1].Token, toQuotation);
    EXPECT_EQ(Tokens(f, " text' x", st[2]), T({" text'", "x"}, {toQuotation, toAnk}));
    // An unclosed quotation ends with its logical line.
    st = Walk(f, {{"'open", reLineEnd}, {"x", reLineEnd}});
    EXPECT_EQ(st[1].Token, 0);
}

TEST(RowWalk, BracketsSplitByTheWrap) {
    auto f = CreateHTMLFountain1();
    // The right string split by the row end: the bracket stays open with its remaining bytes.
    auto st = Walk(*f, {{"<!-- a --", reWrapped}, {">b", reLineEnd}});
    EXPECT_EQ(Carry(st[1]), std::tuple(toBracket, 1, 0));
    EXPECT_EQ(Tokens(*f, ">b", st[1]), T({">", "b"}, {toBracket, toAnk}));
    EXPECT_EQ(st[2].BracketIndex, -1);
    // The right string wholly in the next row: the bracket text simply continues there.
    st = Walk(*f, {{"<!-- a", reWrapped}, {"-->b", reLineEnd}});
    EXPECT_EQ(Carry(st[1]), std::tuple(0, 0, 0));
    EXPECT_EQ(Tokens(*f, "-->b", st[1]), T({"-->", "b"}, {toBracket, toAnk}));
    // A bracket that begins only in the next row leaves none open.
    st = Walk(*f, {{"abc ", reWrapped}, {"<!-- x", reLineEnd}});
    EXPECT_EQ(st[1].BracketIndex, -1);
    EXPECT_EQ(st[2].BracketIndex, 0);
}

// Tags across lines, and the end of an asm block split by the wrap.
TEST(RowWalk, ElementsAcrossRows) {
    auto f = CreateHTMLFountain1();
    auto st = Walk(*f, {{"text <a", reLineEnd}, {"href=x>y", reLineEnd}, {"z", reLineEnd}});
    EXPECT_EQ(std::tuple(st[1].Element, st[1].PrevToken, st[2].Element),
              std::tuple(hsInTag, toTagElement, hsOutside));
    EXPECT_EQ(Tokens(*f, "href=x>y", st[1]),
              T({"href", "=", "x", ">", "y"},
                {toTagAttribute, toTagAttributeDelimiter, toTagAttributeValue, toTagEnd, toAnk}));

    auto d = CreateDelphiFountain1();
    st = Walk(*d, {{"asm", reLineEnd}, {"  ret; en", reWrapped}, {"d; x", reLineEnd}});
    EXPECT_EQ(std::tuple(st[1].Element, st[2].Token, st[2].Element),
              std::tuple(dsAsm, toReserve, dsNormal));
    EXPECT_EQ(Tokens(*d, "d; x", st[2]), T({"d", ";", "x"}, {toReserve, toSymbol, toAnk}));
}

TEST(RowWalk, SavedStatesOutOfRangeAreHarmless) {
    auto f = CreateHTMLFountain1();
    TFountainState bad;
    bad.BracketIndex = 9; // this fountain has one pair
    bad.Element = 200;
    bad.Token = toBracket;
    bad.Remain = 500;
    EXPECT_EQ(Tokens(*f, "a<b", bad), T({"a", "<", "b"}, {toAnk, toTagStart, toTagElement}));
    bad.Token = 99;
    bad.Remain = 1000;
    EXPECT_EQ(Tokens(*f, "ab", bad), T({"ab"}, {99}));
    EXPECT_EQ(Colors(*f, "ab", bad).front(), nullptr);
}

TEST(RowWalk, TokensLongerThanTwoRowsKeepTheirKindOnEveryRow) {
    // Each row sees only the next one; a token cut by its end runs on in the row after.
    TEditorFountain f;
    f.SetUrl(true);
    auto st = Walk(f, {{"see http://exa", reWrapped},
                       {"mple.com/a/b/c", reWrapped},
                       {"/d/e.html next", reLineEnd},
                       {"plain.text", reLineEnd}});
    EXPECT_EQ(Tokens(f, "mple.com/a/b/c", st[1]), T({"mple.com/a/b/c"}, {toUrl}));
    EXPECT_EQ(Tokens(f, "/d/e.html next", st[2]), T({"/d/e.html", "next"}, {toUrl, toAnk}));
    EXPECT_EQ(Tokens(f, "plain.text", st[3]).front(), Tok("plain", toAnk));

    // A kanji run over three rows.
    const std::string k = "\x8a\xbf\x8e\x9a\x8a\xbf\x8e\x9a";
    st = Walk(f, {{"a" + k, reWrapped}, {k, reWrapped}, {k + "\x82\xa0", reLineEnd}});
    EXPECT_EQ(Tokens(f, k, st[1]), T({k}, {toDBKanji}));
    EXPECT_EQ(Tokens(f, k + "\x82\xa0", st[2]), T({k, "\x82\xa0"}, {toDBKanji, toDBHira}));

    // An unquoted HTML value over three rows, then the tag's end.
    auto h = CreateHTMLFountain1();
    st = Walk(
        *h, {{"<a href=http:", reWrapped}, {"//example.jp/", reWrapped}, {"x.html>t", reLineEnd}});
    EXPECT_EQ(Tokens(*h, "x.html>t", st[2]),
              T({"x.html", ">", "t"}, {toTagAttributeValue, toTagEnd, toAnk}));
}
