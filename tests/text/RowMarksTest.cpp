// Row marks: jump marks on one row at most, and how marks move with edits.
#include <gtest/gtest.h>

#include "../support/FakeEditor.h"

TEST(RowMarks, JumpMarksAreUniqueImageMarksAreNot) {
    TEditorScreenStrings s;
    s.SetText("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n");
    s.PutRowMark(3, rm2);
    s.PutRowMark(5, rm2);
    EXPECT_EQ(s.ListRowMarks(3), 0);
    EXPECT_EQ(s.RowOfMark(rm2), 5);
    s.PutRowMark(3, rm12);
    s.PutRowMark(5, rm12);
    EXPECT_EQ(s.ListRowMarks(3), RowMarkBit(rm12));
    EXPECT_EQ(s.ListRowMarks(5), RowMarkBit(rm2) | RowMarkBit(rm12));
    s.PutRowMark(9, rm1); // out of range: nothing
    EXPECT_EQ(s.MarksInList(), RowMarkBit(rm2) | RowMarkBit(rm12));
    s.DeleteRowMark(5, rm2);
    EXPECT_EQ(s.MarksInList(), RowMarkBit(rm12));
    EXPECT_EQ(s.RowOfMark(rm2), -1);
}

TEST(RowMarks, DeletionMovesMarksToTheFollowingRow) {
    TEditorScreenStrings s;
    s.SetText("a\r\nb\r\nc\r\n");
    s.PutRowMark(1, rm4);
    s.UpdateList(1, 1, "");
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm4)); // now on "c"
    s.UpdateList(1, 1, "");
    EXPECT_EQ(s.ListRowMarks(0), RowMarkBit(rm4)); // at the end: the row before
    s.UpdateList(0, 1, "");
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.MarksInList(), 0); // deleting everything loses the marks
}

TEST(RowMarks, ReturnBeforeOrAfterTheText) {
    StoreWithEditor t;
    TEditorScreenStrings& s = t.s;
    FakeEditor& ed = t.ed;
    s.SetText("abc\r\nnext\r\n");
    s.PutRowMark(0, rm1);
    ed.col = 0; // Return before the first character: the mark moves down with the text
    s.UpdateList(0, 1, "\r\nabc\r\n");
    EXPECT_EQ(s.ListRowMarks(0), 0);
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1));
    ed.col = 3; // Return after the text: the mark stays
    s.UpdateList(1, 1, "abc\r\n\r\n");
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1));
    EXPECT_EQ(s.ListRowMarks(2), 0);
    // joining two lines: the first row's marks and the removed row's marks meet
    s.PutRowMark(3, rm7);
    s.UpdateList(2, 1, ""); // the empty line goes: its mark moves to "next"
    EXPECT_EQ(s.ListRowMarks(2), RowMarkBit(rm7));
    s.UpdateList(1, 1, "abc"); // drop the line end: "next" joins "abc"
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1) | RowMarkBit(rm7));
    // undo restores the text, the marks stay near their rows
    s.Undo();
    EXPECT_EQ(s.Text(), "\r\nabc\r\nnext\r\n");
    EXPECT_EQ(s.MarksInList(), RowMarkBit(rm1) | RowMarkBit(rm7));
}
