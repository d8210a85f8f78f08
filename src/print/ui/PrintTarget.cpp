// The printer behind printing: CUPS queues and the PDF file, papers, fonts and page painting.
#include "print/ui/PrintTarget.h"

#include "text/DocumentCodec.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextOption>

#include <cmath>

namespace {

std::vector<std::string> Queues() {
    std::vector<std::string> out;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        out.push_back(name.toStdString());
    return out;
}

TPaperItem paperOf(const QPageSize& s) {
    const QSizeF mm = s.size(QPageSize::Millimeter);
    TPaperItem p;
    p.Name = s.name().toStdString();
    p.Width = TenthsToMm(static_cast<int>(mm.width() * 10));
    p.Height = TenthsToMm(static_cast<int>(mm.height() * 10));
    p.Code = static_cast<std::uint16_t>(s.windowsId());
    return p;
}

} // namespace

TPrintTarget::TPrintTarget() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    Select(QString::fromStdString(
        InitialQueue(def.isNull() ? std::string() : def.printerName().toStdString(), Queues())));
}

TPrintTarget::~TPrintTarget() = default;

TPrintTarget& TPrintTarget::Current() {
    static TPrintTarget target;
    return target;
}

bool TPrintTarget::IsPdf() const {
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

void TPrintTarget::Select(const QString& queue) {
    if (queue.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setFullPage(true); // a PDF page has no unprintable edges
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setOutputFileName({});
        printer_->setPrinterName(queue);
        printer_->setFullPage(false);
    }
}

int TPrintTarget::PrinterIndex() const {
    return PrinterIndexOf(IsPdf(), printer_->printerName().toStdString(), Queues());
}

std::string TPrintTarget::PrinterName() const {
    if (IsPdf()) return kPdfPrinterName;
    return printer_->printerName().toStdString();
}

std::vector<TPaperItem> TPrintTarget::Papers() const {
    std::vector<TPaperItem> out;
    if (IsPdf()) {
        out.push_back(paperOf(printer_->pageLayout().pageSize()));
        return out;
    }
    for (const QPageSize& s :
         QPrinterInfo::printerInfo(printer_->printerName()).supportedPageSizes())
        out.push_back(paperOf(s));
    return out;
}

int TPrintTarget::CurrentPaperCode() const {
    return printer_->pageLayout().pageSize().windowsId();
}

bool TPrintTarget::Landscape() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

bool TPrintTarget::Setup(QWidget* parent) {
    const bool wasPdf = IsPdf();
    QPrintDialog dlg(printer_.get(), parent);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // This step only chooses the printer and its paper; its accept button must not promise to
    // print (Qt's dialog labels it so).
    dlg.setWindowTitle(QStringLiteral("プリンタの設定"));
    if (auto* box = dlg.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    if (dlg.exec() != QDialog::Accepted) return false;
    // The setup dialog's "print to file" choice is the PDF choice.
    if (IsPdf()) {
        if (!printer_->outputFileName().isEmpty()) pdfFile_ = printer_->outputFileName();
        if (!wasPdf) Select({});
    } else {
        Select(printer_->printerName());
    }
    return true;
}

TPrinterPage TPrintTarget::Page() const {
    TPrinterPage p;
    p.Dpi = printer_->resolution();
    const QPageLayout layout = printer_->pageLayout();
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    p.PaperWidthMm = static_cast<int>(std::lround(mm.width()));
    p.PaperHeightMm = static_cast<int>(std::lround(mm.height()));
    p.Landscape = layout.orientation() == QPageLayout::Landscape;
    const QRect area =
        printer_->fullPage() ? layout.fullRectPixels(p.Dpi) : layout.paintRectPixels(p.Dpi);
    p.PageWidth = area.width();
    p.PageHeight = area.height();
    return p;
}

TPrintFontMetrics PrintFontMetrics(const QFont& font, bool italic) {
    const QFontMetricsF fm(font);
    return RoundFontMetrics(fm.ascent(), fm.descent(), fm.leading(), fm.averageCharWidth(), italic);
}

struct TQtPrintMeasurer::Impl {
    Impl(const QFont& f, const TCharTable* t) : fm(f), table(t), widths(65536, -1) {}
    QFontMetricsF fm;
    const TCharTable* table;
    std::vector<int> widths;
};

TQtPrintMeasurer::TQtPrintMeasurer(const QFont& font, const TCharTable* table)
    : d_(std::make_unique<Impl>(font, table)) {}
TQtPrintMeasurer::~TQtPrintMeasurer() = default;

int TQtPrintMeasurer::CharWidth(unsigned code) {
    int& w = d_->widths[code & 0xFFFF];
    if (w < 0) {
        char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        const std::string_view ch =
            code > 0xFF ? std::string_view(bytes, 2) : std::string_view(bytes + 1, 1);
        const std::u16string u = DocumentToUtf16(ch, d_->table);
        const QString s = QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
        w = static_cast<int>(std::ceil(d_->fm.horizontalAdvance(s)));
    }
    return w;
}

void PaintPrintItems(QPainter& painter, const std::vector<TPrintItem>& items, const QFont& font,
                     int tabStop) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    QTextOption opt;
    opt.setWrapMode(QTextOption::NoWrap);
    if (tabStop > 0) opt.setTabStopDistance(tabStop);
    for (const TPrintItem& it : items) {
        const QString text = QString::fromStdString(it.Text);
        const Qt::Alignment h = it.Align == TPrintItem::alLeft     ? Qt::AlignLeft
                                : it.Align == TPrintItem::alCenter ? Qt::AlignHCenter
                                                                   : Qt::AlignRight;
        opt.setAlignment(h | Qt::AlignTop);
        const QRectF r(it.Rect.Left, it.Rect.Top, it.Rect.Width(), it.Rect.Height());
        painter.drawText(r, text, opt);
    }
}
