// The state carried from row to row: brackets over blank rows, tokens crossing a wrapped row
// end, comments and quoted text continued, tags across lines, the token stepping on top, and the
// states the row store keeps after loading and edits (its parsed limit is the row store's rule).
#include "SyntaxTestUtil.h"
#include "platform/Cp932.h"
#include "syntax/MemoSyntax.h"
#include "syntax/RowStateParser.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"

#include "../support/FakeEditor.h"

#include <gtest/gtest.h>

namespace {
// Walks the rows and returns the start state of every row and the state after the last; a row
// written with a trailing "|" is wrapped, the others end their line.
std::vector<TFountainState> Walk(const TFountain& f, std::vector<std::string> rows) {
    auto p = f.CreateParser();
    std::vector<TFountainState> states(1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool wrapped = rows[i].ends_with('|');
        std::string_view next = i + 1 < rows.size() ? std::string_view(rows[i + 1]) : "";
        if (next.ends_with('|')) next.remove_suffix(1);
        if (wrapped) rows[i].pop_back();
        TFountainState st = states.back();
        p->ParseRow(st, rows[i], next, wrapped ? reWrapped : reLineEnd);
        states.push_back(st);
    }
    return states;
}

// What a row's start state carries over: the running token's kind, how many of its bytes lie in
// this row and the open bracket.
std::tuple<int, int, int> Carry(const TFountainState& s) {
    return {s.Token, s.Remain, s.BracketIndex};
}
} // namespace

TEST(RowWalk, BlankRowsPassTheStateOn) {
    auto f = CreateHTMLFountain1();
    auto st = Walk(*f, {"<!--", "   ", "", "-->"});
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(st[r].BracketIndex, r < 4 ? 0 : -1) << r;
    // A quoted text that crossed into a blank row that ends its line stops there.
    auto d = CreateDelphiFountain1();
    st = Walk(*d, {"'abc|", "   ", "x"});
    EXPECT_EQ(st[1].Token, toSingleQuotation);
    EXPECT_EQ(st[2].Token, 0);
}

// A token cut by the wrap knows its whole length and keeps its kind and colour in the rows after.
TEST(RowWalk, TokensCrossingWrappedRowEndsKeepTheirKindAndColour) {
    TEditorFountain f;
    f.SetUrl(true);
    f.SetReserveWordList({"begin"});
    const std::string r0 = "see http://exam", r1 = "ple.com/ ok";
    auto st = Walk(f, {r0 + "|", r1});
    EXPECT_EQ(Carry(st[1]), std::tuple(toUrl, 8, -1));
    TRowTokens rt(f);
    auto t0 = rt.All(r0, r1, st[0]);
    ASSERT_EQ(t0.size(), 2u);
    EXPECT_EQ(std::tuple(t0[1].Kind, t0[1].Start, t0[1].Length, t0[1].FullLength),
              std::tuple(toUrl, 4, 11, 19));
    // A reserved word split by the wrap is finished in the reserved colour.
    st = Walk(f, {"x beg|", "in y"});
    EXPECT_EQ(Carry(st[1]), std::tuple(toReserve, 2, -1));
    auto t = rt.All("in y", "", st[1]);
    EXPECT_EQ(std::tuple(t[0].Color, t[0].Reserved), std::tuple(&f.Reserve(), true));

    // Each row sees only the next one; a token cut by its end runs on in the row after.
    st = Walk(f, {"see http://exa|", "mple.com/a/b/c|", "/d/e.html next", "plain.text"});
    EXPECT_EQ(Tokens(f, "mple.com/a/b/c", st[1]), T({"mple.com/a/b/c"}, {toUrl}));
    EXPECT_EQ(Tokens(f, "/d/e.html next", st[2]), T({"/d/e.html", "next"}, {toUrl, toAnk}));
    EXPECT_EQ(Tokens(f, "plain.text", st[3]).front(), Tok("plain", toAnk));

    // A kanji run over three rows.
    const std::string k = "\x8a\xbf\x8e\x9a\x8a\xbf\x8e\x9a";
    st = Walk(f, {"a" + k + "|", k + "|", k + "\x82\xa0"});
    EXPECT_EQ(Tokens(f, k, st[1]), T({k}, {toDBKanji}));
    EXPECT_EQ(Tokens(f, k + "\x82\xa0", st[2]), T({k, "\x82\xa0"}, {toDBKanji, toDBHira}));

    // An unquoted HTML value over three rows, then the tag's end.
    auto h = CreateHTMLFountain1();
    st = Walk(*h, {"<a href=http:|", "//example.jp/|", "x.html>t"});
    EXPECT_EQ(Tokens(*h, "x.html>t", st[2]),
              T({"x.html", ">", "t"}, {toTagAttributeValue, toTagEnd, toAnk}));
}

