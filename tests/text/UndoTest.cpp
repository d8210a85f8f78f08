// Undo and redo: inverse records, caret positions, the list limit and the redo stack.
#include <gtest/gtest.h>

#include "../support/FakeEditor.h"

#include <random>

namespace {
// Types ch at the caret of a one-line text, as the editing control would.
void Type(TEditorScreenStrings& s, FakeEditor& ed, char ch) {
    std::string row(s.Count() ? s.RowText(ed.row) : "");
    row.insert(static_cast<size_t>(ed.col), 1, ch);
    ed.Edit(ed.row, s.Count() ? 1 : 0,
            row + (s.Count() && s.RowEndKind(ed.row) == reLineEnd ? "\r\n" : ""));
    ++ed.col;
}

struct Undo : StoreWithEditor, ::testing::Test {};
} // namespace

// Each step undone puts back the text and the caret it had; a redo keeps the rest of the redo
// stack, a new edit empties it. Re-wrapping with other options, switching word wrap and loading
// clear the history; setting the same options again keeps it.
TEST_F(Undo, StepsRestoreTextAndCaretAndANewEditEmptiesRedo) {
    s.SetText("x\r\n");
    ed.col = 1;
    for (char c : {'a', 'b', 'c'})
        Type(s, ed, c);
    ed.Undo();
    EXPECT_EQ(ed.col, 3);
    ed.Undo();
    ed.Undo();
    ed.Undo(); // nothing left: nothing happens
    EXPECT_EQ(s.Text(), "x\r\n");
    EXPECT_EQ(ed.col, 1);
    ed.Redo();
    EXPECT_EQ(s.Text(), "xa\r\n");
    EXPECT_EQ(ed.col, 2);
    EXPECT_TRUE(s.UndoObj().CanRedo());
    Type(s, ed, 'z');
    EXPECT_FALSE(s.UndoObj().CanRedo());
    EXPECT_EQ(s.Text(), "xaz\r\n");
    s.SetWordWrap(true);
    EXPECT_FALSE(s.UndoObj().CanUndo());
    Type(s, ed, 'e');
    s.SetWrapOption(WrapWidth(80)); // the options it has
    EXPECT_TRUE(s.UndoObj().CanUndo());
    s.SetWrapOption(WrapWidth(40));
    EXPECT_FALSE(s.UndoObj().CanUndo());
    Type(s, ed, 'f');
    s.SetText("new");
    EXPECT_FALSE(s.UndoObj().CanUndo());
}

// A row may end before a lone lead byte that later gets its trail byte; cutting the old text
// again would move that row end, so undo puts back the rows exactly as they were.
TEST_F(Undo, RestoresTheRowsAsTheyWereCut) {
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true);
    std::string original = std::string(19, 'a') + "\x8b";
    s.SetText(original);
    ASSERT_EQ(s.Count(), 2); // exactly full: an empty last row
    ed.Edit(2, 0, "\x84x");  // appended: the lead byte at the row end gets a trail byte
    ed.Edit(0, 0, "b");      // the whole line is cut again
    ed.Undo();
    EXPECT_EQ(s.Text(), original + "\x84x");
    ed.Undo();
    EXPECT_EQ(s.Text(), original);
    ed.Redo();
    ed.Redo();
    EXPECT_EQ(s.Text(), "b" + original + "\x84x");
}

// Random replacements on wrapped text with two-byte characters and tabs.
TEST_F(Undo, RandomEditsUndoAndRedoByteForByte) {
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
        ed.Edit(index, count, text);
        if (s.UndoObj().PushCount() != before) texts.push_back(s.Text());
    }
    const size_t steps = s.UndoObj().UndoList().size();
    ASSERT_EQ(steps + 1, texts.size());
    for (size_t k = steps; k > 0; --k) {
        ed.Undo();
        ASSERT_EQ(s.Text(), texts[k - 1]) << "undo back to step " << k - 1;
    }
    for (size_t k = 1; k <= steps; ++k) {
        ed.Redo();
        ASSERT_EQ(s.Text(), texts[k]) << "redo of step " << k;
    }
}
