// The search and replace dialogs' rules without a window: options and histories kept between
// runs, repeats moved up, the history's length, what an empty text keeps, and the replace
// dialog's confirmation and texts.
#include "search/SearchDialogModel.h"

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
