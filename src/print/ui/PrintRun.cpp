// The layout pass with progress, printing and the preview's opening.
#include "print/ui/PrintRun.h"

#include "app/ProgressThrottle.h"
#include "app/ui/FileDialogColumns.h"
#include "app/ui/QtFont.h"
#include "platform/ui/QtMessageSink.h"
#include "print/HeaderText.h"
#include "print/PrinterFonts.h"
#include "print/ui/PreviewWindow.h"
#include "print/ui/PrintTarget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TPrintProgress::TPrintProgress(QWidget* parent) : QDialog(parent) {
    setObjectName("FormStrProgress");
    setWindowTitle("TStringsPrinter");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* lay = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");
    lay->addWidget(Label1);
    lay->addWidget(ProgressBar1);
    lay->addWidget(Button1, 0, Qt::AlignHCenter);
    setFixedSize(320, 120);
    connect(Button1, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    if (QScreen* s = QApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

void TPrintProgress::closeEvent(QCloseEvent* e) {
    cancelled_ = true;
    e->ignore();
}

std::unique_ptr<TLaidOutPages> LayOutPages(const TStringsPrinter& p, TPrintTarget& target,
                                           const TPrintLines& lines, const QString& caption,
                                           QWidget* parent) {
    auto doc = std::make_unique<TLaidOutPages>();
    doc->Page = target.Page();
    doc->Font =
        ToQFont(PrintFontRequest(p.Font().Name, p.Font().Size, p.Font().Style, doc->Page.Dpi));
    doc->Measurer = std::make_unique<TQtPrintMeasurer>(doc->Font, lines.Table());
    doc->Geometry =
        ComputePageGeometry(p, doc->Page, PrintFontMetrics(doc->Font, p.Font().Italic()),
                            static_cast<long long>(lines.Count()));
    doc->Layout = std::make_unique<TPrintLayout>(p, doc->Geometry, *doc->Measurer, lines);

    TPrintProgress progress(parent);
    progress.Label1->setText(caption);
    progress.show();
    QApplication::processEvents();
    TProgressThrottle throttle;
    const auto r = doc->Layout->Build([&](std::size_t, int percent) {
        if (throttle.Due()) {
            progress.ProgressBar1->setValue(percent);
            QApplication::processEvents();
        }
        return !progress.Cancelled();
    });
    progress.hide();
    if (r == TPrintLayout::lrNoRoom) {
        WindowAsker().ShowMessage(kNoRoomMessage);
        return nullptr;
    }
    if (r != TPrintLayout::lrDone) return nullptr;
    return doc;
}

bool SendPages(TPrintTarget& target, const TLaidOutPages& doc) {
    QPrinter& printer = target.Printer();
    QPainter painter;
    if (!painter.begin(&printer)) {
        WindowAsker().ShowMessage("印刷を開始できませんでした。\r\n中止します。");
        return false;
    }
    const THeaderClock clock = SystemHeaderClock();
    bool first = true;
    try {
        for (std::size_t k : doc.Layout->PrintedPages()) {
            if (!first) printer.newPage(); // a new printer page between two printed pages only
            first = false;
            PaintPrintItems(painter, doc.Layout->DrawPage(k, clock), doc.Font,
                            doc.Geometry.TabStop);
        }
    } catch (...) {
        painter.end(); // the job ends also when a page fails
        throw;
    }
    if (!painter.end()) {
        WindowAsker().ShowMessage("印刷できませんでした。");
        return false;
    }
    return true;
}

bool PrintStrings(const TStringsPrinter& p, TPrintTarget& target, const TPrintLines& lines,
                  QWidget* parent) {
    if (target.IsPdf()) {
        QFileDialog d(parent, QStringLiteral("PDFファイルに印刷"),
                      QString::fromStdString(PdfFileSuggestion(target.PdfFileName().toStdString(),
                                                               QDir::homePath().toStdString())),
                      QStringLiteral("PDF (*.pdf)"));
        d.setAcceptMode(QFileDialog::AcceptSave);
        FitFileColumns(d); // the sizes readable, as in the other file dialogs
        if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return false;
        const QString file = d.selectedFiles().first();
        target.SetPdfFileName(file);
        target.Printer().setOutputFileName(file);
    }
    auto doc = LayOutPages(p, target, lines, "印刷中", parent);
    if (!doc) return false;
    // The queue lists the job under the page's file name.
    target.Printer().setDocName(QString::fromStdString(PrintJobTitle(p.FileName())));
    return SendPages(target, *doc);
}

bool PreviewStrings(const TStringsPrinter& p, TPrintTarget& target, const TPrintLines& lines,
                    QWidget* parent) {
    auto doc = LayOutPages(p, target, lines, "プレビューを作成中", parent);
    if (!doc) return false;
    TPreviewWindow preview(*doc, parent);
    preview.exec();
    return true;
}
