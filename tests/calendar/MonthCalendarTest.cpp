// The month calendar's cells (colours, today, cursor, headers, lines, rokuyo) and its input.
#include "calendar/MonthCalendar.h"
#include "calendar/JulianDay.h"
#include "editor/Commands.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolmo;

namespace {
constexpr int W = 7 * 40, H = 7 * 36;
const int32_t kFeb10 = DateToJulius(2015, 2, 10); // a Tuesday: column 2, row 3
} // namespace

TEST(MonthCalendar, NeighbourDaysAndTheSelectedDay) {
    TMonthlyCalendar cal(kFeb10);
    // 1 March 2015, a Sunday in column 0 of the last row: hidden, then red OR silver.
    EXPECT_TRUE(cal.Paint(W, H, 0, 6).Text.empty());
    cal.ShowNeighbor = true;
    EXPECT_EQ(cal.Paint(W, H, 0, 6).TextColor, 0xC0C0FFu);
    EXPECT_EQ(cal.Paint(W, H, 0, 2).TextColor, clRed); // a Sunday of the month itself
    // The selected day is inverted: filled in its font colour, its number in Color.
    const TCalCellPaint sel = cal.Paint(W, H, 2, 3);
    EXPECT_EQ(std::tuple(sel.Filled, sel.Fill, sel.TextColor, sel.Text),
              std::tuple(true, clBlack, clWindow, "10"));
    EXPECT_FALSE(cal.Paint(W, H, 3, 3).Filled);
    // The rokuyo strip at the bottom, inverted in the highlight on the selected day.
    cal.ShowRokuyo = true;
    const TCalCellPaint strip = cal.Paint(W, H, 2, 3);
    EXPECT_EQ(
        std::tuple(strip.StripRect.Top, strip.StripRect.Bottom, strip.StripFilled, strip.StripFill),
        std::tuple(strip.TextRect.Bottom + 1, strip.FillRect.Bottom, true, clHighlight));
    cal.SetJuliusDay(DateToJulius(2026, 2, 10)); // no rokuyo from 2021 on
    EXPECT_TRUE(cal.Paint(W, H, 2, 3).Strip.empty());
}

TEST(MonthCalendar, CellsReadOutWithDateHolidayAndRokuyo) {
    TMonthlyCalendar cal(DateToJulius(2015, 3, 21)); // the vernal equinox, a Saturday
    cal.AutoEquinox = true;
    EXPECT_EQ(cal.CellText(0, 0).Name, "日曜日");
    EXPECT_TRUE(cal.CellText(0, 0).Header);
    TCalCellText selected;
    int count = 0;
    for (int r = 1; r < cal.RowCount(); ++r)
        for (int k = 0; k < 7; ++k)
            if (const TCalCellText t = cal.CellText(k, r); t.Selected) {
                selected = t;
                ++count;
            }
    EXPECT_EQ(count, 1);
    EXPECT_EQ(selected.Name, "2015年3月21日 土曜日");
    EXPECT_EQ(selected.Description,
              "春分の日 " + std::string(RokuyoNames[Rokuyo(DateToJulius(2015, 3, 21))]));
    EXPECT_EQ(cal.CellText(6, 4).Name, "2015年3月21日 土曜日");
}

TEST(MonthCalendar, ClicksKeysAndDayChanges) {
    TMonthlyCalendar cal(kFeb10);
    std::vector<TJDate> seen;
    cal.OnDayChange = [&](int32_t y, int m, int d) { seen.push_back({y, uint8_t(m), uint8_t(d)}); };
    cal.Click(0, 0); // the header
    cal.SetJuliusDay(kFeb10);
    EXPECT_TRUE(seen.empty());
    cal.Click(5, 2);
    EXPECT_EQ(JuliusToDate(cal.JuliusDay()), (TJDate{2015, 2, 6}));
    EXPECT_EQ(seen.back(), (TJDate{2015, 2, 6}));
    cal.NeighborJump = true;
    cal.Click(0, 6);
    EXPECT_EQ(cal.Month(), 3);
    // Keys move freely into other months, and the grid follows.
    cal.SetJuliusDay(DateToJulius(2015, 2, 26));
    EXPECT_TRUE(cal.TableKey(tkey::Down));
    EXPECT_EQ(JuliusToDate(cal.FirstCellDay()), (TJDate{2015, 2, 22}));
    EXPECT_TRUE(cal.TableKey(tkey::PageUp));
    EXPECT_EQ(JuliusToDate(cal.JuliusDay()), (TJDate{2015, 2, 5}));
    EXPECT_FALSE(cal.TableKey(tkey::Home)); // left to the window
    // The calendar gap raises (date parts that make no date are the month grid's test).
    cal.SetJuliusDay(DateToJulius(1582, 10, 4));
    EXPECT_THROW(cal.SetDay(10), EJuliusError);
    EXPECT_EQ(cal.Day(), 4);
}

TEST(MonthCalendar, TheDialogsCalendarMarksTodayNotTheSelection) {
    TBrMCalendar cal(DateToJulius(2015, 2, 12)); // today: Thursday, column 4, row 3
    cal.SetJuliusDay(kFeb10);
    cal.ColorToDay = clLime;
    EXPECT_EQ(cal.Paint(W, H, 4, 3).Fill, clLime);
    EXPECT_FALSE(cal.Paint(W, H, 2, 3).Filled);
    EXPECT_EQ(cal.Paint(W, H, 2, 3).TextColor, clBlack);
    cal.IsCursor = true;
    EXPECT_EQ(cal.Paint(W, H, 2, 3).Fill, TBrMCalendar::kCursorColor);
    EXPECT_EQ(cal.Paint(W, H, 2, 3).TextColor, clBlack);
    // Headers: "日" red, "土" blue, the rest in the window text colour; filled less an edge.
    EXPECT_EQ(cal.Paint(W, H, 6, 0).TextColor, clBlue);
    EXPECT_EQ(cal.Paint(W, H, 3, 0).TextColor, clWindowText);
    EXPECT_EQ(cal.Paint(W, H, 3, 0).FillRect.Left, cal.Paint(W, H, 3, 0).TextRect.Left + 1);
    // Today in a neighbour month's cell is not marked.
    cal.SetJuliusDay(DateToJulius(2015, 3, 10));
    for (int r = 1; r < 7; ++r)
        for (int k = 0; k < 7; ++k)
            EXPECT_FALSE(cal.Paint(W, H, k, r).Filled && cal.Paint(W, H, k, r).Fill == clLime);
    // Grid lines on the right and bottom edges, but not on the grid's outer edge.
    EXPECT_TRUE(cal.Paint(W, H, 2, 3).Lines.empty());
    cal.Keisen = true;
    const TCalCellPaint inner = cal.Paint(W, H, 2, 3), last = cal.Paint(W, H, 6, 6);
    ASSERT_EQ(inner.Lines.size(), 2u);
    EXPECT_EQ(inner.Lines[0].X1, inner.TextRect.Right);
    EXPECT_EQ(inner.Lines[1].Y1, inner.TextRect.Bottom);
    EXPECT_EQ(inner.Lines[0].Color, clSilver);
    EXPECT_TRUE(last.Lines.empty());
    EXPECT_EQ(cal.Paint(W, H, 0, 0).Lines[0].Color, clBtnShadow);
}
