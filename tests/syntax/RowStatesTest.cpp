// The colouring parsers inside the row store: bracket states after loading and edits, wrapped
// rows and tokens started from stored states (the parsed limit is the row store's rule).
#include "syntax/MemoSyntax.h"
#include "syntax/RowStateParser.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"

#include "../support/FakeEditor.h"

#include <gtest/gtest.h>

namespace {
// An editor that colours with the given definition and parses every row at once.
struct Colouring : StoreWithEditor {
    explicit Colouring(const TFountain& f) {
        ed.full = true;
        ed.parser = [&f] { return std::make_unique<TFountainRowParser>(f); };
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
    Colouring c(*f);
    TEditorScreenStrings& rows = c.s;
    rows.SetText("begin\r\n{ open\r\nstill\r\n}\r\nx := 1;\r\n" + Numbered(100, "y := "));
    EXPECT_EQ(rows.BracketIndex(3), 0); // a brace comment over three rows
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
}

TEST(RowStore, WrappedRowsSeeTheNextRow) {
    TEditorFountain f;
    f.SetUrl(true);
    Colouring c(f);
    TEditorScreenStrings& rows = c.s;
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
}

TEST(RowStore, NotComputedStateReadsAsNoOpenBracket) {
    TRowParserState notComputed;
    notComputed.BracketIndex = -2;
    EXPECT_EQ(FromRowState(notComputed).BracketIndex, -1);
}
