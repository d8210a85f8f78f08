// Word wrap: column maps, the row cut with its Japanese line-breaking rules, caret columns.
#include <gtest/gtest.h>

#include "platform/Cp932.h"
#include "text/LineBreaking.h"

#include "../support/FakeEditor.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace {
std::string J(const char* utf8) {
    return Utf8ToCp932(utf8);
}

TWrapSettings Wrap(int width, bool wordWrap = true) {
    return TWrapSettings(WrapWidth(width), wordWrap, 8);
}

using Rows = std::vector<std::string>;

// Rows of one text as "text|kind" pairs (kind L = line end, W = wrapped).
Rows Cut(std::string_view text, const TWrapSettings& ws) {
    std::vector<TWrapRow> rows;
    StrToWrapList(text, ws, rows);
    Rows out;
    for (const TWrapRow& r : rows)
        out.push_back(std::string(text.substr(r.Start, r.Length)) + "|" + "LWT"[r.RowEnd]);
    return out;
}
} // namespace

// The rows of a cut, one rule at a time: W WordBreak, P FollowPunctuation, L Leading, R
// FollowRetMark, N no word wrap (with rows of at most 5 bytes).
TEST(WrapCut, RowsOfEachRule) {
    const std::string a10(10, 'a'), a18(18, 'a'), a19(19, 'a'), a20(20, 'a'), w40(40, 'w');
    struct Case {
        char rule;
        int width;
        std::string text;
        Rows rows;
    };
    const Case cases[] = {
        // A row exactly full is followed by an empty one, unless FollowRetMark; a two-byte
        // character is never split.
        {' ', 20, a20, {a20 + "|W", "|L"}},
        {' ', 20, a19 + J("漢字"), {a19 + "|W", J("漢字") + "|L"}},
        {' ', 20, a20 + a20 + "aaaaa", {a20 + "|W", a20 + "|W", "aaaaa|L"}},
        {'R', 20, a20, {a20 + "|L"}},
        {'R', 20, a19, {a19 + "|L"}},
        {'R', 20, "", {"|L"}},
        // Without word wrap lines end at their line ends, and a long line continues on rows.
        {'N', 20, "ab\r\ncd\re\n", {"ab|L", "cd|L", "e|L"}},
        {'N', 20, "ab" + J("あい") + "z", {"ab" + J("あ") + "|W", J("い") + "z|L"}},
        // A word goes to the next row whole, unless it is longer than the row.
        {'W', 20, "hello world, a wrapped line", {"hello world, a |W", "wrapped line|L"}},
        {'W', 30, w40, {std::string(10, 'w') + "|W", std::string(30, 'w') + "|W", "|L"}},
        {' ', 30, w40, {std::string(30, 'w') + "|W", std::string(10, 'w') + "|L"}},
        // "。" hangs past the width, at most to WrapByte + 3 columns.
        {'P', 20, a20 + J("。") + "bc", {a20 + J("。") + "|W", "bc|L"}},
        {'P', 20, a20 + "...x", {a20 + "..|W", ".x|L"}},
        // "「" in columns 19-20 begins the next row; a row never gives up more than a fifth; a
        // character of FollowStr takes the character before it along.
        {'L', 20, a18 + J("「") + "bc", {a18 + "|W", J("「") + "bc|L"}},
        {'L', 20, a10 + J("「「「「「「") + "b", {a10 + J("「「「") + "|W", J("「「「") + "b|L"}},
        {'L', 20, a19 + "b" + J("」") + "c", {a19 + "|W", "b" + J("」") + "c|L"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TWrapSettings ws = Wrap(c.width, c.rule != 'N');
        ws.WordBreak = c.rule == 'W';
        ws.FollowPunctuation = c.rule == 'P';
        ws.Leading = c.rule == 'L';
        ws.FollowRetMark = c.rule == 'R';
        ws.MaxRowBytes = 5;
        const Rows rows = Cut(c.text, ws);
        EXPECT_EQ(rows, c.rows);
        if (c.text.find_first_of("\r\n") == std::string::npos) {
            EXPECT_EQ(WrapCount(c.text, ws), static_cast<int>(rows.size()));
        }
    }
}

TEST(CaretColumn, ColumnMapAndRules) {
    TWrapSettings ws = Wrap(20);
    TCaretColumnOptions opt;
    int rem = -1;
    const std::string row = "a" + J("あ") + "\tb";
    // Column classes: 1 single byte, 2 delimiter, 3 tab filler, 4 and 5 a two-byte character. A
    // tab stops at the wrap width before its tab stop; a lone lead byte at the end is one column.
    EXPECT_EQ(ColumnMap(row + " _\xb1", ws), "145233331211");
    EXPECT_EQ(ColumnMap(std::string(18, 'a') + "\tb\x82", ws).substr(18), "2311");
    // Maps stop after WrapByte + 3 columns or 1000 without wrap.
    EXPECT_EQ(ColumnMap(std::string(500, 'a'), ws).size(), 23u);
    EXPECT_EQ(ColumnMap(std::string(1500, 'a'), Wrap(20, false)).size(), 1000u);
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
    // columns above 1000 without wrap
    EXPECT_EQ(CaretColumn("abc", reLineEnd, Wrap(20, false), opt, 5000, +1, false, rem), 1000);
    // Columns and byte offsets, at most the row's length.
    for (auto [col, offset] : {std::pair{1, 1}, {3, 3}, {8, 4}, {40, 5}})
        EXPECT_EQ(CaretToByteOffset(row, col, ws), offset) << col;
    EXPECT_EQ(ByteOffsetToCaret(row, 4, ws), 8);
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

    // A text of several parts (more than 64 blocks of rows) with tabs, edited lines whose rows
    // lie apart and a mark on a line that crosses a block: re-wrapped on every core, the same
    // rows as the same text cut afresh.
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += std::string(static_cast<size_t>(i % 97), static_cast<char>('a' + i % 26)) +
                (i % 7 == 0 ? "\tx" : "") + "\r\n";
    TEditorScreenStrings big, fresh;
    for (TEditorScreenStrings* t : {&big, &fresh}) {
        t->SetWrapOption(WrapWidth(30));
        t->SetWordWrap(true);
    }
    big.SetText(text);
    ASSERT_GT(big.Count(), 70 * TRowTable::BlockRows);
    for (int line : {5, 20000, 39999}) {
        const int r = big.LineToRow(line);
        big.UpdateList(r, big.RowEnd(r) - r + 1, std::string(70, 'e') + "\r\n");
    }
    int crossing = TRowTable::BlockRows * 70 - 1;
    while (big.RowEndKind(crossing) != reWrapped)
        --crossing;
    big.PutRowMark(crossing + 1, rm5);
    const int64_t marked = big.TextPos(crossing + 1);
    big.SetWrapOption(WrapWidth(45));
    fresh.SetWrapOption(WrapWidth(45));
    fresh.SetText(big.Text());
    ASSERT_EQ(big.Count(), fresh.Count());
    int differ = 0;
    for (int r = 0; r < big.Count(); ++r)
        differ += big.RowText(r) != fresh.RowText(r) || big.RowEndKind(r) != fresh.RowEndKind(r);
    EXPECT_EQ(differ, 0);
    const int m = big.RowOfMark(rm5);
    EXPECT_EQ(big.RowStart(m), big.RowStart(big.RowOfTextPos(marked)));
}

// A re-wrap in the background: the rows keep their wrap and take edits until the queued call
// swaps the new rows in, the lines edited meanwhile cut again (or, after edits far apart, the
// whole text again); a second change ends with its settings; a new text and the store's end
// drop a running re-wrap, and its queued call then does nothing.
TEST(Rewrap, InTheBackgroundWithEditsMeanwhile) {
    struct Queue {
        std::mutex m;
        std::condition_variable cv;
        std::deque<std::function<void()>> calls;
        void RunNext() {
            std::unique_lock lock(m);
            cv.wait(lock, [this] { return !calls.empty(); });
            std::function<void()> f = std::move(calls.front());
            calls.pop_front();
            lock.unlock();
            f();
        }
    };
    auto queue = std::make_shared<Queue>();
    auto post = [queue](std::function<void()> f) {
        std::lock_guard lock(queue->m);
        queue->calls.push_back(std::move(f));
        queue->cv.notify_one();
    };
    std::string text;
    for (int i = 0; i < 60000; ++i)
        text += std::string(static_cast<size_t>(i % 97), static_cast<char>('a' + i % 26)) +
                (i % 7 == 0 ? "\tx" : "") + "\r\n";
    auto s = std::make_unique<TEditorScreenStrings>();
    s->BackgroundRewrapBytes = 0;
    s->PostToOwnThread = post;
    s->SetWrapOption(WrapWidth(30));
    s->SetWordWrap(true);
    s->SetText(text);
    auto sameAsFresh = [&](int width) {
        TEditorScreenStrings fresh;
        fresh.SetWrapOption(WrapWidth(width));
        fresh.SetWordWrap(true);
        fresh.SetText(s->Text());
        if (s->Count() != fresh.Count()) return false;
        for (int r = 0; r < s->Count(); ++r)
            if (s->RowText(r) != fresh.RowText(r) || s->RowEndKind(r) != fresh.RowEndKind(r))
                return false;
        return s->WrapSettings().WrapByte == width;
    };

    // Edits near each other in the middle, a mark on a line's second row, undo of one of them.
    s->SetWrapOption(WrapWidth(45));
    ASSERT_TRUE(s->RewrapPending());
    EXPECT_EQ(s->WrapSettings().WrapByte, 30);
    int r = s->LineToRow(20000);
    s->UpdateList(r, 0, "typed\r\n");
    r = s->LineToRow(20003);
    s->UpdateList(r, 1, std::string(80, 'k'));
    s->UpdateList(s->LineToRow(20004), 0, "undone");
    ASSERT_TRUE(s->Undo());
    const int marked = s->LineToRow(20002) + 1;
    s->PutRowMark(marked, rm5);
    const int64_t markedAt = s->TextPos(marked);
    const std::string edited = s->Text();
    queue->RunNext();
    EXPECT_FALSE(s->RewrapPending());
    EXPECT_EQ(s->Text(), edited);
    EXPECT_TRUE(sameAsFresh(45));
    EXPECT_EQ(s->RowStart(s->RowOfMark(rm5)), s->RowStart(s->RowOfTextPos(markedAt)));
    EXPECT_FALSE(s->UndoObj().CanUndo());

    // A second change drops the first; edits at the start and the end start it again.
    s->SetWrapOption(WrapWidth(25));
    s->UpdateList(0, 0, "head ");
    s->SetWrapOption(WrapWidth(40));
    s->UpdateList(s->Count(), 0, "tail");
    s->UpdateList(s->LineToRow(2), 1, "");
    const std::string twice = s->Text();
    while (s->RewrapPending())
        queue->RunNext();
    EXPECT_EQ(s->Text(), twice);
    EXPECT_TRUE(sameAsFresh(40));

    // Back to the rows' own settings: nothing runs. A large and a small text deleted whole
    // meanwhile: the empty text takes the settings. A new text is cut as asked.
    s->SetWrapOption(WrapWidth(60));
    s->SetWrapOption(WrapWidth(40));
    EXPECT_FALSE(s->RewrapPending());
    for (int width : {35, 36}) {
        if (width == 36) s->SetText("a short line\r\nand one more");
        s->SetWrapOption(WrapWidth(width));
        s->UpdateList(0, s->Count(), "");
        while (s->RewrapPending())
            queue->RunNext();
        EXPECT_EQ(std::pair(s->Count(), s->WrapSettings().WrapByte), std::pair(0, width));
    }
    s->SetWrapOption(WrapWidth(50));
    s->SetText(text);
    EXPECT_FALSE(s->RewrapPending());
    EXPECT_TRUE(sameAsFresh(50));

    // The store goes while it re-wraps: its workers stop, the queued call finds nothing.
    s->SetWrapOption(WrapWidth(20));
    s.reset();
    std::lock_guard lock(queue->m);
    for (std::function<void()>& f : queue->calls)
        f();
}
