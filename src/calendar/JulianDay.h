// Julian day numbers: calendar conversion across the 1582 reform, weekdays, leap years, the
// equinox days, the old lunisolar calendar and the rokuyo cycle. Pure functions over int32 days.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolmo {

class EJuliusError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TJDate {
    int32_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    bool operator==(const TJDate&) const = default;
};

// Raises EJuliusError for 1582-10-05 .. 1582-10-14, which never existed.
int32_t DateToJulius(int32_t year, int month, int day);
TJDate JuliusToDate(int32_t jd);
// 1 = Sunday .. 7 = Saturday.
int JuliusDayOfWeek(int32_t jd);
bool IsLeapYear(int32_t year);
int DaysInMonth(int32_t year, int month);
// Propagates EJuliusError for the reform days.
bool IsValidDate(int32_t year, int month, int day);

int32_t VernalEquinoxDay(int32_t year);
int32_t AutumnalEquinoxDay(int32_t year);
bool IsVernalEquinox(int32_t year, int month, int day);
bool IsAutumnalEquinox(int32_t year, int month, int day);

struct TJDOldMonth {
    int32_t start = 0; // julian day of the first day of the old month
    uint8_t code = 0;  // 1..12, or 100 + m for the intercalary month after m
};

struct TOldDate {
    int code = 0; // 0 = none
    int day = 0;  // 0 = none
};

// The process-wide old-calendar table, loaded from the compiled-in resource on first use.
const std::vector<TJDOldMonth>& OldCalendarTable();
// The resource text itself ("start,code" lines, CR LF ended).
std::string_view OldCalendarResource();
// Parses resource text by the comma-text rule; throws std::invalid_argument on a bad line.
std::vector<TJDOldMonth> LoadOldCalendar(std::string_view text);

TOldDate OldCalendarDate(int32_t jd);
TOldDate OldCalendarDate(int32_t jd, const std::vector<TJDOldMonth>& table);
// 0 (none) .. 6, an index into RokuyoNames.
int Rokuyo(int32_t jd);
extern const std::array<std::string_view, 7> RokuyoNames;

// Date-time values count days from 1899-12-30 (the proleptic Gregorian calendar); the time of
// day is the fraction.
double JuliusToDateTime(int32_t jd);
int32_t DateTimeToJulius(double dateTime);

} // namespace tolmo
