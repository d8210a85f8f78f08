// The cells, colours and marks of a screen row, and the bars' drawing steps: the left bar's
// numbers in their cells, the image bar's marks, the ruler's ticks and its marker over the caret.
#include "editor/RowPaint.h"
#include "editor/BarPaint.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::vector<TPaintStep> Of(const TPaintSteps& steps, TPaintStep::TKind kind) {
    std::vector<TPaintStep> out;
    for (const TPaintStep& s : steps)
        if (s.Kind == kind) out.push_back(s);
    return out;
}

struct RowPaintTest : ::testing::Test {
    TEditorCore e;
    void Load(const std::string& text, int wrapByte = 0) {
        for (TEditorMark* m :
             {&e.Marks().EofMark, &e.Marks().RetMark, &e.Marks().WrapMark, &e.Marks().HideMark})
            m->SetVisible(true);
        e.SetText(text);
        if (wrapByte) WrapAt(e, wrapByte);
    }
};

} // namespace

TEST_F(RowPaintTest, CellsFollowTheGridAndShowControlBytes) {
    Load(J("a漢\tb\x01") + "\r\n");
    const TRowPaint r = LayoutRowPaint(e, 0, 0, 100);
    ASSERT_EQ(r.Cells.size(), 5u);
    EXPECT_EQ(std::tuple(r.Cells[1].Col, r.Cells[1].EndCol, r.Cells[1].Bytes),
              std::tuple(1, 3, 2));                 // 漢 takes two cells
    EXPECT_EQ(r.Cells[2].Glyph, TCellGlyph::Blank); // the tab up to the next stop
    EXPECT_EQ(r.Cells[3].Col, r.Cells[2].EndCol);
    EXPECT_EQ(
        std::tuple(r.Cells[4].Glyph, r.Cells[4].Picture, r.Width, r.Cut, r.EndMark),
        std::tuple(TCellGlyph::Control, u'\u2401', r.Cells[4].EndCol, false, TRowEndMark::Return));

    // Scrolled right: a character that only ends inside the view is still drawn, none past
    // lastCol.
    const TRowPaint s = LayoutRowPaint(e, 0, 2, 3);
    ASSERT_FALSE(s.Cells.empty());
    EXPECT_EQ(s.Cells.front().Offset, 1);
    for (const TCellRun& c : s.Cells)
        EXPECT_LT(c.Col, 3);
}

TEST_F(RowPaintTest, SelectionColoursAndTheSelectedLineEnd) {
    Load("abcdef\r\nxyz\r\n");
    e.SetSelStart(2);
    e.SetSelLength(7); // "cdef", the line end and "x"
    const TRowPaint r = LayoutRowPaint(e, 0, 0, 100);
    const TEditorColorItem& sel = e.View().Colors().Select;
    EXPECT_EQ(r.Cells[1].Attr, r.Base);
    EXPECT_EQ(std::pair(r.Cells[2].Attr.Bk, r.Cells[2].Attr.Fg), std::pair(sel.BkColor, sel.Color));
    EXPECT_TRUE(r.LineEndSelected);
    // A selection colour left to the editor reverses the text colours.
    TEditorViewColors colors = e.View().Colors();
    colors.Select = {clNone, clNone, 0};
    e.View().SetColors(colors);
    const TRowPaint n = LayoutRowPaint(e, 1, 0, 100);
    EXPECT_EQ(std::pair(n.Cells[0].Attr.Bk, n.Cells[0].Attr.Fg), std::pair(n.Base.Fg, n.Base.Bk));
    EXPECT_EQ(n.Cells[1].Attr, n.Base);
    EXPECT_FALSE(n.LineEndSelected);
}

