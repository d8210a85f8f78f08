// The token colour dialog's rules without a window: its items in list order, the chosen item in
// the controls, changes written to a copy only.
#include "syntax/TokenColorModel.h"

#include "syntax/SyntaxInstances.h"

#include <gtest/gtest.h>

TEST(TokenColorModel, ItemsShowAndTakeTheirColoursOnACopy) {
    auto html = CreateHTMLFountain1();
    const std::string before = html->SaveToBytes();
    TTokenColorModel m(*html);
    EXPECT_EQ(m.Title(), "トークンの色 - HTML");
    const auto& items = m.ItemList();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(m.Items("lstTokens").size(), items.size());
    EXPECT_EQ(m.Int("lstTokens"), 0);
    EXPECT_EQ(m.Int("btnColor"), static_cast<int>(items[0].color->Color()));
    EXPECT_EQ(m.SampleRows().front().rfind("<!--", 0), 0u); // an HTML sample for .htm

    m.UserInt("lstTokens", 1);
    m.Changed("lstTokens");
    EXPECT_EQ(m.Checked("cbBold"), (items[1].color->Style() & fsBold) != 0);
    m.UserInt("cbItalic", 1);
    m.UserInt("btnBkColor", static_cast<int>(clYellow));
    m.Changed("cbItalic");
    EXPECT_EQ(std::pair(items[1].color->Style() & fsItalic, items[1].color->BkColor()),
              std::pair(int(fsItalic), clYellow));
    EXPECT_EQ(html->SaveToBytes(), before); // the definition itself waits for OK
    EXPECT_NE(m.Edited().SaveToBytes(), before);

    auto delphi = CreateDelphiFountain1();
    TTokenColorModel d(*delphi);
    EXPECT_EQ(d.Items("lstTokens").back().rfind("範囲 ", 0),
              delphi->Brackets().Count() ? 0u : std::string::npos);
}

TEST(TokenColorModel, SampleTokensLieOnTheCellGrid) {
    auto html = CreateHTMLFountain1();
    // "<b>日本</b>" in Shift-JIS: a two-byte character takes two cells.
    const auto tokens = SampleTokens(*html, {"x", "<b>\x93\xfa\x96\x7b</b>"});
    int cell = 0, row = 0;
    bool colored = false, twoByte = false;
    for (const TSampleToken& t : tokens) {
        if (t.Row != row) row = t.Row, cell = 0;
        EXPECT_EQ(t.Cell, cell); // contiguous, one cell a byte
        cell += t.Cells;
        colored |= t.Colored && t.Color != clNone;
        for (size_t i = 0; i < t.Chars.size(); ++i)
            if (t.Chars[i].second == "\x93\xfa") {
                twoByte = true;
                const int next = i + 1 < t.Chars.size() ? t.Chars[i + 1].first : t.Cell + t.Cells;
                EXPECT_EQ(next, t.Chars[i].first + 2);
            }
    }
    EXPECT_EQ(row, 1);
    EXPECT_TRUE(colored); // the tag has its colour item
    EXPECT_TRUE(twoByte);
}
