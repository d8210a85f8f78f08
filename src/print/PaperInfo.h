// Papers and printers: the table of the DMPAPER_* paper codes 1..68 with their sizes in whole
// millimetres, what the printer layer reports (TPrinterQuery), and the printer's place among the
// queues.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPaperItem {
    std::string Name;
    int Width = 0;  // mm
    int Height = 0; // mm
    std::uint16_t Code = 0;
};

struct TPaperRow {
    const char* Name;
    int Width, Height; // mm
};

inline constexpr int kPaperTableSize = 68;
inline constexpr std::uint16_t kPaperA4 = 9;
// Row of the paper table for code 1..68; nullptr for any other code.
const TPaperRow* PaperTableRow(int code);
// A size in tenths of a millimetre as whole millimetres: trunc(tenths / 10 + 0.5).
int TenthsToMm(int tenths);

// What the printer layer reports about the current printer.
class TPrinterQuery {
  public:
    virtual ~TPrinterQuery() = default;
    virtual int PrinterIndex() const = 0;        // -1 without a printer
    virtual std::string PrinterName() const = 0; // empty when unknown
    virtual std::vector<TPaperItem> Papers() const = 0;
    virtual int CurrentPaperCode() const = 0; // 0 when the printer has none
};

inline constexpr const char* kUnknownPrinter = "不明";

// The queue printing starts on: the system's default, else the first queue, else "" (the PDF
// file, the only choice where no queue is installed).
std::string InitialQueue(const std::string& defaultQueue, const std::vector<std::string>& queues);
// The printer's index: the PDF file's after the queues, a queue's its place (-1: not listed).
int PrinterIndexOf(bool pdf, const std::string& queue, const std::vector<std::string>& queues);
// The file a print to PDF suggests: the one named last, else "印刷.pdf" in the home folder.
std::string PdfFileSuggestion(const std::string& last, const std::string& home);
