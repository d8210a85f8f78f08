// Search and replace on the editing control's core: hits shown by HitStyle, continuing after a
// hit, "[EOF]", the replace loop with the hit style switch, backward replacement, undo steps; and
// replacing straight on a row store.
#include "search/EditorSearch.h"
#include "search/RowStoreReplaceTarget.h"

#include "../support/EditorCoreHelpers.h"
#include "../support/FakeEditor.h"
#include "../support/RecordingAsker.h"

#include <gtest/gtest.h>

namespace {

struct Editor {
    TEditorCore e;
    explicit Editor(std::string_view text, TEditorHitStyle style = hsSelect) {
        e.SetVisibleArea(20, 80);
        e.SetText(text);
        e.SetHitStyle(style);
    }
    TEditorPos caret() const { return {e.Row(), e.Col()}; }
};

// The Replace command on an editor whose questions are answered from a list, in order; each
// question's text and the hit style while it is asked are kept.
struct Replacing : Editor {
    std::vector<TReplaceAnswer> answers;
    std::vector<std::string> prompts;
    std::vector<TEditorHitStyle> styles;
    RecordingAsker asker;
    TEditorReplaceTarget t{asker, e, "トルモ -Tolmo-"};
    Replacing(std::string_view text, std::vector<TReplaceAnswer> a,
              TEditorHitStyle style = hsSelect)
        : Editor(text, style), answers(std::move(a)) {
        t.OnConfirm = [this](const std::string& prompt) {
            prompts.push_back(prompt);
            styles.push_back(e.GetHitStyle());
            return prompts.size() <= answers.size() ? answers[prompts.size() - 1]
                                                    : TReplaceAnswer::Cancel;
        };
    }
    TReplaceResult Run(TSearchCommandState& s) { return RunReplace(t, s); }
};

TEST(EditorReplace, QuestionsAnsweredYesNoCancelAndAll) {
    Replacing r("x x x x", {TReplaceAnswer::Yes, TReplaceAnswer::No, TReplaceAnswer::Yes,
                            TReplaceAnswer::Cancel});
    TSearchCommandState s{"x", "y", soDown | soReplaceAll | soReplaceConfirm};
    const TReplaceResult res = r.Run(s);
    EXPECT_EQ(std::tuple(r.e.Text(), res.Replaced, res.Cancelled, r.asker.boxes.size()),
              std::tuple("y x y x", 2, true, 0u));
    ASSERT_FALSE(r.prompts.empty());
    EXPECT_EQ(r.prompts[0], " x   を\r\n y   に 置き換えますか？");
    // All on the first question: no more questions, and the command goes on as Replace All.
    Replacing all("x x x x", {TReplaceAnswer::All});
    TSearchCommandState s2{"x", "y", soDown | soReplace | soReplaceConfirm};
    EXPECT_EQ(all.Run(s2).Replaced, 4);
    EXPECT_EQ(std::tuple(all.e.Text(), all.prompts.size(),
                         s2.Options & (soReplaceAll | soReplaceConfirm)),
              std::tuple("y y y y", 1u, int(soReplaceAll)));
    // Without All, one question and one replacement at most.
    Replacing one("x x", {TReplaceAnswer::No});
    TSearchCommandState s3{"x", "y", soDown | soReplace | soReplaceConfirm};
    EXPECT_EQ(one.Run(s3).Replaced, 0);
    EXPECT_EQ(one.e.Text(), "x x");
}

// While the questions are asked a caret hit is drawn; the inserted text is not searched again,
// each replacement is one undo step and the loop ends with the not-found message.
TEST(EditorReplace, ReplaceAllSwitchesCaretHitsAndKeepsOneUndoStepEach) {
    Replacing r("a-a-a\r\n", {TReplaceAnswer::No, TReplaceAnswer::All}, hsCaret);
    TSearchCommandState st{"a", "aa", soDown | soReplaceAll | soReplaceConfirm};
    EXPECT_EQ(r.Run(st).Replaced, 2);
    EXPECT_EQ(std::tuple(r.e.Text(), r.styles, r.e.GetHitStyle()),
              std::tuple("a-aa-aa\r\n", std::vector{hsDraw, hsDraw}, hsCaret));
    ASSERT_EQ(r.asker.boxes.size(), 1u);
    EXPECT_EQ(r.asker.boxes[0].caption, "トルモ -Tolmo-");
    r.e.Undo();
    EXPECT_EQ(r.e.Text(), "a-aa-a\r\n");
    r.e.Undo();
    EXPECT_EQ(r.e.Text(), "a-a-a\r\n");
}

// Replace All through the editor, whose hits are placed from rows and byte offsets and turned
// into selections without looking up text positions, gives what the row store's own target
// gives: wrapped rows, wide characters (one with an "A" as its second byte), both directions
// and both hit styles.
TEST(EditorReplace, ReplaceAllOnTheEditorMatchesTheRowStore) {
    std::uint32_t seed = 7;
    auto next = [&](std::uint32_t n) { return ((seed = seed * 1103515245u + 12345u) >> 16) % n; };
    const std::vector<std::string> bits = {"ab", "\x82\xa0", "b", " ", "\r\n", "\x83\x41", "abab"};
    for (int round = 0; round < 80; ++round) {
        SCOPED_TRACE(round);
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += bits[next(static_cast<std::uint32_t>(bits.size()))];
        const bool down = round % 2;
        const int width = 7 + round % 5;
        const auto options = static_cast<TSearchOptions>(soReplaceAll | (down ? soDown : 0));
        Replacing ed(text, {}, round % 4 < 2 ? hsDraw : hsSelect);
        WrapAt(ed.e, width);
        TEditorScreenStrings s;
        s.SetText(text);
        s.SetWrapOption(WrapWidth(width));
        s.SetWordWrap(true);
        TRowStoreReplaceTarget t(s);
        if (!down) {
            ed.e.SetSelStart(static_cast<int64_t>(text.size()));
            t.SetSelStart(static_cast<std::ptrdiff_t>(text.size()));
        }
        TSearchCommandState a{"ab", "X\x82\xa0", options}, b = a;
        const int replaced = ed.Run(a).Replaced;
        EXPECT_EQ(replaced, RunReplace(t, b).Replaced);
        ASSERT_EQ(ed.e.Text(), s.Text());
        EXPECT_EQ(ed.e.SelStart(), t.SelStart());
    }
}

// A hit is selected (or drawn, by the hit style) and the next search goes on from it; a selection
// made from right to left counts from its ends all the same; "[EOF]" searches backward.
TEST(EditorSearch, SearchesGoOnFromTheHitOrSelection) {
    Editor ed("abc abc abc\r\n");
    Select(ed.e, 0, 6, 0, 2); // select "bc a" from right to left
    ASSERT_TRUE(EditorCoreSearch(ed.e, "abc", soDown));
    EXPECT_EQ(RC(ed.e.SelStart(), ed.e.SelLength()), RC(8, 3));
    EXPECT_FALSE(EditorCoreSearch(ed.e, "abc", soDown));
    EXPECT_EQ(ed.e.SelStart(), 8); // nothing found: the selection stays
    Select(ed.e, 0, 9, 0, 5);
    ASSERT_TRUE(EditorCoreSearch(ed.e, "abc", 0));
    EXPECT_EQ(ed.e.SelStart(), 0);

    Editor drawn("one two\r\ntwo\r\n", hsDraw);
    ASSERT_TRUE(EditorCoreSearch(drawn.e, "two", soDown));
    EXPECT_FALSE(drawn.e.Selected());
    EXPECT_EQ(drawn.e.HitSelLength(), 3);
    EXPECT_EQ(drawn.caret(), (TEditorPos{0, 4}));
    ASSERT_TRUE(EditorCoreSearch(drawn.e, "two", soDown));
    EXPECT_EQ(drawn.caret(), (TEditorPos{1, 0}));
    drawn.e.SetCaret(2, 0);
    EXPECT_FALSE(EditorCoreSearch(drawn.e, "two", soDown));
    ASSERT_TRUE(EditorCoreSearch(drawn.e, "two", 0));
    EXPECT_EQ(drawn.caret(), (TEditorPos{1, 0}));
    TEditorCore empty;
    EXPECT_FALSE(EditorCoreSearch(empty, "x", soDown));
}

// A pattern that starts with the LF (or ends with the CR) of a CR LF: the editor has no place
// between the two, so the hit takes the whole line end, the same in both directions, and Replace
// and Replace All change exactly what Find showed.
TEST(EditorSearch, HitInsideALineEndTakesTheWholeLineEnd) {
    for (const TSearchOptions dir : {TSearchOptions(soDown), TSearchOptions(0)}) {
        SCOPED_TRACE(dir);
        Editor sel("ab\r\ncd\r\n"), drawn("ab\r\ncd\r\n", hsDraw);
        if (!dir) {
            sel.e.SetCaret(2, 0);
            drawn.e.SetCaret(2, 0);
        }
        ASSERT_TRUE(EditorCoreSearch(sel.e, "\ncd", dir));
        EXPECT_EQ(RC(sel.e.SelStart(), sel.e.SelLength()), RC(2, 4));
        ASSERT_TRUE(EditorCoreSearch(drawn.e, "\ncd", dir));
        EXPECT_EQ(std::pair(drawn.caret(), drawn.e.HitSelLength()), std::pair(TEditorPos{0, 2}, 4));

        Replacing ed("ab\r\ncd\r\ncd", {}, hsDraw);
        if (!dir) ed.e.SetCaret(2, 2);
        TSearchCommandState one{"\ncd", "-", dir};
        EXPECT_EQ(ed.Run(one).Replaced, 1);
        EXPECT_EQ(ed.e.Text(), dir ? "ab-\r\ncd" : "ab\r\ncd-");
        TSearchCommandState all{"\ncd", "-", static_cast<TSearchOptions>(dir | soReplaceAll)};
        EXPECT_EQ(ed.Run(all).Replaced, 1);
        EXPECT_EQ(ed.e.Text(), "ab--");
    }
    Editor cr("ab\r\ncd\r\n");
    ASSERT_TRUE(EditorCoreSearch(cr.e, "b\r", soDown));
    EXPECT_EQ(RC(cr.e.SelStart(), cr.e.SelLength()), RC(1, 3));
}

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

} // namespace
