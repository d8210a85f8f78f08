// The print dialog's wiring, the print run, the preview window and cancelling a long layout.
#include "print/ui/PrintDialog.h"
#include "print/ui/PreviewWindow.h"
#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"

#include "../../support/InputEvents.h"
#include "../../support/TempDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The PDF target with a file of the test's own.
struct PdfTarget {
    TempDir dir;
    TPrintTarget target;
    PdfTarget() {
        target.Select({});
        target.Printer().setOutputFileName(QString::fromStdString(dir / "out.pdf"));
    }
    int pages() const {
        const std::string pdf = TempDir::Read(dir / "out.pdf");
        int n = 0;
        for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++n;
        return n;
    }
};

} // namespace

// The controls reach the model and its rules come back to the controls (the rules themselves
// are tested without a window).
TEST(PrintDialog, ControlsFollowTheRules) {
    PdfTarget t;
    TVectorPrintLines lines({"a"});
    TPrintDialog dlg(&lines, t.target);
    dlg.StringsPrinter1.Assign(TStringsPrinter::Configured());
    dlg.show();
    QApplication::processEvents();
    auto spin = [&](const char* n) { return dlg.Form->Get<QSpinBox>(n); };
    EXPECT_FALSE(spin("SpinEdit6")->isEnabled());
    dlg.findChild<QGroupBox*>("RadioGroup5")->findChildren<QRadioButton*>()[1]->click(); // 一部
    EXPECT_TRUE(spin("SpinEdit6")->isEnabled());
    spin("SpinEdit6")->findChild<QLineEdit*>()->selectAll();
    spin("SpinEdit6")->findChild<QLineEdit*>()->insert("3");
    EXPECT_EQ(spin("SpinEdit8")->value(), 3);
    QTest::mouseDClick(spin("SpinEdit7")->findChild<QLineEdit*>(), Qt::LeftButton);
    EXPECT_EQ(dlg.StringsPrinter1.LastPage(), 999999);
    dlg.Form->Get<QLineEdit>("Edit2")->setText("p.%p");
    EXPECT_EQ(dlg.StringsPrinter1.Footer(), "p.%p");
}

TEST(PrintDialog, NoLinesDisableAndClosingWithoutPrintingDropsChanges) {
    TStringsPrinter printer = TStringsPrinter::Configured();
    WhenModal<TPrintDialog>([](TPrintDialog* dlg) {
        EXPECT_FALSE(dlg->Form->Widget("btnPrint")->isEnabled());
        dlg->Form->Get<QSpinBox>("SpinEdit1")->setValue(77);
        dlg->btnCloseClick();
    });
    EXPECT_FALSE(TPrintDialog::Execute(printer, nullptr));
    EXPECT_EQ(printer.MarginLeft(), 30);
}

TEST(PrintDialog, PreviewThenCloseKeepsTheSettings) {
    PdfTarget t;
    TVectorPrintLines lines({"一行目", "二行目"});
    TPrintDialog dlg(&lines, t.target);
    dlg.StringsPrinter1.Assign(TStringsPrinter::Configured());
    dlg.show();
    QApplication::processEvents();
    dlg.Form->Get<QSpinBox>("SpinEdit1")->setValue(12);
    WhenModal<TPreviewWindow>([](TPreviewWindow* prv) {
        EXPECT_EQ(prv->Form->Get<QLabel>("Label1")->text(), QString("  1 /   1"));
        prv->Form->Get<QToolButton>("FramSpeedBtn8")->click();
    });
    dlg.btnPreviewClick();
    EXPECT_TRUE(dlg.Done());
    dlg.btnCloseClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.StringsPrinter1.MarginLeft(), 12);
}

// The printer set-up step only chooses a printer: its accept button does not say 印刷.
TEST(PrintTarget, SetupChoosesWithoutPromisingToPrint) {
    PdfTarget t;
    QString accept;
    WhenModal<QDialog>([&](QDialog* d) {
        if (auto* box = d->findChild<QDialogButtonBox*>())
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) accept = ok->text();
        d->reject();
    });
    EXPECT_FALSE(t.target.Setup(nullptr));
    EXPECT_TRUE(accept.contains("OK")) << accept.toStdString();
    EXPECT_FALSE(accept.contains("印刷") || accept.contains("Print")) << accept.toStdString();
}

TEST(PrintRun, PagesTwoToThreeOfFiveSendTwoPages) {
    PdfTarget t;
    TStringsPrinter p = TStringsPrinter::Configured();
    p.SetMarginLine(100); // every row takes over 10 cm: two rows per A4 page
    TVectorPrintLines lines(std::vector<std::string>(10, "row"));
    auto doc = LayOutPages(p, t.target, lines, "印刷中", nullptr);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->Layout->PageCount(), 5u);
    p.SetRangeOption(roLimited);
    p.SetStartPage(2);
    p.SetLastPage(3);
    TPrintLayout limited(p, doc->Geometry, *doc->Measurer, lines);
    ASSERT_EQ(limited.Build(), TPrintLayout::lrDone);
    doc->Layout = std::make_unique<TPrintLayout>(std::move(limited));
    ASSERT_TRUE(SendPages(t.target, *doc));
    EXPECT_EQ(t.pages(), 2);
}

TEST(PreviewWindow, ButtonsReachTheModelAndZoomSizesTheImage) {
    PdfTarget t;
    TStringsPrinter p = TStringsPrinter::Configured();
    p.SetMarginLine(100);
    TVectorPrintLines lines(std::vector<std::string>(5, "row"));
    auto doc = LayOutPages(p, t.target, lines, "プレビューを作成中", nullptr);
    ASSERT_TRUE(doc);
    TPreviewWindow prv(*doc);
    prv.show();
    QApplication::processEvents();
    auto btn = [&prv](int n) {
        return prv.Form->Get<QToolButton>("FramSpeedBtn" + std::to_string(n));
    };
    btn(4)->click();
    EXPECT_EQ(prv.Form->Get<QLabel>("Label1")->text(), QString("  3 /   3"));

    // Actual size: the paper at the screen's resolution.
    const double pw =
        doc->Geometry.UnprintableLeft + doc->Page.PageWidth + doc->Geometry.UnprintableRight;
    EXPECT_EQ(prv.Image1->width(), static_cast<int>(std::lround(prv.Ratio() * pw)));
    btn(6)->click(); // fit width
    EXPECT_EQ(prv.Image1->width(), prv.ScrollBox1->maximumViewportSize().width() -
                                       prv.ScrollBox1->verticalScrollBar()->sizeHint().width());
}

TEST(PrintRun, CancelDuringALongLayoutStopsItPromptly) {
    PdfTarget t;
    std::string text;
    for (int i = 0; text.size() < (40u << 20); ++i)
        text += "line " + std::to_string(i) + " of a long memo with words\r\n";
    TTextPrintLines lines(std::move(text));
    QElapsedTimer sinceCancel;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &sinceCancel] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<TPrintProgress*>(w); p && p->isVisible()) {
                poll->stop();
                poll->deleteLater();
                p->Button1->click();
                sinceCancel.start();
            }
    });
    poll->start(50);
    auto doc = LayOutPages(TStringsPrinter::Configured(), t.target, lines, "印刷中", nullptr);
    ASSERT_TRUE(sinceCancel.isValid()) << "the layout ended before Cancel";
    EXPECT_EQ(doc, nullptr);
    EXPECT_LT(sinceCancel.elapsed(), 2000); // generous: a loaded machine delays the next check
}
