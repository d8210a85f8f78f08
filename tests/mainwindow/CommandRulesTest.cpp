// The main window's command table and rules, the context menu, the paste caret and the locks.
#include "mainwindow/MainMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

using W = TWindowCommand;
using M = TWindowMenu;

TMenuItemView View(W c, const TCommandState& s, int arg = 0) {
    return EntryView(*FindCommand(c, arg), s);
}
TMenuItemView View(M m, const TCommandState& s) {
    return EntryView(*FindMenu(m), s);
}

} // namespace

// Every command sits in the table once per Arg with a rule and the part that answers it, every
// menu once, and no key is bound twice (two window actions on one key run neither).
TEST(CommandTable, EveryCommandHasARuleAPartAndItsOwnKey) {
    std::set<std::pair<W, int>> commands;
    std::set<M> menus;
    std::set<std::string> keys;
    TCommandState all; // a state that enables whatever can be enabled
    all.HasEditor = all.Modified = all.Selected = all.ClipboardText = all.CanUndo = true;
    all.CanRedo = all.ExternalEditorSet = all.ReadMeAvailable = all.FileManager = true;
    all.Untitled = false;
    all.FileExists = true;
    all.PageCount = 2;
    for (const TCommandDef& d : CommandTable()) {
        ASSERT_NE(d.Rule, nullptr) << d.Caption;
        EXPECT_TRUE(d.Menu == M::None || FindMenu(d.Menu)) << d.Caption;
        for (const std::string& k : {d.Key, d.SecondKey})
            EXPECT_TRUE(k.empty() || keys.insert(k).second) << k;
        if (d.Kind == TEntryKind::Menu) {
            EXPECT_TRUE(menus.insert(d.Opens).second) << d.Caption;
        }
        if (d.Kind != TEntryKind::Command) continue;
        EXPECT_TRUE(commands.insert({d.Command, d.Arg}).second) << d.Caption;
        // An item kept without a command is hidden (or its menu is), keyless and never enabled.
        if (d.Part == TCommandPart::None) {
            const bool hidden = d.Hidden || FindMenu(d.Menu)->Hidden;
            EXPECT_TRUE(hidden && d.Key.empty() && !EntryView(d, all).Enabled) << d.Caption;
        } else {
            EXPECT_TRUE(CommandRunnable(d.Command, d.Arg, all)) << d.Caption;
        }
    }
    for (int c = int(W::None) + 1; c < int(W::Count); ++c)
        EXPECT_NE(FindCommand(W(c), W(c) == W::ImageMark ? 10 : 0), nullptr) << c;
    EXPECT_EQ(menus.size(), std::size_t(M::Count) - 1);
    EXPECT_EQ(MenusAbove(*FindCommand(W::InsertDate)), (std::vector<M>{M::Edit, M::Insert}));
    // Ctrl+F3 opens the search; plain and Shift F3 belong to the search menu's items.
    EXPECT_EQ(FindCommand(W::FunctionKey, 26)->Key, "Ctrl+F3");
    EXPECT_EQ(FindCommand(W::FindNext)->Key, "F3");
    EXPECT_EQ(FindCommand(W::MenuBar)->Key, kMenuBarKey);
    EXPECT_EQ(CommandOfSecondKey("Ctrl+Ins"), W::Copy);
}

