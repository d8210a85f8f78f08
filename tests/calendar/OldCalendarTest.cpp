// The compiled-in old-calendar table and the rokuyo it gives.
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolmo;

namespace {
// The old date of a julian day as "month/day"; "0/0" outside the table.
std::string Old(int32_t jd) {
    const TOldDate o = OldCalendarDate(jd);
    return std::to_string(o.code) + "/" + std::to_string(o.day);
}
std::string Old(int y, int m, int d) {
    return Old(DateToJulius(y, m, d));
}
} // namespace

TEST(OldCalendar, IntercalaryMonths) {
    // An intercalary month repeats the number of the month before it: up to 2009 written 100 + m,
    // from 2010 on as the number repeated.
    const auto& t = OldCalendarTable();
    int coded = 0, repeated = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        const int year = JuliusToDate(t[i].start).year;
        if (t[i].code > 100) {
            ++coded;
            EXPECT_EQ(t[i].code - 100, t[i - 1].code) << t[i].start;
            EXPECT_LT(year, 2010);
        } else if (t[i].code == t[i - 1].code) {
            ++repeated;
            EXPECT_GE(year, 2010);
        }
    }
    EXPECT_EQ(coded, 8);
    EXPECT_EQ(repeated, 7);
    // The published intercalary months from 2010 on: 2012 leap 3, 2014 leap 9, 2017 leap 5,
    // 2020 leap 4, 2023 leap 2, 2025 leap 6, 2028 leap 5, by their first days.
    const std::tuple<int, int, int, int> leaps[] = {
        {2012, 4, 21, 3}, {2014, 10, 24, 9}, {2017, 6, 24, 5}, {2020, 5, 23, 4},
        {2023, 3, 22, 2}, {2025, 7, 25, 6},  {2028, 6, 23, 5}};
    for (auto [y, m, d, code] : leaps) {
        EXPECT_EQ(Old(y, m, d), std::to_string(code) + "/1") << y;
        EXPECT_EQ(OldCalendarDate(DateToJulius(y, m, d) - 1).code, code) << y; // repeated
    }
}

TEST(OldCalendar, NewMoonsCloseToMidnight) {
    // The new moon of 2017-02-26 falls a minute before midnight JST: old 2/1 is the 26th.
    EXPECT_EQ(Old(2017, 2, 26), "2/1");
    EXPECT_EQ(Old(2017, 2, 25), "1/29");
    // The principal term of 2012-05-21 (00:15 JST) lies in the month from 2012-05-21, which is
    // thus old month 4; the month before it holds no term and is the intercalary 3.
    EXPECT_EQ(OldCalendarDate(DateToJulius(2012, 5, 21)).code, 4);
    EXPECT_EQ(OldCalendarDate(DateToJulius(2012, 5, 20)).code, 3);
}

TEST(OldCalendar, LookupBounds) {
    EXPECT_EQ(Old(2447888), "0/0"); // before the first record
    EXPECT_EQ(Old(2447889), "12/1");
    const auto& t = OldCalendarTable();
    const TJDOldMonth& lastMonth = t[t.size() - 2];
    EXPECT_EQ(Old(2462860),
              std::to_string(lastMonth.code) + "/" + std::to_string(2462860 - lastMonth.start + 1));
    EXPECT_EQ(Old(2462861), "0/0"); // the last record only closes its predecessor
    EXPECT_EQ(Old(2462862), "0/0");
}

TEST(OldCalendar, Rokuyo) {
    // Known days, the days just outside the table (none), and 2017-03-28, old 3/1 (先負) with the
    // corrected table, which a 31-day month before it would have made old 2/31.
    const std::tuple<int, int, int, int> cases[] = {
        {1989, 12, 28, 6}, {1990, 6, 23, 5}, {1990, 6, 24, 6}, {2017, 3, 28, 3},
        {2021, 1, 1, 0},   {2025, 6, 1, 0},  {1989, 12, 27, 0}};
    for (auto [y, m, d, rokuyo] : cases)
        EXPECT_EQ(Rokuyo(DateToJulius(y, m, d)), rokuyo) << y << "-" << m << "-" << d;
}

TEST(OldCalendar, LoaderFollowsCommaText) {
    std::string read;
    for (const TJDOldMonth& m : LoadOldCalendar("2447889,12\r\n 2448066 , 105\n2448096 6"))
        read += std::to_string(m.start) + ":" + std::to_string(m.code) + " ";
    EXPECT_EQ(read, "2447889:12 2448066:105 2448096:6 ");
    EXPECT_THROW(LoadOldCalendar("2447889;12\r\n"), std::invalid_argument);
}
