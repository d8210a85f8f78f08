// TColorPalette: painting the cells with their marks and turning mouse and keys into picks.
#include "editor/ui/ColorPalette.h"

#include "editor/ui/QtConversions.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>

namespace {
constexpr int kEdge = 2; // the raised edge around the grid
}

TColorPalette::TColorPalette(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(208 + 2 * kEdge, 80 + 2 * kEdge);
    setAccessibleName(QStringLiteral("カラーパレット"));
}

void TColorPalette::SetForegroundColor(TColor c) {
    model_.SetForegroundColor(c);
    update();
}

void TColorPalette::SetBackgroundColor(TColor c) {
    model_.SetBackgroundColor(c);
    update();
}

QRect TColorPalette::GridRect() const {
    int w = width() - 2 * kEdge, h = height() - 2 * kEdge;
    SnapPaletteSize(w, h);
    return {kEdge, kEdge, w, h};
}

void TColorPalette::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    update();
}

void TColorPalette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect g = GridRect();
    // The raised edge: light above and left, dark below and right.
    const QRect outer = g.adjusted(-kEdge, -kEdge, kEdge - 1, kEdge - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(outer.topLeft(), outer.topRight());
    p.drawLine(outer.topLeft(), outer.bottomLeft());
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(outer.bottomLeft(), outer.bottomRight());
    p.drawLine(outer.topRight(), outer.bottomRight());
    QFont f = font();
    f.setPixelSize(std::max(6, g.height() / kPaletteRows * 9 / 16));
    f.setBold(true);
    p.setFont(f);
    for (const TPaletteCellPaint& c :
         model_.Paint(g.x(), g.y(), g.width(), g.height(), hasFocus())) {
        const QRect cell(c.X, c.Y, c.W, c.H);
        const QColor ink = c.DarkInk ? Qt::black : Qt::white;
        p.fillRect(cell, ColorToQColor(c.Color, palette()));
        if (!c.Mark.empty()) {
            p.setPen(ink);
            p.drawText(cell, Qt::AlignCenter, QString::fromStdString(c.Mark));
        }
        if (c.Focus) {
            p.setPen(QPen(ink, 1, Qt::DotLine));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void TColorPalette::PickAt(QPoint pt, bool background) {
    const QRect g = GridRect();
    const int i = PaletteCellAt(pt.x() - g.x(), pt.y() - g.y(), g.width(), g.height());
    if (model_.Pick(i, background)) {
        update();
        emit Change();
    }
}

void TColorPalette::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
    dragButton_ = e->button();
    PickAt(e->position().toPoint(), e->button() == Qt::RightButton);
}

void TColorPalette::mouseMoveEvent(QMouseEvent* e) {
    if (dragButton_ == Qt::NoButton || !(e->buttons() & dragButton_)) return;
    PickAt(e->position().toPoint(), dragButton_ == Qt::RightButton);
}

void TColorPalette::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == dragButton_) dragButton_ = Qt::NoButton;
}

void TColorPalette::keyPressEvent(QKeyEvent* e) {
    if (model_.ArrowKey(ToTableKey(e->key(), {}))) {
        update();
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && t[0].unicode() < 128 &&
        model_.KeyChar(static_cast<char>(t[0].unicode()))) {
        update();
        emit Change();
        return;
    }
    QWidget::keyPressEvent(e);
}
