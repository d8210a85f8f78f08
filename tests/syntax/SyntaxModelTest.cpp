// The colouring definitions as objects: bracket limits, errors, Assign, change notification, the
// configured instances, and their stored form (round trips, damaged bytes and later versions).
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

TEST(FountainStream, RoundTripsEveryDefinition) {
    auto d = CreateDelphiFountain1();
    d->AsmBlock.SetStyle(fsBold);
    d->Brackets().Items(0).SetRightBracket("}}");
    TEditorFountain e;
    e.SetCommenter(";");
    e.SetQuotation("\"");
    e.SetMail(true);
    e.Colors().Hit.SetBkColor(clBlack);
    auto h = CreateHTMLFountain1();
    TDelphiFountain d2;
    TEditorFountain e2;
    THTMLFountain h2;
    for (auto [from, to] :
         {std::pair<const TFountain*, TFountain*>{d.get(), &d2}, {&e, &e2}, {h.get(), &h2}}) {
        ASSERT_TRUE(to->TryLoadFromBytes(from->SaveToBytes()));
        EXPECT_EQ(to->SaveToBytes(), from->SaveToBytes());
    }
    // The changed items are in the bytes, not only equal on both sides.
    EXPECT_EQ(std::tuple(d2.Brackets().Items(0).RightBracket(), d2.AsmBlock.Style(), e2.Commenter(),
                         e2.Colors().Hit.BkColor()),
              std::tuple("}}", fsBold, ";", clBlack));
}

TEST(FountainStream, DamagedBytesChangeNothing) {
    auto h = CreateHTMLFountain1();
    std::string bytes = h->SaveToBytes();
    THTMLFountain target;
    target.TagColor.SetColor(clRed);
    const std::string before = target.SaveToBytes();
    for (size_t cut : {size_t(0), size_t(3), size_t(5), size_t(9), bytes.size() - 1})
        EXPECT_FALSE(target.TryLoadFromBytes(bytes.substr(0, cut))) << cut;
    std::string bad = bytes;
    bad[0] = 'X';
    EXPECT_FALSE(target.TryLoadFromBytes(bad));
    EXPECT_EQ(target.SaveToBytes(), before);
    // A record of a later version is skipped.
    std::string extra = bytes;
    extra += std::string("\x05Later\x02\x00\x00\x00zz", 12);
    extra[5] = static_cast<char>(extra[5] + 1); // one more record
    EXPECT_TRUE(target.TryLoadFromBytes(extra));
    EXPECT_EQ(target.TagColor.Color(), clSilver);
}
