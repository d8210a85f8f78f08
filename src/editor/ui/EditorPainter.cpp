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
    const TColor bk = core_->GetColor();
    for (const QRect& r : e->region())
        p.fillRect(r, Col(bk));
    p.setFont(font_);
    const int top = core_->TopRow();
    const int rows = metrics_.VisibleRows + 1;
    const int rc = core_->Rows().RowCount();
    // While the input method composes, its text stands in the caret's line.
    std::optional<TComposedLine> composed;
    if (!comp_.Empty()) composed = ComposeLine(*core_, comp_);
    const TComposedLine* cl = composed ? &*composed : nullptr;
    const int maxRow = core_->MaxRow() + (cl ? cl->Extra() : 0);
    for (int i = 0; i < rows; ++i) {
        const int row = top + i;
        const int y = metrics_.TopMargin + i * metrics_.RowHeight;
        // Only rows inside the invalidated region: it may be the ruler and one row far apart.
        if (!e->region().intersects(QRect(0, y, viewport()->width(), metrics_.RowHeight))) continue;
        if (row > maxRow && !(row == 0 && rc == 0)) break;
        // The bars show the store's row (a row the composition adds shows its line's last).
        const int barRow = !cl              ? row
                           : cl->Holds(row) ? std::min(row, cl->FirstRow + cl->StoreRows - 1)
                                            : cl->StoreRow(row);
        Run(p, RowBarsPaint(*core_, metrics_, barRow, y, ascent_));
        PaintRow(p, row, y, clip, cl);
    }
    // Bars below the last row keep their background.
    const int yEnd = metrics_.TopMargin + std::min(rows, maxRow - top + 1) * metrics_.RowHeight;
    Run(p, BarsBelowPaint(*core_, metrics_, yEnd, viewport()->height()));
    if (metrics_.RulerHeight && clip.top() < metrics_.TopMargin)
        Run(p, RulerPaint(*core_, metrics_, viewport()->width()));
    if (cl) {
        // The composition's caret, blinking like the caret.
        if (hasFocus() && caretOn_ && comp_.CaretVisible) {
            const QPoint o = CellOrigin(cl->Caret.Row, cl->Caret.Col);
            if (o.x() >= metrics_.LeftMargin)
                p.fillRect(o.x(), o.y(), 2, metrics_.TextHeight, Col(core_->GetFont().Color));
        }
    } else {
        PaintCaret(p);
    }
    if (mouse_.Dragging()) { // the drop position
        const QPoint o = CellOrigin(mouse_.DropPos().Row, mouse_.DropPos().Col);
        p.fillRect(o.x(), o.y(), 2, metrics_.TextHeight, Col(core_->GetFont().Color));
    }
}

void TEditor::PaintRow(QPainter& p, int row, int y, const QRect& clip,
                       const TComposedLine* composed) {
    ++PaintedRows;
    TEditorCore& c = *core_;
    const int W = metrics_.CellWidth, H = metrics_.TextHeight;
    const int left = metrics_.LeftMargin;
    const int right = viewport()->width();
    const int topCol = c.TopCol();
    const TRowPaint r = LayoutRowPaint(c, row, topCol, topCol + (right - left) / W + 1, composed);
    p.fillRect(left, y, right - left, metrics_.RowHeight, Col(r.Base.Bk));
    std::string_view text;
    if (composed && composed->Holds(row)) {
        const TWrapRow& w = composed->Rows[static_cast<size_t>(row - composed->FirstRow)];
        text = std::string_view(composed->Text).substr(w.Start, w.Length);
    } else {
        text = c.RowTextOf(composed ? composed->StoreRow(row) : row);
    }
    const TCharTable* table = DocTable();
    const int ascent = y + ascent_;
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
            QFont f = font_;
            SetFontStyle(f, a.Style);
            p.setFont(f);
        }
        p.drawText(x, ascent, DocumentGlyph(text.substr(cell.Offset, cell.Bytes), table));
        if (a.Style != r.Base.Style) p.setFont(font_);
    }
    const int endX = left + (std::max(r.Width, topCol) - topCol) * W;
    if (r.LineEndSelected) p.fillRect(endX, y, W, H, Col(r.SelectionBk));

    Run(p, EndMarkPaint(r, metrics_, std::min(endX, right), y, ascent_));

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
            QFont f = font_;
            f.setPixelSize(std::max(6, s.H - 1));
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(r, Qt::AlignCenter, QString::fromStdString(s.Chars));
            p.setFont(font_);
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
    if (!hasFocus() || !caretOn_ || !CaretOnScreen(*core_, metrics_, true)) return;
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(CaretRect(), Qt::white);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
