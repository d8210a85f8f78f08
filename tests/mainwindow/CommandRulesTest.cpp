// The main window's command rules without a window: the menu table's keys, the opening rules
// that gate them, the context menu, the paste caret rule, the function-key layers, the resize
// formulas and the jump marks.
#include "editor/EditorCore.h"
#include "mainwindow/FunctionBar.h"
#include "mainwindow/MainMenu.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <set>

namespace {
std::string J(const char* utf8) {
    return Utf8ToCp932(utf8);
}
} // namespace

TEST(MainMenuTable, EveryKeyRunsOneItemAndHiddenItemsKeepTheirs) {
    std::set<std::string> keys, names;
    for (const TMenuItemDef& d : MainMenuTable()) {
        if (d.Name != "-") {
            EXPECT_TRUE(names.insert(d.Name).second) << d.Name;
        }
        if (!d.Shortcut.empty()) {
            EXPECT_TRUE(keys.insert(d.Shortcut).second) << d.Shortcut;
        }
    }
    EXPECT_TRUE(FindMenuItem("mnBoxPaste")->Hidden);
    EXPECT_EQ(FindMenuItem("mnBoxPaste")->Shortcut, "Ctrl+B");
    EXPECT_EQ(MenusAbove("mnHiduke"), (std::vector<std::string>{"mnEdit", "mnInsert"}));
}

TEST(MainMenuRules, OpeningRulesGateTheKeys) {
    TCommandState s;
    s.HasEditor = true;
    s.PageCount = 1;
    EXPECT_FALSE(MenuItemView("mnCut", s).Enabled);   // Ctrl+X without a selection
    EXPECT_FALSE(MenuItemView("mnSave", s).Enabled);  // Ctrl+S on an unmodified page
    EXPECT_FALSE(MenuItemView("mnClose", s).Enabled); // the only page is untitled
    EXPECT_FALSE(MenuItemView("mnF11", s).Enabled);
    s.Selected = s.Modified = true;
    s.Untitled = false;
    EXPECT_TRUE(MenuItemView("mnCut", s).Enabled);
    EXPECT_TRUE(MenuItemView("mnTabUnIndent", s).Enabled);
    EXPECT_TRUE(MenuItemView("mnSave", s).Enabled);
    EXPECT_TRUE(MenuItemView("mnClose", s).Enabled);
    EXPECT_TRUE(MenuItemView("mnF11", s).Enabled);
    EXPECT_FALSE(MenuItemView("mnRename", s).Enabled); // the file is gone
    // Toggle captions name what a click does; the F-key menu shows only without the bar.
    EXPECT_EQ(MenuItemView("mnJButton", s).Caption, "ジャンプボタンＯｎ(&G)");
    s.JumpOn = true;
    EXPECT_EQ(MenuItemView("mnJButton", s).Caption, "ジャンプボタンＯｆｆ(&G)");
    EXPECT_FALSE(MenuItemView("mnFunction", s).Visible);
    s.FunctionBarShown = false;
    EXPECT_TRUE(MenuItemView("mnFunction", s).Visible);
    EXPECT_EQ(MenuItemView("mnisFuncShow", s).Caption, "ファンクションキー表示");
    EXPECT_TRUE(MenuItemView("mnisFuncShow", s).Checked);
    s.MenusHidden = true;
    EXPECT_FALSE(MenuItemView("mnFunction", s).Visible);
    EXPECT_FALSE(MenuItemView("mnFile", s).Visible);
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
    EXPECT_EQ(find("上書き保存(&S)").Shortcut, "Ctrl+S");
    EXPECT_EQ(find("ファイルの先頭(&F)").Shortcut, "Ctrl+Home");
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
        EXPECT_EQ(top.Row, stayTop ? 5 : 7) << curs;
        EXPECT_EQ(top.SetTop, stayTop) << curs;
        EXPECT_EQ(end.Row, stayEnd ? 90 : 92) << curs;
        EXPECT_EQ(end.SetTop, stayEnd) << curs;
        if (stayEnd) {
            EXPECT_EQ(end.Top, 70);
        }
        EXPECT_EQ(end.Col, 3);
    }
    EXPECT_FALSE(PasteCaretRule(1, false, 5, 3, 0, 100, 100).Move); // one line: caret after it
}

