// The bars' and marks' drawing steps.
#include "editor/BarPaint.h"

#include "text/RowStore.h"

#include <algorithm>

namespace {

constexpr TColor kTileBk = 0x800000; // navy
constexpr TColor kWhite = 0xFFFFFF;
// The colour marks 10..15: red, dark green, blue, magenta, dark cyan, dark yellow.
constexpr TColor kMarkColors[] = {0x0000FF, 0x008000, 0xFF0000, 0xFF00FF, 0x808000, 0x008080};

void Fill(TPaintSteps& s, int x, int y, int w, int h, TColor c) {
    s.push_back({TPaintStep::Fill, x, y, w, h, c, {}});
}

void Line(TPaintSteps& s, int x1, int y1, int x2, int y2, TColor c) {
    s.push_back({TPaintStep::Line, x1, y1, x2, y2, c, {}});
}

void Polyline(TPaintSteps& s, const TEditorPolyline& line, TColor c) {
    for (size_t i = 1; i < line.size(); ++i)
        Line(s, line[i - 1].X, line[i - 1].Y, line[i].X, line[i].Y, c);
}

// The left bar's background with the two strips at its right edge, at x over w from y.
void LeftbarBand(TPaintSteps& s, const TLeftbarColors& lc, int x, int w, int y, int h,
                 bool fillUnderStrips) {
    Fill(s, x, y, fillUnderStrips ? w : w - 2, h, lc.Bk);
    Fill(s, x + w - 2, y, 1, h, lc.EdgeLight);
    Fill(s, x + w - 1, y, 1, h, lc.EdgeDark);
}

} // namespace

TPaintSteps RowBarsPaint(TEditorCore& c, const TEditorMetrics& m, int row, int y, int ascent) {
    TPaintSteps s;
    const TEditorImagebar& ib = c.Imagebar();
    const TEditorLeftbar& lb = c.Leftbar();
    if (ib.Visible()) {
        Fill(s, 0, y, m.ImagebarWidth, m.RowHeight, ImagebarBk(lb, c.GetColor()));
        if (row < c.Rows().RowCount()) {
            const TImagebarMarks marks = ImagebarMarksOf(c.Rows().ListRowMarks(row));
            const int h = std::max(6, std::min(m.TextHeight - 4, 12));
            if (marks.Digit >= 0)
                s.push_back({TPaintStep::Tile, ib.LeftMargin(), y + 2, std::max(ib.DigitWidth(), 6),
                             h, kTileBk, std::to_string(marks.Digit)});
            if (marks.Color >= 0) {
                const int d = std::max(4, std::min(ib.MarkWidth(), h));
                s.push_back({TPaintStep::Disc,
                             ib.LeftMargin() + ib.DigitWidth(),
                             y + 2,
                             d,
                             d,
                             kMarkColors[marks.Color - 10],
                             {}});
            }
        }
    }
    if (!lb.Visible()) return s;
    const int x = m.ImagebarWidth;
    LeftbarBand(s, LeftbarColors(lb, c.GetColor()), x, m.LeftbarWidth, y, m.RowHeight, false);
    if (!lb.ShowNumber()) return s;
    const int number = LeftbarRowNumber(lb, c.Rows(), row);
    if (number < 0) return s;
    const std::string text = LeftbarNumberText(number, m.NumberColumns, lb.ZeroLead());
    const int x0 =
        x + lb.LeftMargin() + (m.NumberColumns - static_cast<int>(text.size())) * m.CellWidth;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != ' ')
            s.push_back({TPaintStep::Text, x0 + static_cast<int>(i) * m.CellWidth, y + ascent, 0, 0,
                         lb.Color(), std::string(1, text[i])});
    return s;
}

TPaintSteps BarsBelowPaint(TEditorCore& c, const TEditorMetrics& m, int yEnd, int height) {
    TPaintSteps s;
    if (yEnd >= height) return s;
    const TEditorLeftbar& lb = c.Leftbar();
    if (m.ImagebarWidth)
        Fill(s, 0, yEnd, m.ImagebarWidth, height - yEnd, ImagebarBk(lb, c.GetColor()));
    if (m.LeftbarWidth)
        LeftbarBand(s, LeftbarColors(lb, c.GetColor()), m.ImagebarWidth, m.LeftbarWidth, yEnd,
                    height - yEnd, true);
    return s;
}

TPaintSteps RulerPaint(TEditorCore& c, const TEditorMetrics& m, int width) {
    TPaintSteps s;
    const TEditorRuler& r = c.Ruler();
    const int y0 = c.Margin().Top(), h = m.RulerHeight, left = m.LeftMargin, W = m.CellWidth;
    Fill(s, 0, y0, width, h, r.BkColor() == clNone ? c.GetColor() : r.BkColor());
    const int topCol = c.TopCol();
    // The marker: the caret's cell on the MarkColor strip.
    Fill(s, left + (c.Col() - topCol) * W, y0, W, h - (r.Edge() ? 1 : 0),
         r.MarkColor() == clNone ? c.GetFont().Color : r.MarkColor());
    const int base = y0 + h - (r.Edge() ? 2 : 1);
    for (const TRulerTick& t : RulerTicks(topCol, r.GaugeRange(), (width - left + W - 1) / W)) {
        const int x = left + (t.Col - topCol) * W;
        Line(s, x, base, x, base - (t.Long ? h - 3 : (h - 3) / 2), r.Color());
    }
    Line(s, left, base, width, base, r.Color());
    if (r.Edge()) Line(s, 0, y0 + h - 1, width, y0 + h - 1, kWhite);
    return s;
}

TPaintSteps EndMarkPaint(const TRowPaint& r, const TEditorMetrics& m, int x, int y, int ascent) {
    TPaintSteps s;
    const int W = m.CellWidth, H = m.TextHeight;
    switch (r.EndMark) {
    case TRowEndMark::None:
        break;
    case TRowEndMark::Hide:
        Polyline(s, HideMarkShape(x, y, W, H), r.EndMarkColor);
        break;
    case TRowEndMark::Eof:
        s.push_back({TPaintStep::Text, x, y + ascent, 0, 0, r.EndMarkColor, "[EOF]"});
        break;
    case TRowEndMark::Return:
        for (const TEditorPolyline& l : ReturnMarkShape(x, y, W, H))
            Polyline(s, l, r.EndMarkColor);
        break;
    case TRowEndMark::Wrap:
        Polyline(s, WrapMarkShape(x, y, W, H), r.EndMarkColor);
        break;
    }
    return s;
}
