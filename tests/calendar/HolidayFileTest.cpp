// Reading holiday files, and the shipped HDay.dat against the public holiday list 1990-2030.
#include "calendar/HolidayFile.h"
#include "calendar/DayClassifier.h"
#include "calendar/JulianDay.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

using namespace tolmo;

TEST(HolidayFile, LineEndsAndEndOfFile) {
    using V = std::vector<std::string>;
    EXPECT_EQ(HolidayLinesFromBytes("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(HolidayLinesFromBytes("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(HolidayLinesFromBytes("a\r\nb\x1a\r\nc\r\n"), (V{"a", "b"}));
    // Shift-JIS files come back as UTF-8.
    EXPECT_EQ(HolidayLinesFromBytes("1,1,\x8c\xb3\x93\xfa\r\n"), (V{"1,1,元日"}));
    EXPECT_EQ(HolidayLinesFromBytes("1,1,元日\r\n"), (V{"1,1,元日"}));
}

TEST(HolidayFile, ReadsAcrossBlocks) {
    std::string bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += "1,1,line" + std::to_string(i) + "\r\n";
    bytes += "\x1a\r\n9,9,past the end\r\n"; // read up to the end-of-file mark
    TempDir d;
    TempDir::Write(d / "HDay.dat", bytes);
    const auto lines = ReadHolidayFile(d / "HDay.dat");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->back(), "1,1,line1999");
    EXPECT_FALSE(ReadHolidayFile(d / "missing.dat"));
    EXPECT_FALSE(ReadHolidayFile(d.str()));
}

// With AutoEquinox and AutoFurikae on, the shipped HDay.dat marks exactly Japan's public
// holidays from 1990 to 2030, as listed by @holiday-jp/holiday_jp (see tools/holidays).
TEST(HolidayFile, ShippedFileMatchesPublicHolidays) {
    const std::string source = TOLMO_SOURCE_DIR;
    const auto lines = ReadHolidayFile(source + "/data/HDay.dat");
    ASSERT_TRUE(lines);
    TDayClassifier c;
    c.SetHolidayList(*lines);
    EXPECT_EQ(c.HolidayEntries().size(), lines->size()) << "every line of HDay.dat is understood";

    std::map<int32_t, std::string> ref;
    std::ifstream in(source + "/tests/data/calendar/holidays-jp-1990-2030.csv");
    std::string row;
    while (std::getline(in, row)) {
        int y, m, d;
        ASSERT_EQ(std::sscanf(row.c_str(), "%d-%d-%d,", &y, &m, &d), 3) << row;
        ref[DateToJulius(y, m, d)] = row.substr(11);
    }
    ASSERT_GT(ref.size(), 700u);

    for (int32_t j = DateToJulius(1990, 1, 1); j <= DateToJulius(2030, 12, 31); ++j) {
        const TJDate d = JuliusToDate(j);
        const bool ours = c.GetDayStatus(d.year, d.month, d.day) & (dsHoliday | dsFurikae);
        const auto it = ref.find(j);
        const std::string names = c.GetDayNames(d.year, d.month, d.day);
        SCOPED_TRACE(std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
                     std::to_string(d.day) + " " + names);
        ASSERT_EQ(ours, it != ref.end());
        if (!ours) continue;
        const std::string& name = it->second;
        if (name.ends_with(" 振替休日")) {
            EXPECT_NE(names.find("振替休日"), std::string::npos);
        } else if (name.find("（") == std::string::npos) {
            EXPECT_EQ(names, name);
        }
    }
}
