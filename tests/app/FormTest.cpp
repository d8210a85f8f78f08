// The dialog state: rule changes reported once, the values controls start with, items, tabs.
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

TEST(Form, EachKindStartsAsItsWidgetDoesAndKeepsWhatTheRulesSet) {
    TFormModel m;
    m.SetInt("preset", 7);
    const TControl controls[] = {
        {.Kind = TCtl::Label, .Name = "label", .Caption = "見出し"},
        {.Kind = TCtl::Edit, .Name = "edit", .Caption = "abc"},
        {.Kind = TCtl::Spin, .Name = "above", .Min = 3, .Max = 9},
        {.Kind = TCtl::Spin, .Name = "below", .Min = -9, .Max = -3},
        {.Kind = TCtl::Spin, .Name = "inverted", .Min = 5, .Max = 1},
        {.Kind = TCtl::Combo, .Name = "combo", .Items = "一|二"},
        {.Kind = TCtl::ComboEdit, .Name = "empty"},
        {.Kind = TCtl::Group, .Name = "choice", .Items = "a|b", .Flags = fRadios},
        {.Kind = TCtl::Spin, .Name = "preset", .Min = 0, .Max = 3},
        {.Kind = TCtl::Button, .Name = "button", .Caption = "OK"},
    };
    for (const TControl& c : controls)
        m.Seed(c);
    EXPECT_EQ(m.Text("label") + "|" + m.Text("edit") + "|" + m.Text("combo"), "見出し|abc|一");
    std::vector<int> ints;
    for (const char* n : {"above", "below", "inverted", "combo", "empty", "choice", "preset"})
        ints.push_back(m.Int(n));
    EXPECT_EQ(ints, (std::vector<int>{3, -3, 5, 0, -1, -1, 7}));
    EXPECT_EQ(m.Find("button"), nullptr);  // a button has no value
    EXPECT_EQ(m.TakeChanged().size(), 1u); // the rules' value only: seeds are not reported back
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
