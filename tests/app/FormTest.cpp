// The dialog state: what the rules change is reported once, what the user changed is not; the
// choices of a description; stepping over hidden tabs.
#include "app/Form.h"

#include <gtest/gtest.h>

TEST(Form, RulesReportTheirChangesOnceAndUserChangesNever) {
    TFormModel m;
    m.UserInt("a", 5);
    m.UserText("b", "typed");
    EXPECT_TRUE(m.TakeChanged().empty());
    EXPECT_EQ(m.Int("a"), 5);
    m.SetInt("a", 6);
    m.SetEnabled({"a", "c"}, false);
    m.SetText("b", "set");
    const auto changed = m.TakeChanged();
    EXPECT_EQ(changed.at("a"), TFormModel::wInt | TFormModel::wEnabled);
    EXPECT_EQ(changed.at("b"), TFormModel::wText);
    EXPECT_FALSE(m.Enabled("c"));
    EXPECT_TRUE(m.Enabled("unknown"));
    EXPECT_TRUE(m.TakeChanged().empty());
}

TEST(Form, ItemsAndTabSteps) {
    EXPECT_EQ(SplitItems("全部|一部|"), (std::vector<std::string>{"全部", "一部", ""}));
    EXPECT_TRUE(SplitItems("").empty());
    const std::vector<bool> visible{true, true, false, true};
    EXPECT_EQ(NextVisible(visible, 1, 1), 3);
    EXPECT_EQ(NextVisible(visible, 3, 1), 0);
    EXPECT_EQ(NextVisible(visible, 0, -1), 3);
    EXPECT_EQ(NextVisible({false}, 0, 1), 0);
}
