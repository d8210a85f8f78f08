// Caret rules, typing, Return/Tab/Backspace/Delete, selection, box paste, indentation and undo
// steps of the editor core on the built-in row store, and the caret row as the input method sees
// it.
#include "editor/InputMethodText.h"
#include "syntax/SyntaxInstances.h"
#include "text/CharTable.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {
std::vector<std::string> RowsOf(const TEditorCore& e) {
    std::vector<std::string> v;
    for (int r = 0; r < e.Rows().RowCount(); ++r)
        v.emplace_back(e.Rows().RowText(r));
    return v;
}
using V = std::vector<std::string>;

// The rows in brackets and the caret: "[ab][c] 1,0".
std::string Shown(const TEditorCore& e) {
    std::string s;
    for (const std::string& r : RowsOf(e))
        s += "[" + r + "]";
    return s + " " + std::to_string(e.Row()) + "," + std::to_string(e.Col());
}

struct EditorTest : ::testing::Test {
    TEditorCore e;
    void Load(const std::string& text, int wrapByte = 0) {
        e.SetText(text);
        if (wrapByte) WrapAt(e, wrapByte);
    }
    void Ctrl(TEditorKey k) { e.KeyNavigate(k, false, true, false); }
    void Plain(TEditorKey k) { e.KeyNavigate(k, false, false, false); }
};
} // namespace

TEST_F(EditorTest, TypingPadsAndOverwritesWholeCharacters) {
    Load("ab\r\n");
    e.SetCaret(0, 4); // FreeCaret: beyond the end
    e.InsertTyped("x");
    EXPECT_EQ(Shown(e), "[ab  x] 0,5");

    Load(J("a漢字\r\n"));
    e.SetOverWrite(true);
    e.SetCaret(0, 0);
    e.InsertTyped("xy"); // replaces a and half of 漢: the rest becomes a space
    EXPECT_EQ(Shown(e), "[xy " + J("字") + "] 0,2");
    e.SetCaret(0, 3);
    e.InsertTyped(J("あ")); // 字 replaced whole
    EXPECT_EQ(RowsOf(e), (V{"xy " + J("あ")}));

    // Overwriting goes on into the next row of a wrapped line.
    Load(std::string(20, 'a') + "bcd\r\n", 20);
    e.SetOverWrite(true);
    e.SetCaret(0, 18);
    e.InsertTyped("XYZ");
    EXPECT_EQ(e.Text(), std::string(18, 'a') + "XYZcd\r\n");

    Load("abc");
    e.SetReadOnly(true);
    e.InsertTyped("z");
    EXPECT_EQ(RowsOf(e), (V{"abc"}));
}

TEST_F(EditorTest, ReturnIndents) {
    Load("    abc\r\n");
    e.Caret().SetAutoIndent(true);
    e.SetCaret(0, 6);
    e.KeyReturn(false);
    EXPECT_EQ(Shown(e), "[    ab][    c] 1,4");
    e.Caret().SetTabIndent(true);
    e.Caret().SetTabSpaceCount(2);
    e.SetCaret(1, 5);
    e.KeyReturn(false);
    EXPECT_EQ(RowsOf(e), (V{"    ab", "    c", "\t\t"}));
    // Shift+Return opens a line above the current one.
    e.SetCaret(0, 2);
    e.KeyReturn(true); // the caret inside the indentation limits it to its column
    EXPECT_EQ(Shown(e), "[\t][    ab][    c][\t\t] 0,2");

    // The indentation of the nearest row above that has text; at [EOF] a line of its own.
    Load("  a\r\n\r\n");
    e.Caret().SetTabIndent(false);
    e.Caret().SetPrevSpaceIndent(true);
    e.SetCaret(1, 0);
    e.KeyReturn(false);
    EXPECT_EQ(RowsOf(e), (V{"  a", "", "  "}));
    e.SetCaret(3, 0);
    e.KeyReturn(false);
    EXPECT_EQ(e.Text(), "  a\r\n\r\n  \r\n\r\n");
    EXPECT_EQ(e.Row(), 4);
}

