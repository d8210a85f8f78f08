// TEditor painting: rows on the cell grid in token colours, selection and hit colours, the
// marks after row ends, the caret-row underline, the left bar, image bar, ruler and caret.
#include "editor/ui/EditorWidget.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"
#include "text/DocumentCodec.h"

#include <QPaintEvent>
#include <QPainter>

QColor TEditor::Col(TColor c) const {
    return ToQColor(c, palette());
}

namespace {
struct CellAttr {
    TColor Bk, Fg;
    TFontStyles Style;
    bool operator==(const CellAttr&) const = default;
};
} // namespace

void TEditor::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    const QRect clip = e->rect();
    const TColor bk = FCore->GetColor();
    for (const QRect& r : e->region())
        p.fillRect(r, Col(bk));
    p.setFont(FFont);
    const int top = FCore->TopRow();
    const int rows = FMetrics.VisibleRows + 1;
    const int rc = FCore->Rows().RowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = top + i;
        const int y = FMetrics.TopMargin + i * FMetrics.RowHeight;
        // Only rows inside the invalidated region: it may be the ruler and one row far apart.
        if (!e->region().intersects(QRect(0, y, viewport()->width(), FMetrics.RowHeight))) continue;
        if (row > FCore->MaxRow() && !(row == 0 && rc == 0)) break;
        PaintImagebar(p, row, y);
        PaintLeftbar(p, row, y);
        PaintRow(p, row, y, clip);
    }
    // Bars below the last row keep their background.
    const int yEnd =
        FMetrics.TopMargin + std::min(rows, FCore->MaxRow() - top + 1) * FMetrics.RowHeight;
    if (yEnd < viewport()->height()) {
        if (FMetrics.ImagebarWidth)
            p.fillRect(0, yEnd, FMetrics.ImagebarWidth, viewport()->height() - yEnd,
                       Col(FCore->Leftbar().Visible() && FCore->Leftbar().BkColor() != clNone
                               ? FCore->Leftbar().BkColor()
                               : bk));
        if (FMetrics.LeftbarWidth) {
            const TEditorLeftbar& lb = FCore->Leftbar();
            const int x = FMetrics.ImagebarWidth;
            p.fillRect(x, yEnd, FMetrics.LeftbarWidth, viewport()->height() - yEnd,
                       Col(lb.BkColor() == clNone ? bk : lb.BkColor()));
            const int ex = x + FMetrics.LeftbarWidth - 2;
            p.fillRect(ex, yEnd, 1, viewport()->height() - yEnd,
                       lb.Edge() ? Qt::white : Col(lb.BkColor()));
            p.fillRect(ex + 1, yEnd, 1, viewport()->height() - yEnd,
                       lb.Edge() ? Qt::gray : Col(lb.Color()));
        }
    }
    if (FMetrics.RulerHeight && clip.top() < FMetrics.TopMargin) PaintRuler(p);
    PaintCaret(p);
    if (FMouse.Dragging()) { // the drop position
        const QPoint o = CellOrigin(FMouse.DropPos().Row, FMouse.DropPos().Col);
        p.fillRect(o.x(), o.y(), 2, FMetrics.TextHeight, Col(FCore->GetFont().Color));
    }
}