TEST_F(RowPaintTest, MarksAfterTheTextAndCutRows) {
    Load(std::string(24, 'a') + "\r\nlast", 20);
    // Rows: 20 a (wrapped), "aaaa" (line end), "last" (text end).
    EXPECT_EQ(LayoutRowPaint(e, 0, 0, 100).EndMark, TRowEndMark::Wrap);
    EXPECT_EQ(LayoutRowPaint(e, 1, 0, 100).EndMark, TRowEndMark::Return);
    EXPECT_EQ(LayoutRowPaint(e, 2, 0, 100).EndMark, TRowEndMark::Eof);
    e.Marks().EofMark.SetVisible(false);
    EXPECT_EQ(LayoutRowPaint(e, 2, 0, 100).EndMark, TRowEndMark::None);
    // A row past the last column is cut there and shows the hide mark.
    Load(std::string(EditorMaxColumns + 5, 'x') + "\r\n");
    e.SetWordWrap(false);
    const TRowPaint cut = LayoutRowPaint(e, 0, EditorMaxColumns - 10, EditorMaxColumns + 10);
    EXPECT_EQ(std::tuple(cut.Cut, cut.Width, cut.Cells.back().EndCol, cut.EndMark),
              std::tuple(true, EditorMaxColumns, EditorMaxColumns, TRowEndMark::Hide));
}

// The composition "にほんご" with its first clause being converted (its own colours) and the
// other underlined; its caret after "にほ".
TComposition Nihongo() {
    return MakeComposition(u"にほんご",
                           {{0, 2, clWhite, clNavy, false}, {2, 2, clNone, clNone, true}}, 2, true);
}

TEST_F(RowPaintTest, CompositionStandsInTheRowAndPushesTheRestRight) {
    Load("abcdef\r\nxy");
    e.Marks().Underline.SetVisible(true);
    e.SetCaret(0, 3);
    const TComposition comp = Nihongo();
    const TComposedLine l = ComposeLine(e, comp);
    const TRowPaint r = LayoutRowPaint(e, 0, 0, 100, &l);
    ASSERT_EQ(r.Cells.size(), 10u); // abc, four kana, def
    EXPECT_EQ(std::tuple(r.Cells[3].Col, r.Cells[3].Composing, r.Cells[3].ComposingUnderline,
                         r.Cells[3].Attr.Bk, r.Cells[3].Attr.Fg),
              std::tuple(3, true, false, clNavy, clWhite)); // the clause being converted
    EXPECT_EQ(std::tuple(r.Cells[5].Composing, r.Cells[5].ComposingUnderline, r.Cells[5].Attr.Bk),
              std::tuple(true, true, r.Base.Bk));
    // "d" moves right by the composition's eight cells; the line-end mark comes after "f".
    EXPECT_EQ(std::tuple(r.Cells[7].Col, r.Cells[7].Composing, r.Width, r.EndMark),
              std::tuple(11, false, 14, TRowEndMark::Return));
    EXPECT_EQ(l.Caret, (TEditorPos{0, 7}));
    EXPECT_TRUE(r.Underline);
    // The next line is untouched; nothing entered the text, the undo history or the flag.
    EXPECT_EQ(LayoutRowPaint(e, 1, 0, 100, &l).Cells.size(), 2u);
    EXPECT_EQ(std::tuple(e.Text(), e.CanUndo(), e.Modified),
              std::tuple(std::string("abcdef\r\nxy"), false, false));

    // At the end of the text [EOF] follows the composition, never over it.
    e.SetCaret(1, 2);
    const TComposedLine end = ComposeLine(e, comp);
    const TRowPaint last = LayoutRowPaint(e, 1, 0, 100, &end);
    EXPECT_EQ(std::tuple(last.Cells.back().EndCol, last.Width, last.EndMark),
              std::tuple(10, 10, TRowEndMark::Eof));
    // Selected text before it keeps the selection's colours.
    Select(e, 1, 0, 1, 2);
    const TRowPaint sel = LayoutRowPaint(e, 1, 0, 100, &end);
    EXPECT_EQ(sel.Cells[0].Attr.Bk, LayoutRowPaint(e, 1, 0, 100).Cells[0].Attr.Bk);
    EXPECT_NE(sel.Cells[0].Attr.Bk, sel.Base.Bk);
    // [EOF] follows it on the row after a final line end too.
    Load("ab\r\n");
    e.SetCaret(1, 0);
    const TComposedLine after = ComposeLine(e, comp);
    const TRowPaint eof = LayoutRowPaint(e, 1, 0, 100, &after);
    EXPECT_EQ(std::tuple(eof.Cells.size(), eof.Width, eof.EndMark),
              std::tuple(4u, 8, TRowEndMark::Eof));
}

