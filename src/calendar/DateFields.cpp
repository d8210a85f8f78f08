// Field arithmetic of the date dialog.
#include "calendar/DateFields.h"

#include "calendar/CommaText.h"
#include "calendar/JulianDay.h"
#include "calendar/MonthGrid.h"

#include <limits>

namespace tolmo {

int FieldNumber(std::string_view text, int fallback) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const auto v = ParseDecimal(text);
    return v ? *v : fallback;
}

int DaysOfMonthFromFields(std::string_view yearText, std::string_view monthText) {
    const int y = FieldNumber(yearText, 0), m = FieldNumber(monthText, 0);
    if (y == 0 || m == 0) return 28;
    if (m < 1 || m > 12) return 28; // a month the field cannot hold; keep the day range sane
    const int32_t next = m == 12 ? DateToJulius(y + 1, 1, 1) : DateToJulius(y, m + 1, 1);
    return JuliusToDate(next - 1).day;
}

std::string PaddedField(int value) {
    return value < 10 ? " " + std::to_string(value) : std::to_string(value);
}

TUpDownLimitStep UpDownAtLimit(THidukeField mode, std::string_view yearText,
                               std::string_view monthText, std::string_view dayText, int position,
                               int min, int max) {
    TUpDownLimitStep r;
    constexpr int kNotANumber = std::numeric_limits<int>::min();
    const int year = FieldNumber(yearText, kNotANumber);
    if (year == kNotANumber) return r;
    const int month = FieldNumber(monthText, 0), day = FieldNumber(dayText, 0);
    if (month < 1 || month > 12 || day < 1 || day > 31) return r;
    if (year == 1582 && month == 10 && day >= 5 && day <= 14) return r;
    if (!IsValidDate(year, month, day)) return r;
    const int dir = position < (max - min) / 2 ? -1 : +1;
    r.acted = true;
    r.jd = DateToJulius(year, month, day);
    switch (mode) {
    case THidukeField::Year:
        r.max = 9999;
        r.position = position;
        return r;
    case THidukeField::Month:
        r.jd = AddMonth(r.jd, dir);
        r.max = 12;
        break;
    case THidukeField::Day: {
        r.jd += dir;
        const TJDate nd = JuliusToDate(r.jd);
        r.max = DaysInMonth(nd.year, nd.month);
        break;
    }
    }
    r.writeFields = true;
    r.position = dir < 0 ? r.max : 1;
    return r;
}

std::optional<int32_t> DateFromFields(std::string_view yearText, std::string_view monthText,
                                      std::string_view dayText) {
    const int y = FieldNumber(yearText, 0), m = FieldNumber(monthText, 0),
              d = FieldNumber(dayText, 0);
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    if (y == 1582 && m == 10 && d >= 5 && d <= 14) return std::nullopt;
    if (!IsValidDate(y, m, d)) return std::nullopt;
    return DateToJulius(y, m, d);
}

} // namespace tolmo
