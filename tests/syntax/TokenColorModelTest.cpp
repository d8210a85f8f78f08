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
    EXPECT_TRUE(items[1].color->Style() & fsItalic);
    EXPECT_EQ(items[1].color->BkColor(), clYellow);
    EXPECT_EQ(html->SaveToBytes(), before); // the definition itself waits for OK
    EXPECT_NE(m.Edited().SaveToBytes(), before);

    auto delphi = CreateDelphiFountain1();
    TTokenColorModel d(*delphi);
    EXPECT_EQ(d.Items("lstTokens").back().rfind("範囲 ", 0),
              delphi->Brackets().Count() ? 0u : std::string::npos);
}
