// Date texts: format tokens, era years from ICU and the dialog's result text.
#include "calendar/DateText.h"
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

using namespace tolmo;

TEST(DateText, Tokens) {
    const int32_t j = DateToJulius(2005, 11, 4);
    EXPECT_EQ(FormatDateText("yyyy/m/dd", j), "2005/11/04");
    EXPECT_EQ(FormatDateText("e.m.d (aaa)", j), "17.11.4 (金)");
    EXPECT_EQ(FormatDateText("gge年", j), "平成17年");
    EXPECT_EQ(FormatDateText("hh:nn", j, 9, 5), "09:05");
    EXPECT_EQ(FormatDateText("yyyy", DateToJulius(800, 1, 1)), "0800");
}

TEST(DateText, EraOfTheDate) {
    // The era's initial and the year within it; before Meiji (1850 is Kaei 3) no initial.
    const std::tuple<int, int, int, const char*> cases[] = {
        {1989, 1, 7, "S64"}, {1989, 1, 8, "H1"},  {2019, 4, 30, "H31"}, {2019, 5, 1, "R1"},
        {1912, 7, 30, "T1"}, {1900, 1, 1, "M33"}, {1850, 1, 1, "3"}};
    for (auto [y, m, d, era] : cases) {
        const TJapaneseEra e = JapaneseEraOf(DateToJulius(y, m, d));
        EXPECT_EQ(e.initial + std::to_string(e.year), era) << y << "-" << m;
    }
    EXPECT_EQ(JapaneseEraOf(DateToJulius(2019, 5, 1)).name, "令和");
}

TEST(DateText, ResultText) {
    const int32_t j = DateToJulius(2005, 11, 24);
    EXPECT_EQ(HidukeText(j, true, true), "H17.11.24 (木)");
    EXPECT_EQ(HidukeText(j, false, false), "2005.11.24");
    // The initial is that of the date's own era, not a fixed "H".
    EXPECT_EQ(HidukeText(DateToJulius(2026, 12, 6), true, true), "R8.12.6 (日)");
    EXPECT_EQ(HidukeText(DateToJulius(1988, 2, 1), true, false), "S63.2.1");
    // Before Meiji there is no initial: the Western form is written.
    EXPECT_EQ(HidukeText(DateToJulius(1850, 5, 5), true, true), "1850.05.05 (日)");
}
