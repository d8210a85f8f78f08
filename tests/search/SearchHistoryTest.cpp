// Options and history of the search dialogs in their per-user profile file (their order and
// limit are checked through the dialog).
#include "search/SearchHistory.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchHistory, OptionsInTheFileAndOddValuesGiveTheDefaults) {
    TempDir dir;
    const std::string path = dir / "Brix/TStrings Property Editor.ini"; // folder made on write
    TSearchDialogOptions o{
        .MatchCase = true, .NoMatchZenkaku = true, .IncludeCRLF = true, .Direction = 0};
    ASSERT_TRUE(TSearchDialogStore(path).WriteOptions(o));
    EXPECT_EQ(TSearchDialogStore(path).ReadOptions(), o);
    EXPECT_EQ(SearchOptionsOf(o), soMatchCase | soNoMatchZenkaku | soIncludeCRLF);
    EXPECT_NE(TempDir::Read(path).find("[Options]\nMatchCase=1\n"), std::string::npos);
    TempDir::Write(path, "[Options]\r\nDirection=7\r\nMatchCase=yes\r\nWholeWord=1\r\n");
    o = TSearchDialogStore(path).ReadOptions();
    EXPECT_EQ(std::tuple(o.Direction, o.MatchCase, o.WholeWord), std::tuple(1, false, true));
}

TEST(SearchHistory, HistoryRoundTripsThroughTheFileAndLongListsAreCut) {
    TempDir dir;
    const std::string path = dir / "s.ini";
    const std::vector<std::string> items = {" leading", "trailing ", "back\\slash",    "tab\there",
                                            "検索",     "a=b;c",     "\\r not a break"};
    ASSERT_TRUE(TSearchDialogStore(path).WriteHistory(kSearchItemsSection, items));
    ASSERT_TRUE(TSearchDialogStore(path).WriteHistory(kReplaceItemsSection, {"x"}));
    EXPECT_EQ(TSearchDialogStore(path).ReadHistory(kSearchItemsSection), items);
    EXPECT_NE(TempDir::Read(path).find("[ReplaceItems]\nText=x\\r\\n"), std::string::npos);
    EXPECT_EQ(DecodeHistory("a\\nb"), (std::vector<std::string>{"a", "b"})); // lone breaks, no end
    EXPECT_EQ(DecodeHistory("a\\qb\\"), (std::vector<std::string>{"a\\qb\\"}));
    std::string value;
    for (int i = 0; i < 50; ++i)
        value += "i" + std::to_string(i) + "\\r\\n";
    TempDir::Write(path, "[SearchItems]\nText=" + value + "\n");
    EXPECT_EQ(TSearchDialogStore(path).ReadHistory(kSearchItemsSection).size(), kSearchHistoryMax);
}

} // namespace
