// The date dialog's field arithmetic: numbers from the three fields, the day range, the month
// step and the up-down control's step past its limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolmo {

enum class THidukeField { Day = 0, Month = 1, Year = 2 };

// The number in a field (blanks around it allowed), or `fallback` when it is not one.
int FieldNumber(std::string_view text, int fallback);
// Days of the month named by the year and month fields: 28 when either is 0 or not a number.
int DaysOfMonthFromFields(std::string_view yearText, std::string_view monthText);
// A field written from the calendar: "2006", " 2", "12".
std::string PaddedField(int value);

struct TUpDownLimitStep {
    bool acted = false; // false: the fields did not hold a date
    int32_t jd = 0;     // the new date (unchanged in year mode)
    bool writeFields = false;
    int max = 0;
    int position = 0;
};

// The up-down control was pushed past its range: step the date instead. `position`, `min` and
// `max` are the control's before the step.
TUpDownLimitStep UpDownAtLimit(THidukeField mode, std::string_view yearText,
                               std::string_view monthText, std::string_view dayText, int position,
                               int min, int max);

// The date of the three fields for the result text: year 1..9999 and a real date, else nothing.
std::optional<int32_t> DateFromFields(std::string_view yearText, std::string_view monthText,
                                      std::string_view dayText);

} // namespace tolmo
