// TPrintDialog: the print settings dialog. It edits its own copy of the printer
// (StringsPrinter1), prints or previews the lines handed in, and gives its settings back only
// when the user leaves it after printing or previewing.
#pragma once

#include "app/ui/FormView.h"
#include "print/PageLayout.h"
#include "print/PrintDialogModel.h"

#include <QDialog>

class TPrintTarget;

class TPrintDialog : public QDialog {
    Q_OBJECT
  public:
    // lines may be null (nothing to print: printing, preview and setup stay disabled).
    TPrintDialog(const TPrintLines* lines, TPrintTarget& target, QWidget* parent = nullptr);

    // Opens the dialog on a copy of printer; on OK copies it back. True for OK.
    static bool Execute(TStringsPrinter& printer, const TPrintLines* lines,
                        QWidget* parent = nullptr);

    TStringsPrinter StringsPrinter1;
    TPrintDialogModel Model{StringsPrinter1};
    TFormView* Form;
    bool Done() const { return done_; }

    // What the buttons do.
    void btnPrintClick();
    void btnPreviewClick();
    void btnCloseClick();
    void btnSetteiClick();

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void RefreshPrinterLabels();

    const TPrintLines* lines_;
    TPrintTarget& target_;
    bool done_ = false;
    bool opened_ = false;
};
