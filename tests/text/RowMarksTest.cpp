// Row marks: jump marks on one row at most, and how marks move with edits.
#include <gtest/gtest.h>

#include "../support/FakeEditor.h"

namespace {
struct RowMarks : StoreWithEditor, ::testing::Test {};
} // namespace

TEST_F(RowMarks, JumpMarksAreUniqueImageMarksAreNot) {
    s.SetText("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n");
    s.PutRowMark(3, rm2);
    s.PutRowMark(5, rm2);
    EXPECT_EQ(std::pair(s.ListRowMarks(3), s.RowOfMark(rm2)), std::pair(TRowMarks{0}, 5));
    s.PutRowMark(3, rm12);
    s.PutRowMark(5, rm12);
    EXPECT_EQ(s.ListRowMarks(3), RowMarkBit(rm12));
    EXPECT_EQ(s.ListRowMarks(5), RowMarkBit(rm2) | RowMarkBit(rm12));
    s.PutRowMark(9, rm1); // out of range: nothing
    EXPECT_EQ(s.MarksInList(), RowMarkBit(rm2) | RowMarkBit(rm12));
    s.DeleteRowMark(5, rm2);
    EXPECT_EQ(std::pair(s.MarksInList(), s.RowOfMark(rm2)), std::pair(RowMarkBit(rm12), -1));
}

TEST_F(RowMarks, DeletionMovesMarksToTheFollowingRow) {
    s.SetText("a\r\nb\r\nc\r\n");
    s.PutRowMark(1, rm4);
    ed.Edit(1, 1, "");
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm4)); // now on "c"
    ed.Edit(1, 1, "");
    EXPECT_EQ(s.ListRowMarks(0), RowMarkBit(rm4)); // at the end: the row before
    ed.Edit(0, 1, "");
    EXPECT_EQ(s.MarksInList(), 0); // deleting everything loses the marks
}

TEST_F(RowMarks, ReturnBeforeOrAfterTheText) {
    s.SetText("abc\r\nnext\r\n");
    s.PutRowMark(0, rm1);
    ed.col = 0; // Return before the first character: the mark moves down with the text
    ed.Edit(0, 1, "\r\nabc\r\n");
    EXPECT_EQ(s.ListRowMarks(0), 0);
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1));
    ed.col = 3; // Return after the text: the mark stays
    ed.Edit(1, 1, "abc\r\n\r\n");
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1));
    EXPECT_EQ(s.ListRowMarks(2), 0);
    // joining two lines: the first row's marks and the removed row's marks meet
    s.PutRowMark(3, rm7);
    ed.Edit(2, 1, ""); // the empty line goes: its mark moves to "next"
    EXPECT_EQ(s.ListRowMarks(2), RowMarkBit(rm7));
    ed.Edit(1, 1, "abc"); // drop the line end: "next" joins "abc"
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm1) | RowMarkBit(rm7));
    // undo restores the text, the marks stay near their rows
    ed.Undo();
    EXPECT_EQ(s.Text(), "\r\nabc\r\nnext\r\n");
    EXPECT_EQ(s.MarksInList(), RowMarkBit(rm1) | RowMarkBit(rm7));
}
