// What is known of the printer: its paper, its fonts, the starting queue and the PDF file.
#include "print/PrinterInfo.h"
#include "print/PrinterFonts.h"

#include <gtest/gtest.h>

namespace {
struct FakeQuery : TPrinterQuery {
    int index = -1;
    int code = 0;
    std::vector<TPaperItem> papers;
    int PrinterIndex() const override { return index; }
    std::string PrinterName() const override { return index < 0 ? "" : "lp0"; }
    std::vector<TPaperItem> Papers() const override { return papers; }
    int CurrentPaperCode() const override { return code; }
};
} // namespace

TEST(PaperInfo, TableAndCurrentPaper) {
    FakeQuery q;
    TStringsPrinterInfo info(q);
    EXPECT_EQ(info.PrinterName(), "不明");
    const TPaperItem a4 = info.CurrentPaper(); // no printer: A4 from the table
    EXPECT_EQ(std::pair(int{a4.Code}, a4.Height), std::pair(9, 297));

    q.index = 0;
    q.code = 13;
    q.papers = {{"B5 (JIS)", 182, 257, 13}};
    EXPECT_EQ(info.PrinterName(), "lp0");
    EXPECT_EQ(info.CurrentPaper().Name, "B5 (JIS)");
    q.code = 11; // not listed by the printer: the table's row
    EXPECT_EQ(info.CurrentPaper().Name, "DMPAPER_A5");
}

TEST(PrinterFonts, VerticalFontsAreLeftOutAndThePGothicIsShownFixed) {
    EXPECT_EQ(PrinterFontNames({"@IPAGothic", "IPAGothic", "", "@MS Mincho", "Noto"}),
              (std::vector<std::string>{"IPAGothic", "Noto"}));
    EXPECT_EQ(DialogFontName("ＭＳ Ｐゴシック"), "ＭＳ ゴシック");
    EXPECT_EQ(DialogFontName("IPAGothic"), "IPAGothic");
}

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
