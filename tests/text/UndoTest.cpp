// Undo and redo: inverse records, caret positions, the list limit and the redo stack.
#include <gtest/gtest.h>

#include "text/RowStore.h"

#include <algorithm>
#include <iterator>
#include <random>

namespace {
// Wrap options with the given width and the default character sets.
TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}

struct Editor : TScreenStringsClient {
    int row = 0, col = 0;
    int changes = 0;
    int CaretRow() const override { return row; }
    int CaretCol() const override { return col; }
    void SetCaretPos(int r, int c) override {
        row = r;
        col = c;
    }
    void ListUpdated(const TUpdateInfo& u) override { changes += u.TextChanged; }
};

// Types ch at the caret of a one-line text, as the editing control would.
void Type(TEditorScreenStrings& s, Editor& ed, char ch) {
    if (s.Count() == 0) {
        s.UpdateList(0, 0, std::string(1, ch));
        ed.col = 1;
        return;
    }
    std::string row(s.RowText(ed.row));
    row.insert(static_cast<size_t>(ed.col), 1, ch);
    s.UpdateList(ed.row, 1, row + (s.RowEndKind(ed.row) == reLineEnd ? "\r\n" : ""));
    ++ed.col;
}
} // namespace

TEST(Undo, ThreeKeysThreeStepsWithCarets) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetText("x\r\n");
    ed.col = 1;
    Type(s, ed, 'a');
    Type(s, ed, 'b');
    Type(s, ed, 'c');
    EXPECT_EQ(s.Text(), "xabc\r\n");
    EXPECT_EQ(ed.changes, 4); // SetText and three keys
    s.Undo();
    EXPECT_EQ(s.Text(), "xab\r\n");
    EXPECT_EQ(ed.col, 3); // where the caret stood before the undone step
    s.Undo();
    s.Undo();
    EXPECT_EQ(s.Text(), "x\r\n");
    EXPECT_EQ(ed.col, 1);
    EXPECT_FALSE(s.UndoObj().CanUndo());
    s.Undo(); // nothing left: nothing happens
    EXPECT_EQ(s.Text(), "x\r\n");
    s.Redo();
    EXPECT_EQ(s.Text(), "xa\r\n");
    EXPECT_EQ(ed.col, 2); // the caret as it stood before the step was undone
    s.Redo();
    s.Redo();
    EXPECT_EQ(s.Text(), "xabc\r\n");
    EXPECT_FALSE(s.UndoObj().CanRedo());
    EXPECT_EQ(s.UndoObj().UndoList().size(), 3u);
    s.Detach(&ed);
}

TEST(Undo, NewEditEmptiesRedoButRedoDoesNot) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetText("");
    Type(s, ed, 'a');
    Type(s, ed, 'b');
    s.Undo();
    s.Undo();
    s.Redo();
    EXPECT_TRUE(s.UndoObj().CanRedo()); // a redo keeps the rest of the redo stack
    ed.col = 1;
    Type(s, ed, 'z');
    EXPECT_FALSE(s.UndoObj().CanRedo());
    EXPECT_EQ(s.Text(), "az");
    s.Detach(&ed);
}

TEST(Undo, ListMaxKeepsTheLast64) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.UndoObj().SetListMax(10);
    EXPECT_EQ(s.UndoObj().ListMax(), 64);
    s.SetText("");
    for (int i = 0; i < 65; ++i)
        Type(s, ed, static_cast<char>('A' + i % 26));
    int steps = 0;
    while (s.UndoObj().CanUndo()) {
        s.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 64);
    EXPECT_EQ(s.Text(), "A"); // the first edit cannot be undone
    s.Detach(&ed);
}

