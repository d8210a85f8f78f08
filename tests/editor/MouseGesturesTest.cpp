// The mouse on the editor without a window: pixels to text positions, the cursor over each part,
// and the click, drag, row-select and drop gestures.
#include "editor/MouseGestures.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

TEST(EditorPixels, PointsFindTheirCellsAndCursors) {
    TEditorCore c;
    c.SetText("abcdef\r\nxyz\r\n");
    TEditorMetrics m;
    m.LeftMargin = 20, m.TopMargin = 10, m.CellWidth = 8, m.RowHeight = 16, m.VisibleRows = 5;
    // Columns to the nearer cell edge, rows by the row height, both inside the text.
    for (auto [x, col] : {std::pair{20 + 3, 0}, {20 + 4, 1}, {0, 0}})
        EXPECT_EQ(PosAtPixel(c, m, x, 10).Col, col) << x;
    EXPECT_EQ(PosAtPixel(c, m, 30, 10 + 16).Row, 1);
    EXPECT_EQ(PosAtPixel(c, m, 30, 0).Row, 0);        // above the text: the top row
    EXPECT_EQ(PosAtPixel(c, m, 30, 10 + 900).Row, 2); // below: the [EOF] row
    EXPECT_EQ(CellOrigin(c, m, 1, 2), (TEditorPoint{20 + 16, 10 + 16}));

    // The cursor over a selection, beside it and over the bars while dragging with Ctrl.
    const TEditorCaretCursors& k = c.Caret().Cursors;
    c.SetSelStart(0);
    c.SetSelLength(3);
    EXPECT_EQ(CursorAtPixel(c, m, 22, 12, false, false), k.InSelCursor);
    EXPECT_EQ(CursorAtPixel(c, m, 20 + 8 * 5, 12, false, false), k.DefaultCursor);
    EXPECT_EQ(CursorAtPixel(c, m, 5, 5, true, true), k.DragSelCopyCursor);
    c.Caret().SetAutoCursor(false);
    EXPECT_FALSE(CursorAtPixel(c, m, 22, 12, false, false).has_value());

    // The caret is drawn on a screen row right of the bars only.
    c.SetCaret(1, 0);
    EXPECT_TRUE(CaretOnScreen(c, m, true));
    m.VisibleRows = 1;
    EXPECT_FALSE(CaretOnScreen(c, m, true));
}

TEST(EditorGestures, ClickDragRowSelectAndDropFollowTheButton) {
    TEditorCore e;
    e.SetText("hello world\r\nsecond row\r\nthird\r\n");
    TEditorMouseGestures m(e);
    // A press inside the selection arms a drag: released in place, it only moves the caret.
    Select(e, 0, 2, 0, 7);
    m.Press(20, 10, {0, 4}, false, false);
    EXPECT_EQ(m.State(), TEditorDrag::Armed);
    m.Release(false);
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(e.Col(), 4);

    // Dragging the selection to row 2 moves it; with Ctrl it would copy.
    Select(e, 0, 0, 0, 5);
    m.Press(5, 10, {0, 1}, false, false);
    EXPECT_TRUE(m.Move(5, 60, {2, 5}, false, 4));
    m.Release(false);
    EXPECT_EQ(e.Text(), " world\r\nsecond row\r\nthirdhello\r\n");

    // Left of the text: whole rows follow the mouse.
    m.Press(0, 30, {1, 0}, true, false);
    m.Move(0, 50, {2, 0}, false, 4);
    m.Release(false);
    EXPECT_EQ(e.SelText(), "second row\r\nthirdhello\r\n");

    // Shift+press extends from the caret.
    e.CleanSelection();
    e.SetCaret(0, 0);
    m.Press(40, 10, {0, 3}, false, true);
    m.Release(false);
    EXPECT_EQ(e.SelText(), " wo");

    // A double click selects the word under the mouse; on the row end nothing.
    EXPECT_TRUE(m.DoubleClick({1, 2}));
    EXPECT_EQ(e.SelText(), "second");
    EXPECT_FALSE(m.DoubleClick({5, 0}));
}

// A press places the caret; a move shorter than the threshold selects nothing.
TEST(EditorGestures, PixelsOfTheLayoutDecideTheBarsAndTheDragThreshold) {
    TEditorCore e;
    e.SetText("hello world\r\nsecond\r\n");
    TEditorMetrics m;
    m.LeftMargin = 20, m.TopMargin = 10, m.CellWidth = 8, m.RowHeight = 16, m.VisibleRows = 5;
    TEditorMouseGestures g(e);
    g.PressAt(20 + 8 * 2, 12, m, false);
    g.MoveAt(20 + 8 * 2 + 3, 12, m); // under half a cell: no selection yet
    EXPECT_FALSE(e.Selected());
    g.MoveAt(20 + 8 * 7, 12, m);
    g.Release(false);
    EXPECT_EQ(e.SelText(), "llo w");
    EXPECT_FALSE(g.DoubleClickAt(5, 12, m)); // over the bars
    EXPECT_TRUE(g.DoubleClickAt(20 + 8 * 8, 12, m));
    EXPECT_EQ(e.SelText(), "world");
}
