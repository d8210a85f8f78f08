// The date insertion dialog's window: built from its description, it translates focus, typing
// and the form keys for its model and returns the chosen date as text in the user's date style.
#pragma once

#include "app/ui/FormView.h"
#include "calendar/DateDialogModel.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QMenu;

namespace tolmo {

class TCalendarView;

class TDateDialog : public QDialog {
    Q_OBJECT
  public:
    // today: the day the calendar marks (and opens on without a preset date).
    explicit TDateDialog(const THidukeOptions& options, QWidget* parent = nullptr,
                         int32_t today = 0);

    // The one entry for callers: shows the dialog modally and returns the date text, empty when
    // the user cancelled.
    static QString Execute(const THidukeOptions& options, QWidget* parent = nullptr);

    const QString& Result() const { return result_; }
    bool Cancelled() const { return cancelled_; }
    QLineEdit* Field(const char* name) const;

    TDateDialogModel Model;
    TFormView* Form;
    TCalendarView* Calendar1;
    QWidget* UpDown;
    QMenu* PopupMenu1;
    QAction* mnWrite;
    QAction* mnCancel;
    QAction* mnHelp;

  public slots:
    void done(int r) override;

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    bool FormKey(const QKeyEvent* k);
    bool FieldEvent(QLineEdit* field, QEvent* e);
    int typeKey(QLineEdit* field, const QString& key); // the caret after it, -1: not typed
    void Accept();
    void Cancel();

    QString result_;
    bool cancelled_ = false;
    bool firstShow_ = true;
};

} // namespace tolmo
