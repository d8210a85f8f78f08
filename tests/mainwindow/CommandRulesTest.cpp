// The main window's command rules: menu keys, opening rules, context menu, paste caret, locks.
#include "mainwindow/MainMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(MainMenuTable, EveryKeyRunsOneItem) {
    std::set<std::string> keys, names;
    for (const TMenuItemDef& d : MainMenuTable()) {
        if (d.Name != "-") {
            EXPECT_TRUE(names.insert(d.Name).second) << d.Name;
        }
        if (!d.Shortcut.empty()) {
            EXPECT_TRUE(keys.insert(d.Shortcut).second) << d.Shortcut;
        }
    }
    EXPECT_EQ(MenusAbove("mnHiduke"), (std::vector<std::string>{"mnEdit", "mnInsert"}));
    // Ctrl+F3 opens the search; plain and Shift F3 belong to the search menu's items.
    EXPECT_EQ(FindMenuItem("mnF27")->Shortcut, "Ctrl+F3");
    EXPECT_EQ(FindMenuItem("mnShitaFind")->Shortcut, "F3");
    EXPECT_EQ(FindMenuItem("mnisMenuShow")->Shortcut, kMenuBarKey);
}

TEST(MainMenuRules, OpeningRulesGateTheKeys) {
    TCommandState s;
    s.HasEditor = true;
    s.PageCount = 1;
    // No selection to cut or count, an unmodified page to save, an untitled only page to close.
    const char* gated[] = {"mnCut", "mnMojisuu", "mnSave", "mnF11", "mnClose"};
    for (const char* item : gated)
        EXPECT_FALSE(MenuItemView(item, s).Enabled) << item;
    s.Selected = s.Modified = true;
    s.Untitled = false;
    for (const char* item : gated)
        EXPECT_TRUE(MenuItemView(item, s).Enabled) << item;
    // Toggle captions name what a click does; the F-key menu shows only without the bar.
    EXPECT_EQ(MenuItemView("mnJButton", s).Caption, "ジャンプボタンＯｎ(&G)");
    s.JumpOn = true;
    EXPECT_EQ(MenuItemView("mnJButton", s).Caption, "ジャンプボタンＯｆｆ(&G)");
    EXPECT_FALSE(MenuItemView("mnFunction", s).Visible);
    s.FunctionBarShown = false;
    EXPECT_TRUE(MenuItemView("mnFunction", s).Visible);
    EXPECT_TRUE(MenuItemView("mnisFuncShow", s).Checked);
    // Each layout toggle hides its own part and shows checked (the menus stay hidden below).
    for (const char* item : {"mnisTabShow", "mnisMenuShow", "mnisTitleShow"}) {
        ASSERT_TRUE(ToggleLayout(s, item));
        EXPECT_TRUE(MenuItemView(item, s).Checked) << item;
    }
    EXPECT_FALSE(ToggleLayout(s, "mnisFuncShow"));
    EXPECT_FALSE(MenuItemView("mnFunction", s).Visible);
    EXPECT_FALSE(MenuItemView("mnFile", s).Visible);
    EXPECT_FALSE(MenuItemView("mnEncoding", s).Visible);
    // With the menus hidden, the context menu offers them back.
    const auto context = ContextMenuModel(s);
    const auto back = std::find_if(context.begin(), context.end(), [](const TContextItem& i) {
        return i.MenuItem == "mnisMenuShow";
    });
    ASSERT_NE(back, context.end());
    EXPECT_EQ(back->Shortcut, kMenuBarKey);
    // Image marks of the caret row are checked; the external editor shows when configured.
    s.CaretRowMarks = 1u << 12;
    EXPECT_TRUE(MenuItemView("rm121", s).Checked);
    EXPECT_FALSE(MenuItemView("rm131", s).Checked);
    EXPECT_FALSE(MenuItemView("mnEditor", s).Visible);
    s.ExternalEditorSet = true;
    EXPECT_TRUE(MenuItemView("mnEditor", s).Visible);
}

TEST(ContextMenu, RulesAndShortcutTexts) {
    TCommandState s;
    s.HasEditor = s.CanRedo = true;
    s.MarksInText = 1u << 3;
    const auto m = ContextMenuModel(s);
    auto find = [&](const char* caption) -> const TContextItem& {
        for (const auto& i : m)
            if (i.Caption == caption) return i;
        throw std::runtime_error(caption);
    };
    EXPECT_EQ(find("やり直しのやり直し(&R)").Shortcut, "Ctrl+Y");
    EXPECT_TRUE(find("やり直しのやり直し(&R)").Enabled);
    EXPECT_FALSE(find("切り取り(&T)").Enabled);
    EXPECT_FALSE(find("上書き保存(&S)").Enabled);
    EXPECT_TRUE(find("ジャンプマーク(&J)").Items[3].Enabled);
    EXPECT_FALSE(find("ジャンプマーク(&J)").Items[4].Enabled);
    EXPECT_TRUE(find("ジャンプマーク設定(&K)").Items[3].Checked);
    EXPECT_EQ(find("ジャンプマーク設定(&K)").Items[3].Shortcut, "Shift+Ctrl+3");
    s.ReadOnly = true;
    EXPECT_FALSE(ContextMenuModel(s)[7].Enabled); // redo while read-only
}

TEST(PasteCaret, SmartRuleNearTheTopAndTheEnd) {
    // 100 screen rows, three pasted lines add 2 rows.
    for (int curs : {0, 1, 2}) {
        const TPasteCaret top = PasteCaretRule(curs, true, 5, 3, 0, 100, 102);
        const TPasteCaret end = PasteCaretRule(curs, true, 90, 3, 70, 100, 102);
        const bool stayTop = curs != 2, stayEnd = curs == 1;
        EXPECT_EQ(std::pair(top.Row, top.SetTop), std::pair(stayTop ? 5 : 7, stayTop)) << curs;
        EXPECT_EQ(std::pair(end.Row, end.SetTop), std::pair(stayEnd ? 90 : 92, stayEnd)) << curs;
        EXPECT_TRUE(end.Col == 3 && (!stayEnd || end.Top == 70)) << curs;
    }
    EXPECT_FALSE(PasteCaretRule(1, false, 5, 3, 0, 100, 100).Move); // one line: caret after it
}

TEST(StatusPanels, LockPanelsShowOnlyKnownStates) {
    EXPECT_EQ(LockPanelTexts({true, true, false, false}).Caps, "Caps");
    EXPECT_EQ(LockPanelTexts({false, true, true, true}).Num, ""); // nothing known: empty
}
