// Replacing straight on a row store: across wrapped rows, every replacement one undo step.
#include "search/RowStoreReplaceTarget.h"

#include "../support/FakeEditor.h"

#include <gtest/gtest.h>

namespace {
TSearchCommandState All(std::string text, std::string repl, TSearchOptions o) {
    return {std::move(text), std::move(repl), static_cast<TSearchOptions>(o | soReplaceAll)};
}

// Undoes everything: exactly `steps` steps, each changing the text, back to the original.
void UndoStepByStep(TEditorScreenStrings& s, const std::string& original, int steps) {
    for (int i = 0; i < steps; ++i) {
        ASSERT_TRUE(s.UndoObj().CanUndo()) << i;
        const std::string before = s.Text();
        s.Undo();
        EXPECT_NE(before, s.Text()) << i;
    }
    EXPECT_FALSE(s.UndoObj().CanUndo());
    EXPECT_EQ(s.Text(), original);
}

TEST(RowStoreReplace, ReplaceAllBackwardAcrossWrappedRows) {
    TEditorScreenStrings s;
    std::string original;
    for (int i = 0; i < 6; ++i)
        original += std::string(17, 'a') + "cut" + std::string(9, 'b') + "\r\n";
    s.SetText(original);
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true); // "cut" is split by the wrap at column 20 on every line
    TRowStoreReplaceTarget t(s);
    t.SetSelStart(static_cast<std::ptrdiff_t>(original.size()));
    auto st = All("cut", "cutcut", 0);
    EXPECT_EQ(RunReplace(t, st).Replaced, 6);
    std::string want;
    for (int i = 0; i < 6; ++i)
        want += std::string(17, 'a') + "cutcut" + std::string(9, 'b') + "\r\n";
    EXPECT_EQ(s.Text(), want);
    EXPECT_EQ(t.SelStart(), 17); // before the first inserted text
    UndoStepByStep(s, original, 6);
}

} // namespace
