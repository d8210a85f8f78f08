// The date dialog's field arithmetic: the up-down at its limits and the date for the result.
#include "calendar/DateFields.h"
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolmo;

TEST(DateFields, UpDownPastTheLimits) {
    // The step as "y-m-d w max position" (w: the fields are written), or "-" when it did nothing.
    auto step = [](THidukeField mode, const char* y, const char* m, const char* d, int position,
                   int max) {
        const TUpDownLimitStep r = UpDownAtLimit(mode, y, m, d, position, 1, max);
        if (!r.acted) return std::string("-");
        const TJDate j = JuliusToDate(r.jd);
        return std::to_string(j.year) + "-" + std::to_string(j.month) + "-" +
               std::to_string(j.day) + (r.writeFields ? " w " : " ") + std::to_string(r.max) + " " +
               std::to_string(r.position);
    };
    using F = THidukeField;
    // Day 31 of January up: 1 February; day 1 down: the last day of the previous month.
    EXPECT_EQ(step(F::Day, "2006", " 1", "31", 31, 31), "2006-2-1 w 28 1");
    EXPECT_EQ(step(F::Day, "2006", " 3", " 1", 1, 31), "2006-2-28 w 28 28");
    // Month 12 up: January of the next year, the day kept where it fits.
    EXPECT_EQ(step(F::Month, "2006", "12", "31", 12, 12), "2007-1-31 w 12 1");
    // Year mode only restores the maximum.
    const TUpDownLimitStep year = UpDownAtLimit(F::Year, "9999", "12", "31", 9999, 1, 9999);
    EXPECT_EQ(std::tuple(year.acted, year.writeFields, year.max), std::tuple(true, false, 9999));
    // A year field that is not a number, or a day in the calendar gap, stops it.
    EXPECT_EQ(step(F::Day, "", " 1", "31", 31, 31), "-");
    EXPECT_EQ(step(F::Day, "1582", "10", " 7", 7, 31), "-");
}

TEST(DateFields, DateForTheResult) {
    EXPECT_EQ(DateFromFields("2006", " 2", " 1"), DateToJulius(2006, 2, 1));
    EXPECT_FALSE(DateFromFields("", "11", "24"));
    EXPECT_FALSE(DateFromFields("0", " 1", " 1"));
    EXPECT_FALSE(DateFromFields("2005", " 2", "30"));
    EXPECT_FALSE(DateFromFields("1582", "10", "10"));
    EXPECT_EQ(DaysOfMonthFromFields("", "12"), 28); // no year or month: the shortest month
}
