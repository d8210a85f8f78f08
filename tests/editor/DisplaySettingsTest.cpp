// The display settings panel's rules: the wrap field, the window-width wrap, storing and
// normalising on confirmation, and what applying the settings to an editor re-wraps.
#include "editor/DisplaySettings.h"

#include "editor/EditorCore.h"
#include "editor/ProgramPropertySets.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(WrapField, WidthsAreClampedMinusOneStopsAndOtherTextMeansTheWindowsWidth) {
    TWrapPreview w = PreviewWrapField("10");
    EXPECT_EQ(std::tuple(w.WordWrap, w.WindowWidth, w.WrapByte, w.FieldText),
              std::tuple(true, false, 20, "20"));
    EXPECT_EQ(PreviewWrapField("300").FieldText, "250");
    EXPECT_EQ(PreviewWrapField(" 64 ").WrapByte, 64);
    // -1 stops wrapping; text that is no number means the window's width and stays as typed.
    EXPECT_FALSE(PreviewWrapField("-1").WordWrap);
    for (const char* t : {"0", "", "abc", "12x", "99999999999999"}) {
        w = PreviewWrapField(t);
        EXPECT_EQ(std::tuple(w.WordWrap, w.WindowWidth, w.FieldText), std::tuple(true, true, t));
    }
    // The window's width: 600 - 3 - 7/2 - 15 = 579 columns of pixels, 82 cells, less 2.
    EXPECT_EQ(WindowWidthWrap(600, 3, 7, 15), 80);
    EXPECT_EQ(WindowWidthWrap(600, 3, 7, 0), 82);
    EXPECT_EQ(WindowWidthWrap(600, 3, 0, 15), -1); // no character width: nothing to compute
}

TEST(PanelValues, ZeroStoresTheComputedWidthAndValuesStayInRange) {
    TSettings s;
    s.WrapByte = 80;
    s.WrapDou = false;
    TDisplayPanelValues v = PanelValuesFromSettings(s);
    EXPECT_EQ(v.WrapText, "80");
    v.WrapText = "0";
    StorePanelValues(v, 57, s);
    EXPECT_EQ(std::pair(s.WrapDou, s.WrapByte), std::pair(true, 57));
    EXPECT_EQ(PanelValuesFromSettings(s).WrapText, "0");

    v.WrapText = "-1";
    StorePanelValues(v, 57, s);
    EXPECT_FALSE(s.WordWrap());
    EXPECT_EQ(PanelValuesFromSettings(s).WrapText, "-1");
    v.WrapText = "300"; // a number leaves the window's width
    StorePanelValues(v, 57, s);
    EXPECT_EQ(std::pair(s.WrapDou, s.WrapByte), std::pair(false, 250));

    // The fields never carry values outside their ranges.
    s.MarginTop = 99;
    s.MarginCharacter = -4;
    s.WrapByte = 5000;
    v = PanelValuesFromSettings(s);
    EXPECT_EQ(std::tuple(v.MarginTop, v.MarginCharacter, v.WrapText),
              std::tuple(kPanelMarginMax, 0, "250"));
    v.MarginLeft = 1000;
    v.MarginLine = 1000;
    StorePanelValues(v, 60, s);
    EXPECT_EQ(std::pair(s.MarginLeft, s.MarginLine), std::pair(kPanelMarginMax, kPanelSpacingMax));
    EXPECT_EQ(SpinValue("x", 0, 30, 7), 7);
    EXPECT_EQ(SpinValue("45", 0, 30, 7), 30);
}

TEST(SettingsToPropertySet, UnreadableLookFallsBackAndWrapOffShowsBothScrollBars) {
    TSettings s;
    s.FontColor = clBlack;
    s.Color = clBlack; // nothing would be readable
    s.WrapByte = -1;
    s.MarginLeft = 500;
    TEditorProp p = MakeEditorProp_Default();
    SettingsToPropertySet(s, p);
    EXPECT_NE(p.Font.Color, p.Color);
    EXPECT_EQ(std::tuple(p.WordWrap, p.ScrollBars, p.Margin.Left()),
              std::tuple(false, ssBoth, 100));
    EXPECT_EQ(DisplayDefaultsOf(MakeEditorProp_Default()).WrapByte, 80);
}

TEST(ApplyDisplaySettings, ColourAndMarginChangesReWrapNothingAWidthChangeOnce) {
    TEditorCore e;
    MakeEditorProp_Default().AssignTo(e);
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "a line of text that is long enough to be wrapped at twenty columns\r\n";
    e.SetText(text);
    TSettings s;
    ApplyDisplaySettings(s, e);
    const int before = e.WrapCount();
    s.Color = clYellow;
    s.MarginLeft = 12;
    s.MarginCharacter = 2;
    ApplyDisplaySettings(s, e);
    EXPECT_EQ(std::tuple(e.GetColor(), e.Margin().Left(), e.WrapCount()),
              std::tuple(clYellow, 12, before));
    s.WrapByte = 40;
    ApplyDisplaySettings(s, e);
    EXPECT_EQ(std::pair(e.GetWrapOption().WrapByte, e.WrapCount()), std::pair(40, before + 1));
    s.WrapByte = -1; // wrapping off: once more, one row a line
    ApplyDisplaySettings(s, e);
    EXPECT_EQ(std::pair(e.WrapCount(), e.Rows().RowCount()), std::pair(before + 2, 200));
}
