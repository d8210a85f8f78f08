// The function-key bar and the jump column without a window: the caption layers that follow
// Shift and Ctrl, the commands of the 36 logical keys, the resize formulas of the bar and of the
// column, the jump marks written in the text ("&3", "＆３") and where a jump puts the marked line.
#pragma once

#include "mainwindow/CommandTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class TRowView;

enum class TFunctionCommand {
    None,
    Exit,            // F2
    FindNext,        // F3
    Split,           // F6
    Save,            // F11, while the page is modified
    LineNumbers,     // F12
    DisplaySettings, // Shift+F1
    FindPrevious,    // Shift+F3
    JumpColumn,      // Shift+F12
    Find,            // Ctrl+F3
    Close,           // Ctrl+F4
};

// Logical key 0..35: 0..11 plain F1..F12, 12..23 Shift, 24..35 Ctrl.
TFunctionCommand FunctionKeyCommand(int logicalKey);
// The window command a key runs (Exit for F2); None for those the bar carries out itself (the
// jump column, line numbers) and for None.
TWindowCommand FunctionWindowCommand(TFunctionCommand c);
// The find commands reset the captions to the plain layer afterwards.
bool ResetsCaptions(TFunctionCommand c);

class TFunctionKeyBar {
  public:
    TFunctionKeyBar(); // the 37 captions of the design
    const std::vector<std::string>& Captions() const { return captions_; }
    int Layer() const { return layer_; } // 0 plain, 1 Shift, 2 Ctrl

    // The active page's modified state and the jump column's state shape entries 11 and 24.
    void SetModified(bool modified);
    void SetJumpOn(bool on);
    // Key down: Shift shows layer 1, Ctrl then layer 2, nothing while the bar is hidden. True
    // when the layer changed.
    bool KeyDown(bool shift, bool ctrl, bool barShown);
    // Key up: back to layer 0 once neither Shift nor Ctrl is held. True when it changed.
    bool KeyUp(bool shift, bool ctrl);
    bool Reset(); // layer 0; true when it changed
    // The caption of button F(i+1) in the current layer. F11 keeps "更新" in every layer.
    std::string ButtonCaption(int i) const;
    // The logical key a click on button i runs: Shift held selects layer 1, else Ctrl layer 2.
    static int ClickedKey(int i, bool shift, bool ctrl);

  private:
    std::vector<std::string> captions_;
    int layer_ = 0;
    bool modified_ = false;
};

struct TRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TRect&) const = default;
};

// The bar of width W and height H: its three groups and the four buttons of each (button rects
// relative to their group).
struct TFunctionBarLayout {
    std::array<TRect, 3> Groups;
    std::array<TRect, 4> Buttons; // the same in every group
};
TFunctionBarLayout FunctionBarLayout(int W, int H);

// The jump column of height H: btnFirst, pnlJNO, btnLast, and the ten digit buttons inside
// pnlJNO.
struct TJumpColumnLayout {
    TRect First, Digits, Last;
    std::array<TRect, 10> Digit;
};
TJumpColumnLayout JumpColumnLayout(int H);
// The column is only shown while the window is at least this high.
constexpr int kJumpColumnMinWindowHeight = 383;

// The digit a line marks (0..9), -1 when it marks none. The line begins "&" or "＆" (0x81 0x95);
// the next two bytes, trimmed, are read as a number, else compared with the full-width digits;
// anything that is neither reads as 0.
int JumpMarkDigit(std::string_view line);
// The marked line of every digit (-1: none; a later line wins), over the logical lines of rows.
std::array<int, 10> ScanJumpMarks(const TRowView& rows);
// The caption colours (0xBBGGRR) of a jump button under the mouse and elsewhere: a digit with a
// mark is magenta and green, one without red and the window's text colour.
struct TJumpButtonColors {
    unsigned Active = 0, Inactive = 0;
    bool InactiveIsText = false;
};
TJumpButtonColors JumpButtonColors(bool marked);
// The same over a text with any line ends.
std::array<int, 10> ScanJumpMarks(std::string_view text);

// The top row after a jump to screen row R: with exactly one of Shift held and JHanten the
// marked line goes CLine2 rows above the bottom, otherwise CLine1 rows below the top.
int JumpTopRow(int R, int visibleRows, int cline1, int cline2, bool jhanten, bool shift);
