// The caret row as the input method sees it, in UTF-16 units.
#include "editor/InputMethodText.h"

#include "editor/EditorCore.h"
#include "text/CharTable.h"

#include "../support/EditorCoreHelpers.h"

#include <gtest/gtest.h>

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
}
