// The values controls start with when the dialog's rules have set none.
#include "app/Form.h"

#include <gtest/gtest.h>

TEST(FormSeed, EachKindStartsAsItsWidgetDoesAndKeepsWhatTheRulesSet) {
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
    EXPECT_EQ(m.Text("label"), "見出し");
    EXPECT_EQ(m.Text("edit"), "abc");
    EXPECT_EQ(m.Int("above"), 3);
    EXPECT_EQ(m.Int("below"), -3);
    EXPECT_EQ(m.Int("inverted"), 5);
    EXPECT_EQ(m.Int("combo"), 0);
    EXPECT_EQ(m.Text("combo"), "一");
    EXPECT_EQ(m.Int("empty"), -1);
    EXPECT_EQ(m.Int("choice"), -1);
    EXPECT_EQ(m.Int("preset"), 7);
    EXPECT_EQ(m.Find("button"), nullptr);  // a button has no value
    EXPECT_EQ(m.TakeChanged().size(), 1u); // the rules' value only: seeds are not reported back
}
