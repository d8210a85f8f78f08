// The main menu's table and rules, the context menu, the paste caret rule and status texts.
#include "mainwindow/MainMenu.h"

#include <cstdio>

namespace {

using C = TEditorCommand;

std::vector<TMenuItemDef> BuildTable() {
    std::vector<TMenuItemDef> t;
    std::string menu;
    auto bar = [&](const char* name, const char* caption, bool hidden = false) {
        t.push_back({name, "", caption, "", hidden, true, false});
        menu = name;
    };
    auto item = [&](const char* name, const char* caption, std::string key = {},
                    bool hidden = false, bool checkable = false) {
        t.push_back({name, menu, caption, std::move(key), hidden, false, checkable});
    };
    auto sub = [&](const char* name, const char* caption, bool hidden = false) {
        t.push_back({name, menu, caption, "", hidden, true, false});
    };
    auto sep = [&] { t.push_back({"-", menu, "-", "", false, false, false}); };
    auto ed = [](C c) { return EditorShortcutText(c); };
    // An item that forwards to the active control, with the control's key for the command.
    auto fwd = [&](const char* name, const char* caption, C c, bool hidden = false,
                   bool checkable = false) {
        item(name, caption, c == C::DeleteRow ? "" : ed(c), hidden, checkable);
        t.back().Command = c;
    };

    bar("mnFile", "ファイル(&F)");
    item("mnNew", "新規作成(&N)", "Ctrl+N");
    sub("mnfoReOpen", "フォルダ履歴＆開く");
    item("mnOpen", "開く(&O)", "Ctrl+O");
    sub("mnReOpen", "開き直す");
    sep();
    item("mnInsatsu", "印刷(&P)", "Ctrl+P");
    item("mnIchiIn", "選択範囲印刷");
    sep();
    item("mnClear", "クリア", "", true);
    item("mnClose", "閉じる(&C)");
    item("mnFolderOpen", "フォルダOpen(&F)", "", true);
    sub("mnFolderReOpen", "フォルダ開き直す", true);
    item("mnAllClose", "すべて閉じる(&L)", "", true);
    sep();
    item("mnSave", "上書き保存(&S)", "Ctrl+S");
    item("mnSaveAs", "名前を付けて保存(&A)...");
    item("mnRename", "名称変更(&R)");
    sep();
    item("mnExit", "終了(&X)");

    bar("mnEdit", "編集(&E)");
    fwd("mnUndo", "やり直し(&U)", C::Undo);
    fwd("mnRedo", "やり直しのやり直し(&R)", C::Redo);
    sep();
    fwd("mnCut", "切り取り(&T)", C::Cut);
    item("mnCopy", "コピー(&C)", ed(C::Copy));
    item("mnPaste", "貼り付け(&P)", ed(C::Paste));
    fwd("mnBoxPaste", "Box貼り付け", C::BoxPaste, true);
    sep();
    sub("mnInsert", "挿入(&I)");
    menu = "mnInsert";
    item("mnDayIn", "日付", "", true);
    item("mnHiduke", "日付(&D)", "Ctrl+D");
    item("mnTimeIn", "時間(&T)", "Ctrl+T");
    menu = "mnEdit";
    fwd("mnAll", "すべてを選択(&S)", C::SelectAll);
    sep();
    item("mnSaiYomikomi", "再読込 [編集取消] (&O)");
    fwd("mnDelete", "１行削除", C::DeleteRow, true);
    t.push_back({"mnEditorLine", "mnEdit", "-", "", true, false, false});
    item("mnEditor", "エディタを起動(&E)", "Ctrl+Alt+E", true);
    fwd("mnBoxSel", "矩形選択モード", C::BoxSelect, true, true);
    fwd("mnIndent", "インデント", C::Indent, true);
    fwd("mnUnIndent", "アンインデント", C::UnIndent, true);
    fwd("mnTabIndent", "タブインデント", C::TabIndent, true);
    fwd("mnTabUnIndent", "タブアンインデント", C::TabUnIndent, true);
    item("mnOverwrite", "上書き", KeyText(tkey::Insert, kmNone), true, true);
    item("mnReadOnly", "Read Only", "", true, true);

    bar("mnIdou", "検索(&S)");
    item("mnFind", "検索(&F)", "Ctrl+F");
    item("mnUeFind", "上候補(&P)", "Shift+F3");
    item("mnShitaFind", "下候補(&N)", "F3");
    item("mnRepl", "置換(&R)", "Ctrl+R");
    sep();
    sub("J1", "ジャンプマーク(&J)", true);
    item("F13", "ファイルの先頭へ(&F)", "", true);
    item("L1", "ファイルの最後に(&L)", "", true);
    sub("K1", "ジャンプマーク設定(&K)", true);
    for (const char* m : {"J1", "K1"}) {
        menu = m;
        for (int n = 0; n <= 9; ++n) {
            const std::string name = std::string(m) + "_" + std::to_string(n);
            t.push_back({name, m, "&" + std::to_string(n), "", false, false, false});
        }
    }
    menu = "mnIdou";
    item("mnJButton", "ジャンプボタンＯｎ(&G)", "Ctrl+G");

    bar("mnShow", "表示(&V)", true);
    item("mnProperty1", "カレント環境設定");
    sub("mnEditorPropAttribute", "ファイルタイプ別設定");
    sub("mnFountainAttribute", "トークンの色");
    sub("mnGyou", "行・桁表示");
    menu = "mnGyou";
    item("mnRowCol", "Row / Col", "", false, true);
    item("mnLineChar", "Line / Char", "", false, true);

    bar("mnWindow", "ウィンドウ(&W)");
    item("mnSplit", "２つに分割(&D)", "", false, true);
    item("mnNewWindow", "別の編集ウィンドゥを開く(&O)", "", true);
    sep();
    item("mnKSize", "規定表示にする");
    item("mnUSize", "ウィンドウサイズ", "", true);
    item("mnisFuncShow", "ファンクションキー非表示", "", false, true);
    item("mnisStatShow", "ステータスバー非表示", "", false, true);
    item("mnisTabShow", "シートタブ非表示", "", false, true);
    // With the menus hidden, the key (and the text's context menu) brings them back.
    item("mnisMenuShow", "メニュー非表示", kMenuBarKey, false, true);
    item("mnisTitleShow", "タイトルバー非表示", "", false, true);
    sub("mnMk", "マーク", true);
    menu = "mnMk";
    for (int n = 10; n <= 15; ++n) {
        const std::string name = "rm" + std::to_string(n) + "1";
        t.push_back({name, "mnMk", "rm" + std::to_string(n),
                     KeyText(tkey::F1 + n - 10, kmShift | kmCtrl), false, false, true,
                     C::ToggleMark, n});
    }

    bar("mnFunction", "ファンクションキー");
    for (int i = 0; i < 36; ++i) {
        const int f = i % 12; // F1 = 0
        const unsigned mods = i < 12 ? kmNone : i < 24 ? kmShift : kmCtrl;
        std::string key;
        // Plain F3 and Shift+F3 are the search menu's keys.
        if ((f != 2 || i >= 24) && !(i >= 24 && f >= 8)) key = KeyText(tkey::F1 + f, mods);
        std::string caption = "F" + std::to_string(i + 1);
        if (i == 1) caption = "終了";
        if (i == 2) caption = "検索";
        if (i == 10) caption = "更新";
        if (i == 11) caption = "Ｏｆｆ";
        const std::string name = "mnF" + std::to_string(i + 1);
        t.push_back({name, "mnFunction", caption, key, false, false, false});
    }

    // The page's encoding and line ends; its items are made beside the pages.
    bar("mnEncoding", "文字コード(&K)");

    bar("mnSonota", "その他(&O)");
    item("mnAbout", "バージョン情報(&A)");
    item("mnProperty", "プロパティ表示(&R)");
    item("mnInfo", "インフォメーション", "", true);
    item("mnTolmo", "トルモの公式サイトを開く");
    sep();
    item("mnHyoujiSet", "表示設定(&C)");
    item("mnSet", "オプション設定(&O)");
    item("mnMojisuu", "文字数");
    sep();
    item("mnReadMe", "ReadMe.txt 表示");
    item("mnKidou", "起動方法");
    item("mnSetup", "セットアップ");
    item("mnBackup", "バックアップ＆リストア");
    item("mnCheck", "チェック", "", true);
    return t;
}

} // namespace

