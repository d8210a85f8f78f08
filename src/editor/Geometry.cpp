// Client-area geometry and mark shapes.
#include "editor/Geometry.h"

#include <algorithm>

TEditorMetrics ComputeEditorMetrics(const TEditorGeometryInput& in) {
    TEditorMetrics m;
    m.TextHeight = in.Font.Height + in.Font.ExternalLeading;
    m.CellWidth = std::max(1, in.Font.AveCharWidth + in.Margin->Character());
    m.RowHeight = std::max(1, m.TextHeight + in.Margin->Line());
    m.RulerHeight = in.Ruler->Visible() ? (in.Ruler->Edge() ? 11 : 10) : 0;
    const TEditorImagebar& ib = *in.Imagebar;
    m.ImagebarWidth =
        ib.Visible() ? ib.LeftMargin() + ib.DigitWidth() + ib.MarkWidth() + ib.RightMargin() : 0;
    m.NumberColumns = in.NumberColumns;
    const TEditorLeftbar& lb = *in.Leftbar;
    m.LeftbarWidth =
        lb.Visible() ? lb.LeftMargin() + m.NumberColumns * m.CellWidth + lb.RightMargin() + 2 : 0;
    m.LeftMargin = in.Margin->Left() + m.ImagebarWidth + m.LeftbarWidth;
    m.TopMargin = in.Margin->Top() + m.RulerHeight;
    int h = in.ClientHeight - m.TopMargin - 5;
    if (in.ScrollBars == ssHorizontal || in.ScrollBars == ssBoth) h -= in.HScrollBarHeight;
    m.VisibleRows = std::max(1, h / m.RowHeight);
    return m;
}

int LeftbarNumberColumns(const TEditorLeftbar& bar, int lastRowIndex, int lastLineIndex,
                         bool lastRowIsTextEnd) {
    long long n = bar.ShowNumberMode() == nmLine ? lastLineIndex : lastRowIndex;
    if (!bar.ZeroBase()) ++n;
    if (!lastRowIsTextEnd) ++n;
    if (n < 0) n = 0;
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return std::clamp(digits, bar.Column(), 8);
}

std::string LeftbarNumberText(int number, int columns, bool zeroLead) {
    std::string s = std::to_string(number);
    if (static_cast<int>(s.size()) < columns)
        s.insert(0, columns - static_cast<int>(s.size()), zeroLead ? '0' : ' ');
    return s;
}

std::vector<TEditorPolyline> ReturnMarkShape(int x, int y, int w, int h) {
    const int d = std::max(1, h / 8);
    const int a = std::max(d, 3);
    const int cx = x + w / 2;
    const int yb = y + h - 2 * d;
    return {
        {{cx, y + 2 * d}, {cx, yb}}, {{cx, yb}, {cx - a, yb - a}}, {{cx, yb}, {cx + a, yb - a}}};
}

TEditorPolyline WrapMarkShape(int x, int y, int w, int h) {
    const int a = std::max(2, 3 * w / 5);
    const int ym = y + h / 2;
    return {{x + w, ym - a}, {x + w - a, ym}, {x + w + 1, ym + a + 1}};
}

TEditorPolyline HideMarkShape(int x, int y, int w, int h) {
    const int a = std::max(2, 3 * w / 5);
    const int ym = y + h / 2;
    return {{x + w - a, ym - a}, {x + w, ym}, {x + w - a - 1, ym + a + 1}};
}

TEditorRect CaretShape(int x, int y, int w, int rowHeight, bool brief, bool overWrite) {
    const int width = overWrite ? w : 2;
    if (brief && !overWrite) return {x, y + rowHeight - 2, x + w, y + rowHeight};
    return {x, y, x + width, y + rowHeight};
}

TRowBand RowsBand(const TEditorMetrics& m, int topRow, int first, int last) {
    const int bottom = topRow + m.VisibleRows + 1; // the partly shown row below counts
    if (last < 0) last = bottom;
    first = std::max(first, topRow);
    last = std::min(last, bottom);
    if (first > last) return {};
    return {m.TopMargin + (first - topRow) * m.RowHeight, (last - first + 1) * m.RowHeight};
}

TCaretRepaint TCaretTrail::Moved(const TEditorMetrics& m, int row) {
    TCaretRepaint r;
    if (m.RulerHeight) r.Ruler = {0, m.TopMargin};
    r.LeftRow = last_;
    r.Row = last_ = row;
    return r;
}

int GridCharWidth(int fullWidthAdvance, int digitAdvance) {
    return std::max({1, (fullWidthAdvance + 1) / 2, digitAdvance});
}

int VisibleColumns(const TEditorMetrics& m, int viewportWidth) {
    return std::max(1, (viewportWidth - m.LeftMargin) / std::max(1, m.CellWidth));
}

bool ShowsVerticalBar(TScrollStyle s) {
    return s == ssVertical || s == ssBoth;
}

bool ShowsHorizontalBar(TScrollStyle s) {
    return s == ssHorizontal || s == ssBoth;
}
