// What one screen row of the editor shows, worked out without a window: the characters on the
// cell grid with their colours (tokens, then selection, then hit), the selected line end, the mark
// after the row, the caret-row underline, the left bar's number, the image bar's marks and the
// ruler's ticks. The widget only draws what these say.
#pragma once

#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "editor/InputMethodText.h"

#include <cstdint>
#include <string>
#include <vector>

struct TCellAttr {
    TColor Bk, Fg;
    TFontStyles Style;
    bool operator==(const TCellAttr&) const = default;
};

// How a character is drawn: its glyph, its control picture (a control byte other than the tab,
// so that the user sees what will be written back), or nothing (a tab, a blank cell).
enum class TCellGlyph { Text, Control, Blank };

struct TCellRun {
    int Offset = 0, Bytes = 0; // the character's bytes in the row's text
    int Col = 0, EndCol = 0;   // the cells it takes, [Col, EndCol)
    TCellAttr Attr{};
    TCellGlyph Glyph = TCellGlyph::Text;
    char16_t Picture = 0;            // the control picture of a Control cell
    bool Composing = false;          // a character of the input method's composition
    bool ComposingUnderline = false; // underlined: all but a clause with colours of its own
};

enum class TRowEndMark { None, Eof, Return, Wrap, Hide };

struct TRowPaint {
    TCellAttr Base{};            // the editor's background, the font's colour and style
    std::vector<TCellRun> Cells; // characters from the first visible column up to lastCol
    int Width = 0;               // columns the text takes (EditorMaxColumns when it is cut)
    bool Cut = false;            // the row is longer than EditorMaxColumns
    bool LineEndSelected = false;
    TColor SelectionBk{};  // the selected line end's cell
    bool Selected = false; // some of the row is selected or hit
    TRowEndMark EndMark = TRowEndMark::None;
    TColor EndMarkColor{};
    bool Underline = false; // the caret-row underline
    TColor UnderlineColor{};
};

// The row's cells between topCol and lastCol (exclusive), with what follows the text. With a
// composition, row counts screen rows as the composed line lays them out: its line shows the
// composition where the caret is, wrapped as text would be, and the rows below move down.
TRowPaint LayoutRowPaint(TEditorCore& c, int row, int topCol, int lastCol,
                         const TComposedLine* composed = nullptr);

// The digits the left bar's numbers take for the text of the control (LeftbarNumberColumns of its
// last row).
int LeftbarColumnsOf(TEditorCore& c);
// Whether the shown number column no longer fits the text (its last number gained or lost a
// digit): the view is then laid out again rather than repainted row by row.
bool NumberColumnsChanged(TEditorCore& c, int shownColumns);
// The number the left bar shows beside a screen row (already made one-based unless ZeroBase);
// -1 where it shows none (a wrapped continuation in line mode).
int LeftbarRowNumber(const TEditorLeftbar& bar, const TEditorScreenStrings& rows, int row);

// The two strips at the left bar's right edge (white and grey with Edge) and its background.
struct TLeftbarColors {
    TColor Bk, EdgeLight, EdgeDark;
};
TLeftbarColors LeftbarColors(const TEditorLeftbar& bar, TColor editorBk);
// The image bar's background: the left bar's when that shows one, the editor's otherwise.
TColor ImagebarBk(const TEditorLeftbar& bar, TColor editorBk);

// The marks a row shows in the image bar: the lowest jump mark 0..9 and the lowest colour mark
// 10..15 of its mark bits; -1 for none.
struct TImagebarMarks {
    int Digit = -1, Color = -1;
};
TImagebarMarks ImagebarMarksOf(std::uint16_t marks);

// The ruler's ticks from topCol over visibleCols columns: a long tick every gauge columns, a
// short one half-way.
struct TRulerTick {
    int Col;
    bool Long;
    bool operator==(const TRulerTick&) const = default;
};
std::vector<TRulerTick> RulerTicks(int topCol, int gauge, int visibleCols);