TEST_F(EditorTest, TabInsertsOrMovesBackspaceUnIndents) {
    Load("abc\r\n");
    e.SetCaret(0, 3);
    e.Caret().SetSoftTab(true);
    e.KeyTab();
    EXPECT_EQ(RowsOf(e), (V{"abc     "}));
    e.Caret().SetSoftTab(false);
    e.SetCaret(0, 0);
    e.KeyTab();
    EXPECT_EQ(RowsOf(e), (V{"\tabc     "}));
    e.SetOverWrite(true);
    e.SetCaret(0, 9);
    e.KeyTab();
    EXPECT_EQ(e.Col(), 16);

    // Backspace in the indentation goes back to the indentation of the rows above.
    Load("    a\r\n        b\r\n");
    e.SetOverWrite(false);
    e.Caret().SetBackSpaceUnIndent(true);
    e.SetCaret(1, 8);
    e.KeyBackspace();
    EXPECT_EQ(CaretOf(e), RC(1, 4));
    e.KeyBackspace();
    EXPECT_EQ(Shown(e), "[    a][b] 1,0");
}

// Backspace and Delete at a caret, each on a fresh editor: the text after the key and, where it
// matters, the caret's column.
TEST(EditorKeys, BackspaceAndDeleteRules) {
    const auto bs = &TEditorCore::KeyBackspace, del = &TEditorCore::KeyDelete;
    struct Case {
        const char* what;
        std::string text;
        int wrapByte, row, col;
        void (TEditorCore::*key)();
        std::string after;
        int colAfter;
    } cases[] = {
        // 19 a's fill columns 0..18; 漢 does not fit at 19 and starts the next row.
        {"column 0 of a continuation row deletes the last character above, not a line end",
         std::string(19, 'a') + J("漢") + "b\r\n", 20, 1, 0, bs,
         std::string(18, 'a') + J("漢") + "b\r\n", -1},
        {"column 0 joins the line above", "ab\r\ncd\r\n", 0, 1, 0, bs, "abcd\r\n", 2},
        {"past the row end", "abcd\r\n", 0, 0, 4, bs, "abc\r\n", 3},
        {"a two-byte character goes whole", J("x漢") + "\r\n", 0, 0, 3, bs, "x\r\n", 1},
        {"at [EOF] the final line end goes", "a\r\n", 0, 1, 0, bs, "a", -1},
        {"past the row end pads and joins", "ab\r\ncd\r\n", 0, 0, 5, del, "ab   cd\r\n", 5},
        {"the end of a text without a line end", "ab", 0, 0, 2, del, "ab", 2},
        {"the first character", "ab", 0, 0, 0, del, "b", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TEditorCore e;
        e.SetText(c.text);
        if (c.wrapByte) WrapAt(e, c.wrapByte);
        e.SetCaret(c.row, c.col);
        (e.*c.key)();
        EXPECT_EQ(e.Text(), c.after);
        if (c.colAfter >= 0) {
            EXPECT_EQ(e.Col(), c.colAfter);
        }
    }
}

TEST_F(EditorTest, BoxSelectionEdges) {
    Load(J("xyzw\r\na漢b\r\nabc漢d\r\n"));
    e.SetSelectionMode(smBox);
    Select(e, 2, 2, 0, 4);
    // Columns 2..3: on row 1 漢 (1..2) straddles the left edge and is left out; on row 2 漢
    // (3..4) straddles the right edge and is taken whole.
    EXPECT_EQ(RC(e.RowSelection(1).Start, e.RowSelection(1).End), RC(3, 4));
    EXPECT_EQ(RC(e.RowSelection(2).Start, e.RowSelection(2).End), RC(2, 5));
    bool box = false;
    EXPECT_EQ(e.CopyText(box), "zw\r\nb\r\n" + J("c漢") + "\r\n");
    EXPECT_TRUE(box);
    EXPECT_EQ(e.SelLength(), 2 + 1 + 3 + 3 * 2);
    e.DeleteSelection();
    EXPECT_EQ(Shown(e), "[xy][" + J("a漢") + "][abd] 0,2");
    e.Undo();
    EXPECT_EQ(RowsOf(e), (V{"xyzw", J("a漢b"), J("abc漢d")}));

    // Pasted beyond the last row: the rows are made, padded, and the whole paste is one step.
    Load("abc");
    e.SetCaret(0, 10);
    e.SetSelTextBox("111\r\n222\r\n333\r\n");
    EXPECT_EQ(Shown(e), "[abc       111][          222][          333] 2,13");
    EXPECT_EQ(e.Rows().RowEndKind(2), reTextEnd);
    e.Undo();
    EXPECT_EQ(e.Text(), "abc");
}

TEST_F(EditorTest, IndentCommands) {
    Load("a\r\n  b\r\nc\r\n");
    Select(e, 0, 0, 2, 0); // ends at column 0 of row 2: row 2 is left alone
    e.IndentLines();
    EXPECT_EQ(RowsOf(e), (V{" a", "   b", "c"}));
    e.UnIndentLines();
    e.UnIndentLines();
    EXPECT_EQ(RowsOf(e), (V{"a", " b", "c"}));
    e.TabIndentLines();
    EXPECT_EQ(RowsOf(e), (V{"\ta", "\t b", "c"}));
    e.TabUnIndentLines();
    EXPECT_EQ(RowsOf(e), (V{"a", "\tb", "c"})); // 8 -> 0 and 9 -> 8 columns
}

TEST_F(EditorTest, NavigationKeys) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    Load(text);
    e.SetVisibleArea(21, 80);
    e.SetCaret(5, 0);
    Plain(TEditorKey::PageDown);
    EXPECT_EQ(RC(e.TopRow(), e.Row()), RC(20, 25)); // (21 - 1) div 2 x 2 rows
    Plain(TEditorKey::PageUp);
    EXPECT_EQ(RC(e.TopRow(), e.Row()), RC(0, 5));
    Ctrl(TEditorKey::End);
    EXPECT_EQ(e.Row(), 100);
    Ctrl(TEditorKey::Home);
    EXPECT_EQ(e.Row(), 0);
    // Word right: past "3", then to the row end, then to the next row; word left goes back.
    e.SetCaret(3, 0);
    std::vector<RC> stops;
    for (TEditorKey k :
         {TEditorKey::Right, TEditorKey::Right, TEditorKey::Right, TEditorKey::Left}) {
        Ctrl(k);
        stops.push_back(CaretOf(e));
    }
    EXPECT_EQ(stops, (std::vector<RC>{{3, 5}, {3, 6}, {4, 0}, {3, 6}}));
}

