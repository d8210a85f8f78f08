// The colour palette without a window: which cell a colour selects, keys and hits.
#include "editor/ColorPaletteModel.h"

#include "editor/Commands.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(m.ArrowKey(tkey::Left));
    m.ArrowKey(tkey::Up);
    EXPECT_EQ(m.FocusIndex(), 0);
    for (int i = 0; i < 20; ++i)
        m.ArrowKey(tkey::Right);
    m.ArrowKey(tkey::Down);
    EXPECT_EQ(m.FocusIndex(), 25);
    EXPECT_FALSE(m.ArrowKey(tkey::PageDown));
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

TEST(ColorPalette, PointsFindTheirCell) {
    EXPECT_EQ(PaletteCellAt(0, 0, 208, 80), 0);
    EXPECT_EQ(PaletteCellAt(207, 79, 208, 80), 64);
    EXPECT_EQ(PaletteCellAt(17, 16, 208, 80), 14);
    EXPECT_EQ(PaletteCellAt(208, 0, 208, 80), -1);
}
