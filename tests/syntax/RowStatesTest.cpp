// The colouring parsers inside the row store: bracket states after loading and edits, and tokens
// started from stored states (the parsed limit is the row store's rule).
#include "syntax/RowStateParser.h"
#include "syntax/RowTokens.h"
#include "syntax/SyntaxInstances.h"

#include "../support/FakeEditor.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RowStore, BracketStatesAfterLoadAndAfterEdits) {
    auto f = CreateDelphiFountain1();
    StoreWithEditor c;
    c.ed.full = true; // every row parsed at once
    c.ed.parser = [&f] { return std::make_unique<TFountainRowParser>(*f); };
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
