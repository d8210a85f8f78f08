// Every dialog's controls have names a screen reader can read: a field is named by its row
// caption or by the label that focuses it, a button or box by its caption.
#include "calendar/DateDialogModel.h"
#include "editor/PropertyDialogModel.h"
#include "mainwindow/SettingsPanelModel.h"
#include "print/PreviewLayout.h"
#include "print/PrintDialogModel.h"
#include "search/SearchDialogModel.h"
#include "setup/InfoDialogModel.h"
#include "setup/OptionsDialogModel.h"
#include "setup/SetupDialogModel.h"
#include "syntax/TokenColorModel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tolmo;

TEST(DialogNames, EveryControlOfEveryDialogIsNamed) {
    const std::pair<const char*, const TFormDesc*> forms[] = {
        {"property", &PropertyDialogForm()},  {"settings panel", &SettingsPanelForm()},
        {"find", &SearchDialogForm(false)},   {"replace", &SearchDialogForm(true)},
        {"token colours", &TokenColorForm()}, {"info", &InfoDialogForm()},
        {"about", &AboutDialogForm()},        {"setup", &SetupDialogForm()},
        {"options", &OptionsDialogForm()},    {"print", &PrintDialogForm()},
        {"preview", &PreviewForm()},          {"date", &DateDialogForm()}};
    for (const auto& [form, desc] : forms)
        for (std::size_t i = 0; i < desc->size(); ++i) {
            const TControl& c = (*desc)[i];
            const bool selfNamed =
                c.Caption[0] && (c.Kind == TCtl::Button || c.Kind == TCtl::Check ||
                                 c.Kind == TCtl::Radio || c.Kind == TCtl::ToolButton);
            const bool needsName = selfNamed || c.Kind == TCtl::Edit || c.Kind == TCtl::Spin ||
                                   c.Kind == TCtl::Combo || c.Kind == TCtl::ComboEdit ||
                                   c.Kind == TCtl::List || c.Kind == TCtl::ColorButton ||
                                   c.Kind == TCtl::ToolButton;
            if ((c.Flags & (fHidden | fNoFocus)) || !needsName || selfNamed) continue;
            const std::string name = AccessibleNameOf(*desc, i);
            EXPECT_FALSE(name.empty()) << form << ": " << c.Name;
            EXPECT_EQ(name.find('&'), std::string::npos) << form << ": " << name;
        }
    // A row caption, a focusing label, and the label before a field in its grid row.
    const TFormDesc d = {
        {.Kind = TCtl::Panel, .Name = "grid", .Layout = TLay::Grid},
        {.Kind = TCtl::Label, .Caption = "上(&T)", .Parent = "grid", .Row = 0},
        {.Kind = TCtl::Spin, .Name = "top", .Parent = "grid", .Row = 0, .Col = 1},
        {.Kind = TCtl::Label, .Caption = "mm", .Parent = "grid", .Row = 0, .Col = 2},
        {.Kind = TCtl::Spin, .Name = "left", .Parent = "grid", .Row = 1, .Col = 1},
        {.Kind = TCtl::Label, .Caption = "幅", .Buddy = "w"},
        {.Kind = TCtl::Edit, .Name = "w", .Label = "A&&B"}};
    EXPECT_EQ(AccessibleNameOf(d, 2), "上");
    EXPECT_EQ(AccessibleNameOf(d, 4), ""); // nothing on its row
    EXPECT_EQ(AccessibleNameOf(d, 6), "A&B");
}
