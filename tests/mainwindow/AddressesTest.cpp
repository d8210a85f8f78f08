// Addresses in the text: finding them, the hand pointer, clicks and the program they open with.
#include "mainwindow/Addresses.h"

#include "syntax/Fountain.h"
#include "syntax/MemoSyntax.h"

#include "../support/EditorCoreHelpers.h"
#include "../support/RecordingAsker.h"

#include <gtest/gtest.h>

TEST(Addresses, TokenUnderThePositionAndItsWrappedRest) {
    TEditorFountain memo;
    memo.SetUrl(true);
    memo.SetMail(true);
    TEditorCore c;
    c.SetFountain(&memo);
    const std::string url = "https://example.com/" + std::string(20, 'x');
    c.SetText("see " + url + " or a@b.jp\r\n");
    WrapAt(c, 20);
    // The address starts in row 0 and goes on in the next rows: the whole of it is found
    // from its first row.
    const TAddressToken t = AddressAtPos(c, {0, 6});
    EXPECT_EQ(t.kind, toUrl);
    EXPECT_EQ(t.text.substr(0, 20), url.substr(0, 20));
    EXPECT_GT(t.text.size(), 16u);
    EXPECT_EQ(AddressAtPos(c, {0, 1}).kind, 0); // "see"
    EXPECT_EQ(AddressAtPos(c, {9, 0}).kind, 0); // past the rows
    TEditorMetrics m;
    m.LeftMargin = 20, m.TopMargin = 10, m.CellWidth = 8, m.RowHeight = 16, m.VisibleRows = 5;
    EXPECT_EQ(AddressAtPixel(c, m, 20 + 8 * 6, 12).kind, toUrl);
    EXPECT_EQ(AddressAtPixel(c, m, 19, 12).kind, 0);        // over the bars
    EXPECT_EQ(AddressAtPixel(c, m, 20 + 8 * 6, 9).kind, 0); // over the ruler

    c.SetWordWrap(false);
    EXPECT_EQ(AddressAtPos(c, {0, static_cast<int>(4 + url.size() + 5)}).text, "a@b.jp");
}

TEST(Addresses, PointerLooksAgainOnlyAfterAMoveAndClicksFollowTheOption) {
    TAddressPointer p;
    int lookups = 0;
    auto yes = [&] { return ++lookups, true; };
    auto no = [&] { return ++lookups, false; };
    int a = 0, b = 0;
    EXPECT_TRUE(p.Moved(&a, 100, 100, yes).Hand);
    EXPECT_TRUE(p.Moved(&a, 107, 103, no).Hand); // too close: not looked at
    EXPECT_EQ(lookups, 1);
    const TAddressPointer::Result left = p.Moved(&a, 108, 103, no);
    EXPECT_TRUE(!left.Hand && left.Left);
    EXPECT_FALSE(p.Moved(&a, 108, 107, no).Left); // no hand to give back
    EXPECT_TRUE(p.Moved(&b, 108, 107, yes).Hand); // another control: looked at at once
    EXPECT_EQ(lookups, 4);

    EXPECT_TRUE(OpensAddress(true, true, 2, 4));
    EXPECT_FALSE(OpensAddress(true, true, 5, 4)); // the end of a drag selection
    EXPECT_FALSE(OpensAddress(true, false, 0, 4));
    EXPECT_TRUE(OpensAddress(false, false, 50, 4));
    EXPECT_FALSE(OpensAddress(false, true, 0, 4));
}

TEST(Addresses, TheBrowserOfTheOptionsOrTheDesktopsHandler) {
    RecordingAsker asker;
    TSettings s;
    std::string program = "x";
    s.isBrowser = false;
    EXPECT_TRUE(AddressProgram(asker, s, "", &program));
    EXPECT_EQ(program, ""); // the desktop's own handler
    s.isBrowser = true;
    s.Browser = "";
    EXPECT_FALSE(AddressProgram(asker, s, "", &program));
    EXPECT_EQ(asker.texts().back(), "ブラウザが指定されていません。\r\n中止します。");
    s.Browser = "sh";
    EXPECT_TRUE(AddressProgram(asker, s, "/bin:/usr/bin", &program));
    EXPECT_NE(program.find("/sh"), std::string::npos);
}