// The window wires a part's commands at once: a part that forgets one, or wires another part's,
// fails at the program's start instead of leaving a dead item.
TEST(CommandTable, APartWiresAllOfItsCommandsOrNone) {
    TCommandHandlers h;
    std::vector<std::pair<W, int>> runs;
    std::set<TCommandPart> parts;
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Command && d.Part != TCommandPart::None) parts.insert(d.Part);
    for (const TCommandPart part : parts) {
        TCommandHandlers::TList list;
        for (const TCommandDef& d : CommandTable())
            if (d.Kind == TEntryKind::Command && d.Part == part && d.Arg == 0)
                list.push_back({d.Command, [&runs, c = d.Command](int arg) {
                                    runs.push_back({c, arg});
                                }});
        if (part == TCommandPart::Surface) list.push_back({W::ImageMark, [](int) {}});
        ASSERT_FALSE(list.empty());
        EXPECT_THROW(h.Wire(part, {list.begin() + 1, list.end()}), std::logic_error);
        auto foreign = list;
        foreign.push_back({part == TCommandPart::Pages ? W::Print : W::Save, [](int) {}});
        EXPECT_THROW(h.Wire(part, foreign), std::logic_error);
        EXPECT_FALSE(h.Has(list.front().first));
        h.Wire(part, list);
    }
    EXPECT_TRUE(h.Unwired().empty());
    EXPECT_FALSE(h.Has(W::JumpToTop)); // kept without a command
    EXPECT_TRUE(h.Run(W::FunctionKey, 23));
    EXPECT_EQ(runs, (std::vector<std::pair<W, int>>{{W::FunctionKey, 23}}));
}

TEST(MainMenuRules, OpeningRulesGateTheKeys) {
    TCommandState s;
    s.HasEditor = true;
    s.PageCount = 1;
    // No selection to cut or count, an unmodified page to save, an untitled only page to close.
    const std::pair<W, int> gated[] = {
        {W::Cut, 0}, {W::CharacterCount, 0}, {W::Save, 0}, {W::FunctionKey, 10}, {W::Close, 0}};
    for (const auto& [c, arg] : gated)
        EXPECT_FALSE(CommandRunnable(c, arg, s)) << int(c);
    s.Selected = s.Modified = true;
    s.Untitled = false;
    for (const auto& [c, arg] : gated)
        EXPECT_TRUE(CommandRunnable(c, arg, s)) << int(c);
    // Toggle captions name what a click does; the F-key menu shows only without the bar.
    EXPECT_EQ(View(W::JumpButtons, s).Caption, "ジャンプボタンＯｎ(&G)");
    s.JumpOn = true;
    EXPECT_EQ(View(W::JumpButtons, s).Caption, "ジャンプボタンＯｆｆ(&G)");
    EXPECT_FALSE(View(M::FunctionKeys, s).Visible);
    s.FunctionBarShown = false;
    EXPECT_TRUE(View(M::FunctionKeys, s).Visible);
    EXPECT_TRUE(View(W::FunctionBar, s).Checked);
    // Each layout toggle hides its own part and shows checked (the menus stay hidden below).
    for (const W c : {W::PageTabs, W::MenuBar, W::TitleBar}) {
        ASSERT_TRUE(ToggleLayout(s, c));
        EXPECT_TRUE(View(c, s).Checked) << int(c);
    }
    EXPECT_FALSE(ToggleLayout(s, W::FunctionBar));
    EXPECT_FALSE(View(M::FunctionKeys, s).Visible);
    EXPECT_FALSE(View(M::File, s).Visible);
    EXPECT_FALSE(View(M::Encoding, s).Visible);
    // With the menus hidden, the context menu offers them back.
    const auto context = ContextMenuModel(s);
    const auto back = std::find_if(context.begin(), context.end(),
                                   [](const TContextItem& i) { return i.Window == W::MenuBar; });
    ASSERT_NE(back, context.end());
    EXPECT_EQ(back->Shortcut, kMenuBarKey);
    // Image marks of the caret row are checked; the external editor shows when configured.
    s.CaretRowMarks = 1u << 12;
    EXPECT_TRUE(View(W::ImageMark, s, 12).Checked);
    EXPECT_FALSE(View(W::ImageMark, s, 13).Checked);
    EXPECT_FALSE(View(W::ExternalEditor, s).Visible);
    s.ExternalEditorSet = true;
    EXPECT_TRUE(View(W::ExternalEditor, s).Visible);
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
