// The display settings panel's steps on editor cores, and a stored property set.
#include "mainwindow/DisplayPanelSteps.h"

#include "editor/EditorCore.h"
#include "editor/PagePropSets.h"
#include "platform/IniFile.h"
#include "syntax/SyntaxInstances.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

TEST(DisplayPanelSteps, KetteiReachesMemoEditorsAndDefaultsOnlyPreview) {
    auto html = CreateHTMLFountain1();
    TPagePropSets sets;
    TSettings s;
    TEditorCore memo, coloured;
    coloured.SetFountain(html.get());
    EXPECT_EQ(PanelRefusal(&memo), "");
    EXPECT_NE(PanelRefusal(&coloured), "");
    const TEditorMargin colouredMargin = coloured.Margin();
    TDisplayPanelValues v = PanelValuesFromSettings(s);
    v.MarginLeft = 12;
    v.Color = 0xCCFFFF;
    StorePanel(v, -1, s, sets.Default(), {&memo, &coloured});
    EXPECT_EQ(s.MarginLeft, 12);
    EXPECT_EQ(sets.Default().Color, static_cast<TColor>(0xCCFFFF));
    EXPECT_EQ(memo.Margin().Left(), 12);
    EXPECT_EQ(coloured.Margin().Left(), colouredMargin.Left());
    // The defaults are shown on the editor, not stored.
    ResetPanelToDefaults(v, sets.DefaultOrg(), s, 60, &memo);
    EXPECT_EQ(memo.Margin().Left(), 3);
    EXPECT_TRUE(memo.GetWordWrap());
    EXPECT_EQ(s.MarginLeft, 12);
}

TEST(DisplayPanelSteps, AStoredPropertySetReachesTheActiveEditorOfItsKind) {
    TempDir d;
    TPagePropSets sets;
    TEditorProp& html = *sets.Find("EditorProp_HTML");
    TEditorProp edited(html);
    edited.Margin.SetLeft(44);
    TEditorCore page;
    StorePropertySet(sets, html, edited, "EditorProp_HTML", d / "Tolmo.ini", &page, "/x/memo.txt");
    EXPECT_EQ(html.Margin.Left(), 44);
    EXPECT_NE(page.Margin().Left(), 44); // a memo page keeps its look
    EXPECT_GT(TIniFile(d / "Tolmo.ini").ReadInteger("EditorProp_HTML", "prop_c", 0), 0);
    StorePropertySet(sets, html, edited, "EditorProp_HTML", d / "Tolmo.ini", &page, "/x/a.html");
    EXPECT_EQ(page.Margin().Left(), 44);
}
