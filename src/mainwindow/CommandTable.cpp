// The window's command table, its rules and the handler slots.
#include "mainwindow/CommandTable.h"

#include <stdexcept>

namespace {

using C = TWindowCommand;
using E = TEditorCommand;
using M = TWindowMenu;
using P = TCommandPart;
using S = const TCommandState&;
using V = TMenuItemView&;

// The rules shared by several entries.
void Always(S, int, V) {}
void WithEditor(S s, int, V v) {
    v.Enabled = s.HasEditor;
}
void WithSelection(S s, int, V v) {
    v.Enabled = s.HasEditor && s.Selected;
}
void WhileModified(S s, int, V v) {
    v.Enabled = s.HasEditor && s.Modified;
}
void WithClipboardText(S s, int, V v) {
    v.Enabled = s.HasEditor && s.ClipboardText;
}
void BarMenu(S s, int, V v) {
    v.Visible = !s.MenusHidden;
}
// An item the menus keep, hidden, without a command.
void NoCommand(S, int, V v) {
    v.Enabled = false;
}

class TTableBuilder {
  public:
    std::vector<TCommandDef> t;

    void bar(M m, const char* caption, bool hidden = false, TViewRule rule = BarMenu) {
        menu_ = M::None;
        sub(m, caption, hidden, rule);
        menu_ = m;
    }
    void sub(M m, const char* caption, bool hidden = false, TViewRule rule = Always) {
        TCommandDef d;
        d.Kind = TEntryKind::Menu;
        d.Menu = menu_;
        d.Opens = m;
        d.Caption = caption;
        d.Hidden = hidden;
        d.Rule = rule;
        t.push_back(std::move(d));
    }
    void in(M m) { menu_ = m; }
    void sep(TViewRule rule = Always, bool hidden = false) {
        TCommandDef d;
        d.Kind = TEntryKind::Separator;
        d.Menu = menu_;
        d.Caption = "-";
        d.Hidden = hidden;
        d.Rule = rule;
        t.push_back(std::move(d));
    }
    // A command answered by a part of the window.
    TCommandDef& item(C c, const char* caption, P part, TViewRule rule = Always,
                      std::string key = {}) {
        TCommandDef d;
        d.Menu = menu_;
        d.Command = c;
        d.Caption = caption;
        d.Key = std::move(key);
        d.Part = part;
        d.Rule = rule;
        t.push_back(std::move(d));
        return t.back();
    }
    // A command the active control answers, shown with the control's key for it.
    TCommandDef& fwd(C c, const char* caption, E e, TViewRule rule, bool showKey = true) {
        TCommandDef& d = item(c, caption, P::Surface, rule, showKey ? EditorShortcutText(e) : "");
        d.Forward = e;
        return d;
    }
    TCommandDef& hidden(TCommandDef& d, bool checkable = false) {
        d.Hidden = true;
        d.Checkable = checkable;
        return d;
    }
    void none(C c, const char* caption) { hidden(item(c, caption, P::None, NoCommand)); }

