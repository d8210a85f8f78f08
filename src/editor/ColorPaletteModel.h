// The colour palette's grid and picking rules: 13 x 5 cells of fixed colours, a foreground and
// a background pick, a keyboard focus cell, and the size that keeps every cell the same.
#pragma once

#include "editor/EditorColors.h"

#include <string>
#include <vector>

inline constexpr int kPaletteCols = 13, kPaletteRows = 5;
inline constexpr int kPaletteCells = kPaletteCols * kPaletteRows;

// The colour of a cell (row by row); clNone outside the grid.
TColor PaletteCellColor(int index);
// The first cell holding the colour; -1 when no cell does.
int PaletteIndexOf(TColor c);
// A size snapped down to multiples of 13 and 5 (at least one pixel per cell).
void SnapPaletteSize(int& width, int& height);
// The cell under a point of a palette of that size; -1 outside.
int PaletteCellAt(int x, int y, int width, int height);

// A cell as painted in a grid of w x h pixels at (x, y): its place and colour, the mark of the
// picks, the ink of the mark and the focus frame (black on a light colour, white on a dark one),
// and whether it shows the keyboard focus.
struct TPaletteCellPaint {
    int X = 0, Y = 0, W = 0, H = 0;
    TColor Color = 0;
    std::string Mark;
    bool DarkInk = false, Focus = false;
};

class TColorPaletteModel {
  public:
    int ForegroundIndex() const { return foreground_; }
    int BackgroundIndex() const { return FBackground; }
    int FocusIndex() const { return FFocus; }
    bool ForegroundEnabled = true, BackgroundEnabled = true;

    // Setting a colour selects the first cell holding it (no cell when absent).
    void SetForegroundColor(TColor c) { foreground_ = PaletteIndexOf(c); }
    void SetBackgroundColor(TColor c) { FBackground = PaletteIndexOf(c); }
    TColor ForegroundColor() const { return PaletteCellColor(foreground_); }
    TColor BackgroundColor() const { return PaletteCellColor(FBackground); }

    // A pick of the cell (a button press or a drag over it); true when it changed the pick.
    bool Pick(int index, bool background);
    // Arrow keys (of the command tables) move the focus cell inside the grid; false for others.
    bool ArrowKey(int tableKey);
    // F or f picks the focus cell as the foreground, B or b as the background; true when it
    // changed the pick.
    bool KeyChar(char c);
    // "FG", "BG", "FB" for the picked cells, else empty.
    std::string CellMark(int index) const;
    std::vector<TPaletteCellPaint> Paint(int x, int y, int w, int h, bool focused) const;

  private:
    int foreground_ = -1, FBackground = -1, FFocus = 0;
};
