// The date insertion dialog: layout, the field and calendar handlers, the keys and the result.
#include "calendar/ui/DateDialog.h"

#include "calendar/DateText.h"
#include "calendar/HolidayFile.h"
#include "calendar/JulianDay.h"
#include "calendar/ui/SpinEdit.h"
#include "calendar/ui/DialogCalendar.h"
#include "platform/MessageBox.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace tolmo {

namespace {

QToolButton* SpeedButton(QWidget* parent, const QRect& r, const QString& text, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setGeometry(r);
    b->setAutoRaise(true); // flat
    b->setFocusPolicy(Qt::NoFocus);
    b->setText(text);
    b->setToolTip(tip);
    QFont f = b->font();
    f.setPixelSize(r.height() <= 12 ? 9 : 13);
    b->setFont(f);
    return b;
}

QFont PixelFont(const char* face, int pixels) {
    return FaceFont(QString::fromUtf8(face), pixels);
}

std::string Std(const QLineEdit* e) {
    return e->text().toStdString();
}

} // namespace

TfmHiduke::TfmHiduke(const THidukeOptions& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      options_(options) {
    setWindowTitle(QString::fromUtf8("日付入力"));
    setFixedSize(163, 180);
    setFont(PixelFont("ＭＳ Ｐゴシック", 12));

    btnZengetu =
        SpeedButton(this, QRect(2, 1, 52, 24), QString::fromUtf8("◀"), QString::fromUtf8("前の月"));
    btnZennen = SpeedButton(this, QRect(55, 1, 54, 12), QString::fromUtf8("▲"),
                            QString::fromUtf8("１年後"));
    btnYokunen = SpeedButton(this, QRect(55, 13, 54, 12), QString::fromUtf8("▼"),
                             QString::fromUtf8("１年前"));
    btnYokugetu = SpeedButton(this, QRect(110, 1, 52, 24), QString::fromUtf8("▶"),
                              QString::fromUtf8("次の月"));

    Calendar1 = new TBrMCalendar(this);
    Calendar1->setGeometry(3, 27, 157, 109);
    Calendar1->SetFirstDayOfWeek(dowSun);
    Calendar1->SetShowNeighbor(true);
    Calendar1->SetNeighborJump(false);
    Calendar1->SetNeighborColor(clSilver);
    Calendar1->SetDayOfWeekBkColor(0xE1E1E1);
    Calendar1->SetAutoResize(false);
    Calendar1->SetFirstRowFirstDay(false);
    Calendar1->SetLastRowLastDay(false);
    Calendar1->SetShowRokuyo(false);
    Calendar1->SetKeisen(false);
    Calendar1->SetIsCursor(false);
    Calendar1->SetColorToDay(clLime);
    Calendar1->SetColor(clWindow);
    const TColor colours[7] = {clBlack, clBlue, clRed, clWhite, clRed, clGreen, clBlack};
    for (int i = 0; i < 7; ++i) {
        TCalExFont f{PixelFont("ＭＳ Ｐゴシック", i == cfRokuyo ? 13 : 16), colours[i]};
        Calendar1->Fonts().Set(TCalExFontIndex(i), f);
    }
    Calendar1->SetAutoEquinox(true);
    Calendar1->SetAutoFurikae(true);

    const QFont fieldFont = PixelFont("ＭＳ ゴシック", 19);
    edtYear = new TBrEdit(4, this);
    edtMonth = new TBrEdit(2, this);
    edtDay = new TBrEdit(2, this);
    // Each field is followed by a gap as wide as the up-down control, which covers the "/" of
    // the field it serves.
    edtYear->setGeometry(8, 144, 44, 24);
    edtMonth->setGeometry(66, 144, 24, 24);
    edtDay->setGeometry(104, 144, 24, 24);
    for (int x : {52, 90}) {
        auto* slash = new QLabel(QStringLiteral("/"), this);
        slash->setFont(fieldFont);
        slash->setAlignment(Qt::AlignCenter);
        slash->setGeometry(x, 144, 14, 24);
    }
    for (TBrEdit* e : {edtYear, edtMonth, edtDay}) {
        e->setFont(fieldFont);
        e->installEventFilter(this);
        e->OnEnter = [this, e] { FieldEnter(e); };
        e->OnKeyUp = [this, e] { UpDown->SetPosition(FieldNumber(Std(e), UpDown->Position())); };
        e->OnArrowStep = [this, e](int dir) {
            if (UpDown->Associated() == e) UpDown->Step(dir);
        };
        connect(e, &QLineEdit::textChanged, this, [this, e] { FieldChange(e); });
    }
    edtYear->KeyRightNext = edtMonth;
    edtMonth->KeyLeftNext = edtYear;
    edtMonth->KeyRightNext = edtDay;
    edtDay->KeyLeftNext = edtMonth;
    setTabOrder(edtYear, edtMonth);
    setTabOrder(edtMonth, edtDay);
    setTabOrder(edtDay, Calendar1);

    UpDown = new TUpDown(this);
    UpDown->resize(14, 24);
    UpDown->move(128, 144);
    UpDown->SetRange(1, 31);
    UpDown->OnBeforeStep = [this] {
        // The day range follows the month the fields name now.
        if (mode_ == THidukeField::Day)
            UpDown->SetRange(1, DaysOfMonthFromFields(Std(edtYear), Std(edtMonth)));
    };
    UpDown->OnLimit = [this] { UpDownLimit(); };

    Calendar1->installEventFilter(this);
    Calendar1->OnDayChange = [this](int32_t y, int m, int d) { CalendarDayChange(y, m, d); };

    auto guarded = [this](auto fn) {
        return [this, fn] {
            try {
                fn();
            } catch (const EJuliusError& e) {
                ShowErrorBox(e.what());
            }
        };
    };
    connect(btnZengetu, &QToolButton::clicked, this,
            guarded([this] { Calendar1->SetJuliusDay(IncMonth(Calendar1->JuliusDay(), -1)); }));
    connect(btnYokugetu, &QToolButton::clicked, this,
            guarded([this] { Calendar1->SetJuliusDay(IncMonth(Calendar1->JuliusDay(), +1)); }));
    connect(btnZennen, &QToolButton::clicked, this,
            guarded([this] { Calendar1->SetYear(Calendar1->Year() + 1); }));
    connect(btnYokunen, &QToolButton::clicked, this,
            guarded([this] { Calendar1->SetYear(Calendar1->Year() - 1); }));

    PopupMenu1 = new QMenu(this);
    mnWrite = PopupMenu1->addAction(QString::fromUtf8("書き込んで終了"));
    mnWrite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnCancel = PopupMenu1->addAction(QString::fromUtf8("キャンセル[Esc]"));
    mnHelp = PopupMenu1->addAction(QString::fromUtf8("ヘルプ"));
    addActions({mnWrite, mnCancel, mnHelp});
    connect(mnWrite, &QAction::triggered, this, [this] { Accept(); });
    connect(mnCancel, &QAction::triggered, this, [this] { Cancel(); });
    connect(mnHelp, &QAction::triggered, this, [] { ShowMessage(kHelpText); });

    edtDay->setFocus();
}

QString TfmHiduke::Execute(const THidukeOptions& options, QWidget* parent) {
    TfmHiduke dlg(options, parent);
    dlg.exec();
    return dlg.Result();
}

void TfmHiduke::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!firstShow_) return;
    firstShow_ = false;
    if (!options_.holidayPath.empty()) {
        if (const auto lines = ReadHolidayFile(options_.holidayPath)) {
            QStringList list;
            for (const std::string& l : *lines)
                list << QString::fromStdString(l);
            Calendar1->SetHolidayLines(list);
        }
    }
    int32_t jd;
    if (options_.presetDate.empty() || !ParsePresetDate(options_.presetDate, jd)) {
        const QDate today = QDate::currentDate();
        jd = DateToJulius(today.year(), today.month(), today.day());
    }
    SetDialogDate(jd);
    edtDay->setFocus();
}

