// The print dialog's rules without a window: opening, the page range, every control's property.
#include "print/PrintDialogModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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

TEST(PrintDialogModel, OpeningOffersTheFixedFontAndKeepsWhatIsStored) {
    Opened o;
    EXPECT_EQ(o.m.Items("ComboBox1"),
              (std::vector<std::string>{"ＭＳ ゴシック", "IPAGothic", "Noto Sans"}));
    EXPECT_EQ(o.printer.Font().Name, "ＭＳ ゴシック");
    EXPECT_EQ(o.m.Int("SpinEdit10"), 999999); // LastLine 0 shows as the end
    EXPECT_EQ(o.printer.LastLine(), 0);       // and is not written
    EXPECT_FALSE(Opened(false).m.Enabled("btnPrint"));
    // The stored first page number of a part range is kept.
    TStringsPrinter p = TStringsPrinter::Configured();
    p.SetRangeOption(roLimited);
    p.SetStartPage(4);
    p.SetFirstPageNumber(10);
    TPrintDialogModel m(p);
    m.Open({}, true);
    EXPECT_EQ(std::pair(m.Int("SpinEdit8"), p.FirstPageNumber()), std::pair(10, 10));
    EXPECT_TRUE(m.Enabled("SpinEdit6"));
}

TEST(PrintDialogModel, PageRangeFollowsAndWrapsAround) {
    Opened o;
    o.user("RadioGroup5", 1); // 一部
    EXPECT_TRUE(o.m.Enabled("SpinEdit6") && o.m.Enabled("Label19"));
    o.user("SpinEdit6", 3); // the first page number follows the first page
    EXPECT_EQ(std::tuple(o.m.Int("SpinEdit8"), o.printer.StartPage(), o.printer.FirstPageNumber()),
              std::tuple(3, 3, 3));
    o.user("RadioGroup5", 0); // 全部 again
    EXPECT_EQ(
        std::tuple(o.m.Int("SpinEdit8"), o.printer.FirstPageNumber(), o.printer.RangeOption()),
        std::tuple(1, 1, roWhole));
    // Below 1 wraps to the end, past the end to 1; the field shows the wrapped value.
    o.user("SpinEdit6", 0);
    EXPECT_EQ(std::pair(o.m.Int("SpinEdit6"), o.printer.StartPage()), std::pair(999999, 999999));
    o.user("SpinEdit7", 1000000);
    EXPECT_EQ(std::pair(o.m.Int("SpinEdit7"), o.printer.LastPage()), std::pair(1, 1));
    EXPECT_EQ(o.m.TakeChanged().count("SpinEdit7"), 1u);

    // A double click resets a field to its end.
    for (const char* field : {"SpinEdit7", "SpinEdit6", "SpinEdit10"})
        o.m.Clicked(field);
    EXPECT_EQ(std::tuple(o.printer.LastPage(), o.printer.StartPage(), o.printer.LastLine()),
              std::tuple(999999, 1, 999999));
    o.user("RadioGroup6", 1);
    EXPECT_TRUE(o.m.Enabled("SpinEdit9"));
}

TEST(PrintDialogModel, EveryControlWritesItsProperty) {
    Opened o;
    const TStringsPrinter& p = o.printer;
    const std::vector<std::tuple<const char*, int, std::function<int()>>> controls = {
        {"SpinEdit3", 42, [&] { return p.MarginTop(); }},
        {"SpinEdit12", 7, [&] { return p.MarginLine(); }},
        {"SpinEdit5", 9, [&] { return p.ColumnSpace(); }},
        {"RadioGroup1", 2, [&] { return p.ColumnCount() - 1; }},
        {"RadioGroup2", 2, [&] { return int{p.HeaderAlign()}; }},
        {"RadioGroup3", 3, [&] { return int{p.FooterAlign()}; }},
        {"RadioGroup4", 1, [&] { return p.PageOption(); }},
        {"CheckBox1", 1, [&] { return int{p.LineNumber()}; }}};
    for (const auto& [name, value, property] : controls) {
        o.user(name, value);
        EXPECT_EQ(property(), value) << name;
    }
    o.m.UserText("Edit2", "p.%p");
    o.m.Changed("Edit2");
    EXPECT_EQ(o.printer.Footer(), "p.%p");
    for (auto [text, size] : {std::pair{"12", 12}, {"x", 9}}) { // unreadable text gives 9
        o.m.UserText("ComboBox2", text);
        o.m.Changed("ComboBox2");
        EXPECT_EQ(o.printer.Font().Size, size) << text;
    }
}
