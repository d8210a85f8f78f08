// Mouse handling of the page tabs.
#include "mainwindow/ui/PageTabBar.h"

#include "mainwindow/TabGestures.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "editor/DisplaySettings.h"

TPageTabBar::TPageTabBar(QWidget* parent) : QTabBar(parent) {
    setAcceptDrops(true);
    setMovable(false);
    setExpanding(false);
    setUsesScrollButtons(true);
}

QSize TPageTabBar::tabSizeHint(int index) const {
    const QString text = tabText(index);
    auto it = sizes_.constFind(text);
    if (it != sizes_.constEnd()) return *it;
    QSize size = QTabBar::tabSizeHint(index);
    if (hasLook_ && look_.FixedWidth > 0) size.setWidth(look_.FixedWidth);
    if (sizes_.size() > 4096) sizes_.clear();
    sizes_.insert(text, size);
    return size;
}

void TPageTabBar::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) sizes_.clear();
    QTabBar::changeEvent(e);
}

void TPageTabBar::mousePressEvent(QMouseEvent* e) {
    const int index = tabAt(e->position().toPoint());
    const Qt::KeyboardModifiers mods = e->modifiers();
    const TTabButton button = e->button() == Qt::LeftButton     ? TTabButton::Left
                              : e->button() == Qt::MiddleButton ? TTabButton::Middle
                              : e->button() == Qt::RightButton  ? TTabButton::Right
                                                                : TTabButton::Other;
    switch (TabPressAction(button, mods & Qt::ShiftModifier, mods & Qt::ControlModifier, index,
                           currentIndex())) {
    case TTabPress::RightClick:
        if (OnRightClick) OnRightClick(index, mods & Qt::ControlModifier);
        e->accept();
        return;
    case TTabPress::Swallow:
        e->accept();
        return;
    case TTabPress::ArmDrag:
        dragArmed_ = true;
        pressPos_ = e->position().toPoint();
        e->accept();
        return;
    case TTabPress::Changing:
        if (OnChanging) OnChanging();
        break;
    case TTabPress::Default:
        break;
    }
    QTabBar::mousePressEvent(e);
}

void TPageTabBar::mouseMoveEvent(QMouseEvent* e) {
    if (!dragArmed_) {
        QTabBar::mouseMoveEvent(e);
        return;
    }
    if ((e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragArmed_ = false;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(kMimeType, QByteArray::number(currentIndex()));
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

bool TPageTabBar::ownDrag(const QDropEvent* e) const {
    return e->mimeData()->hasFormat(kMimeType) && e->source() == this;
}

void TPageTabBar::dragEnterEvent(QDragEnterEvent* e) {
    ownDrag(e) ? e->acceptProposedAction() : e->ignore();
}

void TPageTabBar::dragMoveEvent(QDragMoveEvent* e) {
    ownDrag(e) ? e->acceptProposedAction() : e->ignore();
}

void TPageTabBar::dropEvent(QDropEvent* e) {
    if (!ownDrag(e)) return;
    e->acceptProposedAction();
    const int target = tabAt(e->position().toPoint());
    if (target >= 0 && OnDrop) OnDrop(target); // a drop outside every tab does nothing
}

void TPageTabBar::SetLook(const TLook& look) {
    hasLook_ = true;
    look_ = look;
    sizes_.clear();
    updateGeometry();
    update();
}

// Each tab filled with its background; the caption centred when the tab is wider than the text
// plus 12, else 6 pixels in; the active caption navy and one point larger, 6 pixels down, the
// others 5.
void TPageTabBar::paintEvent(QPaintEvent* e) {
    if (!hasLook_) {
        QTabBar::paintEvent(e);
        return;
    }
    QPainter p(this);
    for (int i = 0; i < count(); ++i) {
        const QRect r = tabRect(i);
        if (!r.intersects(e->rect())) continue;
        const bool active = i == currentIndex();
        p.fillRect(r, active ? look_.ActBk : look_.DeActBk);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(r.topRight(), r.bottomRight());
        QFont f = font();
        if (active) {
            if (f.pointSizeF() > 0)
                f.setPointSizeF(f.pointSizeF() + 1);
            else
                f.setPixelSize(f.pixelSize() + 1);
        }
        p.setFont(f);
        const QFontMetrics fm(f);
        const int textWidth = fm.horizontalAdvance(tabText(i));
        const int x = TabCaptionX(r.left(), r.width(), textWidth);
        const int y = r.top() + (active ? 6 : 5);
        p.setPen(active ? QColor(0, 0, 0x80) : look_.DeActFg);
        p.setClipRect(r);
        p.drawText(QRect(x, y, r.right() - x, r.height()), Qt::AlignLeft | Qt::AlignTop,
                   tabText(i));
        p.setClipping(false);
    }
}