  private:
    M menu_ = M::None;
};

std::vector<TCommandDef> BuildTable() {
    TTableBuilder b;
    auto hide = [&b](TCommandDef& d) -> TCommandDef& { return b.hidden(d); };
    auto check = [](TCommandDef& d) -> TCommandDef& {
        d.Checkable = true;
        return d;
    };

    b.bar(M::File, "ファイル(&F)");
    b.item(C::New, "新規作成(&N)", P::Pages, Always, "Ctrl+N");
    b.sub(M::FolderHistory, "フォルダ履歴＆開く");
    b.item(C::Open, "開く(&O)", P::Pages, Always, "Ctrl+O");
    b.sub(M::Reopen, "開き直す");
    b.sep();
    b.item(C::Print, "印刷(&P)", P::Print, Always, "Ctrl+P");
    b.item(C::PrintSelection, "選択範囲印刷", P::Print, WithSelection);
    b.sep();
    hide(b.item(C::Clear, "クリア", P::Pages, WithEditor));
    b.item(C::Close, "閉じる(&C)", P::Pages,
           [](S s, int, V v) { v.Enabled = s.PageCount > 1 || (s.PageCount == 1 && !s.Untitled); });
    hide(b.item(C::OpenFolder, "フォルダOpen(&F)", P::Files));
    b.sub(M::FolderReopen, "フォルダ開き直す", true);
    hide(b.item(C::CloseAll, "すべて閉じる(&L)", P::Pages,
                [](S s, int, V v) { v.Enabled = s.PageCount > 1; }));
    b.sep();
    b.item(C::Save, "上書き保存(&S)", P::Pages, WhileModified, "Ctrl+S");
    b.item(C::SaveAs, "名前を付けて保存(&A)...", P::Pages);
    b.item(C::Rename, "名称変更(&R)", P::Files,
           [](S s, int, V v) { v.Enabled = s.HasEditor && !s.Untitled && s.FileExists; });
    b.sep();
    b.item(C::Exit, "終了(&X)", P::Pages);

    b.bar(M::Edit, "編集(&E)");
    b.fwd(C::Undo, "やり直し(&U)", E::Undo,
          [](S s, int, V v) { v.Enabled = s.HasEditor && s.CanUndo; });
    b.fwd(C::Redo, "やり直しのやり直し(&R)", E::Redo,
          [](S s, int, V v) { v.Enabled = s.HasEditor && s.CanRedo; });
    b.sep();
    b.fwd(C::Cut, "切り取り(&T)", E::Cut, WithSelection).SecondKey = KeyText(tkey::Delete, kmShift);
    b.item(C::Copy, "コピー(&C)", P::Surface, WithSelection, EditorShortcutText(E::Copy))
        .SecondKey = KeyText(tkey::Insert, kmCtrl);
    b.item(C::Paste, "貼り付け(&P)", P::Surface, WithClipboardText, EditorShortcutText(E::Paste))
        .SecondKey = KeyText(tkey::Insert, kmShift);
    hide(b.fwd(C::BoxPaste, "Box貼り付け", E::BoxPaste, WithClipboardText));
    b.sep();
    b.sub(M::Insert, "挿入(&I)");
    b.in(M::Insert);
    hide(b.item(C::InsertToday, "日付", P::Text));
    b.item(C::InsertDate, "日付(&D)", P::Text, Always, "Ctrl+D");
    b.item(C::InsertTime, "時間(&T)", P::Text, Always, "Ctrl+T");
    b.in(M::Edit);
    b.fwd(C::SelectAll, "すべてを選択(&S)", E::SelectAll, WithEditor);
    b.sep();
    b.item(C::Reread, "再読込 [編集取消] (&O)", P::Files, WhileModified);
    hide(b.fwd(C::DeleteRow, "１行削除", E::DeleteRow, WithEditor, false));
    // The external editor's item shows with its separator only when an editor is set.
    b.sep([](S s, int, V v) { v.Visible = s.ExternalEditorSet; }, true);
    hide(b.item(
        C::ExternalEditor, "エディタを起動(&E)", P::Files,
        [](S s, int, V v) {
            v.Visible = s.ExternalEditorSet;
            v.Enabled = s.HasEditor && !s.ExternalEditorRunning;
        },
        "Ctrl+Alt+E"));
    b.hidden(b.fwd(C::BoxSelect, "矩形選択モード", E::BoxSelect,
                   [](S s, int, V v) { v.Checked = s.BoxMode, v.Enabled = s.HasEditor; }),
             true);
    hide(b.fwd(C::Indent, "インデント", E::Indent, WithSelection));
    hide(b.fwd(C::Unindent, "アンインデント", E::UnIndent, WithSelection));
    hide(b.fwd(C::TabIndent, "タブインデント", E::TabIndent, WithSelection));
    hide(b.fwd(C::TabUnindent, "タブアンインデント", E::TabUnIndent, WithSelection));
    b.hidden(b.item(
                 C::Overwrite, "上書き", P::Surface,
                 [](S s, int, V v) { v.Checked = s.Overwrite, v.Enabled = s.HasEditor; },
                 KeyText(tkey::Insert, kmNone)),
             true);
    b.hidden(b.item(C::ReadOnly, "Read Only", P::Surface,
                    [](S s, int, V v) { v.Checked = s.ReadOnly, v.Enabled = s.HasEditor; }),
             true);

    b.bar(M::Search, "検索(&S)");
    b.item(C::Find, "検索(&F)", P::Text, Always, "Ctrl+F");
    b.item(C::FindPrevious, "上候補(&P)", P::Text, Always, "Shift+F3");
    b.item(C::FindNext, "下候補(&N)", P::Text, Always, "F3");
    b.item(C::Replace, "置換(&R)", P::Text, Always, "Ctrl+R");
    b.sep();
    b.sub(M::JumpMarks, "ジャンプマーク(&J)", true);
    b.none(C::JumpToTop, "ファイルの先頭へ(&F)");
    b.none(C::JumpToEnd, "ファイルの最後に(&L)");
    b.sub(M::SetJumpMarks, "ジャンプマーク設定(&K)", true);
    for (const auto& [menu, c] :
         {std::pair{M::JumpMarks, C::JumpToMark}, std::pair{M::SetJumpMarks, C::SetJumpMark}}) {
        b.in(menu);
        for (int n = 0; n <= 9; ++n) {
            const std::string caption = "&" + std::to_string(n);
            TCommandDef& d = b.item(c, "", P::None, NoCommand);
            d.Caption = caption;
            d.Arg = n;
        }
    }
    b.in(M::Search);
    b.item(
        C::JumpButtons, "ジャンプボタンＯｎ(&G)", P::Surface,
        [](S s, int, V v) { v.Caption = JumpButtonCaption(s.JumpOn); }, "Ctrl+G");

    b.bar(M::View, "表示(&V)", true, Always);
    b.item(C::CurrentSettings, "カレント環境設定", P::Display);
    b.sub(M::FileTypeSettings, "ファイルタイプ別設定");
    b.sub(M::TokenColours, "トークンの色");
    b.sub(M::CaretDisplay, "行・桁表示");
    b.in(M::CaretDisplay);
    check(b.item(C::ShowRowCol, "Row / Col", P::Surface,
                 [](S s, int, V v) { v.Checked = s.RowColMode; }));
    check(b.item(C::ShowLineChar, "Line / Char", P::Surface,
                 [](S s, int, V v) { v.Checked = !s.RowColMode; }));

    b.bar(M::Window, "ウィンドウ(&W)");
    check(b.item(C::Split, "２つに分割(&D)", P::Pages,
                 [](S s, int, V v) { v.Checked = s.Split, v.Enabled = s.HasEditor; }));
    b.none(C::NewWindow, "別の編集ウィンドゥを開く(&O)");
    b.sep();
    b.item(C::StandardSize, "規定表示にする", P::Surface);
    b.none(C::WindowSize, "ウィンドウサイズ");
    check(b.item(C::FunctionBar, "ファンクションキー非表示", P::Surface, [](S s, int, V v) {
        v.Checked = !s.FunctionBarShown;
        v.Caption = s.FunctionBarShown ? "ファンクションキー非表示" : "ファンクションキー表示";
    }));
    check(b.item(C::StatusBar, "ステータスバー非表示", P::Surface, [](S s, int, V v) {
        v.Checked = !s.StatusBarShown;
        v.Caption = s.StatusBarShown ? "ステータスバー非表示" : "ステータスバー表示";
    }));
    check(b.item(C::PageTabs, "シートタブ非表示", P::Surface,
                 [](S s, int, V v) { v.Checked = s.TabsHidden; }));
    // With the menus hidden, the key (and the text's context menu) brings them back.
    check(b.item(
        C::MenuBar, "メニュー非表示", P::Surface, [](S s, int, V v) { v.Checked = s.MenusHidden; },
        kMenuBarKey));
    check(b.item(C::TitleBar, "タイトルバー非表示", P::Surface,
                 [](S s, int, V v) { v.Checked = s.TitleHidden; }));
    b.sub(M::ImageMarks, "マーク", true);
    b.in(M::ImageMarks);
    for (int n = 10; n <= 15; ++n) {
        const std::string caption = "rm" + std::to_string(n);
        TCommandDef& d = check(b.fwd(C::ImageMark, "", E::ToggleMark, [](S s, int mark, V v) {
            v.Checked = (s.CaretRowMarks >> mark) & 1u;
            v.Enabled = s.HasEditor;
        }));
        d.Caption = caption;
        d.Arg = n;
        d.Key = KeyText(tkey::F1 + n - 10, kmShift | kmCtrl);
    }

    b.bar(M::FunctionKeys, "ファンクションキー", false,
          [](S s, int, V v) { v.Visible = !s.FunctionBarShown && !s.MenusHidden; });
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
        TCommandDef& d = b.item(C::FunctionKey, "", P::Surface, [](S s, int k, V v) {
            if (k == 10) v.Enabled = s.HasEditor && s.Modified; // F11 saves
        });
        d.Caption = caption;
        d.Key = key;
        d.Arg = i;
    }

