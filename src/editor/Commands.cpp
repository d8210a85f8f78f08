// The editing control's key table and the execution of its commands.
#include "editor/Commands.h"

#include "editor/EditorCore.h"

namespace {

using C = TEditorCommand;

std::vector<TEditorKeyBinding> BuildDefaultKeys() {
    auto nav = [](int key, C c) { return TEditorKeyBinding{key, kmNone, c, 0, true}; };
    auto ctrl = [](int key, C c) { return TEditorKeyBinding{key, kmCtrl, c, 0, false}; };
    std::vector<TEditorKeyBinding> t = {
        nav(tkey::Left, C::Left),
        nav(tkey::Right, C::Right),
        nav(tkey::Up, C::Up),
        nav(tkey::Down, C::Down),
        nav(tkey::Home, C::Home),
        nav(tkey::End, C::End),
        nav(tkey::PageUp, C::PageUp),
        nav(tkey::PageDown, C::PageDown),
        {tkey::Return, kmNone, C::Return, 0, false},
        {tkey::Return, kmShift, C::Return, 0, false},
        {tkey::Tab, kmNone, C::Tab, 0, false},
        nav(tkey::Backspace, C::Backspace),
        nav(tkey::Delete, C::DeleteKey),
        ctrl('X', C::Cut),
        ctrl('C', C::Copy),
        ctrl('V', C::Paste),
        ctrl('B', C::BoxPaste),
        ctrl('Z', C::Undo),
        // Ctrl+A selects all, as in every other editor a user meets; redo is Ctrl+Y.
        ctrl('Y', C::Redo),
        ctrl('A', C::SelectAll),
        ctrl('K', C::BoxSelect),
        {'I', kmShift | kmCtrl, C::Indent, 0, false},
        {'U', kmShift | kmCtrl, C::UnIndent, 0, false},
        {'T', kmShift | kmCtrl, C::TabIndent, 0, false},
        {'G', kmShift | kmCtrl, C::TabUnIndent, 0, false},
    };
    for (int n = 0; n <= 9; ++n) {
        t.push_back({'0' + n, kmCtrl, C::GotoMark, n, false});
        t.push_back({'0' + n, kmShift | kmCtrl, C::ToggleMark, n, false});
    }
    return t;
}

const char* KeyName(int key) {
    switch (key) {
    case tkey::Left:
        return "Left";
    case tkey::Right:
        return "Right";
    case tkey::Up:
        return "Up";
    case tkey::Down:
        return "Down";
    case tkey::Home:
        return "Home";
    case tkey::End:
        return "End";
    case tkey::PageUp:
        return "PgUp";
    case tkey::PageDown:
        return "PgDown";
    case tkey::Return:
        return "Enter";
    case tkey::Tab:
        return "Tab";
    case tkey::Backspace:
        return "Backspace";
    case tkey::Delete:
        return "Del";
    case tkey::Insert:
        return "Ins";
    case tkey::Escape:
        return "Esc";
    default:
        return nullptr;
    }
}

} // namespace

const std::vector<TEditorKeyBinding>& DefaultEditorKeys() {
    static const std::vector<TEditorKeyBinding> table = BuildDefaultKeys();
    return table;
}

const TEditorKeyBinding* FindEditorKey(int key, unsigned modifiers,
                                       const std::vector<TEditorKeyBinding>& table) {
    for (const TEditorKeyBinding& b : table) {
        if (b.Key != key) continue;
        const unsigned m = b.AnyShiftCtrl ? modifiers & ~(kmShift | kmCtrl) : modifiers;
        if (m == b.Modifiers) return &b;
    }
    return nullptr;
}

std::string KeyText(int key, unsigned modifiers) {
    std::string s;
    if (modifiers & kmShift) s += "Shift+";
    if (modifiers & kmCtrl) s += "Ctrl+";
    if (modifiers & kmAlt) s += "Alt+";
    if (key >= tkey::F1 && key < tkey::F1 + 24)
        s += "F" + std::to_string(key - tkey::F1 + 1);
    else if (const char* name = KeyName(key))
        s += name;
    else
        s += static_cast<char>(key);
    return s;
}

std::string EditorShortcutText(TEditorCommand c, int arg,
                               const std::vector<TEditorKeyBinding>& table) {
    for (const TEditorKeyBinding& b : table)
        if (b.Command == c && b.Arg == arg && !b.AnyShiftCtrl) return KeyText(b.Key, b.Modifiers);
    return {};
}

