// The colour palette's cells and picking.
#include "editor/ColorPaletteModel.h"

#include "editor/Commands.h"

#include <algorithm>

namespace {
// Windows colour values (0x00BBGGRR), row by row.
const TColor kCells[kPaletteCells] = {
    0xFFFFFF, 0xCCCCFF, 0xCCDDFF, 0xCCFFFF, 0xCCFFDD, 0xCCFFCC, 0xDDFFCC,
    0xFFFFCC, 0xFFDDCC, 0xFFCCCC, 0xFFCCDD, 0xFFCCFF, 0xDDCCFF, //
    0xC0C0C0, 0x9999FF, 0x99CCFF, 0x99FFFF, 0x99FFCC, 0x99FF99, 0xCCFF99,
    0xFFFF99, 0xFFCC99, 0xFF9999, 0xFF99CC, 0xFF99FF, 0xCC99FF, //
    0x808080, 0x0000FF, 0x3399FF, 0x00FFFF, 0x33FF99, 0x00FF00, 0x99FF33,
    0xFFFF00, 0xFF9933, 0xFF0000, 0xFF3399, 0xFF00FF, 0x9933FF, //
    0x666666, 0x0000CC, 0x0066CC, 0x00CCCC, 0x00CC66, 0x00CC00, 0x66CC00,
    0xCCCC00, 0xCC6600, 0xCC0000, 0xCC0066, 0xCC00CC, 0x6600CC, //
    0x000000, 0x000080, 0x003366, 0x008080, 0x006633, 0x008000, 0x336600,
    0x808000, 0x663300, 0x800000, 0x660033, 0x800080, 0x330066,
};
} // namespace

TColor PaletteCellColor(int index) {
    return index >= 0 && index < kPaletteCells ? kCells[index] : clNone;
}

int PaletteIndexOf(TColor c) {
    for (int i = 0; i < kPaletteCells; ++i)
        if (kCells[i] == c) return i;
    return -1;
}

void SnapPaletteSize(int& width, int& height) {
    width = width < kPaletteCols ? kPaletteCols : width - width % kPaletteCols;
    height = height < kPaletteRows ? kPaletteRows : height - height % kPaletteRows;
}

int PaletteCellAt(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    const int cw = width / kPaletteCols, ch = height / kPaletteRows;
    if (cw <= 0 || ch <= 0) return -1;
    const int col = x / cw, row = y / ch;
    if (col >= kPaletteCols || row >= kPaletteRows) return -1;
    return row * kPaletteCols + col;
}

bool TColorPaletteModel::Pick(int index, bool background) {
    if (index < 0 || index >= kPaletteCells) return false;
    int& target = background ? FBackground : foreground_;
    if (!(background ? BackgroundEnabled : ForegroundEnabled) || target == index) return false;
    target = index;
    FFocus = index;
    return true;
}

bool TColorPaletteModel::ArrowKey(int tableKey) {
    int col = FFocus % kPaletteCols, row = FFocus / kPaletteCols;
    if (tableKey == tkey::Left)
        col = std::max(0, col - 1);
    else if (tableKey == tkey::Right)
        col = std::min(kPaletteCols - 1, col + 1);
    else if (tableKey == tkey::Up)
        row = std::max(0, row - 1);
    else if (tableKey == tkey::Down)
        row = std::min(kPaletteRows - 1, row + 1);
    else
        return false;
    FFocus = row * kPaletteCols + col;
    return true;
}

bool TColorPaletteModel::KeyChar(char c) {
    if (c == 'F' || c == 'f') return Pick(FFocus, false);
    if (c == 'B' || c == 'b') return Pick(FFocus, true);
    return false;
}

std::vector<TPaletteCellPaint> TColorPaletteModel::Paint(int x, int y, int w, int h,
                                                         bool focused) const {
    std::vector<TPaletteCellPaint> cells;
    const int cw = w / kPaletteCols, ch = h / kPaletteRows;
    for (int i = 0; i < kPaletteCells; ++i) {
        TPaletteCellPaint c;
        c.X = x + (i % kPaletteCols) * cw, c.Y = y + (i / kPaletteCols) * ch, c.W = cw, c.H = ch;
        c.Color = PaletteCellColor(i);
        const int r = c.Color & 0xFF, g = (c.Color >> 8) & 0xFF, b = (c.Color >> 16) & 0xFF;
        c.DarkInk = (std::max({r, g, b}) + std::min({r, g, b}) + 1) / 2 > 128; // HSL lightness
        c.Mark = CellMark(i);
        c.Focus = focused && i == FFocus;
        cells.push_back(std::move(c));
    }
    return cells;
}

std::string TColorPaletteModel::CellMark(int index) const {
    const bool fg = ForegroundEnabled && index == foreground_;
    const bool bg = BackgroundEnabled && index == FBackground;
    if (fg && bg) return "FB";
    if (fg) return "FG";
    if (bg) return "BG";
    return {};
}
