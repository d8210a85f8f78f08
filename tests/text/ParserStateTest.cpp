// Saved parser states: the walk that stops at an equal state or after the visible rows.
#include <gtest/gtest.h>

#include "../support/FakeEditor.h"

#include <functional>
#include <set>

namespace {
// '{' opens bracket 0, '}' closes it; counts the rows it parses.
struct BraceParser : TRowStateParser {
    int* calls;
    explicit BraceParser(int* c) : calls(c) {}
    void ParseRow(std::string_view text, TRowEnd, std::string_view, TRowParserState& s) override {
        ++*calls;
        for (char c : text) {
            if (c == '{') s.BracketIndex = 0;
            if (c == '}') s.BracketIndex = -1;
        }
    }
};

struct ParserState : StoreWithEditor, ::testing::Test {
    int parses = 0;
    ParserState() {
        ed.SetParser([this] { return std::make_unique<BraceParser>(&parses); });
    }
};

std::string Numbered(int n) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += "row " + std::to_string(i) + "\r\n";
    return t;
}
} // namespace

// An edit that leaves the state below it as it was stops the walk there; one that changes every
// state below walks only as far as the visible rows, the rest is computed when asked for.
TEST_F(ParserState, WalkStopsAtAnEqualStateOrAfterTheVisibleRows) {
    s.SetText(Numbered(100));
    s.ParseUpTo(99);
    parses = 0;
    ed.Pull(); // the states painting computed
    ed.invalidated.clear();
    ed.Edit(5, 1, "changed\r\n");
    EXPECT_LE(parses, 4);
    EXPECT_EQ(ed.invalidated, (std::vector<int>{5, 6}));
    ed.Edit(5, 1, "{\r\n");
    EXPECT_EQ(s.BracketIndex(20), 0);
    EXPECT_EQ(s.ParsedLimit(), 21);
    TRowParserState none;
    none.BracketIndex = -2;
    EXPECT_EQ(s.ParserState(60), none);
    s.ParseUpTo(99);
    EXPECT_EQ(s.BracketIndex(99), 0);
    ed.Undo();
    s.ParseUpTo(99);
    EXPECT_EQ(s.BracketIndex(99), -1);
}

// Edits anywhere, with the rows below sometimes computed and sometimes not: every state, once
// asked for, is the one a walk over all the rows from the start gives.
TEST_F(ParserState, StatesAfterEditsAreThoseOfAWholeWalk) {
    s.SetWrapOption(WrapWidth(12));
    s.SetWordWrap(true);
    s.SetText(Numbered(60));
    std::uint32_t seed = 3;
    auto next = [&](std::uint32_t n) { return ((seed = seed * 1103515245u + 12345u) >> 16) % n; };
    const std::vector<std::string> bits = {"{", "}", "x", "a long piece of text", "\r\n", ""};
    for (int step = 0; step < 400; ++step) {
        ed.Show(static_cast<int>(next(40)), 8);
        const int row = static_cast<int>(next(static_cast<std::uint32_t>(s.Count())));
        std::string piece = bits[next(6)];
        piece += bits[next(6)];
        const int count = piece.empty() ? 1 : static_cast<int>(next(2));
        ed.Edit(row, std::min(count, s.Count() - row), piece.empty() ? "y\r\n" : piece);
        if (step % 7) continue;
        s.ParseUpTo(s.Count() - 1);
        std::vector<int> kept;
        for (int r = 0; r < s.Count(); ++r)
            kept.push_back(s.BracketIndex(r));
        s.InitBrackets();
        s.ParseUpTo(s.Count() - 1);
        for (int r = 0; r < s.Count(); ++r)
            ASSERT_EQ(kept[static_cast<size_t>(r)], s.BracketIndex(r))
                << "row " << r << " step " << step;
    }
}

// Painting far below the computed rows gets the rows in between walked in slices, one queued
// call at a time: every slice keeps to its size, edits between slices are taken in, the states
// come out as a whole walk's, and a store gone before its queued slice runs is left alone. An
// edit down there walks nothing either.
TEST_F(ParserState, FarRowsAreWalkedInQueuedSlices) {
    std::vector<std::function<void()>> queue;
    s.RunWhenIdle = [&](std::function<void()> f) { queue.push_back(std::move(f)); };
    s.SyncParseBytes = 200;
    s.ParseSliceBytes = 100; // about ten rows of "row NNN"
    std::string text = "{\r\n" + Numbered(300);
    s.SetText(text);
    ed.Show(290, 10); // at the text's end, which bounds the walk there
    parses = 0;
    ed.Edit(295, 1, "row 294\r\n");
    EXPECT_LE(parses, 2) << "an edit at the end walked the rows above it";
    EXPECT_FALSE(s.ParseIsFar(20));
    EXPECT_TRUE(s.ParseIsFar(280));
    s.WantParsed(280);
    s.WantParsed(250); // the farthest row asked for counts
    ASSERT_EQ(queue.size(), 1u);
    ed.Pull();
    ed.invalidated.clear();
    int slices = 0;
    while (!queue.empty()) {
        auto f = std::move(queue.front());
        queue.erase(queue.begin());
        const int before = s.ParsedLimit();
        f();
        ++slices;
        EXPECT_LE(s.ParsedLimit() - before, 14);
        if (slices == 5) ed.Edit(1, 1, "}\r\n"); // closes the bracket above the slices
    }
    EXPECT_GE(slices, 20);
    EXPECT_EQ(s.ParsedLimit(), 281);
    ed.Pull();
    const std::set<int> told(ed.invalidated.begin(), ed.invalidated.end());
    for (int r = 2; r <= 280; ++r)
        ASSERT_TRUE(told.count(r)) << "row " << r << " was computed without telling the views";
    std::vector<int> kept;
    for (int r = 0; r < s.ParsedLimit(); ++r)
        kept.push_back(s.BracketIndex(r));
    s.InitBrackets();
    s.ParseUpTo(static_cast<int>(kept.size()) - 1);
    for (int r = 0; r < static_cast<int>(kept.size()); ++r)
        ASSERT_EQ(kept[static_cast<size_t>(r)], s.BracketIndex(r)) << r;

    {
        TEditorScreenStrings gone;
        gone.RunWhenIdle = s.RunWhenIdle;
        gone.SyncParseBytes = 1;
        gone.SetParseAllWithoutEditor(false);
        gone.SetText(text);
        gone.WantParsed(200);
    }
    ASSERT_EQ(queue.size(), 1u);
    queue.front()(); // must not touch the store that went away
}
