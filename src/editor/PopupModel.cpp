// Captions and enabling rules of the editor popup menu.
#include "editor/PopupModel.h"

using C = TEditorPopupCommand;

static TEditorPopupItem Item(const char* caption, const char* shortcut, C cmd, bool enabled) {
    TEditorPopupItem i;
    i.Caption = caption;
    i.ShortCut = shortcut;
    i.Command = cmd;
    i.Enabled = enabled;
    return i;
}

static TEditorPopupItem Separator() {
    return Item("-", "", C::None, true);
}

static TEditorPopupItem MarkMenu(const char* caption, const char* prefix, C cmd,
                                 std::uint16_t marks) {
    TEditorPopupItem m = Item(caption, "", C::None, true);
    for (int n = 0; n <= 9; ++n) {
        const std::string digit(1, static_cast<char>('0' + n));
        TEditorPopupItem i = Item(digit.c_str(), (prefix + digit).c_str(), cmd, true);
        i.Arg = n;
        i.Checked = (marks >> n) & 1;
        m.Items.push_back(i);
    }
    return m;
}

std::vector<TEditorPopupItem> BuildEditorPopupMenu(const TEditorPopupState& s) {
    const bool cut = s.Selected && !s.ReadOnly;
    const bool paste = s.ClipboardHasText && !s.ReadOnly;
    TEditorPopupItem box = Item("Box選択モード(&K)", "Ctrl+K", C::BoxSelect, true);
    box.Checked = s.BoxMode;
    return {
        MarkMenu("マーク設定", "Shift+Ctrl+", C::PutMark, s.MarksInList),
        MarkMenu("マークジャンプ", "Ctrl+", C::JumpMark, s.MarksInList),
        Separator(),
        Item("元に戻す(&U)", "Ctrl+Z", C::Undo, s.CanUndo && !s.ReadOnly),
        Item("やり直し(&R)", "Ctrl+A", C::Redo, s.CanRedo && !s.ReadOnly),
        Separator(),
        Item("切り取り(&T)", "Ctrl+X", C::Cut, cut),
        Item("コピー(&C)", "Ctrl+C", C::Copy, s.Selected),
        Item("貼り付け(&P)", "Ctrl+V", C::Paste, paste),
        Item("Box貼り付け(&B)", "Ctrl+B", C::BoxPaste, paste),
        Item("削除(&D)", "", C::Delete, cut),
        Separator(),
        Item("すべて選択(&A)", "", C::SelectAll, s.TextNotEmpty),
        Separator(),
        box,
    };
}
