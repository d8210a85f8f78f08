// Holiday-list lines, matching, day status, names and font priority.
#include "calendar/DayClassifier.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tolmo;

TEST(DayList, FieldForms) {
    TDayClassifier c;
    c.AutoEquinox = c.AutoFurikae = false;
    c.SetHolidayList(
        {"1,2,2,成人の日", "2000,2,1,2,2,第二月曜", "1,1,元日", "5,5", "11,3,文化 の日"});
    // The equinox is no holiday when switched off (on, it is the shipped holiday file's test).
    // Four fields: the second Monday of January, every year; three fields: every 1 January. Two
    // fields give no entry; an unquoted blank in a name makes four fields: month 11, week 3,
    // weekday "文化" (not a number), so that line is skipped too.
    const std::tuple<int, int, int, bool> days[] = {
        {1999, 1, 11, true}, {1999, 1, 4, false}, {1999, 1, 18, false}, {1850, 1, 1, true},
        {2030, 1, 1, true},  {2001, 5, 5, false}, {2001, 11, 3, false}, {2005, 3, 20, false}};
    for (auto [y, m, d, holiday] : days)
        EXPECT_EQ(bool(c.GetDayStatus(y, m, d) & dsHoliday), holiday) << y << "-" << m << "-" << d;
    // Six fields: only from 2000 on.
    EXPECT_EQ(c.GetDayNames(1999, 1, 11), "成人の日");
    EXPECT_EQ(c.GetDayNames(2000, 1, 10), "成人の日,第二月曜");
    EXPECT_EQ(c.HolidayEntries().size(), 3u);
}

TEST(DayList, QuotedNamesAndSevenFields) {
    TBinaryDayListItem e;
    ASSERT_TRUE(ParseDayListLine("11,3,\"文化 の日\"", e));
    EXPECT_EQ(e.name, "文化 の日");
    ASSERT_TRUE(ParseDayListLine("2000,2010,10,,2,3,体育の日", e));
    EXPECT_EQ(std::tuple(e.fromYear, e.toYear, e.month, e.day, e.week, e.weekday),
              std::tuple(2000, 2010, 10, 0, 3, 2));
    ASSERT_TRUE(ParseDayListLine(",,,,,,毎日", e));
    EXPECT_EQ(e.fromYear, kNoYearBound);
    EXPECT_TRUE(e.Matches(2024, 6, 7));
    EXPECT_FALSE(ParseDayListLine("1,2,3,4,5,6,7,8", e));
    EXPECT_FALSE(ParseDayListLine("300,1,大きすぎる月", e));
}

TEST(DayList, YearKinds) {
    // Only 2019; up to 1999; from 2007; 2007 with an unknown kind is every year; a range with
    // its end before its start means outside 2001..2009.
    const std::tuple<const char*, int, int, int, bool> cases[] = {
        {"2019,0,5,1,x", 2019, 5, 1, true},      {"2019,0,5,1,x", 2020, 5, 1, false},
        {"1999,1,1,15,x", 1999, 1, 15, true},    {"1999,1,1,15,x", 2000, 1, 15, false},
        {"2007,2,4,29,x", 2007, 4, 29, true},    {"2007,2,4,29,x", 2006, 4, 29, false},
        {"2007,9,4,29,x", 1900, 4, 29, true},    {"2010,2000,1,1,,,x", 1990, 1, 1, true},
        {"2010,2000,1,1,,,x", 2000, 1, 1, true}, {"2010,2000,1,1,,,x", 2010, 1, 1, true},
        {"2010,2000,1,1,,,x", 2005, 1, 1, false}};
    for (auto [line, y, m, d, matches] : cases) {
        TBinaryDayListItem e;
        ASSERT_TRUE(ParseDayListLine(line, e)) << line;
        EXPECT_EQ(e.Matches(y, m, d), matches) << line << " " << y;
    }
}

TEST(DayStatus, FontPriority) {
    TDayClassifier c;
    c.SetSpecialDayList({"12,5,記念日"});
    c.SetHolidayList({"12,5,祝日", "12,6,祝日", "12,7,祝日"});
    // The 5th is a Saturday, holiday and special day; the 6th a Sunday and holiday.
    std::vector<int> fonts;
    for (int d : {5, 6, 12, 13, 8})
        fonts.push_back(c.GetDayFont(2026, 12, d));
    EXPECT_EQ(fonts, (std::vector<int>{cfSpecialDay, cfHoliday, cfSaturday, cfSunday, cfWeekday}));
    EXPECT_EQ(c.GetDayNames(2026, 12, 5), "記念日,祝日");
}

TEST(ListEntryDate, Forms) {
    TDayClassifier c;
    // Month 13 and day 32 (and no name) say that the entry has no date in the asked year and month.
    const std::tuple<const char*, int, int, const char*> cases[] = {
        {"1,2,2,成人の日", 2024, 0, "1/8 成人の日"},
        {"11,3,文化の日", 2024, 10, "13/32 "},
        {"2003,2,9,3,2,敬老の日", 2026, 9, "9/21 敬老の日"},
        {"2003,2,9,3,2,敬老の日", 2002, 0, "13/32 "},
        {"1999,1,1,15,成人の日", 2000, 0, "13/32 "},
        {"2019,0,5,1,即位", 2019, 5, "5/1 即位"},
        {"a,b,c", 2019, 0, "13/32 "}};
    for (auto [line, year, month, date] : cases) {
        const auto e = c.GetListEntryDate(line, year, month);
        EXPECT_EQ(std::to_string(e.month) + "/" + std::to_string(e.day) + " " + e.name, date)
            << line << year;
    }
}
