// Julian day arithmetic, equinox formulas and the old-calendar lookup.
#include "calendar/JulianDay.h"

#include "calendar/CommaText.h"

#include <cmath>

namespace tolmo {

namespace {

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int32_t kFirstGregorianDay = 2299161; // 1582-10-15
constexpr int32_t kRokuyoEnd = 2459216;         // 2021-01-01
constexpr int32_t kDateTimeZero = 2415019;      // 1899-12-30

int32_t Trunc(long double v) {
    return static_cast<int32_t>(std::trunc(v));
}

long double SinDeg(long double deg) {
    return std::sin(deg / 180.0L * 3.14159265358979323846264338327950288L);
}

// Days from 1970-01-01 of a proleptic Gregorian date (and back), for date-time values.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

TJDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int32_t>(y), static_cast<uint8_t>(m), static_cast<uint8_t>(d)};
}

constexpr int64_t kUnixEpochJd = 2440588; // 1970-01-01

} // namespace

const std::array<std::string_view, 7> RokuyoNames = {"不明", "先勝", "友引", "先負",
                                                     "仏滅", "大安", "赤口"};

int32_t DateToJulius(int32_t year, int month, int day) {
    bool julian = false;
    if (year < 1582 || (year == 1582 && month < 10) || (year == 1582 && month == 10 && day < 5)) {
        julian = true;
    } else if (year == 1582 && month == 10 && day <= 14) {
        throw EJuliusError("1582/10/5-10/14は存在しません。");
    }
    double y = year, m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    const int32_t a = year < 1 ? Trunc(365.25L * y - 0.75L) : Trunc(365.25L * y);
    const int32_t b = Trunc(30.6001L * (m + 1));
    int64_t r = static_cast<int64_t>(a) + b + day + 1720995;
    if (!julian) {
        const int32_t q = Trunc(y / 100.0L);
        r += 2 - q + Trunc(q / 4.0L);
    }
    return static_cast<int32_t>(r);
}

TJDate JuliusToDate(int32_t jd) {
    long double k;
    if (jd < kFirstGregorianDay) {
        k = jd + 1524.0L;
    } else {
        const int32_t alpha = Trunc((jd - 1867216.25L) / 36524.25L);
        k = jd + 1.0L + alpha - Trunc(alpha / 4.0L) + 1524;
    }
    const int32_t q = Trunc((k - 122.1L) / 365.25L);
    const int32_t dd = Trunc(365.25L * q);
    const int32_t e = Trunc((k - dd) / 30.6001L);
    TJDate r;
    r.day = static_cast<uint8_t>(static_cast<int64_t>(k) - dd - Trunc(30.6001L * e));
    r.month = static_cast<uint8_t>(e < 13.5 ? e - 1 : e - 13);
    r.year = r.month >= 3 ? q - 4716 : q - 4715;
    return r;
}

int JuliusDayOfWeek(int32_t jd) {
    return static_cast<int>((static_cast<int64_t>(jd) + 1) % 7) + 1;
}

bool IsLeapYear(int32_t year) {
    if (year < 1582) return (static_cast<int64_t>(year) + 4712) % 4 == 0;
    if (year % 4 != 0) return false;
    if (year % 100 != 0) return true;
    if (year % 400 != 0) return false;
    return year % 4000 != 0;
}

int DaysInMonth(int32_t year, int month) {
    if (month < 1 || month > 12) return 0;
    return kMonthDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(int32_t year, int month, int day) {
    const TJDate d = JuliusToDate(DateToJulius(year, month, day));
    return d.year == year && d.month == month && d.day == day;
}

int32_t VernalEquinoxDay(int32_t year) {
    const long double t = year - 2000.0L;
    const long double s = 0.002L * (SinDeg(321 - 30.37L * t) + SinDeg(249 + 0.19L * t) +
                                    SinDeg(202 - 132.57L * t) + SinDeg(84 - 90.37L * t)) -
                          0.00004871850323926L * t + 0.001L * SinDeg(132 - 134.81L * t) +
                          0.005L * SinDeg(239 - 19.34L * t);
    return Trunc(2451624.683L + 365.24229L * t + 0.0000001L * t * t - s);
}

int32_t AutumnalEquinoxDay(int32_t year) {
    const long double t = year - 2000.0L;
    const long double s = 0.002L * (SinDeg(485 - 30.37L * t) + SinDeg(249 + 0.19L * t) +
                                    SinDeg(268.2L - 132.57L * t) + SinDeg(309.2L - 90.37L * t)) +
                          0.00004871850323926L * t + 0.001L * SinDeg(244.6L - 134.81L * t) +
                          0.005L * SinDeg(248.6L - 19.34L * t);
    return Trunc(2451811.096L + 365.24206L * t + 0.0000001L * t * t - s);
}

bool IsVernalEquinox(int32_t year, int month, int day) {
    const TJDate d = JuliusToDate(VernalEquinoxDay(year));
    return d.month == month && d.day == day;
}

bool IsAutumnalEquinox(int32_t year, int month, int day) {
    const TJDate d = JuliusToDate(AutumnalEquinoxDay(year));
    return d.month == month && d.day == day;
}

std::string_view OldCalendarResource() {
    static constexpr char kText[] =
#include "calendar/OldCalendarTable.inc"
        ;
    return {kText, sizeof kText - 1};
}

std::vector<TJDOldMonth> LoadOldCalendar(std::string_view text) {
    std::vector<TJDOldMonth> table;
    for (const std::string& line : SplitTextLines(text)) {
        const std::vector<std::string> f = SplitCommaText(line);
        if (f.size() < 2) throw std::invalid_argument("bad old-calendar line: " + line);
        const auto start = ParseDecimal(f[0]);
        const auto code = ParseDecimal(f[1]);
        if (!start || !code || *code < 0 || *code > 255)
            throw std::invalid_argument("bad old-calendar line: " + line);
        table.push_back({*start, static_cast<uint8_t>(*code)});
    }
    return table;
}

const std::vector<TJDOldMonth>& OldCalendarTable() {
    static const std::vector<TJDOldMonth> table = LoadOldCalendar(OldCalendarResource());
    return table;
}

TOldDate OldCalendarDate(int32_t jd, const std::vector<TJDOldMonth>& table) {
    TOldDate r;
    if (table.empty() || jd < table.front().start || jd > table.back().start) return r;
    for (size_t i = 1; i < table.size(); ++i) {
        if (table[i].start > jd) {
            r.code = table[i - 1].code;
            r.day = jd - table[i - 1].start + 1;
            return r;
        }
    }
    return r; // jd is the last start: that record only closes the month before it
}

TOldDate OldCalendarDate(int32_t jd) {
    return OldCalendarDate(jd, OldCalendarTable());
}

int Rokuyo(int32_t jd) {
    const TOldDate od = OldCalendarDate(jd);
    if (od.code == 0 || jd >= kRokuyoEnd) return 0;
    const int m = od.code > 100 ? od.code - 100 : od.code;
    return ((m - 1) + (od.day - 1)) % 6 + 1;
}

double JuliusToDateTime(int32_t jd) {
    const TJDate d = JuliusToDate(jd);
    return static_cast<double>(DaysFromCivil(d.year, d.month, d.day) + kUnixEpochJd -
                               kDateTimeZero);
}

int32_t DateTimeToJulius(double dateTime) {
    // The whole days of a date-time value count toward zero; the fraction is the time of day.
    const int64_t days = static_cast<int64_t>(std::trunc(dateTime));
    const TJDate d = CivilFromDays(days + kDateTimeZero - kUnixEpochJd);
    return DateToJulius(d.year, d.month, d.day);
}

} // namespace tolmo
