// The row store's logical lines as lines to print.
#include "print/StorePrintLines.h"

#include <gtest/gtest.h>

TEST(StorePrintLines, WrappedLinesArePrintedWholeAndTheLastLineWithoutLineEndCounts) {
    auto store = std::make_shared<TEditorScreenStrings>();
    TEditorWrapOption o;
    o.SetWrapByte(20);
    store->SetWrapOption(o);
    store->SetWordWrap(true);
    const std::string longLine(45, 'a');
    store->SetText(longLine + "\r\n\r\nlast");
    ASSERT_GT(store->Count(), 3);
    TStorePrintLines lines(store);
    std::string buf;
    ASSERT_EQ(lines.Count(), 3u);
    EXPECT_EQ(lines.Line(0, buf), longLine);
    EXPECT_EQ(lines.Line(1, buf), "");
    EXPECT_EQ(lines.Line(2, buf), "last");
    EXPECT_EQ(lines.Line(3, buf), ""); // past the end: nothing
}
