// Overwrite-typing numeric fields and the up-down control.
#include "calendar/ui/SpinEdit.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tolmo {

TBrEdit::TBrEdit(int maxLength, QWidget* parent) : QLineEdit(parent) {
    setMaxLength(maxLength);
    setFrame(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void TBrEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0xB9, 0xFF, 0xFF));
    pal.setColor(QPalette::Text, QColor(0, 0, 255));
    setPalette(pal);
    deselect(); // no auto-select
    if (OnEnter) OnEnter();
}

void TBrEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    setPalette(QPalette());
}

void TBrEdit::keyPressEvent(QKeyEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (ctrl && e->key() == Qt::Key_Left && KeyLeftNext) {
        KeyLeftNext->setFocus(Qt::TabFocusReason);
        return;
    }
    if (ctrl && e->key() == Qt::Key_Right && KeyRightNext) {
        KeyRightNext->setFocus(Qt::TabFocusReason);
        return;
    }
    if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && OnArrowStep) {
        OnArrowStep(e->key() == Qt::Key_Up ? +1 : -1);
        return;
    }
    const QString t = e->text();
    if (!t.isEmpty() && t[0] >= QChar(' ') && t[0] != QChar(0x7F) && !ctrl) {
        // A typed character: digits overwrite from the caret, anything else is dropped.
        if (t.size() == 1 && t[0] >= QChar('0') && t[0] <= QChar('9')) {
            if (hasSelectedText()) {
                del();
            } else if (cursorPosition() < text().size()) {
                placing_ = true;
                del();
                placing_ = false;
            }
            insert(t);
        }
        return;
    }
    if (e->key() == Qt::Key_Backspace) return; // a character too, and not a digit
    QLineEdit::keyPressEvent(e);
}

void TBrEdit::keyReleaseEvent(QKeyEvent* e) {
    QLineEdit::keyReleaseEvent(e);
    if (OnKeyUp) OnKeyUp();
}

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(up_);
    lay->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::Associate(QLineEdit* field) {
    field_ = field;
    if (!field) return;
    // Beside the field it serves.
    move(field->geometry().right() + 1, field->geometry().top());
}

void TUpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
}

void TUpDown::Step(int dir) {
    if (OnBeforeStep) OnBeforeStep();
    if (field_) position_ = FieldNumber(field_->text().toStdString(), position_);
    const int next = position_ + dir;
    if (next < min_ || next > max_) {
        if (OnLimit) OnLimit();
        return;
    }
    position_ = next;
    if (field_) field_->setText(QString::number(position_));
}

} // namespace tolmo
