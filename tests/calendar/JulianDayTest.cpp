// Julian day conversion, weekdays, leap years, equinoxes and date-time values.
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

using namespace tolmo;

TEST(JulianDay, KnownDaysAndRoundTripsAcrossCenturies) {
    EXPECT_EQ(DateToJulius(2000, 1, 1), 2451545);
    EXPECT_EQ(JuliusDayOfWeek(2451545), 7); // Saturday
    EXPECT_EQ(DateToJulius(-4712, 1, 1), 0);
    // The calendar reform: 4 October 1582 is followed by the 15th; the days between raise.
    EXPECT_EQ(DateToJulius(1582, 10, 15), DateToJulius(1582, 10, 4) + 1);
    EXPECT_THROW(DateToJulius(1582, 10, 14), EJuliusError);
    // Every day from 1500 to 2100 and a sample far out converts there and back.
    for (int32_t j = DateToJulius(1500, 1, 1); j <= DateToJulius(2100, 12, 31); ++j) {
        const TJDate d = JuliusToDate(j);
        ASSERT_EQ(DateToJulius(d.year, d.month, d.day), j);
    }
    for (int32_t y : {-4000, -1, 0, 1, 1000, 4000, 9999}) {
        const int32_t j = DateToJulius(y, 3, 1);
        EXPECT_EQ(JuliusToDate(j), (TJDate{y, 3, 1})) << y;
    }
}

TEST(JulianDay, LeapYearsMonthLengthsValidDatesAndLateEquinoxes) {
    for (int y : {2000, 1500, -4712}) // 1500 by the Julian rule before the reform
        EXPECT_TRUE(IsLeapYear(y)) << y;
    for (int y : {1900, 4000, 8000})
        EXPECT_FALSE(IsLeapYear(y)) << y;
    // The conversion knows no 4000-year rule, so 29 February 4000 still round-trips.
    EXPECT_TRUE(IsValidDate(4000, 2, 29) && IsValidDate(2004, 2, 29));
    for (auto [y, m, days] : {std::tuple{2004, 2, 29}, {2005, 2, 28}, {2005, 4, 30}, {4000, 2, 28}})
        EXPECT_EQ(DaysInMonth(y, m), days) << y << "-" << m;
    for (auto [y, m, d] :
         {std::tuple{2005, 2, 29}, {2005, 4, 31}, {2005, 13, 1}, {2005, 0, 1}, {2005, 1, 0}})
        EXPECT_FALSE(IsValidDate(y, m, d)) << y << "-" << m << "-" << d;
    // Equinoxes past the holiday file's years (1990-2030 are its test).
    EXPECT_EQ(JuliusToDate(VernalEquinoxDay(2092)), (TJDate{2092, 3, 19}));
    EXPECT_EQ(JuliusToDate(AutumnalEquinoxDay(2092)), (TJDate{2092, 9, 22}));
}

TEST(JulianDay, DateTimeValues) {
    EXPECT_EQ(JuliusToDateTime(DateToJulius(1899, 12, 30)), 0.0);
    EXPECT_EQ(JuliusToDateTime(DateToJulius(2000, 1, 1)), 36526.0);
    EXPECT_EQ(DateTimeToJulius(36526.75), 2451545); // the time of day is dropped
    EXPECT_EQ(DateTimeToJulius(-1.25), DateToJulius(1899, 12, 29));
    // Before the reform a date-time value still names the same calendar date.
    const int32_t j = DateToJulius(1500, 6, 1);
    EXPECT_EQ(DateTimeToJulius(JuliusToDateTime(j)), j);
}