TEST_F(EditorTest, DeleteRowAndSelectionModeChange) {
    Load("a\r\nb\r\nc");
    e.DeleteRow(2);
    EXPECT_EQ(e.Text(), "a\r\nb\r\n");
    EXPECT_EQ(e.Row(), 1);
    e.MouseDragging = true; // no mode change in the middle of a drag
    EXPECT_FALSE(e.SetSelectionMode(smBox));
}

TEST_F(EditorTest, CaretSelStartAndHitsOnWrappedRows) {
    Load(std::string(30, 'a') + "\r\nbbb\r\n", 20);
    ASSERT_EQ(RowsOf(e), (V{std::string(20, 'a'), std::string(10, 'a'), "bbb"}));
    // The caret never stands after the last character of a wrapped row.
    e.SetCaret(0, 19);
    Plain(TEditorKey::Right);
    EXPECT_EQ(CaretOf(e), RC(1, 0));
    Plain(TEditorKey::Left);
    EXPECT_EQ(CaretOf(e), RC(0, 19));
    e.SetSelStart(20); // exactly the end of a wrapped row: the start of the next row
    EXPECT_EQ(CaretOf(e), RC(1, 0));
    e.SetSelStart(33);
    EXPECT_EQ(CaretOf(e), RC(2, 1));
    EXPECT_EQ(e.SelStart(), 33);
    e.SetHitStyle(hsDraw);
    e.ShowHit(18, 4); // a hit crossing the wrap
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(e.HitSelLength(), 4);
    EXPECT_EQ(RC(e.RowHit(0).Start, e.RowHit(0).End), RC(18, 20));
    EXPECT_EQ(e.RowHit(1).End, 2);
    e.SetHitStyle(hsSelect);
    e.ShowHit(32, 3); // shown as a selection
    EXPECT_EQ(e.SelText(), "bbb");
}

