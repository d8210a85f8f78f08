// What the main window's commands do to the active control's core: the state the menu rules
// read from it, the jump buttons, setting a jump mark from the context menu, the caret after the
// menu's Copy and Paste, the wheel, and the caret's line for the status bar.
#pragma once

#include "mainwindow/MainMenu.h"

#include <array>

class TEditorCore;
class TPageBook;

// The control's part of the rules' state (the window fills in the rest).
void FillEditorState(TCommandState& s, const TEditorCore& c);
// The pages' part: their number, whether the active one (-1: none) is untitled and its file
// exists, and whether the read-me file is beside the program.
void FillPageState(TCommandState& s, const TPageBook& book, int page, int pageCount);

// A jump button: 0..9 the line of that mark (nothing when no line has it), 10 the text's start,
// 11 its end. The selection goes; a marked line lands where JumpTopRow puts it.
struct TJumpPlacement {
    int CLine1 = 0, CLine2 = 0;
    bool JHanten = false;
};
void JumpEditor(TEditorCore& c, int tag, const std::array<int, 10>& lines,
                const TJumpPlacement& place, bool shift);

// "ジャンプマーク設定" on the caret row: the row's other jump mark goes. Nothing on the row after
// the text or when the row has this mark already.
void SetJumpMarkAtCaret(TEditorCore& c, int digit);
// Context items the core carries out by itself (jump marks; Home and End, which drop the
// selection first). False for the rest, which the control runs with its clipboard.
bool RunContextItemOnCore(TEditorCore& c, const TContextItem& item);

// After the menu's Copy the selection goes and the caret stays at its end.
void DropSelectionAfterCopy(TEditorCore& c);
// Moves the caret as the paste rule says (nothing when it stays after the pasted text).
void ApplyPasteCaret(TEditorCore& c, const TPasteCaret& p);

// The wheel scrolls one row per notch, whatever the notch's size; true when delta moved it.
bool WheelScroll(TEditorCore& c, int angleDelta);

// The caret as a logical line and the byte column in that line (the line's wrapped rows before
// the caret's row count with their bytes), for "Line / Char" in the status bar. On the row after
// the text it is the line after a final line end, else the end of the last line.
struct TCaretLine {
    int Line = 0, Char = 0;
};
TCaretLine CaretLineOf(const TEditorCore& c);
