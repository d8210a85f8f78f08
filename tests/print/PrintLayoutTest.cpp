// Printing without a printer: header keywords, wrapping, page geometry and the pages' layout.
#include "platform/Cp932.h"
#include "print/HeaderText.h"
#include "print/PageLayout.h"
#include "print/StorePrintLines.h"
#include "text/CharTable.h"

#include <array>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

// Single-byte characters 10 pixels wide, double-byte ones 20.
struct FixedMeasurer : TPrintMeasurer {
    int CharWidth(unsigned code) override { return code > 0xFF ? 20 : 10; }
};

std::string sj(const char* utf8) {
    return Utf8ToCp932(utf8);
}

// 2026-12-06 9:05:07.
std::tm fixedTime() {
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 6, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
    return t;
}

Rows rowsOf(const std::string& text, int width) {
    FixedMeasurer m;
    std::vector<std::size_t> ends;
    WrapLine(text, width, m, 80, true, ends);
    Rows rows;
    std::size_t start = 0;
    for (std::size_t e : ends) {
        rows.push_back(text.substr(start, e - start));
        start = e;
    }
    return rows;
}

// A page of 100 x 100 pixels at 254 dpi (1 mm = 10 pixels); rows 10 high, characters 10 wide.
struct Page {
    TStringsPrinter p;
    TPrinterPage page{254, 10, 10, false, 100, 100};
    TPrintFontMetrics font{10, 0, 10, false};
    FixedMeasurer m;
    TPageGeometry geometry(long long lines) const {
        return ComputePageGeometry(p, page, font, lines);
    }
    TPrintLayout layout(const TPrintLines& lines) {
        return TPrintLayout(p, geometry(static_cast<long long>(lines.Count())), m, lines);
    }
};

Rows itemTexts(const std::vector<TPrintItem>& items, TPrintItem::TKind kind) {
    Rows out;
    for (const TPrintItem& it : items)
        if (it.Kind == kind) out.push_back(it.Text);
    return out;
}

} // namespace

TEST(HeaderText, Keywords) {
    const THeaderClock clock = fixedTime;
    EXPECT_EQ(ExpandHeaderText("%y年 %m月 %d日 %t", 1, "", clock), "2026年 12月 6日 9:05:07");
    EXPECT_EQ(ExpandHeaderText("- %p -", 12, "", clock), "- 12 -");
    EXPECT_EQ(ExpandHeaderText("%f|%F", 1, "/home/u/memo.txt", clock), "/home/u/memo.txt|memo.txt");
    EXPECT_EQ(PrintJobTitle("/home/u/memo.txt"), "memo.txt");
    EXPECT_EQ(PrintJobTitle(""), "無題");
    EXPECT_EQ(ExpandHeaderText("%F", 1, "C:\\memo\\a.txt", clock), "a.txt");
    EXPECT_EQ(ExpandHeaderText("100%% %x%あ", 1, "", clock), "100% xあ");
    EXPECT_EQ(ExpandHeaderText("end%", 1, "", clock), "end");
    EXPECT_EQ(ExpandHeaderText("%", 1, "", clock), "");
}

TEST(PrintWrap, WordsStayWholeAndCharactersAreNeverCut) {
    // 100 pixels: ten single-byte or five double-byte characters per row. A word that does not
    // fit goes to the next row; a word wider than the row is cut; a 100,000-byte line ends.
    EXPECT_EQ(rowsOf(sj("日本語のtext with"), 100), (Rows{sj("日本語の"), "text with"}));
    EXPECT_EQ(rowsOf("abcdefghijklmnop", 50), (Rows{"abcde", "fghij", "klmno", "p"}));
    EXPECT_EQ(rowsOf("ab cdefgh", 50), (Rows{"ab ", "cdefg", "h"}));
    EXPECT_EQ(rowsOf(std::string(100000, 'x'), 1000).size(), 1000u);
    // Narrower than one character: one character per row, never half of one.
    EXPECT_EQ(rowsOf(sj("漢字a"), 5), (Rows{sj("漢"), sj("字"), "a"}));
    EXPECT_EQ(rowsOf("", 100), Rows{""});
    // Tabs reach the next stop from the row's start.
    FixedMeasurer m;
    EXPECT_EQ(RowWidth("a\tb", m, 80), 90);
}

