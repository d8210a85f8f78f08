// Word wrap: column maps, tab stops, the row cut with its Japanese line-breaking rules, and the
// caret column rules.
#include <gtest/gtest.h>

#include "platform/Cp932.h"
#include "text/LineBreaking.h"
#include "text/RowStore.h"

namespace {
// Wrap options with the given width and the default character sets.
TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}

std::string J(const char* utf8) {
    return Utf8ToCp932(utf8);
}

TWrapSettings Wrap(int width, bool wordWrap = true) {
    return TWrapSettings(WrapWidth(width), wordWrap, 8);
}

// Rows of one text as "text|kind" pairs (kind L = line end, W = wrapped).
std::vector<std::string> Cut(std::string_view text, const TWrapSettings& ws) {
    std::vector<TWrapRow> rows;
    StrToWrapList(text, ws, rows);
    std::vector<std::string> out;
    for (const TWrapRow& r : rows)
        out.push_back(std::string(text.substr(r.Start, r.Length)) + "|" + "LWT"[r.RowEnd]);
    return out;
}
} // namespace

TEST(WrapOption, WidthClampedAndRowsRewrappedOnlyOnChange) {
    TEditorWrapOption o;
    o.SetWrapByte(5);
    EXPECT_EQ(o.WrapByte, 20);
    o.SetWrapByte(300);
    EXPECT_EQ(o.WrapByte, 250);
    TEditorScreenStrings s;
    s.SetWordWrap(true);
    s.SetText("abc\r\n");
    s.UpdateList(0, 1, "abcd\r\n");
    s.SetWrapOption(WrapWidth(80)); // the same options: the rows and the undo history stay
    EXPECT_TRUE(s.UndoObj().CanUndo());
    s.SetWrapOption(o); // a real change re-wraps and clears the history
    EXPECT_EQ(s.WrapSettings().WrapByte, 250);
    EXPECT_FALSE(s.UndoObj().CanUndo());
}

TEST(ColumnMap, ClassesTabsAndLimits) {
    TWrapSettings ws = Wrap(80);
    EXPECT_EQ(ColumnMap("a b_" + J("あ") + "\xb1", ws), "1211451");
    EXPECT_EQ(ColumnMap("\tx", ws), "233333331");
    ws.TabSpaceCount = 4;
    EXPECT_EQ(ColumnMap("ab\tx", ws), "11231");
    EXPECT_EQ(ExpandTabLength("ab\tx", ws), 5);
    // A tab at column 78 with WrapByte 80 and tab width 8 ends at column 80.
    ws.TabSpaceCount = 8;
    std::string s(78, 'a');
    std::string m = ColumnMap(s + "\tb", ws);
    EXPECT_EQ(m.substr(78), "231");
    // The filler stops at the next multiple of WrapByte, not at the tab stop.
    TWrapSettings w30 = Wrap(30);
    EXPECT_EQ(ColumnMap(std::string(28, 'a') + "\tb", w30).substr(28), "231");
    // Maps stop after WrapByte + 3 columns (whole characters) or 1000 without wrap.
    EXPECT_EQ(ColumnMap(std::string(500, 'a'), ws).size(), 83u);
    EXPECT_EQ(ColumnMap(std::string(1500, 'a'), Wrap(80, false)).size(), 1000u);
    // A lone lead byte at the end is one column.
    EXPECT_EQ(ColumnMap("a\x82", ws), "11");
}

TEST(WrapCut, ExactWidthAndFollowRetMark) {
    TWrapSettings ws = Wrap(20);
    std::string s(20, 'a');
    EXPECT_EQ(Cut(s, ws), (std::vector<std::string>{s + "|W", "|L"}));
    ws.FollowRetMark = true;
    EXPECT_EQ(Cut(s, ws), (std::vector<std::string>{s + "|L"}));
    EXPECT_EQ(Cut(std::string(19, 'a'), ws).size(), 1u);
    EXPECT_EQ(WrapCount(std::string(45, 'a'), Wrap(20)), 3);
    EXPECT_EQ(Cut("", ws), (std::vector<std::string>{"|L"}));
    EXPECT_EQ(Cut("ab\r\ncd\re\n", Wrap(20, false)),
              (std::vector<std::string>{"ab|L", "cd|L", "e|L"}));
}

