// Which printer printing starts on, the printer's index with the PDF file after the queues, and
// the file a print to PDF suggests.
#include "print/PaperInfo.h"

#include <gtest/gtest.h>

TEST(PrinterChoice, DefaultQueueFirstQueueOrThePdfFile) {
    const std::vector<std::string> queues{"office", "cups-pdf"};
    EXPECT_EQ(InitialQueue("cups-pdf", queues), "cups-pdf");
    EXPECT_EQ(InitialQueue("", queues), "office");
    EXPECT_EQ(InitialQueue("", {}), "");
    EXPECT_EQ(PrinterIndexOf(false, "cups-pdf", queues), 1);
    EXPECT_EQ(PrinterIndexOf(false, "gone", queues), -1);
    EXPECT_EQ(PrinterIndexOf(true, "", queues), 2);
    EXPECT_EQ(PdfFileSuggestion("", "/home/u"), "/home/u/印刷.pdf");
    EXPECT_EQ(PdfFileSuggestion("/tmp/a.pdf", "/home/u"), "/tmp/a.pdf");
}
