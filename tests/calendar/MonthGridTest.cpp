// The month grid's arithmetic: first cell, rows, the cell under a point and the month steps.
#include "calendar/MonthGrid.h"
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

using namespace tolmo;

TEST(MonthGrid, RowsFollowTheEdgeOptions) {
    const int32_t feb2015 = DateToJulius(2015, 2, 10); // 1 February 2015 is a Sunday, 28 days
    TMonthGridOptions o;
    // A month that fills four whole weeks gets a week of each neighbour.
    EXPECT_EQ(JuliusToDate(FirstCellDay(feb2015, o)), (TJDate{2015, 1, 25}));
    EXPECT_EQ(MonthGridRows(feb2015, o), 7);
    o.FirstRowFirstDay = o.LastRowLastDay = true;
    EXPECT_EQ(FirstCellDay(feb2015, o), DateToJulius(2015, 2, 1));
    EXPECT_EQ(MonthGridRows(feb2015, o), 5);
    o.FirstDayOfWeek = dowMon;
    EXPECT_EQ(JuliusToDate(CellDay(feb2015, o, 0, 1)), (TJDate{2015, 1, 26}));
    EXPECT_EQ(JuliusToDate(CellDay(feb2015, o, 6, 1)), (TJDate{2015, 2, 1}));
    o.AutoResize = false;
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(MonthGridRows(DateToJulius(2020, m, 1), o), 7) << m;
    // Every month fits and shows all its days.
    o = {};
    for (int m = 1; m <= 12; ++m) {
        const int32_t jd = DateToJulius(2024, m, 15);
        const int rows = MonthGridRows(jd, o);
        EXPECT_LE(CellDay(jd, o, 0, 1), MonthFirstDay(jd));
        EXPECT_GE(CellDay(jd, o, 6, rows - 1), MonthLastDay(jd));
    }
}

TEST(MonthGrid, PointsHitTheCellsThatCoverThem) {
    for (auto [w, h, rows] : {std::tuple{200, 140, 7}, {197, 131, 6}, {23, 9, 7}, {7, 5, 5}}) {
        const TGridRect first = GridCellRect(w, h, rows, 0, 0);
        const TGridRect last = GridCellRect(w, h, rows, 6, rows - 1);
        EXPECT_EQ(std::tuple(first.Left, first.Top, last.Right, last.Bottom),
                  std::tuple(0, 0, w - 1, h - 1));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int k = -1, r = -1;
                ASSERT_TRUE(GridCellFromPoint(w, h, rows, x, y, k, r)) << x << "," << y;
                const TGridRect c = GridCellRect(w, h, rows, k, r);
                ASSERT_TRUE(x >= c.Left && x <= c.Right && y >= c.Top && y <= c.Bottom)
                    << w << "x" << h << " " << x << "," << y;
            }
        int k, r;
        EXPECT_FALSE(GridCellFromPoint(w, h, rows, w, 0, k, r));
        EXPECT_FALSE(GridCellFromPoint(w, h, rows, 0, -1, k, r));
    }
    int k, r;
    EXPECT_FALSE(GridCellFromPoint(0, 0, 7, 0, 0, k, r)); // no client area yet
}

TEST(MonthGrid, MonthStepsClampTheDayAndCrossYears) {
    EXPECT_EQ(JuliusToDate(AddMonth(DateToJulius(2024, 1, 31), 1)), (TJDate{2024, 2, 29}));
    EXPECT_EQ(JuliusToDate(AddMonth(DateToJulius(2023, 3, 31), -1)), (TJDate{2023, 2, 28}));
    EXPECT_EQ(JuliusToDate(AddMonth(DateToJulius(2023, 12, 5), 1)), (TJDate{2024, 1, 5}));
    EXPECT_EQ(JuliusToDate(AddMonth(DateToJulius(1, 1, 5), -1)), (TJDate{0, 12, 5}));
    EXPECT_EQ(JuliusToDate(AddMonth(DateToJulius(1582, 9, 10), 1)), (TJDate{1582, 10, 15}));
    const int32_t d = DateToJulius(2015, 3, 1);
    EXPECT_EQ(MonthGridStep(d, TMonthGridKey::Left), d - 1);
    EXPECT_EQ(MonthGridStep(d, TMonthGridKey::Down), d + 7);
    EXPECT_EQ(JuliusToDate(MonthGridStep(d, TMonthGridKey::PageUp)), (TJDate{2015, 2, 1}));
}

TEST(MonthGrid, NeighbourDaysShowAndSelectOnlyWhenAsked) {
    const int32_t feb2015 = DateToJulius(2015, 2, 10);
    const TMonthGridOptions o; // row 1 is the week of 25 January
    const TDayCell jan = DayCellOf(feb2015, o, 0, 1, false);
    EXPECT_EQ(std::tuple(jan.Day, jan.InMonth, jan.Shown),
              std::tuple(DateToJulius(2015, 1, 25), false, false));
    EXPECT_TRUE(DayCellOf(feb2015, o, 0, 1, true).Shown);
    EXPECT_TRUE(DayCellOf(feb2015, o, 0, 2, false).InMonth); // 1 February

    EXPECT_FALSE(ClickedDay(feb2015, o, 3, 0, true)); // the weekday row
    EXPECT_FALSE(ClickedDay(feb2015, o, 0, 1, false));
    EXPECT_EQ(ClickedDay(feb2015, o, 0, 1, true), DateToJulius(2015, 1, 25));
    EXPECT_EQ(ClickedDay(feb2015, o, 0, 2, false), DateToJulius(2015, 2, 1));
}

TEST(MonthGrid, DatePartsThatMakeNoDateAreIgnored) {
    const int32_t leap = DateToJulius(2024, 2, 29);
    EXPECT_EQ(WithYear(leap, 2023), leap); // no 29 February in 2023
    EXPECT_EQ(WithYear(leap, 2028), DateToJulius(2028, 2, 29));
    EXPECT_EQ(WithMonth(leap, 3), DateToJulius(2024, 3, 29));
    EXPECT_EQ(WithMonth(leap, 13), leap);
    EXPECT_EQ(WithDay(leap, 30), leap);
    EXPECT_EQ(WithDay(leap, 1), DateToJulius(2024, 2, 1));
}
