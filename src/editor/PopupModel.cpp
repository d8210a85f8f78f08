// Captions and enabling rules of the editor popup menu.
#include "editor/PopupModel.h"

#include "editor/EditorCore.h"

using C = TEditorCommand;

static TEditorPopupItem Item(const char* caption, C cmd, bool enabled, int arg = 0) {
    TEditorPopupItem i;
    i.Caption = caption;
    i.ShortCut = EditorShortcutText(cmd, arg);
    i.Arg = arg;
    i.Command = cmd;
    i.Enabled = enabled;
    return i;
}

static TEditorPopupItem Separator() {
    return Item("-", C::None, true);
}

static TEditorPopupItem MarkMenu(const char* caption, C cmd, std::uint16_t marks) {
    TEditorPopupItem m = Item(caption, C::None, true);
    for (int n = 0; n <= 9; ++n) {
        const std::string digit(1, static_cast<char>('0' + n));
        TEditorPopupItem i = Item(digit.c_str(), cmd, true, n);
        i.Checked = (marks >> n) & 1;
        m.Items.push_back(i);
    }
    return m;
}

std::vector<TEditorPopupItem> BuildEditorPopupMenu(const TEditorPopupState& s) {
    const bool cut = s.Selected && !s.ReadOnly;
    const bool paste = s.ClipboardHasText && !s.ReadOnly;
    TEditorPopupItem box = Item("Box選択モード(&K)", C::BoxSelect, true);
    box.Checked = s.BoxMode;
    return {
        MarkMenu("マーク設定", C::ToggleMark, s.MarksInList),
        MarkMenu("マークジャンプ", C::GotoMark, s.MarksInList),
        Separator(),
        Item("元に戻す(&U)", C::Undo, s.CanUndo && !s.ReadOnly),
        Item("やり直し(&R)", C::Redo, s.CanRedo && !s.ReadOnly),
        Separator(),
        Item("切り取り(&T)", C::Cut, cut),
        Item("コピー(&C)", C::Copy, s.Selected),
        Item("貼り付け(&P)", C::Paste, paste),
        Item("Box貼り付け(&B)", C::BoxPaste, paste),
        Item("削除(&D)", C::DeleteSelection, cut),
        Separator(),
        Item("すべて選択(&A)", C::SelectAll, s.TextNotEmpty),
        Separator(),
        box,
    };
}

TEditorPopupState PopupStateOf(const TEditorCore& core, bool clipboardHasText) {
    TEditorPopupState s;
    s.CanUndo = core.CanUndo();
    s.CanRedo = core.CanRedo();
    s.ReadOnly = core.ReadOnly();
    s.Selected = core.Selected();
    s.ClipboardHasText = clipboardHasText;
    s.TextNotEmpty = core.Rows().RowCount() > 0;
    s.BoxMode = core.SelectionMode() == smBox;
    s.MarksInList = core.Rows().MarksInList();
    return s;
}
