// Replacing straight on a row store: across wrapped rows, every replacement one undo step.
#include "search/RowStoreReplaceTarget.h"

#include "../support/FakeEditor.h"

#include <gtest/gtest.h>

TEST(RowStoreReplace, ReplaceAllBackwardAcrossWrappedRowsOneUndoStepEach) {
    auto lines = [](const std::string& cut) {
        std::string s;
        for (int i = 0; i < 6; ++i)
            s += std::string(17, 'a') + cut + std::string(9, 'b') + "\r\n";
        return s;
    };
    TEditorScreenStrings s;
    s.SetText(lines("cut"));
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true); // "cut" is split by the wrap at column 20 on every line
    TRowStoreReplaceTarget t(s);
    t.SetSelStart(static_cast<std::ptrdiff_t>(s.Text().size()));
    TSearchCommandState st{"cut", "cutcut", soReplaceAll};
    EXPECT_EQ(RunReplace(t, st).Replaced, 6);
    EXPECT_EQ(s.Text(), lines("cutcut"));
    EXPECT_EQ(t.SelStart(), 17); // before the first inserted text
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(s.UndoObj().CanUndo()) << i;
        const std::string before = s.Text();
        s.Undo();
        EXPECT_NE(before, s.Text()) << i;
    }
    EXPECT_FALSE(s.UndoObj().CanUndo());
    EXPECT_EQ(s.Text(), lines("cut"));
}
