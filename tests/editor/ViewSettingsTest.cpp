// Clamps and change notification of the editor's settings objects.
#include "editor/ViewSettings.h"
#include "editor/CaretSettings.h"

#include <gtest/gtest.h>

// No zero number columns or page range (the gauge and tab rounding are checked on reading a
// stored set); a change is told once, and only when something changed.
TEST(EditorSettings, ClampsAndOneNoticePerRealChange) {
    TEditorLeftbar lb;
    lb.SetColumn(0);
    TEditorSpeed sp;
    sp.SetPageVerticalRange(0); // would make PageDown a no-op
    EXPECT_EQ(std::pair(lb.Column(), sp.PageVerticalRange()), std::pair(1, 1));

    int n = 0;
    TEditorMargin m;
    m.OnChange = [&] { ++n; };
    m.SetLeft(19); // unchanged
    m.SetLeft(150);
    m.SetLeft(120); // clamps to the same 100
    EXPECT_EQ(n, 1);

    int marksChanged = 0;
    TEditorMarks marks;
    marks.OnChange = [&] { ++marksChanged; };
    TEditorMarks other;
    other.EofMark.SetVisible(true);
    other.HideMark.SetColor(edc::clRed);
    marks.Assign(other); // several sub-marks change, one notice
    EXPECT_TRUE(marks == other);
    // A copied Marks object notifies its own owner, not the source's.
    int copyChanged = 0;
    TEditorMarks copy(marks);
    copy.OnChange = [&] { ++copyChanged; };
    copy.WrapMark.SetVisible(true);
    EXPECT_EQ(std::pair(marksChanged, copyChanged), std::pair(1, 1));

    int caretChanged = 0;
    TEditorCaret caret;
    caret.OnChange = [&] { ++caretChanged; };
    TEditorCaret src;
    src.SetSoftTab(true);
    src.Cursors.InSelCursor = edc::crArrow;
    caret.Assign(src);
    EXPECT_EQ(std::tuple(caretChanged, caret.SoftTab(), caret.Cursors.InSelCursor),
              std::tuple(1, true, edc::crArrow));
}
