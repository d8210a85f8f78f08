// The colour palette without a window: which cell a colour selects, keys and hits.
#include "editor/ColorPaletteModel.h"

#include "editor/Commands.h"

#include <array>
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
    // Painted: the mark's ink follows the cell's lightness (pure red, 127.5, takes white).
    const std::vector<TPaletteCellPaint> cells = m.Paint(2, 2, 208, 80, true);
    EXPECT_EQ((std::array{cells[14].X, cells[14].Y, cells[14].W}), (std::array{18, 18, 16}));
    EXPECT_TRUE(cells[0].DarkInk);
    EXPECT_FALSE(cells[27].DarkInk || cells[52].DarkInk);
    EXPECT_TRUE(cells[25].Focus && cells[25].Mark == "FG" && !cells[24].Focus);
    // Points find their cells.
    EXPECT_EQ(PaletteCellAt(0, 0, 208, 80), 0);
    EXPECT_EQ(PaletteCellAt(207, 79, 208, 80), 64);
    EXPECT_EQ(PaletteCellAt(17, 16, 208, 80), 14);
    EXPECT_EQ(PaletteCellAt(208, 0, 208, 80), -1);
}
