// The print settings dialog's window: built from its description, its buttons, fonts and keys.
#include "print/ui/PrintDialog.h"

#include "app/ui/QtFont.h"
#include "platform/ui/QtMessageSink.h"
#include "print/PrinterFonts.h"
#include "print/PrinterInfo.h"
#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QShortcut>
#include <QTabWidget>

TPrintDialog::TPrintDialog(const TPrintLines* lines, TPrintTarget& target, QWidget* parent)
    : QDialog(parent), lines_(lines), target_(target) {
    setObjectName("FormStringsPrint");
    setWindowTitle("印刷");
    setFont(ToQFont(PrintDialogFontRequest(false)));
    Form = new TFormView(this, TLay::HBox, PrintDialogForm(), Model);
    for (QLabel* l : findChildren<QLabel*>())
        l->setFont(ToQFont(PrintDialogFontRequest(true)));
    Form->Get<QComboBox>("ComboBox1")->setMinimumWidth(200);
    Form->On("btnClose", [this] { btnCloseClick(); });
    Form->On("btnPrint", [this] { btnPrintClick(); });
    Form->On("btnPreview", [this] { btnPreviewClick(); });
    Form->On("btnSettei", [this] { btnSetteiClick(); });
    Form->On("FramSpeedBtn3", [] { WindowAsker().ShowMessage(kHeaderKeywordHelp); });

    // Ctrl+Tab and Ctrl+Shift+Tab turn the visible tabs from anywhere in the dialog.
    auto* tabs = Form->Get<QTabWidget>("PageControl1");
    auto turn = [tabs](int step) {
        std::vector<bool> visible;
        for (int i = 0; i < tabs->count(); ++i)
            visible.push_back(tabs->isTabVisible(i));
        tabs->setCurrentIndex(NextVisible(visible, tabs->currentIndex(), step));
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [turn] { turn(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this),
            &QShortcut::activated, this, [turn] { turn(-1); });
}

void TPrintDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (opened_) return;
    opened_ = true;
    std::vector<std::string> families;
    for (const QString& f : QFontDatabase::families())
        families.push_back(f.toStdString());
    Model.Open(families, lines_ != nullptr);
    RefreshPrinterLabels();
}

void TPrintDialog::RefreshPrinterLabels() {
    TStringsPrinterInfo info(target_);
    Model.SetPrinterLabels(info.PrinterName(), info.CurrentPaper().Name, target_.Landscape());
    Form->Sync();
}

void TPrintDialog::btnPrintClick() {
    if (lines_ && PrintStrings(StringsPrinter1, target_, *lines_, this)) done_ = true;
}

void TPrintDialog::btnPreviewClick() {
    if (!lines_) return;
    PreviewStrings(StringsPrinter1, target_, *lines_, this);
    done_ = true;
}

void TPrintDialog::btnCloseClick() {
    done(done_ ? Accepted : Rejected);
}

void TPrintDialog::btnSetteiClick() {
    target_.Setup(this);
    RefreshPrinterLabels();
}

bool TPrintDialog::Execute(TStringsPrinter& printer, const TPrintLines* lines, QWidget* parent) {
    TPrintDialog dlg(lines, TPrintTarget::Current(), parent);
    dlg.StringsPrinter1.Assign(printer);
    if (dlg.exec() != QDialog::Accepted) return false;
    printer.Assign(dlg.StringsPrinter1);
    return true;
}