bool Execute(TEditorCore& core, TEditorCommand c, int arg, TEditorCommandKeys keys,
             TEditorClipboard* clipboard) {
    auto nav = [&](TEditorKey k) {
        core.KeyNavigate(k, keys.Shift, keys.Ctrl, keys.Repeat);
        return true;
    };
    const bool ro = core.ReadOnly();
    switch (c) {
    case C::None:
        return false;
    case C::Left:
        return nav(TEditorKey::Left);
    case C::Right:
        return nav(TEditorKey::Right);
    case C::Up:
        return nav(TEditorKey::Up);
    case C::Down:
        return nav(TEditorKey::Down);
    case C::Home:
        return nav(TEditorKey::Home);
    case C::End:
        return nav(TEditorKey::End);
    case C::PageUp:
        return nav(TEditorKey::PageUp);
    case C::PageDown:
        return nav(TEditorKey::PageDown);
    case C::Return:
        if (ro) return false;
        core.KeyReturn(keys.Shift);
        return true;
    case C::Tab:
        if (ro || !core.WantTabs) return false;
        core.KeyTab();
        return true;
    case C::Backspace:
        if (ro) return false;
        core.KeyBackspace();
        return true;
    case C::DeleteKey:
        if (ro) return false;
        core.KeyDelete();
        return true;
    case C::Copy:
    case C::Cut: {
        if (!core.Selected() || !clipboard) return false;
        if (c == C::Cut && ro) return false;
        bool box = false;
        const std::string s = core.CopyText(box);
        clipboard->SetText(s, box);
        if (c == C::Cut) core.DeleteSelection();
        return true;
    }
    case C::Paste:
    case C::BoxPaste: {
        if (ro || !clipboard) return false;
        bool box = false;
        const std::string s = clipboard->Text(box);
        if (s.empty()) return false;
        if (c == C::BoxPaste)
            core.SetSelTextBox(s);
        else
            core.PasteText(s, box);
        return true;
    }
    case C::DeleteSelection:
        if (ro || !core.Selected()) return false;
        core.DeleteSelection();
        return true;
    case C::SelectAll:
        core.SelectAll();
        return true;
    case C::Undo:
        if (ro || !core.CanUndo()) return false;
        core.Undo();
        return true;
    case C::Redo:
        if (ro || !core.CanRedo()) return false;
        core.Redo();
        return true;
    case C::BoxSelect:
        return core.SetSelectionMode(core.SelectionMode() == smBox ? smLine : smBox);
    case C::Overwrite:
        core.SetOverWrite(!core.OverWrite());
        return true;
    case C::ReadOnly:
        if (core.MouseDragging) return false;
        core.SetReadOnly(!core.ReadOnly());
        return true;
    case C::DeleteRow:
        if (ro || core.IsEofPos(core.Row())) return false;
        core.DeleteRow(core.Row());
        return true;
    case C::Indent:
    case C::UnIndent:
    case C::TabIndent:
    case C::TabUnIndent:
        if (ro || !core.Selected()) return false;
        if (c == C::Indent) core.IndentLines();
        if (c == C::UnIndent) core.UnIndentLines();
        if (c == C::TabIndent) core.TabIndentLines();
        if (c == C::TabUnIndent) core.TabUnIndentLines();
        return true;
    case C::GotoMark:
        return core.GotoRowMark(arg);
    case C::ToggleMark:
        if (arg < 0 || arg > 15) return false;
        if (arg <= 9) {
            core.ToggleRowMark(arg);
        } else {
            const int row = core.Row();
            if (row >= core.Rows().RowCount()) return false;
            if (core.Rows().ListRowMarks(row) & (1u << arg))
                core.DeleteRowMark(row, arg);
            else
                core.PutRowMark(row, arg);
        }
        return true;
    }
    return false;
}

bool NeedsWholeText(TEditorCommand c, TEditorCommandKeys keys) {
    return (c == TEditorCommand::End && keys.Ctrl) || c == TEditorCommand::SelectAll;
}

std::u16string TypedText(std::u16string_view keyText) {
    std::u16string t;
    for (char16_t c : keyText)
        if (c >= 0x20 && c != 0x7F) t += c;
    return t;
}

TUnboundKey UnboundKeyAction(int key, unsigned modifiers, bool backtab) {
    if (key == tkey::Insert || (modifiers & (kmCtrl | kmAlt))) return TUnboundKey::ToWindow;
    if (key == tkey::Return || key == tkey::Tab || backtab) return TUnboundKey::Ignore;
    return TUnboundKey::Type;
}