    b.bar(M::Encoding, "文字コード(&K)");

    b.bar(M::Other, "その他(&O)");
    b.item(C::About, "バージョン情報(&A)", P::Dialogs);
    b.item(C::ProgramProperties, "プロパティ表示(&R)", P::Files,
           [](S s, int, V v) { v.Visible = s.FileManager; });
    hide(b.item(C::Information, "インフォメーション", P::Dialogs));
    b.item(C::WebSite, "トルモの公式サイトを開く", P::Files);
    b.sep();
    b.item(C::DisplaySettings, "表示設定(&C)", P::Display);
    b.item(C::Options, "オプション設定(&O)", P::Dialogs);
    b.item(C::CharacterCount, "文字数", P::Text, WithSelection);
    b.sep();
    b.item(C::ReadMe, "ReadMe.txt 表示", P::Files,
           [](S s, int, V v) { v.Enabled = s.ReadMeAvailable; });
    b.item(C::StartUpMethods, "起動方法", P::Dialogs);
    b.item(C::Setup, "セットアップ", P::Dialogs);
    b.item(C::Backup, "バックアップ＆リストア", P::Dialogs);
    b.none(C::OpenFileListCheck, "チェック");
    return std::move(b.t);
}

} // namespace

const std::vector<TCommandDef>& CommandTable() {
    static const std::vector<TCommandDef> table = BuildTable();
    return table;
}

