// The main window's command surface without a window, beside its command table: the editing
// control's context menu, the paste caret rule and the texts of the status panels.
#pragma once

#include "editor/Commands.h"
#include "mainwindow/CommandTable.h"
#include "platform/LockKeys.h"

#include <cstdint>
#include <string>
#include <vector>

// The height of the page tabs in pixels: lower while the menus are hidden.
int PageTabHeight(bool menusHidden);

// The editing control's context menu of the main window.
struct TContextItem {
    std::string Caption;                           // "-" for a separator
    std::string Shortcut;                          // shown beside the caption
    TWindowCommand Window = TWindowCommand::None;  // a window command it runs, or
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
