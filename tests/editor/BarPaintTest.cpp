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
    // "0007" in four cells from the bar's margin, at the baseline; mark 3's digit and mark 12's
    // blue disc.
    std::string digits;
    for (const TPaintStep& d : Of(row, TPaintStep::Text)) {
        const int x = 20 + e.Leftbar().LeftMargin() + 7 * int(digits.size());
        EXPECT_EQ(std::tuple(d.X, d.Y, d.Color), std::tuple(x, 111, clRed));
        digits += d.Chars;
    }
    EXPECT_EQ(digits, "0007");
    const auto tiles = Of(row, TPaintStep::Tile), discs = Of(row, TPaintStep::Disc);
    ASSERT_EQ(std::pair(tiles.size(), discs.size()), std::pair(size_t(1), size_t(1)));
    EXPECT_EQ(std::pair(tiles[0].Chars, discs[0].Color), std::pair(std::string("3"), 0xFF0000u));
    EXPECT_TRUE(Of(RowBarsPaint(e, m, 5, 100, 11), TPaintStep::Tile).empty());

    e.SetCaret(6, 2);
    const TPaintStep marker = RulerPaint(e, m, 400)[1];
    EXPECT_EQ(std::tuple(marker.Kind, marker.X, marker.Color),
              std::tuple(TPaintStep::Fill, 64 + 2 * 7, clBlue));
    EXPECT_TRUE(BarsBelowPaint(e, m, 300, 300).empty());
}
