// Mouse handling of the page tabs.
#include "mainwindow/ui/PageTabBar.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

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
    const QSize size = QTabBar::tabSizeHint(index);
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
    if (e->button() == Qt::RightButton) {
        if (index >= 0 && OnRightClick) OnRightClick(index, mods & Qt::ControlModifier);
        e->accept();
        return;
    }
    if ((mods & Qt::ShiftModifier) && (mods & Qt::ControlModifier) &&
        (e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton)) {
        dragArmed_ = true;
        pressPos_ = e->position().toPoint();
        e->accept();
        return;
    }
    if (e->button() == Qt::LeftButton && index >= 0 && index != currentIndex() && OnChanging)
        OnChanging();
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

void TPageTabBar::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasFormat(kMimeType) && e->source() == this)
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPageTabBar::dragMoveEvent(QDragMoveEvent* e) {
    if (e->mimeData()->hasFormat(kMimeType) && e->source() == this)
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPageTabBar::dropEvent(QDropEvent* e) {
    if (!e->mimeData()->hasFormat(kMimeType) || e->source() != this) return;
    e->acceptProposedAction();
    const int target = tabAt(e->position().toPoint());
    if (target >= 0 && OnDrop) OnDrop(target); // a drop outside every tab does nothing
}
