// Stored form of property sets, colour palette picking, and the drawing face of a font name.
#include "editor/PropertySetStore.h"
#include "app/ObjectIni.h"
#include "editor/ColorPaletteModel.h"
#include "editor/FontChoice.h"
#include "editor/ProgramPropertySets.h"

#include <gtest/gtest.h>

TEST(PropertySetStore, EverySetRoundTripsAndKeepsItsName) {
    for (TEditorProp p : {MakeEditorProp_Default(), MakeEditorProp_HTML(), MakeEditorProp_Delphi(),
                          MakeEditorProp1()}) {
        p.Font.Name = "ＭＳ ゴシック";
        p.WrapOption.SetWrapByte(33);
        p.View.SetBrackets({{"{", "}", {clNone, clSilver, fsBold}}});
        p.Marks.HideMark.SetColor(clRed);
        const std::string bytes = PropertySetToBytes(p);
        TEditorProp back = MakeEditorProp_DefaultOrg();
        ASSERT_TRUE(PropertySetFromBytes(bytes, back)) << p.Name;
        EXPECT_TRUE(back.SameSettings(p)) << p.Name;
        EXPECT_EQ(back.Name, "EditorProp_DefaultOrg");
        EXPECT_EQ(PropertySetToBytes(back), bytes);
    }
}

TEST(PropertySetStore, ForeignOrDamagedBytesChangeNothingAndOutOfRangeValuesAreKeptInRange) {
    TEditorProp p = MakeEditorProp_HTML();
    const std::string before = PropertySetToBytes(p);
    EXPECT_FALSE(PropertySetFromBytes("not a property set", p));
    EXPECT_FALSE(PropertySetFromBytes("", p));
    EXPECT_EQ(PropertySetToBytes(p), before);

    TPropertyWriter w;
    w.Text("TEditorProp1", "");
    w.Int("Margin.Left", 500);
    w.Int("HitStyle", 9);
    w.Int("Ruler.GaugeRange", 9);
    w.Int("Caret.TabSpaceCount", 5);
    ASSERT_TRUE(PropertySetFromBytes(w.Bytes(), p));
    EXPECT_EQ(p.Margin.Left(), 100);
    EXPECT_EQ(p.HitStyle, MakeEditorProp_HTML().HitStyle);
    EXPECT_EQ(p.Ruler.GaugeRange(), 8);
    EXPECT_EQ(p.Caret.TabSpaceCount(), 4);
    EXPECT_EQ(p.Color, MakeEditorProp_HTML().Color); // not in the bytes: kept

    std::string bytes = PropertySetToBytes(MakeEditorProp_Default());
    // Cut in the middle: what was read whole is taken, the rest keeps its value.
    ASSERT_TRUE(PropertySetFromBytes(bytes.substr(0, bytes.size() / 2), p));
    EXPECT_EQ(p.Name, "EditorProp_HTML");
}

TEST(ColorPalette, ColoursSelectTheirFirstCellAndKeysPickTheFocusCell) {
    EXPECT_EQ(PaletteIndexOf(0xFFFFFF), 0);
    EXPECT_EQ(PaletteIndexOf(clBlack), 52);
    EXPECT_EQ(PaletteIndexOf(0x123456), -1);
    TColorPaletteModel m;
    m.SetForegroundColor(clBlack);
    m.SetBackgroundColor(0x123456);
    EXPECT_EQ(m.ForegroundIndex(), 52);
    EXPECT_EQ(m.BackgroundIndex(), -1);
    // The focus stays inside the grid.
    m.MoveFocus(TColorPaletteModel::Key::Left);
    m.MoveFocus(TColorPaletteModel::Key::Up);
    EXPECT_EQ(m.FocusIndex(), 0);
    for (int i = 0; i < 20; ++i)
        m.MoveFocus(TColorPaletteModel::Key::Right);
    m.MoveFocus(TColorPaletteModel::Key::Down);
    EXPECT_EQ(m.FocusIndex(), 25);
    EXPECT_TRUE(m.KeyChar('b'));
    EXPECT_EQ(m.BackgroundColor(), static_cast<TColor>(0xCC99FF));
    EXPECT_FALSE(m.KeyChar('B')); // the same pick again changes nothing
    EXPECT_TRUE(m.KeyChar('F'));
    EXPECT_EQ(m.CellMark(25), "FB");
    EXPECT_FALSE(m.KeyChar('x'));
    m.BackgroundEnabled = false;
    EXPECT_FALSE(m.Pick(3, true));
    EXPECT_EQ(m.CellMark(25), "FG");
}

TEST(ColorPalette, SizeSnapsToWholeCellsAndPointsFindTheirCell) {
    int w = 215, h = 83;
    SnapPaletteSize(w, h);
    EXPECT_EQ(w, 208);
    EXPECT_EQ(h, 80);
    EXPECT_EQ(PaletteCellAt(0, 0, 208, 80), 0);
    EXPECT_EQ(PaletteCellAt(207, 79, 208, 80), 64);
    EXPECT_EQ(PaletteCellAt(17, 16, 208, 80), 14);
    EXPECT_EQ(PaletteCellAt(208, 0, 208, 80), -1);
}

TEST(FontChoice, DesignNamesAndFacesWithoutJapaneseDrawWithAJapaneseMonospaceFace) {
    auto lookup = [](const std::string& n) {
        if (n == "Noto Sans Mono CJK JP") return TFaceInfo{true, true, true};
        if (n == "DejaVu Sans Mono") return TFaceInfo{true, false, true};
        if (n == "Noto Sans CJK JP") return TFaceInfo{true, true, false};
        return TFaceInfo{};
    };
    EXPECT_EQ(ChooseEditorFace("FixedSys", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("DejaVu Sans Mono", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("Noto Sans CJK JP", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("Noto Sans Mono CJK JP", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("FixedSys", [](const std::string&) { return TFaceInfo{}; }),
              "FixedSys");
}