TEST(RowWalk, CommentAndQuotedTextContinueThroughWrappedRows) {
    TEditorFountain f;
    f.SetCommenter("//");
    f.SetQuotation("'");
    auto st = Walk(f, {"a // comm|", "ent|", "more", "x"});
    EXPECT_EQ(Carry(st[1]), std::tuple(toComment, 0, -1));
    EXPECT_EQ(Tokens(f, "more", st[2]), T({"more"}, {toComment}));
    EXPECT_EQ(Tokens(f, "x", st[3]), T({"x"}, {toAnk}));

    // The quotation routine goes on without expecting its opening quote.
    st = Walk(f, {"'It''|", "s long|", " text' x"});
    EXPECT_EQ(st[1].Token, toQuotation);
    EXPECT_EQ(Tokens(f, " text' x", st[2]), T({" text'", "x"}, {toQuotation, toAnk}));
    // An unclosed quotation ends with its logical line.
    st = Walk(f, {"'open", "x"});
    EXPECT_EQ(st[1].Token, 0);
}

TEST(RowWalk, BracketsSplitByTheWrap) {
    auto f = CreateHTMLFountain1();
    // The right string split by the row end: the bracket stays open with its remaining bytes.
    auto st = Walk(*f, {"<!-- a --|", ">b"});
    EXPECT_EQ(Carry(st[1]), std::tuple(toBracket, 1, 0));
    EXPECT_EQ(Tokens(*f, ">b", st[1]), T({">", "b"}, {toBracket, toAnk}));
    EXPECT_EQ(st[2].BracketIndex, -1);
    // The right string wholly in the next row: the bracket text simply continues there.
    st = Walk(*f, {"<!-- a|", "-->b"});
    EXPECT_EQ(Carry(st[1]), std::tuple(0, 0, 0));
    EXPECT_EQ(Tokens(*f, "-->b", st[1]), T({"-->", "b"}, {toBracket, toAnk}));
    // A bracket that begins only in the next row leaves none open.
    st = Walk(*f, {"abc |", "<!-- x"});
    EXPECT_EQ(st[1].BracketIndex, -1);
    EXPECT_EQ(st[2].BracketIndex, 0);
}

// Tags across lines, and the end of an asm block split by the wrap.
TEST(RowWalk, ElementsAcrossRows) {
    auto f = CreateHTMLFountain1();
    auto st = Walk(*f, {"text <a", "href=x>y", "z"});
    EXPECT_EQ(std::tuple(st[1].Element, st[1].PrevToken, st[2].Element),
              std::tuple(hsInTag, toTagElement, hsOutside));
    EXPECT_EQ(Tokens(*f, "href=x>y", st[1]),
              T({"href", "=", "x", ">", "y"},
                {toTagAttribute, toTagAttributeDelimiter, toTagAttributeValue, toTagEnd, toAnk}));

    auto d = CreateDelphiFountain1();
    st = Walk(*d, {"asm", "  ret; en|", "d; x"});
    EXPECT_EQ(std::tuple(st[1].Element, st[2].Token, st[2].Element),
              std::tuple(dsAsm, toReserve, dsNormal));
    EXPECT_EQ(Tokens(*d, "d; x", st[2]), T({"d", ";", "x"}, {toReserve, toSymbol, toAnk}));
}

namespace {
// The built-in definition's parser stepping through every token of a row, as painting does.
struct SteppingParser : TEditorParser {
    using TEditorParser::TEditorParser;
    const std::array<bool, 256>* SkipGuard() const override { return nullptr; }
};
} // namespace