void TEditor::PaintRow(QPainter& p, int row, int y, const QRect& clip) {
    ++PaintedRows;
    TEditorCore& c = *FCore;
    const int W = FMetrics.CellWidth, H = FMetrics.TextHeight;
    const int left = FMetrics.LeftMargin;
    const int right = viewport()->width();
    const TColor editorBk = c.GetColor();
    const TColor fontFg = c.GetFont().Color;
    const TFontStyles fontStyle = c.GetFont().Style;
    p.fillRect(left, y, right - left, FMetrics.RowHeight, Col(editorBk));
    const bool eofPos = c.IsEofPos(row);
    const std::string_view text = c.RowTextOf(row);
    const TCharTable* table = DocTable();
    const int n = static_cast<int>(text.size());
    const TWrapSettings& rules = c.Rules();
    const int topCol = c.TopCol();
    const int lastCol = topCol + (right - left) / W + 1;

    // Attributes per byte: token colours, then selection, then hit.
    std::vector<CellAttr> attr(n, CellAttr{editorBk, fontFg, fontStyle});
    if (!eofPos) {
        for (const TFountainToken& t : c.Coloring().Tokens(row)) {
            if (!t.Color) continue;
            const TFountainColor& fc = *t.Color;
            if (fc.BkColor() == clNone && fc.Color() == clNone && fc.Style() == 0) continue;
            const CellAttr a{fc.BkColor() == clNone ? editorBk : fc.BkColor(),
                             fc.Color() == clNone ? fontFg : fc.Color(),
                             fc.Style() ? fc.Style() : fontStyle};
            for (int i = t.Start; i < t.Start + t.Length && i < n; ++i)
                attr[i] = a;
        }
    }
    const TEditorColorItem& sel = c.View().Colors().Select;
    const CellAttr selA{sel.BkColor == clNone ? fontFg : sel.BkColor,
                        sel.Color == clNone ? editorBk : sel.Color, fontStyle};
    const TEditorRowSel rs = c.RowSelection(row);
    for (int i = rs.Start; i < rs.End && i < n; ++i)
        attr[i] = selA;
    bool selected = !rs.Empty();
    if (c.GetHitStyle() == hsDraw) {
        const TEditorColorItem& hit = c.View().Colors().Hit;
        const CellAttr hitA{hit.BkColor == clNone ? fontFg : hit.BkColor,
                            hit.Color == clNone ? editorBk : hit.Color, fontStyle};
        const TEditorRowSel hs = c.RowHit(row);
        for (int i = hs.Start; i < hs.End && i < n; ++i)
            attr[i] = hitA;
        selected = selected || !hs.Empty();
    }

    // Characters on the grid: each byte one cell, a two-byte character two.
    const int ascent = y + FAscent;
    int col = 0;
    bool cut = false;
    for (int off = 0; off < n;) {
        const int bytes = CharBytesAt(text, off);
        const int next = OffsetToCol(text, off + bytes, rules);
        if (next > EditorMaxColumns) {
            cut = true;
            break;
        }
        if (col >= lastCol) break;
        if (next > topCol) {
            const CellAttr& a = attr[off];
            const int x = left + (col - topCol) * W;
            const int w = (next - col) * W;
            if (x + w >= clip.left() && x <= clip.right()) {
                if (a.Bk != editorBk) p.fillRect(x, y, w, H, Col(a.Bk));
                const unsigned char b = static_cast<unsigned char>(text[off]);
                // Control bytes other than the tab (a 0x1A inside the text, a NUL) are shown
                // by their control pictures, so that the user sees what will be written back.
                const bool control = bytes == 1 && (b < 0x20 || b == 0x7F) && b != '\t';
                if (control) {
                    p.setPen(Col(a.Fg));
                    p.drawText(x, ascent, QString(QChar(b == 0x7F ? 0x2421 : 0x2400 + b)));
                } else if (b >= 0x20 && b != 0x7F && !(bytes == 1 && b == '\t')) {
                    if (a.Style != fontStyle) {
                        QFont f = FFont;
                        f.setBold(a.Style & fsBold);
                        f.setItalic(a.Style & fsItalic);
                        f.setUnderline(a.Style & fsUnderline);
                        f.setStrikeOut(a.Style & fsStrikeOut);
                        p.setFont(f);
                    }
                    p.setPen(Col(a.Fg));
                    p.drawText(x, ascent, DocumentGlyph(text.substr(off, bytes), table));
                    if (a.Style != fontStyle) p.setFont(FFont);
                }
            }
        }
        col = next;
        off += bytes;
    }
    const int width = cut ? EditorMaxColumns : col;
    const int endX = left + (std::max(width, topCol) - topCol) * W;
    if (rs.LineEnd) p.fillRect(endX, y, W, H, Col(selA.Bk)); // the selected line end

    // The composition of the input method, drawn at the caret.
    if (!FPreedit.isEmpty() && row == c.Row()) {
        const QPoint o = CellOrigin(row, c.Col());
        const int pw = QFontMetrics(FFont).horizontalAdvance(FPreedit);
        p.fillRect(o.x(), y, pw, H, Col(editorBk));
        p.setPen(Col(fontFg));
        p.drawText(o.x(), ascent, FPreedit);
        p.drawLine(o.x(), y + H - 1, o.x() + pw, y + H - 1);
    }

    if (OnDrawLine) {
        const std::u16string u = DocumentToUtf16(text, table);
        OnDrawLine(p, QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size())), left, y, row,
                   QRect(left, y, right - left, FMetrics.RowHeight), selected);
    }
    PaintMarks(p, row, std::min(endX, right), y, width, cut);

    // The caret-row underline.
    const TEditorMark& ul = c.Marks().Underline;
    if (ul.Visible() && row == c.Row() && y + H < viewport()->height()) {
        p.setPen(Col(ul.Color() == clNone ? fontFg : ul.Color()));
        p.drawLine(left, y + H, right, y + H);
    }
}

