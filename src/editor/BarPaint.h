// The editor's bars and marks as drawing steps worked out without a window: the image bar's
// jump and colour marks, the left bar's strips and numbers, the bars below the last row, the
// ruler with its marker and ticks, and the mark after a row's text. The widget runs the steps.
#pragma once

#include "editor/RowPaint.h"

#include <string>
#include <vector>

// One step: a filled rectangle, a line from (X, Y) to (W, H), Chars at its baseline (X, Y), a
// jump-mark tile (Chars centred in bold white on a Color box X, Y, W, H) or a disc of diameter W.
struct TPaintStep {
    enum TKind : unsigned char { Fill, Line, Text, Tile, Disc } Kind;
    int X = 0, Y = 0, W = 0, H = 0;
    TColor Color = 0;
    std::string Chars;
    bool operator==(const TPaintStep&) const = default;
};
using TPaintSteps = std::vector<TPaintStep>;

// The image bar and the left bar beside the screen row `row` drawn at y (ascent: the font's, for
// the numbers' baseline).
TPaintSteps RowBarsPaint(TEditorCore& c, const TEditorMetrics& m, int row, int y, int ascent);
// The bars' background from yEnd, below the last row, down to height.
TPaintSteps BarsBelowPaint(TEditorCore& c, const TEditorMetrics& m, int yEnd, int height);
// The ruler across width: its background, the caret column's marker, the ticks and the edge.
TPaintSteps RulerPaint(TEditorCore& c, const TEditorMetrics& m, int width);
// The mark after a row's text, at x on the row drawn at y.
TPaintSteps EndMarkPaint(const TRowPaint& r, const TEditorMetrics& m, int x, int y, int ascent);