TEST(WrapCut, TwoByteCharacterIsNeverSplit) {
    TWrapSettings ws = Wrap(20);
    std::string head(19, 'a');
    std::string s = head + J("漢字");
    EXPECT_EQ(Cut(s, ws), (std::vector<std::string>{head + "|W", J("漢字") + "|L"}));
    // letters and two-byte characters mixed: every row at most 20 columns, no character split
    std::string mixed;
    for (int i = 0; i < 30; ++i)
        mixed += (i % 3 ? J("か") : std::string("x"));
    std::vector<TWrapRow> rows;
    StrToWrapList(mixed, ws, rows);
    std::string joined;
    for (const TWrapRow& r : rows) {
        std::string_view row = std::string_view(mixed).substr(r.Start, r.Length);
        EXPECT_LE(ExpandTabLength(row, ws), 20);
        if (r.RowEnd == reWrapped) {
            EXPECT_GE(ExpandTabLength(row, ws), 19);
        }
        joined += row;
        EXPECT_FALSE(IsDBCSLeadByte(row.back())) << "row ends in a lead byte";
    }
    EXPECT_EQ(joined, mixed);
}

TEST(WrapCut, WordBreak) {
    TWrapSettings ws = Wrap(30);
    ws.WordBreak = true;
    std::string word(40, 'w');
    EXPECT_EQ(Cut(word, ws)[0], std::string(10, 'w') + "|W");
    EXPECT_EQ(Cut("hello world this is a wrapped line of text", ws),
              (std::vector<std::string>{"hello world this is a wrapped |W", "line of text|L"}));
    // Without WordBreak the word is cut at the width.
    ws.WordBreak = false;
    EXPECT_EQ(Cut(word, ws)[0], std::string(30, 'w') + "|W");
}

TEST(WrapCut, FollowPunctuationHangs) {
    TWrapSettings ws = Wrap(20);
    ws.FollowPunctuation = true;
    std::string s = std::string(20, 'a') + J("。") + "bc";
    EXPECT_EQ(Cut(s, ws),
              (std::vector<std::string>{std::string(20, 'a') + J("。") + "|W", "bc|L"}));
    // At most to WrapByte + 3 columns: ".." after 20 columns hang, a third does not.
    EXPECT_EQ(Cut(std::string(20, 'a') + "...x", ws)[0], std::string(20, 'a') + "..|W");
}

TEST(WrapCut, LeadingPushesCharactersToTheNextRow) {
    TWrapSettings ws = Wrap(20);
    ws.Leading = true;
    // "「" in columns 19-20 begins the next row.
    std::string s = std::string(18, 'a') + J("「") + "bc";
    EXPECT_EQ(Cut(s, ws),
              (std::vector<std::string>{std::string(18, 'a') + "|W", J("「") + "bc|L"}));
    // A row never gives up more than a fifth: a run of "「" keeps at least 16 columns.
    std::string run = std::string(10, 'a') + J("「「「「「「") + "b";
    std::vector<std::string> rows = Cut(run, ws);
    EXPECT_EQ(rows[0], std::string(10, 'a') + J("「「「") + "|W");
    // A character of FollowStr does not begin a row: the character before it goes along.
    std::string f = std::string(19, 'a') + "b" + J("」") + "c";
    EXPECT_EQ(Cut(f, ws),
              (std::vector<std::string>{std::string(19, 'a') + "|W", "b" + J("」") + "c|L"}));
}

