// The date dialog's field arithmetic: day ranges, month steps and the up-down at its limits.
#include "calendar/DateFields.h"
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

using namespace tolmo;

TEST(DateFields, NumbersAndDayRange) {
    EXPECT_EQ(FieldNumber(" 5", 0), 5);
    EXPECT_EQ(FieldNumber("", 31), 31);
    EXPECT_EQ(FieldNumber("1a", 0), 0);
    EXPECT_EQ(DaysOfMonthFromFields("2004", " 2"), 29);
    EXPECT_EQ(DaysOfMonthFromFields("2005", "12"), 31);
    EXPECT_EQ(DaysOfMonthFromFields("", "12"), 28); // no year or month: the shortest month
    EXPECT_EQ(DaysOfMonthFromFields("2005", "0"), 28);
}

TEST(DateFields, UpDownPastTheLimits) {
    // Day 31 of January, stepping up: 1 February, the position goes to 1.
    auto r = UpDownAtLimit(THidukeField::Day, "2006", " 1", "31", 31, 1, 31);
    ASSERT_TRUE(r.acted);
    EXPECT_EQ(JuliusToDate(r.jd), (TJDate{2006, 2, 1}));
    EXPECT_TRUE(r.writeFields);
    EXPECT_EQ(r.max, 28);
    EXPECT_EQ(r.position, 1);
    // Day 1, stepping down: the last day of the previous month, the position at the maximum.
    r = UpDownAtLimit(THidukeField::Day, "2006", " 3", " 1", 1, 1, 31);
    EXPECT_EQ(JuliusToDate(r.jd), (TJDate{2006, 2, 28}));
    EXPECT_EQ(r.max, 28);
    EXPECT_EQ(r.position, 28);
    // Month 12 up: January of the next year, the day kept where it fits.
    r = UpDownAtLimit(THidukeField::Month, "2006", "12", "31", 12, 1, 12);
    EXPECT_EQ(JuliusToDate(r.jd), (TJDate{2007, 1, 31}));
    EXPECT_EQ(r.max, 12);
    EXPECT_EQ(r.position, 1);
    // Year mode only restores the maximum.
    r = UpDownAtLimit(THidukeField::Year, "9999", "12", "31", 9999, 1, 9999);
    EXPECT_TRUE(r.acted);
    EXPECT_FALSE(r.writeFields);
    EXPECT_EQ(r.max, 9999);
    // A year field that is not a number stops it.
    EXPECT_FALSE(UpDownAtLimit(THidukeField::Day, "", " 1", "31", 31, 1, 31).acted);
    EXPECT_FALSE(UpDownAtLimit(THidukeField::Day, "1582", "10", " 7", 7, 1, 31).acted);
}

TEST(DateFields, DateForTheResult) {
    EXPECT_EQ(DateFromFields("2006", " 2", " 1"), DateToJulius(2006, 2, 1));
    EXPECT_FALSE(DateFromFields("", "11", "24"));
    EXPECT_FALSE(DateFromFields("0", " 1", " 1"));
    EXPECT_FALSE(DateFromFields("2005", " 2", "30"));
    EXPECT_FALSE(DateFromFields("1582", "10", "10"));
}