void TfmHiduke::SetDialogDate(int32_t jd) {
    const TJDate d = JuliusToDate(jd);
    if (d.year < 1 || d.year > 9999) {
        ShowMessage("日時を変換できません。");
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    edtYear->setText(QString::number(d.year));
    edtMonth->setText(QString::number(d.month));
    edtDay->setText(QString::number(d.day));
}

void TfmHiduke::FieldEnter(TBrEdit* field) {
    UpDown->Associate(nullptr);
    if (field == edtDay) {
        UpDown->SetRange(1, DaysOfMonthFromFields(Std(edtYear), Std(edtMonth)));
        mode_ = THidukeField::Day;
    } else if (field == edtMonth) {
        UpDown->SetRange(1, 12);
        mode_ = THidukeField::Month;
    } else {
        UpDown->SetRange(1, 9999);
        mode_ = THidukeField::Year;
    }
    field->setCursorPosition(0);
    UpDown->SetPosition(FieldNumber(Std(field), 0));
    UpDown->Associate(field);
}

void TfmHiduke::FieldChange(TBrEdit* field) {
    if (writingFields_) return;
    const int days = DaysOfMonthFromFields(Std(edtYear), Std(edtMonth));
    if (FieldNumber(Std(edtDay), 31) > days) edtDay->setText(QString::number(days));
    if (FieldNumber(Std(edtDay), 0) > 0) {
        // Only a real date moves the calendar; a half-typed month or year waits.
        const auto jd = DateFromFields(Std(edtYear), Std(edtMonth), Std(edtDay));
        if (jd && *jd != Calendar1->JuliusDay()) {
            settingCalendar_ = true;
            Calendar1->SetJuliusDay(*jd);
            settingCalendar_ = false;
        }
    }
    if (!field->Placing()) {
        const QString t = field->text().trimmed();
        if (t.size() == 1) field->setText(QStringLiteral(" ") + t);
    }
}

void TfmHiduke::CalendarDayChange(int32_t y, int m, int d) {
    if (settingCalendar_) return;
    writingFields_ = true;
    edtYear->setText(QString::number(y));
    edtMonth->setText(QString::fromStdString(PaddedField(m)));
    edtDay->setText(QString::fromStdString(PaddedField(d)));
    writingFields_ = false;
}

void TfmHiduke::UpDownLimit() {
    const TUpDownLimitStep r = UpDownAtLimit(mode_, Std(edtYear), Std(edtMonth), Std(edtDay),
                                             UpDown->Position(), UpDown->Min(), UpDown->Max());
    if (!r.acted) return;
    UpDown->SetMax(r.max);
    if (r.writeFields) {
        const TJDate d = JuliusToDate(r.jd);
        edtYear->setText(QString::number(d.year));
        edtMonth->setText(QString::number(d.month));
        edtDay->setText(QString::number(d.day));
    }
    UpDown->SetPosition(r.position);
}

bool TfmHiduke::BuildResult() {
    const auto jd = DateFromFields(Std(edtYear), Std(edtMonth), Std(edtDay));
    if (!jd) return false;
    result_ = QString::fromStdString(HidukeText(*jd, options_.isWaYMD, options_.isYoubi));
    return true;
}

void TfmHiduke::Accept() {
    if (!DateFromFields(Std(edtYear), Std(edtMonth), Std(edtDay))) {
        // Keep the dialog and what was typed; the user corrects the fields.
        ShowMessage("日付が正しくありません。");
        return;
    }
    close();
}

void TfmHiduke::Cancel() {
    cancelled_ = true;
    close();
}

void TfmHiduke::done(int r) {
    result_.clear();
    if (!cancelled_) BuildResult();
    QDialog::done(cancelled_ ? QDialog::Rejected
                             : (r == QDialog::Rejected ? QDialog::Accepted : r));
}

namespace {
// Return accepts, Esc cancels, whichever control has the focus.
bool FormKey(const QKeyEvent* k, TfmHiduke* dlg, void (TfmHiduke::*accept)(),
             void (TfmHiduke::*cancel)()) {
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        (dlg->*accept)();
        return true;
    }
    if (k->key() == Qt::Key_Escape) {
        (dlg->*cancel)();
        return true;
    }
    return false;
}
} // namespace

bool TfmHiduke::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress &&
        FormKey(static_cast<QKeyEvent*>(e), this, &TfmHiduke::Accept, &TfmHiduke::Cancel))
        return true;
    return QDialog::eventFilter(o, e);
}

void TfmHiduke::keyPressEvent(QKeyEvent* e) {
    if (!FormKey(e, this, &TfmHiduke::Accept, &TfmHiduke::Cancel)) QDialog::keyPressEvent(e);
}

void TfmHiduke::contextMenuEvent(QContextMenuEvent* e) {
    PopupMenu1->exec(e->globalPos());
}

} // namespace tolmo