TEST(CaretColumn, Rules) {
    TWrapSettings ws = Wrap(20);
    TCaretColumnOptions opt;
    int rem = -1;
    std::string row = "a" + J("あ") + "\tb"; // columns: 1 45 2 3333 1
    // column on a trail byte moves in the direction of the movement
    EXPECT_EQ(CaretColumn(row, reLineEnd, ws, opt, 2, +1, false, rem), 3);
    EXPECT_EQ(CaretColumn(row, reLineEnd, ws, opt, 2, -1, false, rem), 1);
    // filler columns are left unless InTab
    EXPECT_EQ(CaretColumn(row, reLineEnd, ws, opt, 5, +1, false, rem), 8);
    EXPECT_EQ(CaretColumn(row, reLineEnd, ws, opt, 5, -1, false, rem), 3);
    opt.InTab = true;
    EXPECT_EQ(CaretColumn(row, reLineEnd, ws, opt, 5, -1, false, rem), 5);
    opt.InTab = false;
    // without FreeCaret the column stops at the row end; KeepCaret remembers it for vertical moves
    opt.FreeCaret = false;
    opt.KeepCaret = true;
    EXPECT_EQ(CaretColumn("abc", reLineEnd, ws, opt, 10, +1, false, rem), 3);
    EXPECT_EQ(rem, 10);
    EXPECT_EQ(CaretColumn("abcdefghijklmn", reLineEnd, ws, opt, 0, 0, true, rem), 10);
    EXPECT_EQ(CaretColumn("abcdefghijklmn", reLineEnd, ws, opt, 4, 0, false, rem), 4);
    EXPECT_EQ(rem, -1); // a direct setting forgets
    // a wrapped row never keeps the caret after its last character
    opt.FreeCaret = true;
    EXPECT_EQ(CaretColumn(std::string(20, 'x'), reWrapped, ws, opt, 25, +1, false, rem), 19);
    EXPECT_EQ(CaretColumn("abc", reLineEnd, ws, opt, 25, +1, false, rem), 19);
    EXPECT_EQ(CaretColumn("abc", reLineEnd, ws, opt, 10, +1, false, rem), 10);
    // columns above 1000 without wrap
    EXPECT_EQ(CaretColumn("abc", reLineEnd, Wrap(20, false), opt, 5000, +1, false, rem), 1000);
}

TEST(CaretColumn, ByteOffsets) {
    TWrapSettings ws = Wrap(80);
    std::string row = "\t" + J("あ") + "x";
    EXPECT_EQ(CaretToByteOffset(row, 0, ws), 0);
    EXPECT_EQ(CaretToByteOffset(row, 8, ws), 1);
    EXPECT_EQ(CaretToByteOffset(row, 10, ws), 3);
    EXPECT_EQ(CaretToByteOffset(row, 11, ws), 4);
    EXPECT_EQ(CaretToByteOffset(row, 40, ws), 4); // at most the row's length
    EXPECT_EQ(ByteOffsetToCaret(row, 3, ws), 10);
}

TEST(Rewrap, MarksFollowTheirLines) {
    TEditorScreenStrings s;
    s.SetWrapOption(WrapWidth(20));
    s.SetText(std::string(50, 'a') + "\r\nshort\r\n");
    s.PutRowMark(0, rm1);
    s.PutRowMark(1, rm12);
    s.SetWordWrap(true);
    ASSERT_EQ(s.Count(), 4);
    EXPECT_EQ(s.RowEndKind(0), reWrapped);
    EXPECT_EQ(s.ListRowMarks(0), RowMarkBit(rm1));
    EXPECT_EQ(s.ListRowMarks(3), RowMarkBit(rm12));
    s.PutRowMark(2, rm3); // last row of the long line
    s.SetWrapOption(WrapWidth(30));
    ASSERT_EQ(s.Count(), 3);
    // old row 2 of the line is beyond the new row count: its mark goes to the last new row
    EXPECT_EQ(s.ListRowMarks(1), RowMarkBit(rm3));
    s.SetWordWrap(false);
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.ListRowMarks(0), RowMarkBit(rm1) | RowMarkBit(rm3));
    EXPECT_EQ(s.Text(), std::string(50, 'a') + "\r\nshort\r\n");
}