// A new wrap width keeps the caret, the selection, the hit and the view on their text, in this
// editor and in the other half of a split page; switching wrap off and on does too.
TEST(EditorWrapChange, CaretSelectionAndTopRowKeepTheirTextPositions) {
    std::string text;
    for (int line = 0; line < 60; ++line)
        text += std::string(50, static_cast<char>('a' + line % 26)) + "\r\n";
    TEditorCore a;
    a.SetText(text);
    TEditorCore b(a.SharedStore());
    WrapAt(a, 20);
    ASSERT_EQ(a.Rows().RowCount(), 180);
    a.SetVisibleArea(10, 40);
    b.SetVisibleArea(10, 40);
    Select(a, 100, 3, 100, 15); // line 33, bytes 43..55 of it
    const int64_t caret = a.CaretOffset() + a.Rows().TextPos(a.Row());
    const std::string selected = a.SelText();
    a.SetTopRow(98);
    b.SetCaret(20, 7); // line 6, byte 47
    b.SetHitStyle(hsDraw);
    b.ShowHit(b.PosOf(20, 7), 2);
    const int64_t bCaret = b.PosOf(20, 7);
    for (int width : {37, 80, -1, 20}) {
        SCOPED_TRACE(width);
        const int64_t top = a.Rows().TextPos(a.TopRow()); // the new top row holds it
        if (width < 0)
            a.SetWordWrap(false);
        else if (!a.GetWordWrap())
            WrapAt(a, width);
        else {
            TEditorWrapOption w;
            w.SetWrapByte(width);
            a.SetWrapOption(w);
        }
        EXPECT_EQ(a.PosOf(a.Row(), a.Col()), caret);
        EXPECT_EQ(a.SelText(), selected);
        const int t = a.TopRow();
        EXPECT_TRUE(a.Rows().TextPos(t) <= top && top < a.Rows().TextPos(t + 1));
        EXPECT_TRUE(a.Row() >= t && a.Row() < t + a.VisibleRows());
        EXPECT_EQ(b.PosOf(b.Row(), b.Col()), bCaret);
        EXPECT_EQ(b.HitSelLength(), 2);
    }
    // A large text re-wraps in the background: a types over its selection meanwhile, and its
    // caret and top row and b's caret are where the text put them when the new rows come.
    TEditorScreenStrings& store = *a.SharedStore();
    store.BackgroundRewrapBytes = 0;
    store.PostToOwnThread = [](std::function<void()>) {}; // swapped in below instead
    TEditorWrapOption w;
    w.SetWrapByte(33);
    a.SetWrapOption(w);
    ASSERT_TRUE(store.RewrapPending());
    a.InsertTyped("xyz");
    const int64_t typed = a.PosOf(a.Row(), a.Col());
    const int64_t top = a.Rows().TextPos(a.TopRow());
    store.FinishRewrap();
    EXPECT_EQ(store.WrapSettings().WrapByte, 33);
    EXPECT_EQ(a.PosOf(a.Row(), a.Col()), typed);
    EXPECT_EQ(a.Rows().Text().substr(static_cast<size_t>(typed) - 3, 3), "xyz");
    EXPECT_TRUE(a.Rows().TextPos(a.TopRow()) <= top && top < a.Rows().TextPos(a.TopRow() + 1));
    EXPECT_EQ(b.PosOf(b.Row(), b.Col()), bCaret);
}

TEST_F(EditorTest, DropSelectionMovesOrCopies) {
    Load("hello world\r\n");
    Select(e, 0, 0, 0, 5);
    EXPECT_FALSE(e.DropSelection(0, 2, false)); // inside the selection: nothing
    EXPECT_TRUE(e.DropSelection(0, 11, true));  // moving is the gestures' test
    EXPECT_EQ(RowsOf(e), (V{"hello worldhello"}));
    e.SetReadOnly(true);
    e.SelectAll();
    EXPECT_FALSE(e.DropSelection(1, 0, true));
}

TEST(EditorSplit, TwoEditorsShareOneRowStore) {
    TEditorCore a;
    a.SetText("one\r\ntwo\r\nthree\r\n");
    TEditorCore b(a.SharedStore());
    int repaints = 0;
    b.Events.InvalidateAll = [&] { ++repaints; };
    b.SetCaret(2, 5);
    a.SetCaret(0, 3);
    a.InsertTyped("!");
    EXPECT_EQ(b.Text(), "one!\r\ntwo\r\nthree\r\n");
    EXPECT_GE(repaints, 1);
    a.SelectAll();
    a.DeleteSelection(); // b's caret must come back inside the text
    EXPECT_LE(b.Row(), b.MaxRow());
    a.Undo(); // undo history is shared
    EXPECT_EQ(b.Text(), "one!\r\ntwo\r\nthree\r\n");
    // The editor that undoes goes where the undone edit was made, whichever editor made it.
    a.SetCaret(1, 1);
    a.InsertTyped("?");
    b.SetCaret(0, 0);
    b.Undo();
    EXPECT_EQ(b.Text(), "one!\r\ntwo\r\nthree\r\n");
    EXPECT_EQ((TEditorPos{b.Row(), b.Col()}), (TEditorPos{1, 1}));
    // Parser states are computed as far as the lower of the two views shows.
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "x\r\n";
    a.SetVisibleArea(10, 40);
    b.SetVisibleArea(10, 40);
    b.SetText(many);
    b.SetTopRow(200);
    a.SetText(many);
    EXPECT_GE(a.Rows().ParsedLimit(), 220);
}

