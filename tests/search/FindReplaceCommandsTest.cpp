// Find and Replace command logic: the replace loop against a small editor model, the messages,
// find next/previous and where the question box goes.
#include "search/FindReplaceCommands.h"

#include "../support/RecordingSink.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A one-string editor: caret, selection and hit as byte positions; each SelText is one step.
struct FakeEditor : TReplaceTarget {
    std::string doc;
    std::ptrdiff_t caret = 0, selLen = 0, hitLen = 0;
    bool caretStyle = true;
    std::vector<bool> styleDuringFind;
    std::deque<TReplaceAnswer> answers;
    std::vector<std::string> prompts;
    int notFound = 0, steps = 0;

    bool Find(const TSearchCommandState& s) override {
        styleDuringFind.push_back(caretStyle);
        TSearchInfo info{caret, (s.Options & soDown) ? std::max(selLen, hitLen) : 0};
        std::string pat;
        SearchTextBytes(s.Text, pat);
        if (!SearchText(doc, info, pat, s.Options)) {
            ++notFound;
            return false;
        }
        caret = info.Start;
        selLen = 0;
        hitLen = info.Length;
        return true;
    }
    TReplaceAnswer Confirm(const std::string& prompt) override {
        prompts.push_back(prompt);
        if (answers.empty()) ADD_FAILURE() << "unexpected question";
        TReplaceAnswer a = answers.empty() ? TReplaceAnswer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
    bool HitStyleIsCaret() const override { return caretStyle; }
    void SetHitStyleCaret(bool c) override { caretStyle = c; }
    std::ptrdiff_t SelStart() const override { return caret; }
    std::ptrdiff_t SelLength() const override { return selLen; }
    std::ptrdiff_t HitLength() const override { return hitLen; }
    void SetSelStart(std::ptrdiff_t p) override {
        caret = p;
        selLen = hitLen = 0;
    }
    void SetSelLength(std::ptrdiff_t l) override { selLen = l; }
    void SetSelText(const std::string& r) override {
        doc.replace(size_t(caret), size_t(selLen), r);
        caret += std::ptrdiff_t(r.size());
        selLen = hitLen = 0;
        ++steps;
    }
};

TSearchCommandState State(std::string text, std::string repl, TSearchOptions o) {
    return {std::move(text), std::move(repl), o};
}

TEST(FindReplace, ReplaceOnceReplacesTheNextHitOnly) {
    FakeEditor e;
    e.doc = "one two one two";
    auto s = State("two", "2", soDown | soReplace);
    EXPECT_EQ(RunReplace(e, s).Replaced, 1);
    EXPECT_EQ(e.doc, "one 2 one two");
    EXPECT_EQ(e.steps, 1);
    EXPECT_EQ(e.notFound, 0);
}

TEST(FindReplace, AllOnTheFirstQuestionStopsAsking) {
    FakeEditor e;
    e.doc = "x x x x";
    e.answers = {TReplaceAnswer::All};
    auto s = State("x", "y", soDown | soReplace | soReplaceConfirm);
    EXPECT_EQ(RunReplace(e, s).Replaced, 4);
    EXPECT_EQ(e.doc, "y y y y");
    EXPECT_EQ(e.prompts.size(), 1u);
    EXPECT_TRUE(s.Options & soReplaceAll);
    EXPECT_FALSE(s.Options & soReplaceConfirm);
}

TEST(FindReplace, YesNoAndCancel) {
    FakeEditor e;
    e.doc = "x x x x";
    e.answers = {TReplaceAnswer::Yes, TReplaceAnswer::No, TReplaceAnswer::Yes,
                 TReplaceAnswer::Cancel};
    auto s = State("x", "y", soDown | soReplaceAll | soReplaceConfirm);
    const TReplaceResult r = RunReplace(e, s);
    EXPECT_EQ(e.doc, "y x y x");
    EXPECT_EQ(r.Replaced, 2);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(e.notFound, 0);
    ASSERT_FALSE(e.prompts.empty());
    EXPECT_EQ(e.prompts[0], " x   を\r\n y   に 置き換えますか？");
    // Without All, one question and one replacement at most.
    FakeEditor one;
    one.doc = "x x";
    one.answers = {TReplaceAnswer::No};
    auto s1 = State("x", "y", soDown | soReplace | soReplaceConfirm);
    EXPECT_EQ(RunReplace(one, s1).Replaced, 0);
    EXPECT_EQ(one.doc, "x x");
}

TEST(FindReplace, SelectionIsReplacedLikeAHit) {
    FakeEditor e;
    e.doc = "abc";
    e.caret = 1;
    e.selLen = 1;
    ReplaceHit(e, "XY", false);
    EXPECT_EQ(e.doc, "aXYc");
    EXPECT_EQ(e.caret, 3);
}

TEST(FindReplace, FindNextNeedsAStoredText) {
    TSearchCommandState s;
    s.Options = soMatchCase;
    EXPECT_FALSE(PrepareFindNext(s, true));
    EXPECT_EQ(s.Options, soMatchCase);
    s.Text = "x";
    EXPECT_TRUE(PrepareFindNext(s, true));
    EXPECT_EQ(s.Options, soMatchCase | soDown);
    EXPECT_TRUE(PrepareFindNext(s, false));
    EXPECT_EQ(s.Options, soMatchCase);
}

TEST(FindReplace, FindShowsTheNotFoundMessage) {
    RecordingSink sink;
    TSearchCommandState s{"ガ", "", soDown | soMatchCase};
    std::string seen;
    TSearchOptions seenOptions = 0;
    auto search = [&](const std::string& p, TSearchOptions o) {
        seen = p;
        seenOptions = o;
        return p == "\x83\x4B";
    };
    EXPECT_TRUE(RunFind(s, "トルモ -Tolmo-", search));
    EXPECT_EQ(seen, "\x83\x4B"); // the editor gets Shift-JIS
    EXPECT_EQ(seenOptions, soDown | soMatchCase);
    EXPECT_TRUE(sink.boxes.empty());
    s.Text = "x";
    EXPECT_FALSE(RunFind(s, "トルモ -Tolmo-", search));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "検索文字列  ' x '\r\nは見つかりませんでした。");
    EXPECT_EQ(sink.boxes[0].caption, "トルモ -Tolmo-");
    EXPECT_EQ(sink.boxes[0].icon, TMsgIcon::Information);
    EXPECT_FALSE(sink.boxes[0].yesNo);
    // A character no Shift-JIS text can hold is simply not found.
    s.Text = "😀";
    seen.clear();
    EXPECT_FALSE(RunFind(s, "t", search));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(sink.boxes.size(), 2u);
    // Without a text nothing happens.
    s.Text.clear();
    EXPECT_FALSE(RunFind(s, "t", search));
    EXPECT_EQ(sink.boxes.size(), 2u);
}

TEST(FindReplace, ConfirmBoxPlacement) {
    const TScreenRect screen{0, 0, 1024, 768};
    // Above the caret: one row height plus the box's height.
    EXPECT_EQ(ConfirmBoxPos({100, 300}, 16, 200, 100, screen), (TScreenPoint{102, 184}));
    // Near the top: below the caret row instead.
    EXPECT_EQ(ConfirmBoxPos({100, 50}, 16, 200, 100, screen), (TScreenPoint{102, 66}));
    // Near the right edge: 4 pixels inside it.
    EXPECT_EQ(ConfirmBoxPos({1000, 300}, 16, 200, 100, screen), (TScreenPoint{820, 184}));
    // A box wider than the screen still starts on it.
    EXPECT_EQ(ConfirmBoxPos({10, 300}, 16, 2000, 100, screen).X, 0);
}

} // namespace
