// TStringsPrinterInfo: the printer's name and papers and the current paper, as the print settings
// read them through the printer layer (TPrinterQuery).
#pragma once

#include "print/PaperInfo.h"

#include <string>
#include <vector>

class TStringsPrinterInfo {
  public:
    explicit TStringsPrinterInfo(const TPrinterQuery& q) : query_(q) {}

    // The printer's name; "不明" when there is none.
    std::string PrinterName() const;
    // Re-reads the paper list when the printer index changed since the last look.
    void Refresh();
    const std::vector<TPaperItem>& Papers() const { return papers_; }
    // The current paper code; 9 (A4) when the printer has none.
    int PaperCode() const;
    // The current paper: the first listed paper of the current code, else the table's row.
    TPaperItem CurrentPaper();

  private:
    const TPrinterQuery& query_;
    int cachedIndex_ = -1;
    bool read_ = false;
    std::vector<TPaperItem> papers_;
};
