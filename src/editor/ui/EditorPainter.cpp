// TEditor painting: rows on the cell grid in token colours, selection and hit colours, the
// marks after row ends, the caret-row underline, the left bar, image bar, ruler and caret.
#include "editor/ui/EditorWidget.h"

#include "app/ui/QtFont.h"
#include "editor/BarPaint.h"
#include "editor/ui/QtConversions.h"
#include "platform/Cp932.h"
#include "text/DocumentCodec.h"

#include <QPaintEvent>
#include <QPainter>

QColor TEditor::Col(TColor c) const {
    return ColorToQColor(c, palette());
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
    // While the input method composes, its text stands in the caret's line.
    std::optional<TComposedLine> composed;
    if (!FComp.Empty()) composed = ComposeLine(*FCore, FComp);
    const TComposedLine* cl = composed ? &*composed : nullptr;
    const int maxRow = FCore->MaxRow() + (cl ? cl->Extra() : 0);
    for (int i = 0; i < rows; ++i) {
        const int row = top + i;
        const int y = FMetrics.TopMargin + i * FMetrics.RowHeight;
        // Only rows inside the invalidated region: it may be the ruler and one row far apart.
        if (!e->region().intersects(QRect(0, y, viewport()->width(), FMetrics.RowHeight))) continue;
        if (row > maxRow && !(row == 0 && rc == 0)) break;
        // The bars show the store's row (a row the composition adds shows its line's last).
        const int barRow = !cl              ? row
                           : cl->Holds(row) ? std::min(row, cl->FirstRow + cl->StoreRows - 1)
                                            : cl->StoreRow(row);
        Run(p, RowBarsPaint(*FCore, FMetrics, barRow, y, FAscent));
        PaintRow(p, row, y, clip, cl);
    }
    // Bars below the last row keep their background.
    const int yEnd = FMetrics.TopMargin + std::min(rows, maxRow - top + 1) * FMetrics.RowHeight;
    Run(p, BarsBelowPaint(*FCore, FMetrics, yEnd, viewport()->height()));
    if (FMetrics.RulerHeight && clip.top() < FMetrics.TopMargin)
        Run(p, RulerPaint(*FCore, FMetrics, viewport()->width()));
    if (cl) {
        // The composition's caret, blinking like the caret.
        if (hasFocus() && FCaretOn && FComp.CaretVisible) {
            const QPoint o = CellOrigin(cl->Caret.Row, cl->Caret.Col);
            if (o.x() >= FMetrics.LeftMargin)
                p.fillRect(o.x(), o.y(), 2, FMetrics.TextHeight, Col(FCore->GetFont().Color));
        }
    } else {
        PaintCaret(p);
    }
    if (FMouse.Dragging()) { // the drop position
        const QPoint o = CellOrigin(FMouse.DropPos().Row, FMouse.DropPos().Col);
        p.fillRect(o.x(), o.y(), 2, FMetrics.TextHeight, Col(FCore->GetFont().Color));
    }
}

void TEditor::PaintRow(QPainter& p, int row, int y, const QRect& clip,
                       const TComposedLine* composed) {
    ++PaintedRows;
    TEditorCore& c = *FCore;
    const int W = FMetrics.CellWidth, H = FMetrics.TextHeight;
    const int left = FMetrics.LeftMargin;
    const int right = viewport()->width();
    const int topCol = c.TopCol();
    const TRowPaint r = LayoutRowPaint(c, row, topCol, topCol + (right - left) / W + 1, composed);
    p.fillRect(left, y, right - left, FMetrics.RowHeight, Col(r.Base.Bk));
    std::string_view text;
    if (composed && composed->Holds(row)) {
        const TWrapRow& w = composed->Rows[static_cast<size_t>(row - composed->FirstRow)];
        text = std::string_view(composed->Text).substr(w.Start, w.Length);
    } else {
        text = c.RowTextOf(composed ? composed->StoreRow(row) : row);
    }
    const TCharTable* table = DocTable();
    const int ascent = y + FAscent;
    for (const TCellRun& cell : r.Cells) {
        const int x = left + (cell.Col - topCol) * W;
        const int w = (cell.EndCol - cell.Col) * W;
        if (x + w < clip.left() || x > clip.right()) continue;
        const TCellAttr& a = cell.Attr;
        if (a.Bk != r.Base.Bk) p.fillRect(x, y, w, H, Col(a.Bk));
        if (cell.ComposingUnderline) { // the input method's clause underline
            p.setPen(Col(a.Fg));
            p.drawLine(x, y + H - 1, x + w - 1, y + H - 1);
        }
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

    Run(p, EndMarkPaint(r, FMetrics, std::min(endX, right), y, FAscent));

    if (r.Underline && y + H < viewport()->height()) {
        p.setPen(Col(r.UnderlineColor));
        p.drawLine(left, y + H, right, y + H);
    }
}

void TEditor::Run(QPainter& p, const TPaintSteps& steps) {
    for (const TPaintStep& s : steps) {
        switch (s.Kind) {
        case TPaintStep::Fill:
            p.fillRect(s.X, s.Y, s.W, s.H, Col(s.Color));
            break;
        case TPaintStep::Line:
            p.setPen(Col(s.Color));
            p.drawLine(s.X, s.Y, s.W, s.H);
            break;
        case TPaintStep::Text:
            p.setPen(Col(s.Color));
            p.drawText(s.X, s.Y, QString::fromStdString(s.Chars));
            break;
        case TPaintStep::Tile: {
            const QRect r(s.X, s.Y, s.W, s.H);
            p.fillRect(r, Col(s.Color));
            QFont f = FFont;
            f.setPixelSize(std::max(6, s.H - 1));
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(r, Qt::AlignCenter, QString::fromStdString(s.Chars));
            p.setFont(FFont);
            break;
        }
        case TPaintStep::Disc:
            p.setBrush(Col(s.Color));
            p.setPen(Qt::NoPen);
            p.drawEllipse(s.X, s.Y, s.W, s.H);
            p.setBrush(Qt::NoBrush);
            break;
        }
    }
}

void TEditor::PaintCaret(QPainter& p) {
    if (!hasFocus() || !FCaretOn || !CaretOnScreen(*FCore, FMetrics, true)) return;
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(CaretRect(), Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