const std::vector<TMenuItemDef>& MainMenuTable() {
    static const std::vector<TMenuItemDef> table = BuildTable();
    return table;
}

const TMenuItemDef* FindMenuItem(const std::string& name) {
    for (const TMenuItemDef& d : MainMenuTable())
        if (d.Name == name && name != "-") return &d;
    return nullptr;
}

std::vector<std::string> MenusAbove(const std::string& name) {
    std::vector<std::string> out;
    const TMenuItemDef* d = FindMenuItem(name);
    while (d && !d->Parent.empty()) {
        out.insert(out.begin(), d->Parent);
        d = FindMenuItem(d->Parent);
    }
    return out;
}

std::string JumpButtonCaption(bool jumpOn) {
    return jumpOn ? "ジャンプボタンＯｆｆ(&G)" : "ジャンプボタンＯｎ(&G)";
}

bool ToggleLayout(TCommandState& s, const std::string& item) {
    bool* hidden = item == "mnisTabShow"     ? &s.TabsHidden
                   : item == "mnisMenuShow"  ? &s.MenusHidden
                   : item == "mnisTitleShow" ? &s.TitleHidden
                                             : nullptr;
    if (hidden) *hidden = !*hidden;
    return hidden != nullptr;
}

int PageTabHeight(bool menusHidden) {
    return menusHidden ? 16 : 20;
}

