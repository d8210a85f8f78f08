// Geometry of an editor's client area: bars, margins, cell grid and visible rows, computed from
// the view settings and the font's metrics; shapes of the marks drawn after row ends.
#pragma once

#include "editor/PropertyTypes.h"
#include "editor/ViewSettings.h"

#include <string>
#include <vector>

inline constexpr int EditorMaxColumns = 1000; // columns past this are never measured or drawn

struct TEditorFontMetrics {
    int Height = 13; // ascent + descent
    int ExternalLeading = 0;
    int AveCharWidth = 7;
};

struct TEditorMetrics {
    int TextHeight = 0;  // H: font height + external leading
    int CellWidth = 0;   // W: average character width + Margin.Character
    int RowHeight = 0;   // H + Margin.Line
    int RulerHeight = 0; // 0 hidden, 11 with Edge, 10 without
    int ImagebarWidth = 0;
    int LeftbarWidth = 0;  // the last 2 pixels are the edge strip
    int LeftMargin = 0;    // x of column 0 of the text
    int TopMargin = 0;     // y of the first row
    int NumberColumns = 0; // N
    int VisibleRows = 1;
};

struct TEditorGeometryInput {
    TEditorFontMetrics Font;
    const TEditorMargin* Margin = nullptr;
    const TEditorRuler* Ruler = nullptr;
    const TEditorImagebar* Imagebar = nullptr;
    const TEditorLeftbar* Leftbar = nullptr;
    TScrollStyle ScrollBars = ssNone;
    int HScrollBarHeight = 0;
    int ClientHeight = 0;
    int NumberColumns = 1;
};

TEditorMetrics ComputeEditorMetrics(const TEditorGeometryInput& in);

// The font's average character width as the grid counts it: half a full-width character, and
// never narrower than a digit (without a Japanese font the full-width glyph has next to no
// advance).
int GridCharWidth(int fullWidthAdvance, int digitAdvance);
// The columns that fit right of the left margin in a viewport of that width; at least one.
int VisibleColumns(const TEditorMetrics& m, int viewportWidth);
// Which scroll bars a control shows.
bool ShowsVerticalBar(TScrollStyle s);
bool ShowsHorizontalBar(TScrollStyle s);

// Digit count N of the left bar: the last row index (its line index in nmLine mode), plus 1
// unless ZeroBase, plus 1 more unless the last row ends the text without a line end; at least
// Column and at most 8.
int LeftbarNumberColumns(const TEditorLeftbar& bar, int lastRowIndex, int lastLineIndex,
                         bool lastRowIsTextEnd);

// A number right-aligned in N cells; with ZeroLead the leading blanks are zeros.
std::string LeftbarNumberText(int number, int columns, bool zeroLead);

// Mark shapes: polylines in pixels (each a list of points joined by one-pixel lines).
struct TEditorPoint {
    int X, Y;
    bool operator==(const TEditorPoint&) const = default;
};
using TEditorPolyline = std::vector<TEditorPoint>;

std::vector<TEditorPolyline> ReturnMarkShape(int x, int y, int cellWidth, int textHeight);
TEditorPolyline WrapMarkShape(int x, int y, int cellWidth, int textHeight);
TEditorPolyline HideMarkShape(int x, int y, int cellWidth, int textHeight);

// The caret's rectangle within its cell row (x, y of the row's cell).
struct TEditorRect {
    int Left, Top, Right, Bottom;
    bool operator==(const TEditorRect&) const = default;
};
TEditorRect CaretShape(int x, int y, int cellWidth, int rowHeight, bool brief, bool overWrite);

// The pixel band of screen rows first..last (last < 0: to the bottom) of a view scrolled to
// topRow; only the rows on screen count. Height 0 when none of them shows.
struct TRowBand {
    int Y = 0, Height = 0;
    bool operator==(const TRowBand&) const = default;
};
TRowBand RowsBand(const TEditorMetrics& m, int topRow, int first, int last);

// What the editing control repaints when its caret moves: the band above the rows while the ruler
// shows (its caret marker), and the row the caret left and the row it reached (the caret-row
// underline and the caret cells). Remembers the row for the next move.
struct TCaretRepaint {
    TRowBand Ruler; // empty without the ruler
    int LeftRow = 0, Row = 0;
};
class TCaretTrail {
  public:
    TCaretRepaint Moved(const TEditorMetrics& m, int row);

  private:
    int last_ = 0;
};