TEST(Undo, HistoryClearedByWrapChangeAndLoading) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetText("abc");
    ed.col = 3;
    Type(s, ed, 'd');
    s.SetWordWrap(true);
    EXPECT_FALSE(s.UndoObj().CanUndo());
    s.Undo();
    EXPECT_EQ(s.Text(), "abcd");
    Type(s, ed, 'e');
    s.SetWrapOption(WrapWidth(40));
    EXPECT_FALSE(s.UndoObj().CanUndo());
    Type(s, ed, 'f');
    s.SetText("new");
    EXPECT_FALSE(s.UndoObj().CanUndo());
    s.Detach(&ed);
}

TEST(Undo, RestoresWrappedLinesAndDeletions) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true);
    std::string original = std::string(45, 'a') + "\r\n" + std::string(20, 'b') + "\r\nend";
    s.SetText(original);
    ASSERT_EQ(s.Count(), 6);
    s.UpdateList(1, 1, "X");         // middle of a wrapped line
    s.UpdateList(0, 3, "");          // the whole first line
    s.UpdateList(s.Count(), 0, "!"); // after the last line
    s.UpdateList(0, 0, "top\r\n");   // before the first row
    std::vector<std::string> texts;
    while (s.UndoObj().CanUndo()) {
        texts.push_back(s.Text());
        s.Undo();
    }
    EXPECT_EQ(s.Text(), original);
    EXPECT_EQ(s.Count(), 6);
    while (s.UndoObj().CanRedo()) {
        s.Redo();
        EXPECT_EQ(s.Text(), texts.back());
        texts.pop_back();
    }
    s.Detach(&ed);
}

// A row may end before a lone lead byte that later gets its trail byte; cutting the old text
// again would move that row end, so undo puts back the rows exactly as they were.
TEST(Undo, RestoresTheRowsAsTheyWereCut) {
    TEditorScreenStrings s;
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true);
    std::string original = std::string(19, 'a') + "\x8b";
    s.SetText(original);
    ASSERT_EQ(s.Count(), 2);     // exactly full: an empty last row
    s.UpdateList(2, 0, "\x84x"); // appended: the lead byte at the row end gets a trail byte
    s.UpdateList(0, 0, "b");     // the whole line is cut again
    s.Undo();
    EXPECT_EQ(s.Text(), original + "\x84x");
    s.Undo();
    EXPECT_EQ(s.Text(), original);
    s.Redo();
    s.Redo();
    EXPECT_EQ(s.Text(), "b" + original + "\x84x");
}

// Random replacements on wrapped text with two-byte characters and tabs, then every step undone
// and redone: each undo gives back the text before its step, byte for byte.
TEST(Undo, RandomEditsUndoAndRedoByteForByte) {
    TEditorScreenStrings s;
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true);
    s.SetText("start\r\n");
    s.UndoObj().SetListMax(1000);
    std::mt19937 rng(7);
    const std::string pieces[] = {"a", "\x82\xa0", "\t", "\r\n", "\x82", "word ", ""};
    std::vector<std::string> texts{s.Text()};
    for (int step = 0; step < 300; ++step) {
        const int n = s.Count();
        const int index = static_cast<int>(rng() % static_cast<unsigned>(n + 1));
        const int count = std::min(n - index, static_cast<int>(rng() % 3));
        std::string text;
        for (int k = static_cast<int>(rng() % 6); k > 0; --k)
            text += pieces[rng() % std::size(pieces)];
        const uint64_t before = s.UndoObj().PushCount();
        s.UpdateList(index, count, text);
        if (s.UndoObj().PushCount() != before) texts.push_back(s.Text());
    }
    const size_t steps = s.UndoObj().UndoList().size();
    ASSERT_EQ(steps + 1, texts.size());
    for (size_t k = steps; k > 0; --k) {
        s.Undo();
        ASSERT_EQ(s.Text(), texts[k - 1]) << "undo back to step " << k - 1;
    }
    for (size_t k = 1; k <= steps; ++k) {
        s.Redo();
        ASSERT_EQ(s.Text(), texts[k]) << "redo of step " << k;
    }
}