TMenuItemView MenuItemView(const std::string& name, const TCommandState& s) {
    TMenuItemView v;
    const TMenuItemDef* d = FindMenuItem(name);
    if (!d) {
        v.Enabled = v.Visible = false;
        return v;
    }
    v.Caption = d->Caption;
    v.Visible = !d->Hidden;
    const bool ed = s.HasEditor;
    const bool sel = ed && s.Selected;
    // mnFileClick
    if (name == "mnSave")
        v.Enabled = ed && s.Modified;
    else if (name == "mnRename")
        v.Enabled = ed && !s.Untitled && s.FileExists;
    else if (name == "mnIchiIn")
        v.Enabled = sel;
    else if (name == "mnAllClose")
        v.Enabled = s.PageCount > 1;
    else if (name == "mnClose")
        v.Enabled = s.PageCount > 1 || (s.PageCount == 1 && !s.Untitled);
    // mnEditClick
    else if (name == "mnOverwrite")
        v.Checked = s.Overwrite, v.Enabled = ed;
    else if (name == "mnReadOnly")
        v.Checked = s.ReadOnly, v.Enabled = ed;
    else if (name == "mnCopy" || name == "mnCut" || name == "mnIndent" || name == "mnUnIndent" ||
             name == "mnTabIndent" || name == "mnTabUnIndent")
        v.Enabled = sel;
    else if (name == "mnPaste" || name == "mnBoxPaste")
        v.Enabled = ed && s.ClipboardText;
    else if (name == "mnRedo")
        v.Enabled = ed && s.CanRedo;
    else if (name == "mnUndo")
        v.Enabled = ed && s.CanUndo;
    else if (name == "mnBoxSel")
        v.Checked = s.BoxMode, v.Enabled = ed;
    else if (name == "mnSaiYomikomi")
        v.Enabled = ed && s.Modified;
    else if (name == "mnEditorLine")
        v.Visible = s.ExternalEditorSet;
    else if (name == "mnEditor") {
        v.Visible = s.ExternalEditorSet;
        v.Enabled = ed && !s.ExternalEditorRunning;
    } else if (name == "mnAll" || name == "mnDelete" || name == "mnClear")
        v.Enabled = ed;
    // mnSonotaClick: the character count of the selection
    else if (name == "mnMojisuu")
        v.Enabled = sel;
    else if (name == "mnReadMe")
        v.Enabled = s.ReadMeAvailable;
    else if (name == "mnProperty")
        v.Visible = s.FileManager;
    // mnWindowClick and the window toggles
    else if (name == "mnSplit")
        v.Checked = s.Split, v.Enabled = ed;
    else if (name == "mnisFuncShow") {
        v.Checked = !s.FunctionBarShown;
        v.Caption = s.FunctionBarShown ? "ファンクションキー非表示" : "ファンクションキー表示";
    } else if (name == "mnisStatShow") {
        v.Checked = !s.StatusBarShown;
        v.Caption = s.StatusBarShown ? "ステータスバー非表示" : "ステータスバー表示";
    } else if (name == "mnisTabShow")
        v.Checked = s.TabsHidden;
    else if (name == "mnisMenuShow")
        v.Checked = s.MenusHidden;
    else if (name == "mnisTitleShow")
        v.Checked = s.TitleHidden;
    else if (name.size() == 5 && name.compare(0, 2, "rm") == 0 && name[4] == '1') {
        // mnMkClick: the image marks of the caret row
        const int mark = std::stoi(name.substr(2, 2));
        v.Checked = (s.CaretRowMarks >> mark) & 1u;
        v.Enabled = ed;
    } else if (name == "mnRowCol")
        v.Checked = s.RowColMode;
    else if (name == "mnLineChar")
        v.Checked = !s.RowColMode;
    // The search menu's opening handler names the jump column's next state.
    else if (name == "mnJButton")
        v.Caption = JumpButtonCaption(s.JumpOn);
    else if (name == "mnF11")
        v.Enabled = ed && s.Modified;
    else if (name == "mnFunction")
        v.Visible = !s.FunctionBarShown && !s.MenusHidden;
    else if (d->Parent.empty() && name != "mnShow")
        v.Visible = !s.MenusHidden;
    return v;
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
    auto menuItem = [](const char* caption, const char* item, bool enabled) {
        TContextItem i;
        i.Caption = caption;
        i.MenuItem = item;
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
    TContextItem save = menuItem("上書き保存(&S)", "mnSave", s.Modified && !ro);
    save.Shortcut = FindMenuItem("mnSave")->Shortcut;
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
        menuItem("文字数", "mnMojisuu", sel),
        menuItem("選択範囲印刷", "mnIchiIn", sel),
        sep(),
        save,
        menuItem("名前を付けて保存(&W)", "mnSaveAs", true),
        menuItem("閉じる(&Q)", "mnClose", true),
        sep(),
        menuItem("新規作成(&N)", "mnNew", true),
        menuItem("開く(&O)", "mnOpen", true),
        sep(),
        menuItem("終了(&X)", "mnExit", true),
    };
    if (s.MenusHidden) {
        // The only way back to a hidden menu bar besides its key.
        TContextItem menus = menuItem("メニュー表示(&M)", "mnisMenuShow", true);
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

bool ItemRunnable(const std::string& name, const TCommandState& s) {
    for (const std::string& menu : MenusAbove(name))
        if (!MenuItemView(menu, s).Enabled) return false;
    return MenuItemView(name, s).Enabled;
}

TLockPanels LockPanelTexts(const TLockKeys& k) {
    if (!k.Known) return {};
    return {k.Caps ? "Caps" : "", k.Kana ? "かな" : "", k.Num ? "Num" : ""};
}
