// The date insertion dialog: a month calendar and three numeric fields; returns the chosen date
// as text in the user's date style.
#pragma once

#include "calendar/DateFields.h"
#include "calendar/DateSettings.h"

#include <QDialog>
#include <QString>

class QLabel;
class QMenu;
class QToolButton;

namespace tolmo {

class TBrEdit;
class TBrMCalendar;
class TUpDown;

class TfmHiduke : public QDialog {
    Q_OBJECT
  public:
    explicit TfmHiduke(const THidukeOptions& options, QWidget* parent = nullptr);

    // The one entry for callers: shows the dialog modally and returns the date text, empty when
    // the user cancelled.
    static QString Execute(const THidukeOptions& options, QWidget* parent = nullptr);

    const QString& Result() const { return result_; }
    bool Cancelled() const { return cancelled_; }

    TBrMCalendar* Calendar1;
    TBrEdit* edtYear;
    TBrEdit* edtMonth;
    TBrEdit* edtDay;
    TUpDown* UpDown;
    QToolButton* btnZengetu;
    QToolButton* btnZennen;
    QToolButton* btnYokunen;
    QToolButton* btnYokugetu;
    QMenu* PopupMenu1;
    QAction* mnWrite;
    QAction* mnCancel;
    QAction* mnHelp;

    static constexpr const char* kHelpText =
        "日付を挿入・・・[Return]、又は[Ctrl]+[D]\r\nキャンセル・・・[Esc]\r\n\r\n"
        "[↑][↓]キーで、日付を変更できます。";

  public slots:
    void done(int r) override;

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void SetDialogDate(int32_t jd);
    void FieldEnter(TBrEdit* field);
    void FieldChange(TBrEdit* field);
    void CalendarDayChange(int32_t y, int m, int d);
    void UpDownLimit();
    void Accept();
    void Cancel();
    bool BuildResult();

    THidukeOptions options_;
    QString result_;
    bool cancelled_ = false;
    bool firstShow_ = true;
    bool accepting_ = false;
    THidukeField mode_ = THidukeField::Day;
    bool writingFields_ = false;   // fields are being written from the calendar
    bool settingCalendar_ = false; // the calendar is being set from the fields
};

} // namespace tolmo
