// The printer that printing goes to: a CUPS queue through Qt Print Support, or a PDF file that
// the user names (the only choice where no queue is installed). It answers the paper questions
// of TStringsPrinterInfo, gives the layout its page in numbers, the font and its measurer, and
// paints a page's items.
#pragma once

#include "print/PageLayout.h"
#include "print/PaperInfo.h"

#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;
class TCharTable;

class TPrintTarget : public TPrinterQuery {
  public:
    TPrintTarget();
    ~TPrintTarget() override;

    // The one printer of the program (the printer object of the design).
    static TPrintTarget& Current();

    QPrinter& Printer() { return *printer_; }
    bool IsPdf() const;
    // Chooses a CUPS queue by name, or the PDF file for an empty name.
    void Select(const QString& queue);
    QString PdfFileName() const { return pdfFile_; }
    void SetPdfFileName(const QString& f) { pdfFile_ = f; }

    // TPrinterQuery. The PDF choice reads as "PDFファイル" with the index after the queues.
    int PrinterIndex() const override;
    std::string PrinterName() const override;
    std::vector<TPaperItem> Papers() const override;
    int CurrentPaperCode() const override;
    bool Landscape() const;

    // The system's printer setup dialog; true when confirmed.
    bool Setup(QWidget* parent);

    // The page as the layout sees it: resolution, paper, printable area.
    TPrinterPage Page() const;

  private:
    std::unique_ptr<QPrinter> printer_;
    QString pdfFile_;
};

inline constexpr const char* kPdfPrinterName = "PDFファイル";

TPrintFontMetrics PrintFontMetrics(const QFont& font, bool italic);

// Character advances of a font, cached per character; codes of the document's table (null: plain
// CP932) are measured as their own characters.
class TQtPrintMeasurer : public TPrintMeasurer {
  public:
    TQtPrintMeasurer(const QFont& font, const TCharTable* table);
    ~TQtPrintMeasurer() override;
    int CharWidth(unsigned code) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Paints the items of one page in printable-area pixels (the painter already scaled).
void PaintPrintItems(QPainter& painter, const std::vector<TPrintItem>& items, const QFont& font,
                     int tabStop);
