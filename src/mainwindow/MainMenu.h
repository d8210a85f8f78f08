// The main window's command surface without a window: the main menu as a table (names,
// captions, shortcuts, hidden items), the rules its menus apply when they open (which also gate
// the shortcuts), the editing control's context menu, the paste caret rule and the texts of the
// status panels and layout toggles.
#pragma once

#include "editor/Commands.h"
#include "platform/LockKeys.h"

#include <cstdint>
#include <string>
#include <vector>

// The key that hides the menu bar and brings it back, as desktop programs here have it.
inline constexpr const char* kMenuBarKey = "Ctrl+M";

struct TMenuItemDef {
    std::string Name;     // "mnNew"; separators are "-"
    std::string Parent;   // the menu holding it; "" for the menus of the bar
    std::string Caption;  // UTF-8
    std::string Shortcut; // "Ctrl+N", "" for none
    bool Hidden = false;  // not shown; its shortcut still works
    bool Submenu = false;
    bool Checkable = false;
    // An item that forwards to the active control runs this command (with Arg).
    TEditorCommand Command = TEditorCommand::None;
    int Arg = 0;
};

// Every menu and item of the main menu in order.
const std::vector<TMenuItemDef>& MainMenuTable();
const TMenuItemDef* FindMenuItem(const std::string& name);
// The menus above an item, outermost first.
std::vector<std::string> MenusAbove(const std::string& name);

// What the rules look at, taken from the window when a menu opens or a shortcut arrives.
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

struct TMenuItemView {
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    std::string Caption;
};

// An item as the opening handlers of its menus leave it. Commands that are not wired yet are
// disabled by the window, not here.
TMenuItemView MenuItemView(const std::string& name, const TCommandState& s);
// Whether a shortcut may run an item: the opening rules of every menu above it and its own
// enable it, as when it is clicked.
bool ItemRunnable(const std::string& name, const TCommandState& s);

// The caption of the search menu's jump-column item, the layout toggles and the F-key menu.
std::string JumpButtonCaption(bool jumpOn);
// A layout toggle item ("mnisTabShow", "mnisMenuShow", "mnisTitleShow") run on the window's state:
// flips what it hides. False for any other item.
bool ToggleLayout(TCommandState& s, const std::string& item);
// The height of the page tabs in pixels: lower while the menus are hidden.
int PageTabHeight(bool menusHidden);

// The editing control's context menu of the main window.
struct TContextItem {
    std::string Caption;                           // "-" for a separator
    std::string Shortcut;                          // shown beside the caption
    std::string MenuItem;                          // a main-menu item it runs ("mnSave"), or ""
    TEditorCommand Command = TEditorCommand::None; // else an editor command
    int Arg = 0;
    bool SetJumpMark = false; // "ジャンプマーク設定" k
    bool Enabled = true, Checked = false;
    std::vector<TContextItem> Items;
};
std::vector<TContextItem> ContextMenuModel(const TCommandState& s);

// The caret after a paste (Curs: 0 smart, 1 stays at the start, 2 goes to the end). r, c: caret
// row and column before, t: top row before, b: screen rows before, a: screen rows after.
struct TPasteCaret {
    bool Move = false; // false: the caret stays after the pasted text
    bool SetTop = false;
    int Top = 0, Row = 0, Col = 0;
};
TPasteCaret PasteCaretRule(int curs, bool hadLineBreak, int r, int c, int t, int b, int a);

// Status panel 0: row and column (1-based in the text) as "%5d 行:%4d 桁".
std::string CaretPanelText(int row, int col);
// The caret for the status bar, and panel 0 for it by screen rows and columns ("Row / Col") or by
// logical lines and columns in the line ("Line / Char").
struct TPageCaretInfo {
    int row = 0, col = 0;  // screen row and column
    int line = 0, chr = 0; // logical line and column within it
};
std::string CaretPanelText(const TPageCaretInfo& c, bool rowCol);

// The status bar's seven panels as designed: width, centred (else left) and the text shown until
// the first refresh.
struct TStatusPanelDesign {
    int Width;
    bool Centred;
    const char* Text;
};
inline constexpr TStatusPanelDesign kStatusPanels[7] = {
    {123, true, ""},    {86, true, "Read Only"}, {48, true, "挿入"}, {48, true, "Caps"},
    {48, true, "かな"}, {48, true, "Num"},       {50, false, ""}};
// Panels 1, 2 and 5 of the active control.
std::string ReadOnlyPanelText(bool readOnly);   // "Read Only" or empty
std::string OverwritePanelText(bool overwrite); // "上書" or "挿入"
std::string BoxPanelText(bool box);             // "矩形選択" or empty

// Panels 3, 4 and 5 after a lock-key refresh (panel 5 shares Num with the box-selection mark).
struct TLockPanels {
    std::string Caps, Kana, Num;
};
TLockPanels LockPanelTexts(const TLockKeys& k);
