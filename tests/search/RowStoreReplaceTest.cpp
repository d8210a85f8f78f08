// Search and replace on the real row store: wrapped rows, line ends inside a hit, and replace
// all undone again step by step.
#include "search/RowSearch.h"
#include "search/RowStoreReplaceTarget.h"

#include <gtest/gtest.h>

namespace {
// Wrap options with the given width and the default character sets.
TEditorWrapOption WrapWidth(int width) {
    TEditorWrapOption o;
    o.SetWrapByte(width);
    return o;
}

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

TEST(RowStoreReplace, SearchOnTheRowStore) {
    TEditorScreenStrings s;
    s.SetText("alpha beta\r\n" + std::string(30, 'x') + "needle" + std::string(30, 'y') + "\r\n");
    s.SetWrapOption(WrapWidth(20));
    s.SetWordWrap(true);
    ASSERT_GT(s.Count(), 3);
    TSearchHit hit;
    TEditorSearchState st;
    ASSERT_TRUE(EditorSearch(s, st, "NEEDLE", soDown, hit));
    EXPECT_EQ(s.TextPos(hit.Row) + hit.Offset, 12 + 30);
    EXPECT_EQ(hit.Length, 6);
    // The hit starts on the row that holds its first byte, even right after a wrap.
    EXPECT_LE(hit.Offset, static_cast<std::ptrdiff_t>(s.RowText(hit.Row).size()));
    st.Caret = {s.Count(), 0};
    ASSERT_TRUE(EditorSearch(s, st, "beta", 0, hit));
    EXPECT_EQ(hit.Row, 0);
    EXPECT_EQ(hit.Offset, 6);
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

TEST(RowStoreReplace, HitOverALineEndIsReplacedWhole) {
    TEditorScreenStrings s;
    s.SetText("xab\r\ncdy\r\n");
    TRowStoreReplaceTarget t(s);
    auto st = All("abcd", "-", soDown | soIncludeCRLF);
    EXPECT_EQ(RunReplace(t, st).Replaced, 1);
    EXPECT_EQ(s.Text(), "x-y\r\n");
    UndoStepByStep(s, "xab\r\ncdy\r\n", 1);
}

TEST(RowStoreReplace, ManyReplacementsKeepEveryUndoStep) {
    TEditorScreenStrings s;
    std::string original;
    for (int i = 0; i < 500; ++i)
        original += "line " + std::to_string(i) + " \x83\x4B\r\n"; // ガ in Shift-JIS
    s.SetText(original);
    s.UndoObj().SetListMax(1000);
    TRowStoreReplaceTarget t(s);
    auto st = All("ガ", "ｶﾞ", soDown); // UTF-8 as typed in the dialog
    EXPECT_EQ(RunReplace(t, st).Replaced, 500);
    // With full-width/half-width matching the replaced text is still found.
    TSearchHit hit;
    EXPECT_TRUE(EditorSearch(s, TEditorSearchState{}, "\x83\x4B", soDown | soNoMatchZenkaku, hit));
    UndoStepByStep(s, original, 500);
}

} // namespace
