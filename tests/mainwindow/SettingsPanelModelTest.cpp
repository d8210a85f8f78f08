// The display settings panel's rules without a window, and the wrap that follows the width.
#include "mainwindow/SettingsPanelModel.h"

#include "editor/EditorCore.h"
#include "editor/PropertySet.h"

#include <gtest/gtest.h>

TEST(SettingsPanelModel, ControlsShowAndChangeTheValuesAndReturnSettlesTheWrapField) {
    TSettingsPanelModel m;
    m.Values.FontName = "FixedSys";
    m.Values.MarginTop = 9;
    m.Values.Ruler = false;
    m.Fill();
    EXPECT_EQ(m.Text("lblFontSize"), "－");
    EXPECT_EQ(m.Int("edtTop"), 9);
    EXPECT_FALSE(m.Checked("cbRuler"));

    m.UserInt("edtLeft", 12);
    m.Changed("edtLeft");
    EXPECT_EQ(std::pair(m.Values.MarginLeft, m.Effect), std::pair(12, m.efPreview));
    m.UserInt("edtTabLen", 80);
    m.Changed("edtTabLen");
    EXPECT_EQ(std::pair(m.Values.TabLen, m.Effect), std::pair(80, m.efTabLook));
    m.UserText("edtWrap", "33");
    m.Changed("edtWrap");
    EXPECT_EQ(m.Effect, TSettingsPanelModel::efNone); // shown only on Return
    m.UserText("edtWrap", "300");
    m.Clicked("edtWrap");
    EXPECT_EQ(m.Effect, TSettingsPanelModel::efWrap);
    EXPECT_EQ(m.Text("edtWrap") + " " + m.Values.WrapText, "250 250");
    EXPECT_EQ(m.Wrap.WrapByte, 250);
    // The tab page's defaults come back.
    m.Values.TabLen = 99;
    m.Values.TabColorAct = clRed;
    m.Clicked("btnKiteiTab");
    const TSettings d;
    EXPECT_EQ(m.Values.TabLen, d.TabLen);
    EXPECT_EQ(m.Values.TabColorAct, d.TabColorAct);
    EXPECT_EQ(m.Int("edtTabLen"), d.TabLen);
    EXPECT_EQ(m.Effect, TSettingsPanelModel::efTabLook);
}

TEST(SettingsPanelModel, WindowWidthIsStoredOnlyInItsModeAndNeverWhilePreviewing) {
    TEditorCore c;
    c.SetWordWrap(true);
    TEditorProp defaults;
    TSettings s;
    s.WrapDou = true;
    s.WrapByte = 60;
    FollowWindowWidth(c, 400, nullptr, s, defaults); // clamped
    EXPECT_EQ(std::tuple(s.WrapByte, defaults.WrapOption.WrapByte, c.GetWrapOption().WrapByte),
              std::tuple(kWrapMax, kWrapMax, kWrapMax));
    TDisplayPanelValues preview;
    preview.WrapText = "0";
    FollowWindowWidth(c, 90, &preview, s, defaults); // the preview stores nothing
    EXPECT_EQ(std::pair(s.WrapByte, c.GetWrapOption().WrapByte), std::pair(kWrapMax, 90));
    s.WrapDou = false;
    FollowWindowWidth(c, 100, nullptr, s, defaults);
    EXPECT_EQ(c.GetWrapOption().WrapByte, 90);
}
