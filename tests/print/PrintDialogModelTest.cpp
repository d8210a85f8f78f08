// The print dialog's rules without a window: opening from the printer, the page range with its
// wrap-around and double-click resets, and every control writing the printer at once.
#include "print/PrintDialogModel.h"

#include <gtest/gtest.h>

namespace {

struct Opened {
    TStringsPrinter printer = TStringsPrinter::Configured();
    TPrintDialogModel m{printer};
    explicit Opened(bool hasLines = true) {
        m.Open({"IPAGothic", "@IPAGothic", "Noto Sans"}, hasLines);
        m.TakeChanged();
    }
    void user(const std::string& name, int v) {
        m.UserInt(name, v);
        m.Changed(name);
    }
};

} // namespace

TEST(PrintDialogModel, OpeningShowsThePrinterAndOffersTheFixedFont) {
    Opened o;
    EXPECT_EQ(o.m.Items("ComboBox1"),
              (std::vector<std::string>{"ＭＳ ゴシック", "IPAGothic", "Noto Sans"}));
    EXPECT_EQ(o.m.Int("ComboBox1"), 0);
    EXPECT_EQ(o.printer.Font().Name, "ＭＳ ゴシック");
    EXPECT_EQ(o.m.Text("ComboBox2"), "9");
    EXPECT_EQ(o.m.Int("SpinEdit1"), 30);
    EXPECT_EQ(o.m.Int("RadioGroup5"), 0);
    EXPECT_FALSE(o.m.Enabled("SpinEdit6"));
    EXPECT_EQ(o.m.Int("SpinEdit10"), 999999); // LastLine 0 shows as the end
    EXPECT_EQ(o.printer.LastLine(), 0);       // and is not written
    EXPECT_TRUE(o.m.Enabled("btnPrint"));
    Opened none(false);
    for (const char* n : {"btnPrint", "btnPreview", "btnSettei", "Label5"})
        EXPECT_FALSE(none.m.Enabled(n)) << n;
}

TEST(PrintDialogModel, OpeningKeepsTheStoredFirstPageNumberOfAPartRange) {
    TStringsPrinter p = TStringsPrinter::Configured();
    p.SetRangeOption(roLimited);
    p.SetStartPage(4);
    p.SetFirstPageNumber(10);
    TPrintDialogModel m(p);
    m.Open({}, true);
    EXPECT_EQ(m.Int("SpinEdit8"), 10);
    EXPECT_EQ(p.FirstPageNumber(), 10);
    EXPECT_TRUE(m.Enabled("SpinEdit6"));
}

TEST(PrintDialogModel, PageRangeFollowsAndWrapsAround) {
    Opened o;
    o.user("RadioGroup5", 1); // 一部
    EXPECT_TRUE(o.m.Enabled("SpinEdit6"));
    EXPECT_TRUE(o.m.Enabled("Label19"));
    o.user("SpinEdit6", 3);
    EXPECT_EQ(o.m.Int("SpinEdit8"), 3);
    EXPECT_EQ(o.printer.StartPage(), 3);
    EXPECT_EQ(o.printer.FirstPageNumber(), 3);
    o.user("RadioGroup5", 0); // 全部 again
    EXPECT_EQ(o.m.Int("SpinEdit8"), 1);
    EXPECT_EQ(o.printer.FirstPageNumber(), 1);
    EXPECT_EQ(o.printer.RangeOption(), roWhole);

    o.user("SpinEdit6", 0);
    EXPECT_EQ(o.m.Int("SpinEdit6"), 999999);
    EXPECT_EQ(o.printer.StartPage(), 999999);
    o.user("SpinEdit7", 1000000);
    EXPECT_EQ(o.m.Int("SpinEdit7"), 1);
    EXPECT_EQ(o.printer.LastPage(), 1);
    EXPECT_EQ(o.m.TakeChanged().count("SpinEdit7"), 1u); // the field shows the wrapped value

    o.m.Clicked("SpinEdit7");
    EXPECT_EQ(o.printer.LastPage(), 999999);
    o.m.Clicked("SpinEdit6");
    EXPECT_EQ(o.printer.StartPage(), 1);
    o.m.Clicked("SpinEdit10");
    EXPECT_EQ(o.printer.LastLine(), 999999);
    o.user("RadioGroup6", 1);
    EXPECT_TRUE(o.m.Enabled("SpinEdit9"));
}

TEST(PrintDialogModel, EveryControlWritesItsProperty) {
    Opened o;
    o.user("SpinEdit3", 42);
    o.user("SpinEdit12", 7);
    o.user("SpinEdit5", 9);
    o.user("RadioGroup1", 2);
    o.user("RadioGroup2", 2);
    o.user("RadioGroup3", 3);
    o.user("RadioGroup4", 1);
    o.user("CheckBox1", 1);
    o.m.UserText("Edit2", "p.%p");
    o.m.Changed("Edit2");
    o.m.UserText("ComboBox2", "12");
    o.m.Changed("ComboBox2");
    EXPECT_EQ(o.printer.MarginTop(), 42);
    EXPECT_EQ(o.printer.MarginLine(), 7);
    EXPECT_EQ(o.printer.ColumnSpace(), 9);
    EXPECT_EQ(o.printer.ColumnCount(), 3);
    EXPECT_EQ(o.printer.HeaderAlign(), haCenter);
    EXPECT_EQ(o.printer.FooterAlign(), haRight);
    EXPECT_EQ(o.printer.PageOption(), 1);
    EXPECT_TRUE(o.printer.LineNumber());
    EXPECT_EQ(o.printer.Footer(), "p.%p");
    EXPECT_EQ(o.printer.Font().Size, 12);
    o.m.UserText("ComboBox2", "x");
    o.m.Changed("ComboBox2");
    EXPECT_EQ(o.printer.Font().Size, 9); // unreadable text gives 9
}