static void DrawPolyline(QPainter& p, const TEditorPolyline& line) {
    for (size_t i = 1; i < line.size(); ++i)
        p.drawLine(line[i - 1].X, line[i - 1].Y, line[i].X, line[i].Y);
}

void TEditor::PaintMarks(QPainter& p, int row, int x, int y, int, bool cut) {
    TEditorCore& c = *FCore;
    const TEditorMarks& m = c.Marks();
    const int W = FMetrics.CellWidth, H = FMetrics.TextHeight;
    auto pen = [&](const TEditorMark& mark) {
        p.setPen(QPen(Col(mark.Color() == clNone ? c.GetFont().Color : mark.Color()), 1));
    };
    if (cut) {
        if (m.HideMark.Visible()) {
            pen(m.HideMark);
            DrawPolyline(p, HideMarkShape(x, y, W, H));
        }
        return;
    }
    const int rc = c.Rows().RowCount();
    const bool eofPos = c.IsEofPos(row);
    const int end = eofPos ? -1 : c.Rows().RowEndKind(row);
    if ((eofPos || (row == rc - 1 && end == reTextEnd)) && m.EofMark.Visible()) {
        p.setPen(Col(m.EofMark.Color() == clNone ? c.GetFont().Color : m.EofMark.Color()));
        p.drawText(x, y + FAscent, "[EOF]");
        return;
    }
    if (end == reLineEnd && m.RetMark.Visible()) {
        pen(m.RetMark);
        for (const TEditorPolyline& l : ReturnMarkShape(x, y, W, H))
            DrawPolyline(p, l);
    } else if (end == reWrapped && m.WrapMark.Visible()) {
        pen(m.WrapMark);
        DrawPolyline(p, WrapMarkShape(x, y, W, H));
    }
}

void TEditor::PaintLeftbar(QPainter& p, int row, int y) {
    const TEditorLeftbar& lb = FCore->Leftbar();
    if (!lb.Visible()) return;
    const int x = FMetrics.ImagebarWidth;
    const int w = FMetrics.LeftbarWidth;
    p.fillRect(x, y, w - 2, FMetrics.RowHeight,
               Col(lb.BkColor() == clNone ? FCore->GetColor() : lb.BkColor()));
    p.fillRect(x + w - 2, y, 1, FMetrics.RowHeight,
               lb.Edge() ? QColor(Qt::white) : Col(lb.BkColor()));
    p.fillRect(x + w - 1, y, 1, FMetrics.RowHeight, lb.Edge() ? QColor(Qt::gray) : Col(lb.Color()));
    if (!lb.ShowNumber()) return;
    const TEditorScreenStrings& rows = FCore->Rows();
    int number = row;
    if (lb.ShowNumberMode() == nmLine) {
        if (row > 0 && row <= rows.RowCount() && rows.RowEndKind(row - 1) == reWrapped) return;
        number = row < rows.RowCount() ? rows.RowToLine(row)
                                       : (row > 0 ? rows.RowToLine(row - 1) + 1 : 0);
    }
    if (!lb.ZeroBase()) ++number;
    const std::string s = LeftbarNumberText(number, FMetrics.NumberColumns, lb.ZeroLead());
    p.setPen(Col(lb.Color()));
    const int x0 = x + lb.LeftMargin() +
                   (FMetrics.NumberColumns - static_cast<int>(s.size())) * FMetrics.CellWidth;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] != ' ')
            p.drawText(x0 + static_cast<int>(i) * FMetrics.CellWidth, y + FAscent,
                       QString(QChar(s[i])));
}