TEST(PageGeometry, BandsGutterAndColumns) {
    Page t;
    t.p.SetMarginLeft(1);
    t.p.SetMarginTop(1);
    t.p.SetHeader("%p");
    t.p.SetHeaderAlign(haNone); // a header that is not shown takes no space
    EXPECT_EQ(t.geometry(10).Body, (TPrintRect{10, 10, 100, 100}));
    EXPECT_EQ(t.geometry(10).Header.Height(), 0);
    t.p.SetHeaderAlign(haLeft);
    EXPECT_EQ(t.geometry(10).Header.Height(), 15);

    t.p.SetLineNumber(true);
    EXPECT_EQ(t.geometry(1234).GutterWidth, 60); // six average characters
    t.p.SetColumnCount(2);
    t.p.SetColumnSpace(1);
    EXPECT_EQ(t.geometry(1234).ColumnWidth, (100 - 70 - (10 + 60)) / 2);

    // A page with unprintable edges: margins are measured from the paper's edge.
    Page u;
    u.page.PageWidth = 80;
    u.page.PageHeight = 90;
    u.p.SetMarginLeft(2);
    const TPageGeometry g = u.geometry(1);
    EXPECT_EQ(std::tuple(g.UnprintableLeft, g.UnprintableTop, g.Body.Left, g.Body.Right),
              std::tuple(10, 5, 10, 80));
    // Fractional font metrics: the height up, a negative leading none, the width at least 1.
    const TPrintFontMetrics m = RoundFontMetrics(10.2, 3.1, -0.4, 0.3, true);
    EXPECT_EQ((std::array{m.Height, m.ExternalLeading, m.AveCharWidth}), (std::array{14, 0, 1}));
}

TEST(PrintLayout, EmptyListAndNoRoom) {
    Page t;
    TVectorPrintLines none({}), one({"a"});
    TPrintLayout empty = t.layout(none);
    ASSERT_EQ(empty.Build(), TPrintLayout::lrDone);
    EXPECT_EQ(empty.PageCount(), 1u);
    // Margins larger than the paper: not one row fits, reported rather than looping.
    t.p.SetMarginTop(6);
    t.p.SetMarginBottom(5);
    TPrintLayout tight = t.layout(one);
    EXPECT_EQ(tight.Build(), TPrintLayout::lrNoRoom);
    EXPECT_EQ(tight.PageCount(), 0u);
}

TEST(PrintLayout, PagesAreDrawnAgainFromTheirStarts) {
    Page t; // ten rows per page, two columns
    t.p.SetColumnCount(2);
    t.p.SetFooter("- %p -");
    t.p.SetFooterAlign(haCenter);
    std::vector<std::string> src;
    for (int i = 0; i < 60; ++i)
        src.push_back(i % 7 == 0 ? "wrapped line number " + std::to_string(i) : std::to_string(i));
    TVectorPrintLines lines(src);
    TPrintLayout layout = t.layout(lines);
    ASSERT_EQ(layout.Build(), TPrintLayout::lrDone);
    ASSERT_GT(layout.PageCount(), 3u);
    // Every page redrawn: the rows of all pages are the text, in order, above the footer, and
    // each page has its footer.
    std::string all, expected;
    for (const std::string& s : src)
        expected += s;
    for (std::size_t k = 0; k < layout.PageCount(); ++k) {
        const auto items = layout.DrawPage(k, fixedTime);
        for (const std::string& r : itemTexts(items, TPrintItem::ikRow))
            all += r;
        EXPECT_EQ(itemTexts(items, TPrintItem::ikFooter),
                  Rows{"- " + std::to_string(k + 1) + " -"});
        for (const TPrintItem& it : items)
            EXPECT_TRUE(it.Kind != TPrintItem::ikRow ||
                        it.Rect.Top + 10 <= layout.Geometry().Footer.Top);
    }
    EXPECT_EQ(all, expected);
}

TEST(PrintLayout, PageRangeAndOddEven) {
    // Ten rows per page: five pages. Printed page indexes for a range, its first number and the
    // odd/even choice, which goes by the printed numbers.
    struct Case {
        int start, last, firstNumber;
        TStringsPrinterPageOption option;
        std::vector<std::size_t> printed;
    };
    const Case cases[] = {{2, 3, 2, poBoth, {1, 2}},
                          {3, 999999, 1, poBoth, {2, 3, 4}},
                          {3, 999999, 1, poOdd, {2, 4}},
                          {3, 999999, 1, poEven, {3}}};
    TVectorPrintLines lines(std::vector<std::string>(50, "line"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start * 10 + c.option);
        Page t;
        t.p.SetRangeOption(roLimited);
        t.p.SetStartPage(c.start);
        t.p.SetLastPage(c.last);
        t.p.SetFirstPageNumber(c.firstNumber);
        t.p.SetPageOption(c.option);
        TPrintLayout layout = t.layout(lines);
        ASSERT_EQ(layout.Build(), TPrintLayout::lrDone);
        EXPECT_EQ(layout.PrintedPages(), c.printed);
        EXPECT_EQ(layout.PageNumber(c.start - 1), c.firstNumber); // the range's first page
    }
}

