// The context menu, the paste caret rule and the status texts.
#include "mainwindow/MainMenu.h"

#include <cstdio>

namespace {

using C = TEditorCommand;
using W = TWindowCommand;

} // namespace

int PageTabHeight(bool menusHidden) {
    return menusHidden ? 16 : 20;
}

std::vector<TContextItem> ContextMenuModel(const TCommandState& s) {
    auto cmd = [](const char* caption, C c, bool enabled) {
        TContextItem i;
        i.Caption = caption;
        i.Command = c;
        i.Shortcut = EditorShortcutText(c);
        i.Enabled = enabled;
        return i;
    };
    auto menuItem = [](const char* caption, W item, bool enabled) {
        TContextItem i;
        i.Caption = caption;
        i.Window = item;
        i.Enabled = enabled;
        return i;
    };
    auto sep = [] {
        TContextItem i;
        i.Caption = "-";
        return i;
    };
    const bool sel = s.Selected, ro = s.ReadOnly;
    TContextItem jump;
    jump.Caption = "ジャンプマーク(&J)";
    TContextItem set;
    set.Caption = "ジャンプマーク設定(&K)";
    for (int n = 0; n <= 9; ++n) {
        const bool present = (s.MarksInText >> n) & 1u;
        TContextItem j = cmd("", C::GotoMark, present);
        j.Caption = std::to_string(n);
        j.Arg = n;
        j.Shortcut = EditorShortcutText(C::GotoMark, n);
        jump.Items.push_back(j);
        TContextItem k = j;
        k.Command = C::None;
        k.SetJumpMark = true;
        k.Enabled = true;
        k.Checked = present;
        k.Shortcut = KeyText('0' + n, kmShift | kmCtrl);
        set.Items.push_back(k);
    }
    TContextItem top = cmd("ファイルの先頭(&F)", C::Home, true);
    top.Shortcut = KeyText(tkey::Home, kmCtrl);
    TContextItem end = cmd("ファイルの最後(&L)", C::End, true);
    end.Shortcut = KeyText(tkey::End, kmCtrl);
    TContextItem save = menuItem("上書き保存(&S)", W::Save, s.Modified && !ro);
    save.Shortcut = FindCommand(W::Save)->Key;
    std::vector<TContextItem> items = {
        cmd("切り取り(&T)", C::Cut, sel && !ro),
        cmd("コピー(&C)", C::Copy, sel),
        cmd("貼り付け(&P)", C::Paste, s.ClipboardText && !ro),
        sep(),
        cmd("削除(&D)", C::DeleteSelection, sel && !ro),
        sep(),
        cmd("やり直し(&U)", C::Undo, s.CanUndo && !ro),
        cmd("やり直しのやり直し(&R)", C::Redo, s.CanRedo && !ro),
        sep(),
        jump,
        top,
        end,
        set,
        sep(),
        menuItem("文字数", W::CharacterCount, sel),
        menuItem("選択範囲印刷", W::PrintSelection, sel),
        sep(),
        save,
        menuItem("名前を付けて保存(&W)", W::SaveAs, true),
        menuItem("閉じる(&Q)", W::Close, true),
        sep(),
        menuItem("新規作成(&N)", W::New, true),
        menuItem("開く(&O)", W::Open, true),
        sep(),
        menuItem("終了(&X)", W::Exit, true),
    };
    if (s.MenusHidden) {
        // The only way back to a hidden menu bar besides its key.
        TContextItem menus = menuItem("メニュー表示(&M)", W::MenuBar, true);
        menus.Shortcut = kMenuBarKey;
        items.insert(items.end() - 1, {menus, sep()});
    }
    return items;
}

TPasteCaret PasteCaretRule(int curs, bool hadLineBreak, int r, int c, int t, int b, int a) {
    TPasteCaret p;
    if (!hadLineBreak) return p;
    p.Move = true;
    const bool stay = curs == 1 || (curs == 0 && r < b / 2);
    if (stay) {
        p.SetTop = true;
        p.Top = t;
        p.Row = r;
    } else {
        p.Row = r + (a - b);
    }
    p.Col = c;
    return p;
}

std::string CaretPanelText(int row, int col) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%5d 行:%4d 桁", row + 1, col + 1);
    return buf;
}

std::string CaretPanelText(const TPageCaretInfo& c, bool rowCol) {
    return rowCol ? CaretPanelText(c.row, c.col) : CaretPanelText(c.line, c.chr);
}

std::string ReadOnlyPanelText(bool readOnly) {
    return readOnly ? "Read Only" : "";
}

std::string OverwritePanelText(bool overwrite) {
    return overwrite ? "上書" : "挿入";
}

std::string BoxPanelText(bool box) {
    return box ? "矩形選択" : "";
}

TLockPanels LockPanelTexts(const TLockKeys& k) {
    if (!k.Known) return {};
    return {k.Caps ? "Caps" : "", k.Kana ? "かな" : "", k.Num ? "Num" : ""};
}