TEST_F(RowPaintTest, CompositionWrapsWhereTextWouldAndMovesTheRowsBelowDown) {
    Load(std::string(18, 'a') + "\r\nnext", 20);
    e.Marks().Underline.SetVisible(true);
    e.SetCaret(0, 18);
    const TComposedLine l = ComposeLine(e, Nihongo());
    ASSERT_EQ(l.Rows.size(), 2u);
    EXPECT_EQ(l.Extra(), 1);
    const TRowPaint r0 = LayoutRowPaint(e, 0, 0, 100, &l);
    EXPECT_EQ(std::tuple(r0.Width, r0.EndMark, r0.Cells.back().Composing),
              std::tuple(20, TRowEndMark::Wrap, true)); // "に" on the first row
    const TRowPaint r1 = LayoutRowPaint(e, 1, 0, 100, &l);
    EXPECT_EQ(std::tuple(r1.Cells.size(), r1.Width, r1.EndMark),
              std::tuple(3u, 6, TRowEndMark::Return));
    EXPECT_EQ(l.Caret, (TEditorPos{1, 2})); // after "にほ", on the row it went on to
    EXPECT_TRUE(r1.Underline);
    EXPECT_FALSE(r0.Underline);
    // "next" is shown one row further down.
    const TRowPaint r2 = LayoutRowPaint(e, 2, 0, 100, &l);
    EXPECT_EQ(std::tuple(r2.Width, r2.EndMark), std::tuple(4, TRowEndMark::Eof));
}

TEST_F(RowPaintTest, LeftbarNumbersInLineMode) {
    Load(std::string(24, 'a') + "\r\nxy\r\n", 20);
    TEditorLeftbar bar;
    bar.SetShowNumberMode(nmLine);
    std::vector<int> numbers; // none on the wrapped continuation; one after the final line end
    for (int r = 0; r < 4; ++r)
        numbers.push_back(LeftbarRowNumber(bar, e.Rows(), r));
    EXPECT_EQ(numbers, (std::vector<int>{1, -1, 2, 3}));
    const TEditorScreenStrings& rows = e.Rows();
    bar.SetZeroBase(true);
    EXPECT_EQ(LeftbarRowNumber(bar, rows, 2), 1);
    bar.SetShowNumberMode(nmRow);
    EXPECT_EQ(LeftbarRowNumber(bar, rows, 1), 1);
    // A shown number column that no longer fits the text lays the view out again.
    e.Leftbar().SetVisible(true);
    EXPECT_FALSE(NumberColumnsChanged(e, LeftbarColumnsOf(e)));
    EXPECT_TRUE(NumberColumnsChanged(e, LeftbarColumnsOf(e) + 1));
}

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

    // The marks an image bar cell shows, and the ruler's ticks.
    EXPECT_EQ(ImagebarMarksOf(0).Digit, -1);
    const TImagebarMarks marks = ImagebarMarksOf((1u << 7) | (1u << 3) | (1u << 12) | (1u << 15));
    EXPECT_EQ(std::pair(marks.Digit, marks.Color), std::pair(3, 12));

    using T = TRulerTick;
    EXPECT_EQ(RulerTicks(0, 10, 12), (std::vector<T>{{0, true}, {5, false}, {10, true}}));
    EXPECT_EQ(RulerTicks(7, 10, 9), (std::vector<T>{{10, true}, {15, false}}));
    EXPECT_EQ(RulerTicks(0, 0, 3).size(), 3u); // a broken gauge never loops for ever
}