void TEditor::PaintImagebar(QPainter& p, int row, int y) {
    const TEditorImagebar& ib = FCore->Imagebar();
    if (!ib.Visible()) return;
    const TEditorLeftbar& lb = FCore->Leftbar();
    const TColor bg = lb.Visible() && lb.BkColor() != clNone ? lb.BkColor() : FCore->GetColor();
    p.fillRect(0, y, FMetrics.ImagebarWidth, FMetrics.RowHeight, Col(bg));
    if (row >= FCore->Rows().RowCount()) return;
    const std::uint16_t marks = FCore->Rows().ListRowMarks(row);
    const int h = std::max(6, std::min(FMetrics.TextHeight - 4, 12));
    for (int m = 0; m <= 9; ++m) {
        if (!(marks & (1 << m))) continue;
        // The digit image: a dark tile with the digit in white.
        const QRect r(ib.LeftMargin(), y + 2, std::max(ib.DigitWidth(), 6), h);
        p.fillRect(r, QColor(0, 0, 128));
        QFont f = FFont;
        f.setPixelSize(std::max(6, h - 1));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QString::number(m));
        p.setFont(FFont);
        break;
    }
    for (int m = 10; m <= 15; ++m) {
        if (!(marks & (1 << m))) continue;
        static const QColor colors[] = {Qt::red,     Qt::darkGreen, Qt::blue,
                                        Qt::magenta, Qt::darkCyan,  Qt::darkYellow};
        const int x = ib.LeftMargin() + ib.DigitWidth();
        const int d = std::max(4, std::min(ib.MarkWidth(), h));
        p.setBrush(colors[m - 10]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(x, y + 2, d, d);
        p.setBrush(Qt::NoBrush);
        break;
    }
}

void TEditor::PaintRuler(QPainter& p) {
    const TEditorRuler& r = FCore->Ruler();
    const int y0 = FCore->Margin().Top();
    const int h = FMetrics.RulerHeight;
    const int left = FMetrics.LeftMargin;
    const int W = FMetrics.CellWidth;
    const TColor bk = r.BkColor() == clNone ? FCore->GetColor() : r.BkColor();
    p.fillRect(0, y0, viewport()->width(), h, Col(bk));
    const int gauge = r.GaugeRange();
    const int topCol = FCore->TopCol();
    const int first = topCol - topCol % gauge;
    // The marker: the caret's cell on the MarkColor strip.
    const int cx = left + (FCore->Col() - topCol) * W;
    p.fillRect(cx, y0, W, h - (r.Edge() ? 1 : 0),
               Col(r.MarkColor() == clNone ? FCore->GetFont().Color : r.MarkColor()));
    p.setPen(Col(r.Color()));
    const int base = y0 + h - (r.Edge() ? 2 : 1);
    for (int col = first; left + (col - topCol) * W < viewport()->width(); col += gauge / 2) {
        if (col < topCol) continue;
        const int x = left + (col - topCol) * W;
        const int len = col % gauge == 0 ? h - 3 : (h - 3) / 2;
        p.drawLine(x, base, x, base - len);
    }
    p.drawLine(left, base, viewport()->width(), base);
    if (r.Edge()) {
        p.setPen(Qt::white);
        p.drawLine(0, y0 + h - 1, viewport()->width(), y0 + h - 1);
    }
}

void TEditor::PaintCaret(QPainter& p) {
    if (!hasFocus() || !FCaretOn || !FPreedit.isEmpty()) return;
    const TEditorCore& c = *FCore;
    if (c.Row() < c.TopRow() || c.Row() >= c.TopRow() + FMetrics.VisibleRows) return;
    const QRect r = CaretRect();
    if (r.left() < FMetrics.LeftMargin) return;
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(r, Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
