// Character offsets and text changes as assistive technology sees the text.
#include "editor/CharOffsets.h"

#include "../support/EditorCoreHelpers.h"
#include "editor/EditorCore.h"
#include "text/CharTable.h"
#include "text/DocumentCodec.h"

#include <gtest/gtest.h>

namespace {

// The whole text the slow way: the store's bytes converted at once.
std::u16string WholeText(const TEditorCore& c) {
    return CharText(c.Text(), c.Rows().CharTable().get());
}

// Every offset maps to a row and byte that maps back to it, and the text between any two
// kept points is the slice of the whole text.
void ExpectConsistent(TEditorCore& c) {
    TCharOffsets& o = c.ScreenRows().Offsets();
    const std::u16string whole = WholeText(c);
    const int n = CodePoints(whole);
    ASSERT_EQ(o.Count(), n);
    for (int i = 0; i <= n; ++i) {
        const TRowByte p = o.Position(i);
        ASSERT_EQ(o.Offset(p.Row, p.Byte), i) << "offset " << i;
    }
    for (int from : {0, 1, n / 3, n / 2, n - 2}) {
        if (from < 0) continue;
        const int to = std::min(n, from + 70);
        const int a = CodePointIndex(whole, from), b = CodePointIndex(whole, to);
        EXPECT_EQ(o.Text(from, to), whole.substr(a, b - a)) << from << ".." << to;
    }
}

} // namespace

TEST(CharOffsets, ShiftJisRowsWrapsTableCharactersAndEdits) {
    TCharTable table;
    const unsigned emoji = table.CodeFor(U'\U0001F600');
    const std::string own{static_cast<char>(emoji >> 8), static_cast<char>(emoji & 0xFF)};
    EXPECT_EQ(CharCount(J("aあｱ") + own, &table), 4);
    EXPECT_EQ(CharsToBytes(J("aあｱ") + own + "z", 4, &table), 6);
    EXPECT_EQ(CharText(J("あ\r\nい\rう\nえ"), nullptr), u"あ\nい\nう\nえ");

    TEditorCore c;
    c.SharedStore()->SetCharTable(std::make_shared<TCharTable>(table));
    std::string text;
    for (int i = 0; i < 150; ++i) // more rows than one kept block, some wrapped
        text += (i % 7 ? J("日本語のテキスト") : J("長い行は折り返されてから二つ以上の行になる")) +
                (i % 11 ? "" : own) + "\r\n";
    text += "tail";
    c.SetText(text);
    WrapAt(c, 20);
    ASSERT_GT(c.Rows().RowCount(), 160);
    ExpectConsistent(c);

    // The caret's row and byte as a character offset; a wrapped row's end is the next row.
    TCharOffsets& o = c.ScreenRows().Offsets();
    const int wrapped = 0; // row 0 is the first half of a long line
    ASSERT_EQ(c.Rows().RowEndKind(wrapped), reWrapped);
    const int len0 = CharCount(c.RowTextOf(0), nullptr);
    EXPECT_EQ(o.Position(len0), (TRowByte{1, 0}));

    // Edits far into the text, then near its start: the kept offsets follow.
    c.SetCaret(140, 2);
    c.InsertTyped(J("挿入") + "\r\n" + own);
    ExpectConsistent(c);
    c.SetCaret(3, 0);
    c.KeyDelete();
    c.KeyBackspace();
    ExpectConsistent(c);
    c.Undo();
    c.Undo();
    ExpectConsistent(c);
}

TEST(CharOffsets, ChangesAreRecordedInCharacters) {
    TEditorCore c;
    c.SetText(J("一行目\r\n二行目の文") + "\r\n");
    TEditorScreenRows& rows = c.ScreenRows();
    bool record = true;
    rows.RecordTextChanges = [&record] { return record; };
    c.SetCaret(1, 4); // after 二行
    c.InsertTyped(J("あ"));
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{6, u"", u"あ"}}));
    c.KeyBackspace();
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{6, u"あ", u""}}));
    c.KeyReturn(false); // splits the line: one line end inserted
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{6, u"", u"\n"}}));
    Select(c, 0, 2, 2, 2); // 行目 ... 目, over two line ends
    c.DeleteSelection();
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{1, u"行目\n二行\n目", u""}}));
    c.Undo();
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{1, u"", u"行目\n二行\n目"}}));
    c.Redo();
    EXPECT_EQ(rows.TakeTextChanges(), (std::vector<TTextChange>{{1, u"行目\n二行\n目", u""}}));
    record = false;
    c.InsertTyped("x");
    EXPECT_TRUE(rows.TakeTextChanges().empty());
}
