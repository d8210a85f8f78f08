// The search and replace dialogs' rules without a window: options and histories kept between
// runs in their per-user file, repeats moved up, the history's length, what an empty text keeps,
// and the replace dialog's confirmation and texts.
#include "search/SearchDialogModel.h"
#include "search/SearchHistory.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Store(const TempDir& d) {
    return d / "Brix/TStrings Property Editor.ini";
}

// The search dialog opened, given text and confirmed.
bool Search(const std::string& store, const std::string& text, bool matchCase = false) {
    TSearchDialogModel m(false, store);
    m.Load();
    m.UserText("ComboBox1", text);
    m.UserInt("chkMatchCase", matchCase);
    return m.Ok();
}

} // namespace

TEST(SearchDialogModel, OptionsAndHistorySurviveARestartAnEmptyTextOnlyTheOptions) {
    TempDir dir;
    ASSERT_TRUE(Search(Store(dir), "first", true));
    for (int i = 0; i < 34; ++i)
        ASSERT_TRUE(Search(Store(dir), "w" + std::to_string(i)));
    ASSERT_TRUE(Search(Store(dir), "w10"));
    TSearchDialogModel m(false, Store(dir));
    m.Load();
    EXPECT_FALSE(m.Checked("chkMatchCase")); // the last confirmation's options
    EXPECT_EQ(m.Int("RadioGroup1"), 1);
    ASSERT_EQ(m.Items("ComboBox1").size(), 32u);
    EXPECT_EQ(m.Items("ComboBox1").front(), "w10"); // a repeat moves up
    EXPECT_EQ(m.Items("ComboBox1").back(), "w2");   // the oldest were dropped
    EXPECT_EQ(m.SearchText(), "w10");               // the newest is pre-selected
    // An empty text keeps only the options.
    m.UserText("ComboBox1", "");
    m.UserInt("chkIncludeCRLF", 1);
    m.UserInt("RadioGroup1", 0);
    EXPECT_FALSE(m.Ok());
    TSearchDialogModel again(false, Store(dir));
    again.Load();
    EXPECT_EQ(again.Options(), soIncludeCRLF);
    EXPECT_EQ(again.Items("ComboBox1").size(), 32u);
}

TEST(SearchDialogModel, ReplaceNeedsBothTextsAndAsksToConfirmEachTime) {
    TempDir dir;
    TSearchDialogModel m(true, Store(dir));
    m.Load();
    m.UserText("ComboBox1", "a");
    EXPECT_FALSE(m.Finish(soReplace));
    m.UserText("ComboBox2", "put");
    m.UserInt("chkReplaceConfirm", 0);
    EXPECT_TRUE(m.Finish(soReplaceAll));
    EXPECT_EQ(m.Options(), soDown | soReplaceAll);
    TSearchDialogModel again(true, Store(dir));
    again.Load();
    EXPECT_TRUE(again.Checked("chkReplaceConfirm"));
    EXPECT_EQ(again.Replacement(), "");
    EXPECT_EQ(again.Items("ComboBox2"), std::vector<std::string>{"put"});
    EXPECT_EQ(again.Items("ComboBox1"), std::vector<std::string>{"a"});
    EXPECT_NE(again.HelpText().find("すべて置換"), std::string::npos);
}

TEST(SearchHistory, OptionsAndHistoriesInTheFileOddValuesGiveTheDefaults) {
    TempDir dir;
    std::string path = Store(dir); // its folder made on writing
    TSearchDialogOptions o{
        .MatchCase = true, .NoMatchZenkaku = true, .IncludeCRLF = true, .Direction = 0};
    ASSERT_TRUE(TSearchDialogStore(path).WriteOptions(o));
    EXPECT_EQ(TSearchDialogStore(path).ReadOptions(), o);
    EXPECT_EQ(SearchOptionsOf(o), soMatchCase | soNoMatchZenkaku | soIncludeCRLF);
    EXPECT_NE(TempDir::Read(path).find("[Options]\nMatchCase=1\n"), std::string::npos);
    TempDir::Write(path, "[Options]\r\nDirection=7\r\nMatchCase=yes\r\nWholeWord=1\r\n");
    o = TSearchDialogStore(path).ReadOptions();
    EXPECT_EQ(std::tuple(o.Direction, o.MatchCase, o.WholeWord), std::tuple(1, false, true));

    // The histories, whatever their texts hold; a long list read from the file is cut.
    path = dir / "s.ini";
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
