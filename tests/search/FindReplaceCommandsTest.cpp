// Find and Replace command logic without an editor: find next/previous, the messages and where
// the question box goes (the replace loop runs on the editor in the editor search tests).
#include "search/FindReplaceCommands.h"

#include "../support/RecordingAsker.h"

#include <gtest/gtest.h>

namespace {

// Find and Find Next: the text goes to the editor in Shift-JIS, a miss says so.
TEST(FindReplace, FindAndFindNext) {
    RecordingAsker asker;
    TSearchCommandState s{"", "", soMatchCase};
    EXPECT_FALSE(PrepareFindNext(s, true)); // no stored text yet
    s.Text = "ガ";
    EXPECT_TRUE(PrepareFindNext(s, false));
    EXPECT_EQ(s.Options, soMatchCase);
    EXPECT_TRUE(PrepareFindNext(s, true));
    std::vector<std::pair<std::string, TSearchOptions>> calls;
    auto search = [&](const std::string& p, TSearchOptions o) {
        calls.emplace_back(p, o);
        return p == "\x83\x4B";
    };
    EXPECT_TRUE(RunFind(asker, s, "トルモ -Tolmo-", search));
    EXPECT_TRUE(asker.boxes.empty());
    s.Text = "x";
    EXPECT_FALSE(RunFind(asker, s, "トルモ -Tolmo-", search));
    // A character no Shift-JIS text can hold is simply not found; without a text nothing happens.
    s.Text = "😀";
    EXPECT_FALSE(RunFind(asker, s, "t", search));
    s.Text.clear();
    EXPECT_FALSE(RunFind(asker, s, "t", search));
    const TSearchOptions o = soDown | soMatchCase;
    EXPECT_EQ(calls, (decltype(calls){{"\x83\x4B", o}, {"x", o}}));
    EXPECT_EQ(asker.texts(),
              (std::vector<std::string>{"検索文字列  ' x '\r\nは見つかりませんでした。",
                                        "検索文字列  ' 😀 '\r\nは見つかりませんでした。"}));
    EXPECT_EQ(asker.boxes[0].icon, TMsgIcon::Information);
}

TEST(FindReplace, ConfirmBoxPlacement) {
    const TScreenRect screen{0, 0, 1024, 768};
    // Above the caret: one row height plus the box's height.
    EXPECT_EQ(ConfirmBoxPos({100, 300}, 16, 200, 100, screen), (TScreenPoint{102, 184}));
    // Near the top: below the caret row instead.
    EXPECT_EQ(ConfirmBoxPos({100, 50}, 16, 200, 100, screen), (TScreenPoint{102, 66}));
    // Near the right edge: 4 pixels inside it.
    EXPECT_EQ(ConfirmBoxPos({1000, 300}, 16, 200, 100, screen).X, 820);
    // A box wider than the screen still starts on it.
    EXPECT_EQ(ConfirmBoxPos({10, 300}, 16, 2000, 100, screen).X, 0);
}

} // namespace
