// The date insertion dialog's window: its widgets, focus and typing in the fields, the form keys.
#include "calendar/ui/DateDialog.h"

#include "app/ui/ColorButton.h"
#include "app/ui/QtFont.h"
#include "calendar/JulianDay.h"
#include "calendar/ui/CalendarView.h"
#include "platform/ui/QtMessageSink.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tolmo {

namespace {

constexpr const char* kFields[] = {"edtYear", "edtMonth", "edtDay"};

int32_t TodayJulius() {
    const QDate d = QDate::currentDate();
    return DateToJulius(d.year(), d.month(), d.day());
}

// Two arrow buttons that step the field the model's up-down serves.
QWidget* MakeUpDown(const std::function<void(int)>& step) {
    auto* w = new QWidget;
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    for (int dir : {+1, -1}) {
        auto* b = new QToolButton(w);
        b->setArrowType(dir > 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        lay->addWidget(b);
        QObject::connect(b, &QToolButton::clicked, w, [step, dir] { step(dir); });
    }
    return w;
}

} // namespace

TDateDialog::TDateDialog(const THidukeOptions& options, QWidget* parent, int32_t today)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      Model(WindowAsker(), options, today ? today : TodayJulius()) {
    setWindowTitle(QString::fromUtf8("日付入力"));
    setFixedSize(163, 180);
    setFont(ToQFont(FaceFontRequest("ＭＳ Ｐゴシック", 12)));
    Form = new TFormView(this, TLay::Fixed, DateDialogForm(), Model, {}, [this](const TControl& c) {
        if (c.Name == std::string("UpDown"))
            return UpDown = MakeUpDown([this](int dir) {
                       Model.Step(dir);
                       Form->Sync();
                   });
        Calendar1 = new TCalendarView(Model.Calendar1);
        connect(Calendar1, &TCalendarView::Input, this, [this] { Form->Sync(); });
        return static_cast<QWidget*>(Calendar1);
    });
    for (QToolButton* b : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        QFont f = b->font();
        f.setPixelSize(b->height() <= 12 ? 9 : 13);
        b->setFont(f);
    }
    const QFont fieldFont = ToQFont(FaceFontRequest("ＭＳ ゴシック", 19));
    for (QLabel* slash : findChildren<QLabel*>()) {
        slash->setFont(fieldFont);
        slash->setAlignment(Qt::AlignCenter);
    }
    for (const char* name : kFields) {
        QLineEdit* e = Field(name);
        e->setFrame(false);
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setContextMenuPolicy(Qt::NoContextMenu);
        e->setFont(fieldFont);
        e->installEventFilter(this);
    }
    setTabOrder(Field("edtYear"), Field("edtMonth"));
    setTabOrder(Field("edtMonth"), Field("edtDay"));
    setTabOrder(Field("edtDay"), Calendar1);
    Calendar1->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    mnWrite = PopupMenu1->addAction(QString::fromUtf8("書き込んで終了"));
    mnWrite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnCancel = PopupMenu1->addAction(QString::fromUtf8("キャンセル[Esc]"));
    mnHelp = PopupMenu1->addAction(QString::fromUtf8("ヘルプ"));
    addActions({mnWrite, mnCancel, mnHelp});
    connect(mnWrite, &QAction::triggered, this, [this] { Accept(); });
    connect(mnCancel, &QAction::triggered, this, [this] { Cancel(); });
    connect(mnHelp, &QAction::triggered, this, [] { WindowAsker().ShowMessage(kDateDialogHelp); });

    Field("edtDay")->setFocus();
}

QLineEdit* TDateDialog::Field(const char* name) const {
    return Form->Get<QLineEdit>(name);
}

QString TDateDialog::Execute(const THidukeOptions& options, QWidget* parent) {
    TDateDialog dlg(options, parent);
    dlg.exec();
    return dlg.Result();
}

void TDateDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!firstShow_) return;
    firstShow_ = false;
    const bool opened = Model.Open();
    Form->Sync();
    if (!opened) QTimer::singleShot(0, this, &QWidget::close);
    Field("edtDay")->setFocus();
}

// The fields: focus colours and the up-down beside the focused one, overwrite typing, Up and
// Down step, Ctrl+Left and Ctrl+Right move to the neighbouring field.
bool TDateDialog::FieldEvent(QLineEdit* e, QEvent* ev) {
    const std::string name = e->objectName().toStdString();
    if (ev->type() == QEvent::FocusIn) {
        static_cast<QObject*>(e)->event(ev); // the field's own handling first
        const TDateDialogModel::TFieldColors c = TDateDialogModel::FocusedFieldColors();
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, ColorToQColor(c.Base, pal));
        pal.setColor(QPalette::Text, ColorToQColor(c.Text, pal));
        e->setPalette(pal);
        e->deselect(); // no auto-select
        Model.Entered(name);
        e->setCursorPosition(0);
        UpDown->move(e->geometry().right() + 1, e->geometry().top());
        return true;
    }
    if (ev->type() == QEvent::FocusOut) {
        e->setPalette(QPalette());
        return false;
    }
    if (ev->type() == QEvent::KeyRelease) {
        Model.KeyReleased(name);
        return false;
    }
    if (ev->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(ev);
    const bool ctrl = k->modifiers() & Qt::ControlModifier;
    if (ctrl && (k->key() == Qt::Key_Left || k->key() == Qt::Key_Right)) {
        const std::string to = Model.NeighbourField(name, k->key() == Qt::Key_Left ? -1 : 1);
        if (!to.empty()) Field(to.c_str())->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
        Model.ArrowKey(name, k->key() == Qt::Key_Up ? +1 : -1);
    } else if (const int caret = ctrl ? -1 : typeKey(e, k->text()); caret >= 0) {
        // Typed characters go to the model; everything but a digit is dropped there.
        Form->Sync();
        e->setCursorPosition(caret);
    } else if (k->key() != Qt::Key_Backspace) { // a character too, and not a digit
        return false;
    }
    Form->Sync();
    return true;
}

int TDateDialog::typeKey(QLineEdit* e, const QString& key) {
    const int selStart = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    return Model.TypeKey(e->objectName().toStdString(),
                         std::u16string_view(reinterpret_cast<const char16_t*>(key.utf16()),
                                             static_cast<size_t>(key.size())),
                         e->cursorPosition(), selStart, int(e->selectedText().size()));
}

bool TDateDialog::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress && FormKey(static_cast<QKeyEvent*>(e))) return true;
    if (auto* field = qobject_cast<QLineEdit*>(o); field && FieldEvent(field, e)) return true;
    return QDialog::eventFilter(o, e);
}

// Return accepts, Esc cancels, whichever control has the focus.
bool TDateDialog::FormKey(const QKeyEvent* k) {
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
        Accept();
    else if (k->key() == Qt::Key_Escape)
        Cancel();
    else
        return false;
    return true;
}

void TDateDialog::keyPressEvent(QKeyEvent* e) {
    if (!FormKey(e)) QDialog::keyPressEvent(e);
}

void TDateDialog::Accept() {
    if (Model.CanAccept()) close();
}

void TDateDialog::Cancel() {
    cancelled_ = true;
    close();
}

void TDateDialog::done(int r) {
    result_ = QString::fromStdString(Model.Result(cancelled_));
    QDialog::done(cancelled_ ? QDialog::Rejected
                             : (r == QDialog::Rejected ? QDialog::Accepted : r));
}

void TDateDialog::contextMenuEvent(QContextMenuEvent* e) {
    PopupMenu1->exec(e->globalPos());
}

} // namespace tolmo
