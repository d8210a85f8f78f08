// Geometry of the client area, number columns, mark shapes and repaint bands.
#include "editor/Geometry.h"

#include <gtest/gtest.h>

#include <utility>

// The bars take their room beside and above the text; the rows that fit below them (less a
// horizontal scroll bar) are shown, one at least.
TEST(EditorMetrics, BarsTakeTheirRoomAndAtLeastOneRowShows) {
    TEditorMargin margin;
    TEditorRuler ruler;
    TEditorImagebar imagebar;
    TEditorLeftbar leftbar;
    TEditorGeometryInput in;
    in.Font = {14, 2, 7};
    in.Margin = &margin, in.Ruler = &ruler, in.Imagebar = &imagebar, in.Leftbar = &leftbar;
    in.ClientHeight = 300;
    in.NumberColumns = 4;
    margin.SetLine(3);
    imagebar.SetVisible(false);
    const TEditorMetrics plain = ComputeEditorMetrics(in);
    EXPECT_EQ(plain.RowHeight, 16 + 3);
    ruler.SetVisible(true);
    imagebar.SetVisible(true);
    leftbar.SetVisible(true);
    const TEditorMetrics bars = ComputeEditorMetrics(in);
    EXPECT_EQ(bars.LeftMargin, plain.LeftMargin + bars.ImagebarWidth + bars.LeftbarWidth);
    EXPECT_EQ(bars.TopMargin, plain.TopMargin + bars.RulerHeight);
    EXPECT_GT(bars.LeftbarWidth, 4 * bars.CellWidth); // four number columns
    in.ScrollBars = ssBoth;
    in.HScrollBarHeight = 20;
    EXPECT_EQ(ComputeEditorMetrics(in).VisibleRows, bars.VisibleRows - 1); // 14 -> 13 rows
    in.ClientHeight = 0;
    EXPECT_EQ(ComputeEditorMetrics(in).VisibleRows, 1);
}

TEST(EditorMetrics, NumberColumnsCellWidthAndVisibleColumns) {
    TEditorLeftbar bar;
    bar.SetColumn(2);
    // 150 lines with a final line end: rows 0..149 and the [EOF] position number 151.
    EXPECT_EQ(LeftbarNumberColumns(bar, 149, 149, false), 3);
    EXPECT_EQ(LeftbarNumberColumns(bar, 8, 8, true), 2); // at least Column
    bar.SetZeroBase(true);
    EXPECT_EQ(LeftbarNumberColumns(bar, 98, 98, false), 2); // 0..99
    bar.SetShowNumberMode(nmLine);
    EXPECT_EQ(LeftbarNumberColumns(bar, 5000, 98, false), 2);
    bar.SetColumn(1);
    EXPECT_EQ(LeftbarNumberColumns(bar, 2000000000, 2000000000, false), 8); // at most 8
    EXPECT_EQ(LeftbarNumberColumns(bar, -1, -1, true), 1);                  // empty text
    EXPECT_EQ(LeftbarNumberText(7, 4, true), "0007");
    EXPECT_EQ(LeftbarNumberText(7, 4, false), "   7");
    EXPECT_EQ(LeftbarNumberText(12345, 4, true), "12345");
    // Cells without a Japanese font, and the columns that fit.
    EXPECT_EQ(GridCharWidth(14, 7), 7);
    EXPECT_EQ(GridCharWidth(15, 7), 8); // half of an odd advance rounds up
    EXPECT_EQ(GridCharWidth(0, 6), 6);  // no glyph for the full-width character
    EXPECT_EQ(GridCharWidth(0, 0), 1);
    TEditorMetrics m;
    m.LeftMargin = 40, m.CellWidth = 8;
    EXPECT_EQ(VisibleColumns(m, 40 + 8 * 10 + 7), 10);
    EXPECT_EQ(VisibleColumns(m, 30), 1); // narrower than the bars
}

// Every mark is drawn with some line of length, tiny fonts too; a brief caret is two pixels high
// at the bottom of its cell, a full one (overwriting) the whole cell.
TEST(EditorMetrics, MarksShowAtEverySizeAndTheCaretFollowsItsMode) {
    auto hasLength = [](const std::vector<TEditorPolyline>& mark) {
        for (const TEditorPolyline& line : mark)
            for (const TEditorPoint& p : line)
                if (!(p == line.front())) return true;
        return false;
    };
    for (auto [w, h] : {std::pair{8, 16}, {2, 4}}) {
        EXPECT_TRUE(hasLength(ReturnMarkShape(100, 50, w, h))) << w;
        EXPECT_TRUE(hasLength({WrapMarkShape(100, 50, w, h)})) << w;
        EXPECT_TRUE(hasLength({HideMarkShape(100, 50, w, h)})) << w;
    }
    EXPECT_EQ(CaretShape(10, 20, 8, 16, true, false), (TEditorRect{10, 34, 18, 36}));
    EXPECT_EQ(CaretShape(10, 20, 8, 16, true, true), (TEditorRect{10, 20, 18, 36}));
    EXPECT_EQ(CaretShape(10, 20, 8, 16, false, false).Bottom, 36);
}

TEST(EditorMetrics, RepaintBandsCoverOnlyRowsOnScreen) {
    TEditorMetrics m;
    m.LeftMargin = 20, m.TopMargin = 10, m.CellWidth = 8, m.RowHeight = 16, m.VisibleRows = 5;
    // The partly shown row below counts.
    EXPECT_EQ(RowsBand(m, 10, 12, 12), (TRowBand{10 + 2 * 16, 16}));
    EXPECT_EQ(RowsBand(m, 10, 0, 11), (TRowBand{10, 2 * 16}));
    EXPECT_EQ(RowsBand(m, 10, 14, -1), (TRowBand{10 + 4 * 16, 3 * 16}));
    EXPECT_EQ(RowsBand(m, 10, 30, 40).Height, 0);
    // A caret move repaints the row it left, the row it reached and the ruler while it shows.
    TCaretTrail trail;
    EXPECT_EQ(trail.Moved(m, 3).Ruler.Height, 0);
    m.RulerHeight = 6;
    const TCaretRepaint r = trail.Moved(m, 7);
    EXPECT_EQ((std::pair{r.LeftRow, r.Row}), (std::pair{3, 7}));
    EXPECT_EQ(r.Ruler, (TRowBand{0, 10}));
}