// A jump far below the rows whose states are computed paints at once with states guessed from
// the rows just above; queued slices walk the rows in between, and the view repaints with the
// exact states when they reach it.
TEST(EditorColouring, AFarJumpPaintsAtOnceAndTheSlicesCorrectIt) {
    const auto html = CreateHTMLFountain1();
    TEditorCore e;
    std::vector<std::function<void()>> queue;
    TEditorScreenStrings& store = *e.SharedStore();
    store.RunWhenIdle = [&](std::function<void()> f) { queue.push_back(std::move(f)); };
    store.SyncParseBytes = 1000;
    store.ParseSliceBytes = 4000;
    e.SetFountain(html.get());
    e.SetVisibleArea(10, 40);
    std::string text = "<!--\r\n"; // a comment open over every row below
    for (int i = 0; i < 2000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    e.SetText(text);
    std::vector<int> repainted; // rows the view was told to repaint
    e.Events.InvalidateRows = [&](int first, int last) {
        for (int r = first; r <= (last < 0 ? e.Rows().RowCount() - 1 : last); ++r)
            repainted.push_back(r);
    };
    e.SetTopRow(1900);
    repainted.clear();
    EXPECT_EQ(e.Coloring().StateOf(1905).BracketIndex, -1);
    EXPECT_EQ(e.Coloring().StateOf(1906).BracketIndex, -1);
    EXPECT_LT(e.Rows().ParsedLimit(), 100) << "painting waited for the rows above";
    ASSERT_FALSE(queue.empty());
    while (!queue.empty()) {
        auto f = std::move(queue.front());
        queue.erase(queue.begin());
        f();
    }
    for (int r : {1905, 1906})
        EXPECT_EQ(std::count(repainted.begin(), repainted.end(), r), 1) << r;
    EXPECT_EQ(e.Coloring().StateOf(1905).BracketIndex, 0);
    EXPECT_EQ(e.Coloring().StateOf(1906).BracketIndex, 0);
    EXPECT_LE(e.Rows().ParsedLimit(), 1907) << "the slices walk only as far as painting asked";
    // A new colouring walks afresh only the rows near the top; a command (a word movement)
    // reads the true state at once.
    store.InitBrackets();
    EXPECT_LT(e.Rows().ParsedLimit(), 200);
    EXPECT_EQ(e.Coloring().StateOf(1905).BracketIndex, -1);
    EXPECT_EQ(e.Coloring().StateOf(1905, true).BracketIndex, 0);
}

TEST(InputMethodText, TheCaretCountsUtf16UnitsOfTheCaretRowOnly) {
    TCharTable table;
    const unsigned emoji = table.CodeFor(U'\U0001F600'); // two bytes here, two units in UTF-16
    const std::string own{static_cast<char>(emoji >> 8), static_cast<char>(emoji & 0xFF)};
    TEditorCore c;
    c.SetText("first\r\n" + J("aあ") + own + "b\r\n");
    c.SetCaret(1, 5);
    const TImeRowText t = ImeRowText(c, &table);
    EXPECT_EQ(t.Text, u"aあ😀b");
    EXPECT_EQ(t.Cursor, 4);
    c.SetCaret(0, 2);
    EXPECT_EQ(ImeRowText(c, nullptr).Text, u"first");
    EXPECT_EQ(ImeRowText(c, nullptr).Cursor, 2);
    // A selection in the row gives the anchor and the selected text (reconversion).
    SelectRowUnits(c, &table, 1, 3);
    const TImeRowText s = ImeRowText(c, nullptr);
    EXPECT_EQ(std::tuple(s.Cursor, s.Anchor, s.Selection), std::tuple(3, 1, std::u16string(u"ir")));
    c.SetCaret(1, 0);
    SelectRowUnits(c, &table, 1, 3); // units to whole characters: "あ" and the own character
    const TImeRowText u = ImeRowText(c, &table);
    EXPECT_EQ(std::tuple(u.Anchor, u.Cursor, u.Selection),
              std::tuple(1, 4, std::u16string(u"あ😀")));
}
