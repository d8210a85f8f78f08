// The colouring definitions as objects: bracket limits, errors, Assign, change notification and
// the configured instances.
#include "SyntaxTestUtil.h"
#include "syntax/MemoSyntax.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

TEST(FountainModel, FifteenthBracketIsRefused) {
    TFountainBracketCollection b;
    for (int i = 0; i < 14; ++i)
        b.Add("<" + std::to_string(i), ">", clNone, clRed);
    try {
        b.Add();
        FAIL() << "a 15th pair was accepted";
    } catch (const EFountainError& e) {
        EXPECT_STREQ(e.what(), "TFountainBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(b.Count(), 14);
    EXPECT_THROW(b.Items(14), std::out_of_range);
    b.Delete(0);
    EXPECT_NO_THROW(b.Add());
}

TEST(FountainModel, ParserNeedsAFountain) {
    try {
        TEditorParser p(nullptr);
        FAIL();
    } catch (const EFountainError& e) {
        EXPECT_STREQ(e.what(), "TFountainParser.Create need instance of TFountain");
    }
    EXPECT_THROW(THTMLFountainParser(nullptr), EFountainError);
    EXPECT_THROW(TDelphiFountainParser(nullptr), EFountainError);
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
    ASSERT_EQ(b.Brackets().Count(), 1);
    EXPECT_EQ(b.Brackets().Items(0).RightBracket(), "]");
    EXPECT_TRUE(b.Brackets().Items(0).ItemColor().SameAs(a.Brackets().Items(0).ItemColor()));
    EXPECT_EQ(b.Colors().Url.Color(), clBlue);
    EXPECT_EQ(b.Colors().Select.BkColor(), clYellow);
    EXPECT_EQ(b.Colors().Reserve().Style(), fsBold | fsItalic);
    EXPECT_EQ(b.ReserveWordList(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(b.Commenter(), ";");
    EXPECT_TRUE(b.Url());
    // The copy is independent of its source.
    a.Brackets().Items(0).SetLeftBracket("(");
    EXPECT_EQ(b.Brackets().Items(0).LeftBracket(), "[");

    auto d1 = CreateDelphiFountain1();
    TDelphiFountain d2;
    d2.Assign(*d1);
    EXPECT_EQ(d2.AsmBlock.Color(), clAqua);
    EXPECT_EQ(Tokens(d2, "begin {x} 'y'"), Tokens(*d1, "begin {x} 'y'"));
}

TEST(FountainModel, ChangesNotifyListenersOnlyWhenSomethingChanged) {
    THTMLFountain f;
    int calls = 0;
    int id = f.AddChangeListener([&] { ++calls; });
    f.TagColor.SetColor(clRed);
    f.TagColor.SetColor(clRed);
    EXPECT_EQ(calls, 1);
    f.Brackets().Add("<!--", "-->", clNone, clGray);
    int afterAdd = calls;
    EXPECT_GT(afterAdd, 1);
    f.Brackets().Items(0).ItemColor().SetStyle(fsBold);
    f.Brackets().Items(0).SetRightBracket("-->");
    EXPECT_EQ(calls, afterAdd + 1);
    f.RemoveChangeListener(id);
    f.Url.SetColor(clBlue);
    EXPECT_EQ(calls, afterAdd + 1);
}

TEST(FountainModel, EditorBracketCollectionSetsEveryPair) {
    TEditorFountain f;
    f.Brackets().Add("(", ")", clNone, clNone);
    f.Brackets().Add("[", "]", clNone, clNone);
    f.EditorBrackets().SetColor(clGreen);
    f.EditorBrackets().SetStyle(fsUnderline);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.Brackets().Items(i).ItemColor().Color(), clGreen);
        EXPECT_EQ(f.Brackets().Items(i).ItemColor().Style(), fsUnderline);
    }
}

TEST(FountainModel, ConfiguredInstances) {
    auto d = CreateDelphiFountain1();
    EXPECT_EQ(d->Name(), "DelphiFountain1");
    EXPECT_EQ(d->FileExtList(), (std::vector<std::string>{".dpr", ".inc", ".pas"}));
    EXPECT_TRUE(d->HasExtension(".PAS"));
    EXPECT_FALSE(d->HasExtension(".txt"));
    ASSERT_EQ(d->Brackets().Count(), 2);
    EXPECT_EQ(d->Brackets().Items(1).LeftBracket(), "(*");
    EXPECT_EQ(d->Brackets().Items(1).ItemColor().Color(), clSilver);
    EXPECT_EQ(d->ReserveWordList().size(), 95u);
    for (const char* w : {"absolute", "resourcestring", "writeonly", "xor", "AsM"})
        EXPECT_TRUE(d->IsReserveWord(w)) << w;
    EXPECT_FALSE(d->IsReserveWord("read"));
    EXPECT_EQ(d->Symbol.Color(), clYellow);
    EXPECT_EQ(d->Symbol.BkColor(), clNone);

    auto h = CreateHTMLFountain1();
    EXPECT_TRUE(h->HasExtension(".html"));
    EXPECT_TRUE(h->ReserveWordList().empty());
    EXPECT_EQ(h->Brackets().Items(0).RightBracket(), "-->");
    EXPECT_EQ(h->Url.Style(), fsUnderline);
    EXPECT_EQ(h->Mail.Color(), clWhite);
    EXPECT_EQ(h->TagElement.Color(), clAqua);
}

TEST(FountainStream, RoundTripsEveryDefinition) {
    auto d = CreateDelphiFountain1();
    d->AsmBlock.SetStyle(fsBold);
    d->Brackets().Items(0).SetRightBracket("}}");
    TDelphiFountain d2;
    ASSERT_TRUE(d2.TryLoadFromBytes(d->SaveToBytes()));
    EXPECT_EQ(d2.SaveToBytes(), d->SaveToBytes());
    EXPECT_EQ(d2.AsmBlock.Style(), fsBold);
    EXPECT_EQ(d2.Brackets().Items(0).RightBracket(), "}}");
    EXPECT_EQ(d2.ReserveWordList(), d->ReserveWordList());
    EXPECT_EQ(d2.FileExtList(), d->FileExtList());

    TEditorFountain e;
    e.SetCommenter(";");
    e.SetQuotation("\"");
    e.SetMail(true);
    e.Colors().Hit.SetBkColor(clBlack);
    TEditorFountain e2;
    int calls = 0;
    e2.AddChangeListener([&] { ++calls; });
    ASSERT_TRUE(e2.TryLoadFromBytes(e.SaveToBytes()));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(e2.Commenter(), ";");
    EXPECT_EQ(e2.Quotation(), "\"");
    EXPECT_TRUE(e2.Mail());
    EXPECT_FALSE(e2.Url());
    EXPECT_EQ(e2.Colors().Hit.BkColor(), clBlack);

    auto h = CreateHTMLFountain1();
    THTMLFountain h2;
    ASSERT_TRUE(h2.TryLoadFromBytes(h->SaveToBytes()));
    EXPECT_EQ(h2.Url.Style(), fsUnderline);
    EXPECT_EQ(h2.Brackets().Items(0).LeftBracket(), "<!--");
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
