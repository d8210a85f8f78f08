// The colouring parsers inside the row store: bracket states after loading and edits, rows beyond
// the parsed limit, wrapped rows and tokens started from stored states.
#include "syntax/MemoSyntax.h"
#include "syntax/RowStateParser.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"
#include "text/RowStore.h"

#include <gtest/gtest.h>

namespace {
// Wrap options with the given width and the default character sets.
TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}

struct Client : TScreenStringsClient {
    explicit Client(const TFountain& f) : fountain(f) {}
    const TFountain& fountain;
    bool full = true;
    int top = 0, visible = 0;
    bool InitBracketsFull() const override { return full; }
    int TopRow() const override { return top; }
    int VisibleRowCount() const override { return visible; }
    std::unique_ptr<TRowStateParser> CreateRowParser() override {
        return std::make_unique<TFountainRowParser>(fountain);
    }
};

// Starts tokens on a stored row as painting does: states computed up to the row first.
void StartRow(TRowTokens& t, TEditorScreenStrings& rows, int r) {
    rows.ParseUpTo(r);
    std::string_view next =
        rows.RowEndKind(r) == reWrapped && r + 1 < rows.Count() ? rows.RowText(r + 1) : "";
    t.Start(rows.RowText(r), next, FromRowState(rows.ParserState(r)));
}

std::string Numbered(int n, const char* prefix) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += prefix + std::to_string(i) + ";\r\n";
    return s;
}

} // namespace

TEST(RowStore, BracketStatesAfterLoadAndAfterEdits) {
    auto f = CreateDelphiFountain1();
    Client c(*f);
    TEditorScreenStrings rows;
    rows.Attach(&c);
    rows.SetText("begin\r\n{ open\r\nstill\r\n}\r\nx := 1;\r\n" + Numbered(100, "y := "));
    EXPECT_EQ(rows.BracketIndex(0), -1);
    EXPECT_EQ(rows.BracketIndex(2), 0);
    EXPECT_EQ(rows.BracketIndex(3), 0);
    EXPECT_EQ(rows.BracketIndex(4), -1);

    // Opening a comment changes the state of every row down to its end (how few rows an edit
    // re-parses otherwise is the row store's rule, checked there).
    rows.UpdateList(60, 1, "(* y\r\n");
    EXPECT_EQ(rows.BracketIndex(61), 1);
    EXPECT_EQ(rows.BracketIndex(104), 1);
    // Closing it again restores them.
    rows.UpdateList(70, 1, "*) y\r\n");
    EXPECT_EQ(rows.BracketIndex(70), 1);
    EXPECT_EQ(rows.BracketIndex(71), -1);
    EXPECT_EQ(rows.BracketIndex(104), -1);

    TRowTokens t(*f);
    StartRow(t, rows, 65);
    TFountainToken tok;
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.Kind, toBracket);
    EXPECT_EQ(tok.Color, &f->Brackets().Items(1).ItemColor());
    rows.Detach(&c);
}

TEST(RowStore, VisibleRowsLimitAndLazyParsing) {
    auto f = CreateHTMLFountain1();
    Client c(*f);
    c.full = false;
    c.visible = 5;
    TEditorScreenStrings rows;
    rows.Attach(&c);
    rows.SetText("<!--\r\n" + Numbered(100, "a"));
    EXPECT_EQ(rows.BracketIndex(10), 0);
    // Painting a row beyond the parsed limit computes the states on the way.
    TRowTokens t(*f);
    StartRow(t, rows, 80);
    EXPECT_GE(rows.ParsedLimit(), 81);
    EXPECT_EQ(rows.BracketIndex(80), 0);
    TFountainToken tok;
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.Kind, toBracket);
    rows.Detach(&c);
}

TEST(RowStore, WrappedRowsSeeTheNextRow) {
    TEditorFountain f;
    f.SetUrl(true);
    Client c(f);
    TEditorScreenStrings rows;
    rows.Attach(&c);
    rows.SetWrapOption(WrapWidth(20));
    rows.SetWordWrap(true);
    rows.SetText("see http://example.com/some/long/path end\r\n");
    ASSERT_GE(rows.Count(), 3);
    ASSERT_EQ(rows.RowEndKind(0), reWrapped);
    TFountainState st = FromRowState(rows.ParserState(1));
    EXPECT_EQ(st.Token, toUrl);
    TRowTokens t(f);
    StartRow(t, rows, 1);
    TFountainToken tok;
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.Kind, toUrl);
    EXPECT_EQ(tok.Start, 0);
    EXPECT_EQ(tok.Color, &f.Colors().Url);
    rows.Detach(&c);
}

TEST(RowStore, NotComputedStateReadsAsNoOpenBracket) {
    TRowParserState notComputed;
    notComputed.BracketIndex = -2;
    EXPECT_EQ(FromRowState(notComputed).BracketIndex, -1);
}
