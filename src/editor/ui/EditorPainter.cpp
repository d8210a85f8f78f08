// TEditor painting: rows on the cell grid in token colours, selection and hit colours, the
// marks after row ends, the caret-row underline, the left bar, image bar, ruler and caret.
#include "editor/ui/EditorWidget.h"

#include "app/ui/QtFont.h"
#include "editor/RowPaint.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"
#include "text/DocumentCodec.h"

#include <QPaintEvent>
#include <QPainter>

QColor TEditor::Col(TColor c) const {
    return ToQColor(c, palette());
}

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
        const int h = viewport()->height() - yEnd;
        const TEditorLeftbar& lb = FCore->Leftbar();
        if (FMetrics.ImagebarWidth)
            p.fillRect(0, yEnd, FMetrics.ImagebarWidth, h, Col(ImagebarBk(lb, bk)));
        if (FMetrics.LeftbarWidth) {
            const TLeftbarColors lc = LeftbarColors(lb, bk);
            const int x = FMetrics.ImagebarWidth;
            p.fillRect(x, yEnd, FMetrics.LeftbarWidth, h, Col(lc.Bk));
            p.fillRect(x + FMetrics.LeftbarWidth - 2, yEnd, 1, h, Col(lc.EdgeLight));
            p.fillRect(x + FMetrics.LeftbarWidth - 1, yEnd, 1, h, Col(lc.EdgeDark));
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
    const int topCol = c.TopCol();
    const TRowPaint r = LayoutRowPaint(c, row, topCol, topCol + (right - left) / W + 1);
    p.fillRect(left, y, right - left, FMetrics.RowHeight, Col(r.Base.Bk));
    const std::string_view text = c.RowTextOf(row);
    const TCharTable* table = DocTable();
    const int ascent = y + FAscent;
    for (const TCellRun& cell : r.Cells) {
        const int x = left + (cell.Col - topCol) * W;
        const int w = (cell.EndCol - cell.Col) * W;
        if (x + w < clip.left() || x > clip.right()) continue;
        const TCellAttr& a = cell.Attr;
        if (a.Bk != r.Base.Bk) p.fillRect(x, y, w, H, Col(a.Bk));
        if (cell.Glyph == TCellGlyph::Blank) continue;
        p.setPen(Col(a.Fg));
        if (cell.Glyph == TCellGlyph::Control) {
            p.drawText(x, ascent, QString(QChar(cell.Picture)));
            continue;
        }
        if (a.Style != r.Base.Style) {
            QFont f = FFont;
            SetFontStyle(f, a.Style);
            p.setFont(f);
        }
        p.drawText(x, ascent, DocumentGlyph(text.substr(cell.Offset, cell.Bytes), table));
        if (a.Style != r.Base.Style) p.setFont(FFont);
    }
    const int endX = left + (std::max(r.Width, topCol) - topCol) * W;
    if (r.LineEndSelected) p.fillRect(endX, y, W, H, Col(r.SelectionBk));

    // The composition of the input method, drawn at the caret.
    if (!FPreedit.isEmpty() && row == c.Row()) {
        const QPoint o = CellOrigin(row, c.Col());
        const int pw = QFontMetrics(FFont).horizontalAdvance(FPreedit);
        p.fillRect(o.x(), y, pw, H, Col(r.Base.Bk));
        p.setPen(Col(r.Base.Fg));
        p.drawText(o.x(), ascent, FPreedit);
        p.drawLine(o.x(), y + H - 1, o.x() + pw, y + H - 1);
    }

    PaintMark(p, r, std::min(endX, right), y);

    if (r.Underline && y + H < viewport()->height()) {
        p.setPen(Col(r.UnderlineColor));
        p.drawLine(left, y + H, right, y + H);
    }
}

static void DrawPolyline(QPainter& p, const TEditorPolyline& line) {
    for (size_t i = 1; i < line.size(); ++i)
        p.drawLine(line[i - 1].X, line[i - 1].Y, line[i].X, line[i].Y);
}

