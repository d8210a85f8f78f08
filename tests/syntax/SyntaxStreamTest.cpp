// The stored form of the colouring definitions: round trips, damaged bytes and later versions.
#include "syntax/MemoSyntax.h"
#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

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
