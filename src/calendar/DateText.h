// Date texts in the program's format tokens, with the era year from ICU's Japanese calendar.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolmo {

struct TJapaneseEra {
    int32_t year = 0;    // year within the era, 1 = the era's first year
    std::string name;    // e.g. "令和"
    std::string initial; // "M", "T", "S", "H", "R"; empty before Meiji
};

TJapaneseEra JapaneseEraOf(int32_t jd);

// Tokens: yyyy, mm, dd, m, d, e (era year), gg (era name), aaa (one-character weekday name),
// hh, nn (hour, minute), "/" the date separator, ":" the time separator; anything else is
// copied as it stands.
std::string FormatDateText(std::string_view format, int32_t jd, int hour = 0, int minute = 0);

// The inserted date text: era style "<initial>e.m.d" or "yyyy.mm.dd", then " (aaa)" when asked.
// Dates before Meiji have no era initial and are written in the Western style.
std::string HidukeText(int32_t jd, bool isWaYMD, bool isYoubi);

// One-character weekday names, index 0 = Sunday.
std::string_view ShortDayName(int dayOfWeek0);

} // namespace tolmo