void TEditor::PaintMark(QPainter& p, const TRowPaint& r, int x, int y) {
    const int W = FMetrics.CellWidth, H = FMetrics.TextHeight;
    p.setPen(QPen(Col(r.EndMarkColor), 1));
    switch (r.EndMark) {
    case TRowEndMark::None:
        break;
    case TRowEndMark::Hide:
        DrawPolyline(p, HideMarkShape(x, y, W, H));
        break;
    case TRowEndMark::Eof:
        p.drawText(x, y + FAscent, "[EOF]");
        break;
    case TRowEndMark::Return:
        for (const TEditorPolyline& l : ReturnMarkShape(x, y, W, H))
            DrawPolyline(p, l);
        break;
    case TRowEndMark::Wrap:
        DrawPolyline(p, WrapMarkShape(x, y, W, H));
        break;
    }
}

void TEditor::PaintLeftbar(QPainter& p, int row, int y) {
    const TEditorLeftbar& lb = FCore->Leftbar();
    if (!lb.Visible()) return;
    const int x = FMetrics.ImagebarWidth;
    const int w = FMetrics.LeftbarWidth;
    const TLeftbarColors lc = LeftbarColors(lb, FCore->GetColor());
    p.fillRect(x, y, w - 2, FMetrics.RowHeight, Col(lc.Bk));
    p.fillRect(x + w - 2, y, 1, FMetrics.RowHeight, Col(lc.EdgeLight));
    p.fillRect(x + w - 1, y, 1, FMetrics.RowHeight, Col(lc.EdgeDark));
    if (!lb.ShowNumber()) return;
    const int number = LeftbarRowNumber(lb, FCore->Rows(), row);
    if (number < 0) return;
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
    p.fillRect(0, y, FMetrics.ImagebarWidth, FMetrics.RowHeight,
               Col(ImagebarBk(FCore->Leftbar(), FCore->GetColor())));
    if (row >= FCore->Rows().RowCount()) return;
    const TImagebarMarks marks = ImagebarMarksOf(FCore->Rows().ListRowMarks(row));
    const int h = std::max(6, std::min(FMetrics.TextHeight - 4, 12));
    if (marks.Digit >= 0) {
        // The digit image: a dark tile with the digit in white.
        const QRect r(ib.LeftMargin(), y + 2, std::max(ib.DigitWidth(), 6), h);
        p.fillRect(r, QColor(0, 0, 128));
        QFont f = FFont;
        f.setPixelSize(std::max(6, h - 1));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QString::number(marks.Digit));
        p.setFont(FFont);
    }
    if (marks.Color >= 0) {
        static const QColor colors[] = {Qt::red,     Qt::darkGreen, Qt::blue,
                                        Qt::magenta, Qt::darkCyan,  Qt::darkYellow};
        const int x = ib.LeftMargin() + ib.DigitWidth();
        const int d = std::max(4, std::min(ib.MarkWidth(), h));
        p.setBrush(colors[marks.Color - 10]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(x, y + 2, d, d);
        p.setBrush(Qt::NoBrush);
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
    const int topCol = FCore->TopCol();
    // The marker: the caret's cell on the MarkColor strip.
    const int cx = left + (FCore->Col() - topCol) * W;
    p.fillRect(cx, y0, W, h - (r.Edge() ? 1 : 0),
               Col(r.MarkColor() == clNone ? FCore->GetFont().Color : r.MarkColor()));
    p.setPen(Col(r.Color()));
    const int base = y0 + h - (r.Edge() ? 2 : 1);
    for (const TRulerTick& t :
         RulerTicks(topCol, r.GaugeRange(), (viewport()->width() - left + W - 1) / W)) {
        const int x = left + (t.Col - topCol) * W;
        p.drawLine(x, base, x, base - (t.Long ? h - 3 : (h - 3) / 2));
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