TEST(FunctionKeys, LayersFollowShiftAndCtrlAndF11FollowsTheModifiedState) {
    TFunctionKeyBar bar;
    EXPECT_EQ(bar.ButtonCaption(1), "終了");
    EXPECT_EQ(bar.ButtonCaption(10), "");
    EXPECT_FALSE(bar.KeyDown(true, false, false)); // the bar is hidden: nothing changes
    EXPECT_TRUE(bar.KeyDown(true, false, true));
    EXPECT_EQ(bar.ButtonCaption(0), "表示設定");
    EXPECT_TRUE(bar.KeyDown(true, true, true)); // Ctrl wins
    EXPECT_EQ(bar.ButtonCaption(3), "閉じる");
    EXPECT_FALSE(bar.KeyUp(true, false)); // Shift still held
    EXPECT_TRUE(bar.KeyUp(false, false));
    EXPECT_EQ(bar.Layer(), 0);
    bar.SetModified(true);
    EXPECT_EQ(bar.ButtonCaption(10), "更新");
    bar.KeyDown(true, false, true);
    EXPECT_EQ(bar.ButtonCaption(10), "更新"); // kept in every layer
    EXPECT_EQ(bar.ButtonCaption(11), "Ｏｎ");
    bar.SetJumpOn(true);
    EXPECT_EQ(bar.ButtonCaption(11), "Ｏｆｆ");
    EXPECT_EQ(FunctionKeyCommand(TFunctionKeyBar::ClickedKey(11, true, true)),
              TFunctionCommand::JumpColumn); // Shift wins on a click
    EXPECT_EQ(FunctionKeyCommand(TFunctionKeyBar::ClickedKey(3, false, true)),
              TFunctionCommand::Close);
    for (int k : {0, 4, 6, 7, 8, 9, 16, 30})
        EXPECT_EQ(FunctionKeyCommand(k), TFunctionCommand::None) << k;
}

TEST(FunctionKeys, BarAndColumnResizeFormulas) {
    const TFunctionBarLayout b = FunctionBarLayout(779, 27);
    EXPECT_EQ(b.Groups[0].Width, 250);
    EXPECT_EQ(b.Groups[1].Left, 260);
    EXPECT_EQ(b.Groups[2].Left, 520);
    EXPECT_EQ(b.Buttons[3], (TRect{186, 0, 62, 23}));
    const TJumpColumnLayout at480 = JumpColumnLayout(480);
    EXPECT_EQ(at480.First.Height, 69);
    EXPECT_EQ(at480.Last.Top, 409);
    const TJumpColumnLayout taller = JumpColumnLayout(507); // e = 27: k 2, m 3
    EXPECT_EQ(taller.First.Height, 72);
    EXPECT_EQ(taller.Digits.Height, 354);
    EXPECT_EQ(taller.Last.Top, 432);
    const TJumpColumnLayout shorter = JumpColumnLayout(463); // e = -17: k -1, m -3
    EXPECT_EQ(shorter.First.Height, 66);
    EXPECT_EQ(shorter.Last.Top, 396);
}

TEST(JumpMarks, DigitRulesAndTheScan) {
    EXPECT_EQ(JumpMarkDigit("&1 memo"), 1);
    EXPECT_EQ(JumpMarkDigit("& 1"), 1);
    EXPECT_EQ(JumpMarkDigit(J("＆１見出し")), 1);
    EXPECT_EQ(JumpMarkDigit(J("&１")), 1);
    EXPECT_EQ(JumpMarkDigit("&0"), 0);
    EXPECT_EQ(JumpMarkDigit("&x"), 0); // not a number reads as 0
    EXPECT_EQ(JumpMarkDigit("&"), 0);
    EXPECT_EQ(JumpMarkDigit("&12"), -1);
    EXPECT_EQ(JumpMarkDigit("&-1"), -1);
    EXPECT_EQ(JumpMarkDigit("x&1"), -1);
    EXPECT_EQ(JumpMarkDigit(std::string("&\x82", 2)), 0); // a lone lead byte ends the line
    EXPECT_EQ(JumpMarkDigit(std::string("\x81", 1)), -1);

    std::string text;
    for (int i = 0; i < 50; ++i)
        text += i == 10 || i == 40 ? "&3 here\r\n"
                : i == 20          ? "&x\n"
                : i == 30          ? "&12\r"
                                   : "line\r\n";
    const std::array<int, 10> lines = ScanJumpMarks(text);
    EXPECT_EQ(lines[3], 40); // the later line wins
    EXPECT_EQ(lines[0], 20);
    EXPECT_EQ(lines[1], -1);
    // The same over the rows of a store, wrapped: lines count, not rows.
    TEditorCore e;
    e.SetText(text);
    TEditorWrapOption w;
    w.SetWrapByte(20);
    e.SetWrapOption(w);
    e.SetWordWrap(true);
    text.replace(text.find("line"), 4, std::string(60, 'x')); // one line over three rows
    e.SetText(text);
    ASSERT_GT(e.Rows().RowCount(), 52);
    EXPECT_EQ(ScanJumpMarks(e.Rows()), lines);
}

TEST(JumpMarks, PlacementSwapsWithJHanten) {
    EXPECT_EQ(JumpTopRow(100, 30, 2, 5, false, false), 98);
    EXPECT_EQ(JumpTopRow(100, 30, 2, 5, false, true), 75);
    EXPECT_EQ(JumpTopRow(100, 30, 2, 5, true, false), 75);
    EXPECT_EQ(JumpTopRow(100, 30, 2, 5, true, true), 98);
    EXPECT_EQ(LockPanelTexts({true, true, false, false}).Caps, "Caps");
    EXPECT_EQ(LockPanelTexts({false, true, true, true}).Num, ""); // nothing known: empty
}