TEST(PrintLayout, LineRangeNumbersEveryRowAndCancel) {
    Page t;
    t.p.SetLineNumber(true);
    t.p.SetLineRangeOption(roLimited);
    t.p.SetStartLine(3);
    t.p.SetLastLine(4);
    t.p.SetFirstLineNumber(10);
    TVectorPrintLines lines({"a", "b", "cc cc cc cc", "d", "e"}); // text 70 pixels wide
    TPrintLayout layout = t.layout(lines);
    ASSERT_EQ(layout.Build(), TPrintLayout::lrDone);
    const auto items = layout.DrawPage(0, fixedTime);
    // Every row of a wrapped line carries its number.
    EXPECT_EQ(itemTexts(items, TPrintItem::ikRow), (Rows{"cc cc ", "cc cc", "d"}));
    EXPECT_EQ(itemTexts(items, TPrintItem::ikLineNumber), (Rows{"10:", "10:", "11:"}));

    std::vector<int> seen;
    const auto r = layout.Build([&](std::size_t i, int percent) {
        seen.push_back(percent);
        return i < 2;
    });
    EXPECT_EQ(r, TPrintLayout::lrCancelled);
    EXPECT_EQ(seen, (std::vector<int>{0, 25, 50}));
    EXPECT_EQ(layout.PageCount(), 0u);
}

// All lines of a source joined by "|".
std::string linesOf(const TPrintLines& lines) {
    std::string all, buf;
    for (std::size_t i = 0; i < lines.Count(); ++i)
        all += (i ? "|" : "") + std::string(lines.Line(i, buf));
    return all;
}

TEST(PrintLayout, LinesOfATextAndOfTheRowStore) {
    // A text splits at every line end; the last line without one counts.
    EXPECT_EQ(linesOf(TTextPrintLines("a\r\nb\rc\nd\r\n")), "a|b|c|d");
    EXPECT_EQ(TTextPrintLines("\r\n\r\n").Count(), 2u);
    EXPECT_EQ(TTextPrintLines("").Count(), 1u);
    // The store's wrapped lines are printed whole.
    auto store = std::make_shared<TEditorScreenStrings>();
    TEditorWrapOption o;
    o.SetWrapByte(20);
    store->SetWrapOption(o);
    store->SetWordWrap(true);
    const std::string longLine(45, 'a');
    store->SetText(longLine + "\r\n\r\nlast");
    ASSERT_GT(store->Count(), 3);
    TStorePrintLines fromStore(store);
    EXPECT_EQ(linesOf(fromStore), longLine + "||last");
    std::string buf;
    EXPECT_EQ(fromStore.Line(3, buf), ""); // past the end: nothing
}

TEST(PrintLayout, RowsPrintTheDocumentsOwnCharacters) {
    // A UTF-8 document keeps an emoji as a table code; a Shift-JIS document's user-defined area
    // prints as the private-use character it stands for.
    auto table = std::make_shared<TCharTable>();
    const unsigned code = table->CodeFor(U'\U0001F600');
    ASSERT_NE(code, 0u);
    const std::string row =
        sj("日") + std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    auto store = std::make_shared<TEditorScreenStrings>();
    store->SetCharTable(table);
    store->SetText(row + "\r\nx");
    TStorePrintLines fromStore(store);
    TTextPrintLines selection(row, table);
    TTextPrintLines shiftJis(sj("日") + "\xF0\x40");
    const std::vector<std::pair<const TPrintLines*, std::string>> cases = {
        {&fromStore, "日😀"}, {&selection, "日😀"}, {&shiftJis, "日\uE000"}};
    for (const auto& [lines, expected] : cases) {
        Page t;
        TPrintLayout layout = t.layout(*lines);
        ASSERT_EQ(layout.Build(), TPrintLayout::lrDone);
        EXPECT_EQ(itemTexts(layout.DrawPage(0, fixedTime), TPrintItem::ikRow).front(), expected);
    }
}
