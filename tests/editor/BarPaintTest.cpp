// The bars' drawing steps: the left bar's digits in their cells, the image bar's marks, the
// ruler's marker over the caret's column.
#include "editor/BarPaint.h"

#include <gtest/gtest.h>

namespace {

std::vector<TPaintStep> Of(const TPaintSteps& steps, TPaintStep::TKind kind) {
    std::vector<TPaintStep> out;
    for (const TPaintStep& s : steps)
        if (s.Kind == kind) out.push_back(s);
    return out;
}

} // namespace

TEST(BarPaint, NumbersMarksAndTheRulerMarker) {
    TEditorCore e;
    e.Leftbar().SetVisible(true);
    e.Leftbar().SetShowNumberMode(nmRow);
    e.Leftbar().SetZeroLead(true);
    e.Leftbar().SetColor(clRed);
    e.Imagebar().SetVisible(true);
    e.Ruler().SetVisible(true);
    e.Ruler().SetMarkColor(clBlue);
    e.SetText("row\r\nrow\r\nrow\r\nrow\r\nrow\r\nrow\r\nrow\r\n");
    e.PutRowMark(6, 3);
    e.PutRowMark(6, 12);
    TEditorMetrics m;
    m.CellWidth = 7;
    m.RowHeight = m.TextHeight = 14;
    m.ImagebarWidth = 20;
    m.LeftbarWidth = 40;
    m.LeftMargin = 64;
    m.RulerHeight = 10;
    m.NumberColumns = 4;
    const TPaintSteps row = RowBarsPaint(e, m, 6, 100, 11);
    // "0007" in four cells from the bar's margin, at the baseline.
    const std::vector<TPaintStep> digits = Of(row, TPaintStep::Text);
    ASSERT_EQ(digits.size(), 4u);
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(digits[d].X, 20 + e.Leftbar().LeftMargin() + d * 7);
        EXPECT_EQ(digits[d].Y, 111);
        EXPECT_EQ(digits[d].Color, clRed);
    }
    EXPECT_EQ(digits[3].Chars, "7");
    ASSERT_EQ(Of(row, TPaintStep::Tile).size(), 1u);
    EXPECT_EQ(Of(row, TPaintStep::Tile)[0].Chars, "3");
    ASSERT_EQ(Of(row, TPaintStep::Disc).size(), 1u);
    EXPECT_EQ(Of(row, TPaintStep::Disc)[0].Color, 0xFF0000u); // mark 12: blue
    EXPECT_TRUE(Of(RowBarsPaint(e, m, 5, 100, 11), TPaintStep::Tile).empty());

    e.SetCaret(6, 2);
    const TPaintStep marker = RulerPaint(e, m, 400)[1];
    EXPECT_EQ(marker.Kind, TPaintStep::Fill);
    EXPECT_EQ(marker.X, 64 + 2 * 7);
    EXPECT_EQ(marker.Color, clBlue);
    EXPECT_TRUE(BarsBelowPaint(e, m, 300, 300).empty());
}
