// The printer's name and papers, read through the printer layer and kept until the printer changes.
#include "print/PrinterInfo.h"

std::string TStringsPrinterInfo::PrinterName() const {
    if (query_.PrinterIndex() < 0) return kUnknownPrinter;
    std::string name = query_.PrinterName();
    return name.empty() ? kUnknownPrinter : name;
}

void TStringsPrinterInfo::Refresh() {
    const int index = query_.PrinterIndex();
    if (read_ && index == cachedIndex_) return;
    cachedIndex_ = index;
    read_ = true;
    papers_ = query_.Papers();
}

int TStringsPrinterInfo::PaperCode() const {
    const int code = query_.CurrentPaperCode();
    return code > 0 ? code : kPaperA4;
}

TPaperItem TStringsPrinterInfo::CurrentPaper() {
    Refresh();
    const int code = PaperCode();
    for (const TPaperItem& p : papers_)
        if (p.Code == code) return p;
    if (const TPaperRow* row = PaperTableRow(code))
        return {row->Name, row->Width, row->Height, static_cast<std::uint16_t>(code)};
    const TPaperRow* a4 = PaperTableRow(kPaperA4);
    return {a4->Name, a4->Width, a4->Height, kPaperA4};
}
