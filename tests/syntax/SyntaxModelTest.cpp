// The colouring definitions as objects: bracket limits, errors, Assign, change notification and
// the configured instances.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

TEST(FountainModel, AFifteenthBracketIsRefused) {
    TFountainBracketCollection b;
    for (int i = 0; i < 14; ++i)
        b.Add("<" + std::to_string(i), ">", clNone, clRed);
    EXPECT_THROW(b.Add(), EFountainError);
    EXPECT_EQ(b.Count(), 14);
    EXPECT_THROW(b.Items(14), std::out_of_range);
    b.Delete(0);
    EXPECT_NO_THROW(b.Add());
}

TEST(FountainModel, AssignCopiesEveryItem) {
    TEditorFountain a, b;
    a.Brackets().Add("[", "]", clBlue, clRed, fsBold);
    a.Colors().Url.SetColor(clBlue);
    a.Colors().Select.SetBkColor(clYellow);
    a.Reserve().SetStyle(fsBold | fsItalic);
    a.SetReserveWordList({"b", "a", "b"});
    a.SetCommenter(";");
    a.SetUrl(true);
    int calls = 0;
    b.AddChangeListener([&] { ++calls; });
    b.Assign(a);
    EXPECT_EQ(calls, 1); // one notification for the whole copy
    EXPECT_EQ(b.SaveToBytes(), a.SaveToBytes());
    EXPECT_EQ(b.ReserveWordList(), (std::vector<std::string>{"a", "b"}));
    // The copy is independent of its source.
    a.Brackets().Items(0).SetLeftBracket("(");
    EXPECT_EQ(b.Brackets().Items(0).LeftBracket(), "[");

    auto d1 = CreateDelphiFountain1();
    TDelphiFountain d2;
    d2.Assign(*d1);
    EXPECT_EQ(d2.SaveToBytes(), d1->SaveToBytes());
    EXPECT_EQ(Tokens(d2, "begin {x} 'y'"), Tokens(*d1, "begin {x} 'y'"));
    EXPECT_TRUE(d2.HasExtension(".PAS")); // extensions ignore letter case
}

TEST(FountainModel, ChangesNotifyListenersOnlyWhenSomethingChanged) {
    THTMLFountain f;
    int calls = 0;
    int id = f.AddChangeListener([&] { ++calls; });
    f.TagColor.SetColor(clRed);
    f.TagColor.SetColor(clRed);
    EXPECT_EQ(calls, 1);
    f.Brackets().Add("<!--", "-->", clNone, clGray);
    const int afterAdd = calls;
    EXPECT_GT(afterAdd, 1);
    f.Brackets().Items(0).ItemColor().SetStyle(fsBold);
    f.Brackets().Items(0).SetRightBracket("-->");
    f.RemoveChangeListener(id);
    f.Url.SetColor(clBlue);
    EXPECT_EQ(calls, afterAdd + 1);
}
