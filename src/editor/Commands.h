// The editing control's commands: one enum for everything a key or a menu item can ask of the
// control, the default key table that binds keys to them (the menus take their shortcut texts
// from it), and Execute, which carries a command out on the core.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TEditorCore;

enum class TEditorCommand {
    None,
    // Navigation; Shift extends the selection, Ctrl changes the step (word, document, scroll).
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    // Typing keys.
    Return,
    Tab,
    Backspace,
    DeleteKey,
    // Clipboard and editing.
    Cut,
    Copy,
    Paste,
    BoxPaste,
    DeleteSelection,
    SelectAll,
    Undo,
    Redo,
    BoxSelect, // toggles stream and box selection
    Overwrite, // toggles overwrite mode
    ReadOnly,  // toggles read-only
    DeleteRow, // the caret row
    Indent,
    UnIndent,
    TabIndent,
    TabUnIndent,
    // Row marks; the argument is the mark 0..9 (10..15 for the image marks).
    GotoMark,
    ToggleMark, // delete the mark from the caret row when it has it, else put it there
};

// Key codes without a window system: letters are 'A'..'Z', digits '0'..'9', the rest below.
namespace tkey {
enum : int {
    Left = 0x1000,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Return,
    Tab,
    Backspace,
    Delete,
    Insert,
    Escape,
    Shift, // the modifier keys alone, for the window's key preview
    Control,
    LockKey,     // Caps Lock, Num Lock, the kana lock
    F1 = 0x1100, // F1 .. F12 follow in order
};
} // namespace tkey

enum TKeyModifier : unsigned { kmNone = 0, kmShift = 1, kmCtrl = 2, kmAlt = 4 };

struct TEditorKeyBinding {
    int Key = 0;
    unsigned Modifiers = kmNone;
    TEditorCommand Command = TEditorCommand::None;
    int Arg = 0;
    // The command takes Shift and Ctrl itself (navigation): the binding matches any of them.
    bool AnyShiftCtrl = false;
};

// The control's default key table.
const std::vector<TEditorKeyBinding>& DefaultEditorKeys();
// The binding a key with modifiers runs, null when none.
const TEditorKeyBinding*
FindEditorKey(int key, unsigned modifiers,
              const std::vector<TEditorKeyBinding>& table = DefaultEditorKeys());
// What a key the table does not bind does in the control: Insert (the owner switches overwrite)
// and Ctrl or Alt combinations go on to the window's shortcuts; Return and Tab (also Shift+Tab),
// whose entries may be switched off, do nothing; any other key types its text.
enum class TUnboundKey { ToWindow, Ignore, Type };
TUnboundKey UnboundKeyAction(int key, unsigned modifiers, bool backtab);
// The shortcut text of the first key bound to a command ("Ctrl+X", "Shift+Ctrl+3"), "" when no
// key runs it.
std::string EditorShortcutText(TEditorCommand c, int arg = 0,
                               const std::vector<TEditorKeyBinding>& table = DefaultEditorKeys());
// The text of a key with modifiers in the same form.
std::string KeyText(int key, unsigned modifiers);

// What the commands need from outside the core: the clipboard.
class TEditorClipboard {
  public:
    virtual ~TEditorClipboard() = default;
    // The clipboard's text (CP932) and whether it holds a rectangle; "" when it holds no text.
    virtual std::string Text(bool& box) = 0;
    virtual void SetText(const std::string& cp932, bool box) = 0;
};

// The state of the keys that came with a command.
struct TEditorCommandKeys {
    bool Shift = false, Ctrl = false, Repeat = false;
};

// Commands that need the whole text, so they wait for a background load to end first: the end of
// the text (Ctrl+End) and selecting all of it.
bool NeedsWholeText(TEditorCommand c, TEditorCommandKeys keys);
// What a key's text types: control characters (below 0x20, and DEL) are left out.
std::u16string TypedText(std::u16string_view keyText);

// Carries a command out on the core. False when it did nothing because the state forbids it
// (read-only, no selection, nothing to undo...). clipboard may be null for the commands that
// do not use it.
bool Execute(TEditorCore& core, TEditorCommand c, int arg = 0, TEditorCommandKeys keys = {},
             TEditorClipboard* clipboard = nullptr);
