// What is known of the printer: its paper from the printer or the paper table, and its fonts.
#include "print/PaperInfo.h"
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
    TPaperItem a4 = info.CurrentPaper(); // no printer: A4 from the table
    EXPECT_EQ(a4.Code, 9);
    EXPECT_EQ(a4.Height, 297);

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
