// What an input method is told of the caret row (its text, the caret, the anchor and the
// selected text, in UTF-16 code units: a two-byte character of the document is one unit, a
// character outside the basic plane two), and the text it is composing: its clauses and caret
// in the document's bytes, and where the row it stands in wraps while it lasts.
#pragma once

#include "editor/EditorCore.h"

#include <string>
#include <string_view>
#include <vector>

class TCharTable;
class TEditorCore;

struct TImeRowText {
    std::u16string Text;
    int Cursor = 0;
    int Anchor = 0;           // the other end of a selection inside the row, else Cursor
    std::u16string Selection; // the row's selected text
};
// table: the document's own characters (null: plain CP932).
TImeRowText ImeRowText(const TEditorCore& core, const TCharTable* table);

// A stretch of the composition drawn in a format of the input method's choosing: its own
// colours (the clause being converted) and/or an underline.
struct TCompositionFormat {
    int Start = 0, Length = 0; // UTF-16 units on input, bytes once made a TComposition
    TColor Fg = clNone, Bk = clNone;
    bool Underline = false;
};

// The text an input method is composing at the caret. Until it is committed it is shown only:
// nothing of it is in the rows, the undo history or the modified flag.
struct TComposition {
    std::string Bytes; // in the document's encoding
    std::vector<TCompositionFormat> Formats;
    int Caret = 0; // byte offset of the composition's caret
    bool CaretVisible = true;
    bool Empty() const { return Bytes.empty(); }
};
// From the input method's UTF-16 text, its formats and caret (in UTF-16 units). A character
// Shift-JIS lacks shows as "?" until it is committed (the commit gives it its code).
TComposition MakeComposition(std::u16string_view text, const std::vector<TCompositionFormat>& fmts,
                             int cursor, bool caretVisible);

// The caret's logical line with the composition standing in it, wrapped as if it were text.
// Screen rows are counted as on screen: rows before the line keep their numbers, the line takes
// Rows.size() rows from FirstRow on, and the rows after it move down by Extra().
struct TComposedLine {
    int FirstRow = 0, StoreRows = 1;         // the rows the line takes in the store
    std::string Text;                        // the line's text with the composition in it
    std::vector<int> RowStarts;              // where each of the store's rows starts in the line
    int At = 0, Bytes = 0;                   // the composition's bytes in Text
    std::vector<TWrapRow> Rows;              // how Text wraps
    TRowEnd End = reLineEnd;                 // how the line ends (reTextEnd: the text's end)
    bool EofRow = false;                     // the caret stands on the row after the text
    TEditorPos Caret;                        // the composition's caret on screen
    std::vector<TCompositionFormat> Formats; // the composition's, in its bytes
    int Extra() const { return static_cast<int>(Rows.size()) - StoreRows; }
    bool Holds(int screenRow) const {
        return screenRow >= FirstRow && screenRow < FirstRow + static_cast<int>(Rows.size());
    }
    // The store's row shown at a screen row outside the line.
    int StoreRow(int screenRow) const {
        return screenRow < FirstRow ? screenRow : screenRow - Extra();
    }
};
TComposedLine ComposeLine(const TEditorCore& core, const TComposition& comp);

// Selects the caret row's UTF-16 units [start, end) (clamped to the row): what an input method
// takes out of the text to convert it again, or marks as the selection. Empty: the caret only.
void SelectRowUnits(TEditorCore& core, const TCharTable* table, int start, int end);
