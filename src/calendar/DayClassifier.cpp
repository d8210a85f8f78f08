// Holiday-list parsing and matching, day status, names and font choice.
#include "calendar/DayClassifier.h"

#include "calendar/CommaText.h"
#include "calendar/JulianDay.h"

#include <optional>

namespace tolmo {

namespace {

std::optional<uint8_t> ParseByte(const std::string& s) {
    const auto v = ParseDecimal(s);
    if (!v || *v < 0 || *v > 255) return std::nullopt;
    return static_cast<uint8_t>(*v);
}

// The year bound of the 5- and 6-field forms: "0" that year only, "1" up to it, "2" from it on.
void ApplyYearKind(TBinaryDayListItem& item, int32_t year, const std::string& kind) {
    if (kind == "0") {
        item.fromYear = item.toYear = year;
    } else if (kind == "1") {
        item.toYear = year;
    } else if (kind == "2") {
        item.fromYear = year;
    }
}

int NthWeekdayOfMonth(int32_t year, int month, int weekday, int week) {
    const int w1 = JuliusDayOfWeek(DateToJulius(year, month, 1));
    const int d1 = ((weekday + 7 - w1) % 7) + 1;
    return d1 + (week - 1) * 7;
}

void Rebuild(const std::vector<std::string>& lines, std::vector<TBinaryDayListItem>& entries) {
    entries.clear();
    for (const std::string& line : lines) {
        TBinaryDayListItem item;
        if (ParseDayListLine(line, item)) entries.push_back(std::move(item));
    }
}

} // namespace

bool ParseDayListLine(const std::string& line, TBinaryDayListItem& item) {
    const std::vector<std::string> f = SplitCommaText(line);
    item = TBinaryDayListItem{};
    switch (f.size()) {
    case 3: {
        const auto m = ParseByte(f[0]), d = ParseByte(f[1]);
        if (!m || !d) return false;
        item.month = *m;
        item.day = *d;
        break;
    }
    case 4: {
        const auto m = ParseByte(f[0]), w = ParseByte(f[1]), wd = ParseByte(f[2]);
        if (!m || !w || !wd) return false;
        item.month = *m;
        item.week = *w;
        item.weekday = *wd;
        break;
    }
    case 5:
    case 6: {
        const auto y = ParseDecimal(f[0]);
        const auto m = ParseByte(f[2]), a = ParseByte(f[3]);
        if (!y || !m || !a) return false;
        item.month = *m;
        if (f.size() == 5) {
            item.day = *a;
        } else {
            const auto wd = ParseByte(f[4]);
            if (!wd) return false;
            item.week = *a;
            item.weekday = *wd;
        }
        ApplyYearKind(item, *y, f[1]);
        break;
    }
    case 7: {
        // from year, to year, month, day, weekday, week: an empty field keeps the default.
        if (!f[0].empty()) {
            const auto v = ParseDecimal(f[0]);
            if (!v) return false;
            item.fromYear = *v;
        }
        if (!f[1].empty()) {
            const auto v = ParseDecimal(f[1]);
            if (!v) return false;
            item.toYear = *v;
        }
        uint8_t* bytes[4] = {&item.month, &item.day, &item.weekday, &item.week};
        for (int i = 0; i < 4; ++i) {
            if (f[2 + i].empty()) continue;
            const auto v = ParseByte(f[2 + i]);
            if (!v) return false;
            *bytes[i] = *v;
        }
        break;
    }
    default:
        return false;
    }
    item.name = f.back();
    return true;
}

bool TBinaryDayListItem::Matches(int32_t y, int m, int d) const {
    const bool hasFrom = fromYear != kNoYearBound, hasTo = toYear != kNoYearBound;
    if (hasFrom && hasTo) {
        if (toYear >= fromYear) {
            if (y < fromYear || y > toYear) return false;
        } else if (y < fromYear && y > toYear) {
            return false; // the range wraps
        }
    } else if (hasFrom) {
        if (y < fromYear) return false;
    } else if (hasTo) {
        if (y > toYear) return false;
    }
    if (month != 0 && month != m) return false;
    if (day != 0 && day != d) return false;
    if (weekday == 0) return true;
    if (JuliusDayOfWeek(DateToJulius(y, m, d)) != weekday) return false;
    return week == 0 || (d - 1) / 7 == week - 1;
}

void TDayClassifier::SetHolidayList(std::vector<std::string> lines) {
    holidayList_ = std::move(lines);
    RebuildDayLists();
}

void TDayClassifier::SetSpecialDayList(std::vector<std::string> lines) {
    specialDayList_ = std::move(lines);
    RebuildDayLists();
}

void TDayClassifier::RebuildDayLists() {
    Rebuild(holidayList_, holidays_);
    Rebuild(specialDayList_, specialDays_);
}

uint8_t TDayClassifier::GetDayStatus(int32_t y, int m, int d) const {
    uint8_t s = 0;
    for (const auto& e : specialDays_)
        if (e.Matches(y, m, d)) {
            s |= dsSpecialDay;
            break;
        }
    for (const auto& e : holidays_)
        if (e.Matches(y, m, d)) {
            s |= dsHoliday;
            break;
        }
    const int32_t jd = DateToJulius(y, m, d);
    const int w = JuliusDayOfWeek(jd);
    if (w == 1) s |= dsSunday;
    if (w == 7) s |= dsSaturday;
    if (AutoEquinox && (IsVernalEquinox(y, m, d) || IsAutumnalEquinox(y, m, d))) s |= dsHoliday;
    if (AutoFurikae && w == 2 && !(s & dsHoliday)) {
        const TJDate prev = JuliusToDate(jd - 1);
        if (GetDayStatus(prev.year, prev.month, prev.day) & dsHoliday) s |= dsFurikae;
    }
    return s;
}

std::string TDayClassifier::GetDayNames(int32_t y, int m, int d) const {
    std::vector<std::string> names;
    for (const auto& e : specialDays_)
        if (e.Matches(y, m, d)) names.push_back(e.name);
    for (const auto& e : holidays_)
        if (e.Matches(y, m, d)) names.push_back(e.name);
    if (AutoEquinox) {
        if (IsVernalEquinox(y, m, d))
            names.push_back("春分の日");
        else if (IsAutumnalEquinox(y, m, d))
            names.push_back("秋分の日");
    }
    if (AutoFurikae && (GetDayStatus(y, m, d) & dsFurikae)) names.push_back("振替休日");
    return JoinCommaText(names);
}

TCalExFontIndex TDayClassifier::GetDayFont(int32_t y, int m, int d) const {
    const uint8_t s = GetDayStatus(y, m, d);
    TCalExFontIndex f = cfWeekday;
    if (s & dsSaturday)
        f = cfSaturday;
    else if (s & dsSunday)
        f = cfSunday;
    if (s & (dsHoliday | dsFurikae)) f = cfHoliday;
    if (s & dsSpecialDay) f = cfSpecialDay;
    return f;
}

TListEntryDate TDayClassifier::GetListEntryDate(const std::string& line, int32_t y, int m) const {
    TListEntryDate r;
    const std::vector<std::string> f = SplitCommaText(line);
    // month, day | month, week, weekday — then the name; `at` is where the month stands.
    auto take = [&](size_t at, bool byWeek) {
        const auto mon = ParseByte(f[at]);
        if (!mon || (m != 0 && m != *mon)) return;
        int day;
        if (byWeek) {
            const auto week = ParseByte(f[at + 1]), wd = ParseByte(f[at + 2]);
            if (!week || !wd || *mon < 1 || *mon > 12 || *wd < 1 || *wd > 7) return;
            day = NthWeekdayOfMonth(y, *mon, *wd, *week);
        } else {
            const auto d = ParseByte(f[at + 1]);
            if (!d) return;
            day = *d;
        }
        r.month = *mon;
        r.day = day;
        r.name = f.back();
    };
    switch (f.size()) {
    case 3:
        take(0, false);
        break;
    case 4:
        take(0, true);
        break;
    case 5:
    case 6: {
        const auto year = ParseDecimal(f[0]);
        if (!year) break;
        if ((f[1] == "0" && *year != y) || (f[1] == "1" && *year < y) || (f[1] == "2" && *year > y))
            break;
        take(2, f.size() == 6);
        break;
    }
    default:
        break;
    }
    return r;
}

} // namespace tolmo