const TCommandDef* FindCommand(TWindowCommand c, int arg) {
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Command && d.Command == c && d.Arg == arg) return &d;
    return nullptr;
}

const TCommandDef* FindMenu(TWindowMenu m) {
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Menu && d.Opens == m) return &d;
    return nullptr;
}

TWindowCommand CommandOfSecondKey(const std::string& key) {
    for (const TCommandDef& d : CommandTable())
        if (!d.SecondKey.empty() && d.SecondKey == key) return d.Command;
    return TWindowCommand::None;
}

std::vector<TWindowMenu> MenusAbove(const TCommandDef& d) {
    std::vector<TWindowMenu> out;
    for (const TCommandDef* m = FindMenu(d.Menu); m; m = FindMenu(m->Menu))
        out.insert(out.begin(), m->Opens);
    return out;
}

TMenuItemView EntryView(const TCommandDef& d, const TCommandState& s) {
    TMenuItemView v;
    v.Caption = d.Caption;
    v.Visible = !d.Hidden;
    if (d.Rule) d.Rule(s, d.Arg, v);
    return v;
}

bool CommandRunnable(TWindowCommand c, int arg, const TCommandState& s) {
    const TCommandDef* d = FindCommand(c, arg);
    if (!d) return false;
    for (const TWindowMenu m : MenusAbove(*d))
        if (!EntryView(*FindMenu(m), s).Enabled) return false;
    return EntryView(*d, s).Enabled;
}

std::string JumpButtonCaption(bool jumpOn) {
    return jumpOn ? "ジャンプボタンＯｆｆ(&G)" : "ジャンプボタンＯｎ(&G)";
}

bool ToggleLayout(TCommandState& s, TWindowCommand c) {
    bool* hidden = c == C::PageTabs   ? &s.TabsHidden
                   : c == C::MenuBar  ? &s.MenusHidden
                   : c == C::TitleBar ? &s.TitleHidden
                                      : nullptr;
    if (hidden) *hidden = !*hidden;
    return hidden != nullptr;
}

// --- handlers ----------------------------------------------------------------------------------

namespace {

std::size_t Slot(TWindowCommand c) {
    return static_cast<std::size_t>(c);
}

TCommandPart PartOf(TWindowCommand c) {
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Command && d.Command == c) return d.Part;
    return TCommandPart::None;
}

} // namespace

void TCommandHandlers::Wire(TCommandPart part, const TList& handlers) {
    std::array<bool, static_cast<std::size_t>(TWindowCommand::Count)> given{};
    for (const auto& [c, h] : handlers) {
        if (c == TWindowCommand::None || c == TWindowCommand::Count || PartOf(c) != part || !h)
            throw std::logic_error("command " + std::to_string(Slot(c)) +
                                   " wired by the wrong part or without a handler");
        given[Slot(c)] = true;
    }
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Command && d.Part == part && !given[Slot(d.Command)])
            throw std::logic_error("command " + std::to_string(Slot(d.Command)) +
                                   " left without a handler");
    for (const auto& [c, h] : handlers)
        slots_[Slot(c)] = h;
}

bool TCommandHandlers::Has(TWindowCommand c) const {
    return c != TWindowCommand::Count && slots_[Slot(c)] != nullptr;
}

bool TCommandHandlers::Run(TWindowCommand c, int arg) const {
    if (!Has(c)) return false;
    slots_[Slot(c)](arg);
    return true;
}

std::vector<TWindowCommand> TCommandHandlers::Unwired() const {
    std::vector<TWindowCommand> out;
    for (const TCommandDef& d : CommandTable())
        if (d.Kind == TEntryKind::Command && d.Part != TCommandPart::None && !Has(d.Command) &&
            (out.empty() || out.back() != d.Command))
            out.push_back(d.Command);
    return out;
}