// The walk steps over what cannot reach the next row: a row that ends its line hands on only a
// bracket it opens, a wrapped row only its last tokens. Every cut of tricky lines, from several
// start states, gives the state stepping every token gives.
TEST(RowWalk, SteppingOverTokensHandsOnTheSameState) {
    const std::string lines[] = {
        "see me@example.co.jp and http://a.jp/x?y=1 " + Utf8ToCp932("日本語のテキスト"),
        Utf8ToCp932("ひらがなme@mail.example.jpカタカナーwww.example.jp/ｶﾀｶﾅ漢字"),
        Utf8ToCp932("全部日本語の行で空白がない長い行、「引用」です。ＡＢＣ１２３"),
        "a (* open " + Utf8ToCp932("「括弧」") + " // note 'quoted text' x",
        "0x1F #12 #$ff 12.5e+3 	 ýÿ  ",
        Utf8ToCp932("ｘ1F 値ｘff") + " tail",
    };
    TEditorFountain plain, full, odd;
    for (TEditorFountain* f : {&plain, &full, &odd}) {
        f->SetMail(true);
        f->SetUrl(true);
    }
    full.SetCommenter("//");
    full.SetQuotation("'");
    full.SetControlCode(true);
    full.SetHexPrefix("0x");
    full.Brackets().Add("(*", "*)", clNone, clRed);
    full.Brackets().Add(Utf8ToCp932("「"), Utf8ToCp932("」"), clNone, clRed);
    odd.SetHexPrefix(Utf8ToCp932("ｘ")); // a prefix that joins both character widths
    TFountainState starts[3];
    starts[1].Token = toMail;
    starts[1].Remain = 3;
    starts[2].Token = toQuotation;
    for (TEditorFountain* f : {&plain, &full, &odd}) {
        auto walk = f->CreateParser();
        SteppingParser step(f);
        for (const std::string& line : lines)
            for (size_t cut = 0; cut <= line.size(); ++cut)
                for (const TFountainState& st : starts)
                    for (TRowEnd re : {reWrapped, reLineEnd}) {
                        std::string_view row(line.data(), cut), next(line.data() + cut);
                        TFountainState a = st, b = st;
                        walk->ParseRow(a, row, next, re);
                        step.ParseRow(b, row, next, re);
                        ASSERT_EQ(a, b) << line << " cut at " << cut;
                    }
    }
    // What the walk hands on: an address cut after kana, a kanji run cut by the wrap.
    const std::string jp = Utf8ToCp932("ひらがな");
    auto st = Walk(plain, {jp + "me@exa|", "mple.jp x"});
    EXPECT_EQ(Carry(st[1]), std::tuple(toMail, 7, -1));
    const std::string kanji = Utf8ToCp932("漢字漢字");
    st = Walk(plain, {"x " + kanji + "|", kanji + " y"});
    EXPECT_EQ(Carry(st[1]), std::tuple(toDBKanji, 8, -1));
    // A bracket opened in a row that ends its line stays open.
    st = Walk(full, {"a (* b", "c"});
    EXPECT_EQ(st[1].BracketIndex, 0);
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

TEST(RowStore, BracketStatesAfterLoadAndAfterEdits) {
    auto f = CreateDelphiFountain1();
    StoreWithEditor c;
    c.ed.ParseAll(); // every row parsed at once
    c.ed.SetParser([&f] { return std::make_unique<TFountainRowParser>(*f); });
    TEditorScreenStrings& rows = c.s;
    std::string text = "begin\r\n{ open\r\nstill\r\n}\r\nx := 1;\r\n";
    for (int i = 0; i < 100; ++i)
        text += "y := " + std::to_string(i) + ";\r\n";
    rows.SetText(text);
    auto brackets = [&rows](std::vector<int> at) {
        for (int& r : at)
            r = rows.BracketIndex(r);
        return at;
    };
    EXPECT_EQ(brackets({3, 4}), (std::vector<int>{0, -1})); // a brace comment over three rows
    // Opening a comment changes the state of every row down to its end (how few rows an edit
    // re-parses otherwise is the row store's rule, checked there); closing it restores them.
    rows.UpdateList(60, 1, "(* y\r\n");
    EXPECT_EQ(brackets({61, 104}), (std::vector<int>{1, 1}));
    rows.UpdateList(70, 1, "*) y\r\n");
    EXPECT_EQ(brackets({70, 71, 104}), (std::vector<int>{1, -1, -1}));

    // Tokens started as painting starts them, from the row's stored state.
    TRowTokens t(*f);
    rows.ParseUpTo(65);
    t.Start(rows.RowText(65), "", FromRowState(rows.ParserState(65)));
    TFountainToken tok;
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(std::tuple(tok.Kind, tok.Color),
              std::tuple(toBracket, &f->Brackets().Items(1).ItemColor()));
    // A state not computed yet reads as no open bracket.
    TRowParserState notComputed;
    notComputed.BracketIndex = -2;
    EXPECT_EQ(FromRowState(notComputed).BracketIndex, -1);
}
