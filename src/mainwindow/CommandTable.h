// The main window's commands as one typed table, without a window. Each entry is a menu, a
// separator or a command, in the order of the menu bar; a command's entry holds its menu, caption,
// key, the rule its menu applies when it opens (which also gates the key) and the part of the
// window that answers it. The menu bar, the keys, the function-key bar and the text's context
// menu are all built from it, and handlers attach to it by command, never by name.
#pragma once

#include "editor/Commands.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The key that hides the menu bar and brings it back, as desktop programs here have it.
inline constexpr const char* kMenuBarKey = "Ctrl+M";

enum class TWindowMenu : std::uint8_t {
    None, // the menu bar itself
    File,
    FolderHistory, // the recent folders with their files
    Reopen,        // the recent files
    FolderReopen,  // the recent folders (hidden)
    Edit,
    Insert,
    Search,
    JumpMarks,    // hidden
    SetJumpMarks, // hidden
    View,         // hidden; its copy in Other is made beside the display settings
    FileTypeSettings,
    TokenColours,
    CaretDisplay,
    Window,
    ImageMarks, // hidden
    FunctionKeys,
    Encoding, // its items are made beside the pages
    Other,
    Count
};

enum class TWindowCommand : std::uint8_t {
    None,
    // File
    New,
    Open,
    Print,
    PrintSelection,
    Clear,
    Close,
    OpenFolder,
    CloseAll,
    Save,
    SaveAs,
    Rename,
    Exit,
    // Edit
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    BoxPaste,
    InsertToday,
    InsertDate,
    InsertTime,
    SelectAll,
    Reread,
    DeleteRow,
    ExternalEditor,
    BoxSelect,
    Indent,
    Unindent,
    TabIndent,
    TabUnindent,
    Overwrite,
    ReadOnly,
    // Search
    Find,
    FindPrevious,
    FindNext,
    Replace,
    JumpToMark, // Arg: the digit
    JumpToTop,
    JumpToEnd,
    SetJumpMark, // Arg: the digit
    JumpButtons,
    // View
    CurrentSettings,
    ShowRowCol,
    ShowLineChar,
    // Window
    Split,
    NewWindow,
    StandardSize,
    WindowSize,
    FunctionBar,
    StatusBar,
    PageTabs,
    MenuBar,
    TitleBar,
    ImageMark,   // Arg: the mark, 10..15
    FunctionKey, // Arg: the logical key, 0..35
    // Other
    About,
    ProgramProperties,
    Information,
    WebSite,
    DisplaySettings,
    Options,
    CharacterCount,
    ReadMe,
    StartUpMethods,
    Setup,
    Backup,
    OpenFileListCheck,
    Count
};

// The part of the window that answers a command. None: an item the menus keep, hidden, without
// a command.
enum class TCommandPart : std::uint8_t {
    None,
    Pages,   // pages and their files
    Files,   // whole-file commands
    Dialogs, // the dialogs of the Other menu
    Print,
    Text,    // insertions, counts and the search
    Display, // the display settings
    Surface, // the active control, the bars, the keys and the layout
};

// What the rules look at, taken from the window when a menu opens or a key arrives.
struct TCommandState {
    bool HasEditor = false;
    bool Modified = false, ReadOnly = false, Selected = false, ClipboardText = false;
    bool CanUndo = false, CanRedo = false, BoxMode = false, Overwrite = false;
    bool Split = false;
    int PageCount = 0;
    bool Untitled = true, FileExists = false;
    bool ExternalEditorSet = false, ExternalEditorRunning = false;
    bool JumpOn = false;
    bool FunctionBarShown = true, StatusBarShown = true;
    bool TabsHidden = false, MenusHidden = false, TitleHidden = false;
    bool RowColMode = true;
    bool ReadMeAvailable = false;    // the read-me file is beside the program
    bool FileManager = false;        // a file manager can show the program's properties
    std::uint16_t CaretRowMarks = 0; // marks of the caret row
    std::uint16_t MarksInText = 0;   // marks present anywhere in the text
};

// An entry as the opening rules of its menus leave it.
struct TMenuItemView {
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    std::string Caption;
};

// An entry's rule: sets what differs from enabled, unchecked, shown as designed and captioned as
// designed (arg: the entry's Arg).
using TViewRule = void (*)(const TCommandState& s, int arg, TMenuItemView& v);

enum class TEntryKind : std::uint8_t { Menu, Separator, Command };

struct TCommandDef {
    TEntryKind Kind = TEntryKind::Command;
    TWindowMenu Menu = TWindowMenu::None;  // the menu holding the entry
    TWindowMenu Opens = TWindowMenu::None; // a menu entry: the menu it opens
    TWindowCommand Command = TWindowCommand::None;
    int Arg = 0;
    std::string Caption;   // UTF-8
    std::string Key;       // the window's key for it ("Ctrl+N"), shown beside the caption
    std::string SecondKey; // a further key the window previews before its controls do
    bool Hidden = false;   // not shown; its key still works
    bool Checkable = false;
    TCommandPart Part = TCommandPart::None;
    // Answered by this command of the active control (with Arg).
    TEditorCommand Forward = TEditorCommand::None;
    TViewRule Rule = nullptr;
};

// Every entry in the order of the menu bar.
const std::vector<TCommandDef>& CommandTable();
const TCommandDef* FindCommand(TWindowCommand c, int arg = 0);
const TCommandDef* FindMenu(TWindowMenu m);
// The command a second key ("Ctrl+Ins") runs; None for any other key.
TWindowCommand CommandOfSecondKey(const std::string& key);
// The menus above an entry, outermost first.
std::vector<TWindowMenu> MenusAbove(const TCommandDef& d);

// An entry as its rule leaves it.
TMenuItemView EntryView(const TCommandDef& d, const TCommandState& s);
// Whether a key may run a command: the rules of every menu above it and its own enable it, as
// when it is clicked. False for a command not in the table.
bool CommandRunnable(TWindowCommand c, int arg, const TCommandState& s);

// The caption of the search menu's jump-column item.
std::string JumpButtonCaption(bool jumpOn);
// A layout toggle (PageTabs, MenuBar, TitleBar) run on the window's state: flips what it hides.
// False for any other command.
bool ToggleLayout(TCommandState& s, TWindowCommand c);

// The window's handlers, one slot per command. A part wires all of its commands at once, so that
// a part that forgets one stops the program at its start instead of leaving a dead item.
class TCommandHandlers {
  public:
    using THandler = std::function<void(int arg)>;
    using TList = std::vector<std::pair<TWindowCommand, THandler>>;
    // Throws std::logic_error when the list misses a command of the part, names one of another
    // part or gives an empty handler.
    void Wire(TCommandPart part, const TList& handlers);
    bool Has(TWindowCommand c) const;
    // Runs the handler; false when there is none.
    bool Run(TWindowCommand c, int arg) const;
    // The commands with a part but without a handler, in table order.
    std::vector<TWindowCommand> Unwired() const;

  private:
    std::array<THandler, static_cast<std::size_t>(TWindowCommand::Count)> slots_;
};
