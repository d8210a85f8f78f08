// The day classifier under the calendar control: holiday and special-day list lines parsed into
// entries, and a date's status bits, names and font.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tolmo {

constexpr int32_t kNoYearBound = std::numeric_limits<int32_t>::min();

struct TBinaryDayListItem {
    uint8_t day = 0;     // 0 = any day
    uint8_t month = 0;   // 0 = any month
    uint8_t weekday = 0; // 0 = any, 1 = Sunday .. 7 = Saturday
    uint8_t week = 0;    // 0 = every matching weekday, n = the n-th of the month
    int32_t fromYear = kNoYearBound;
    int32_t toYear = kNoYearBound;
    std::string name;

    bool Matches(int32_t year, int month, int day) const;
};

// Day status bits.
enum : uint8_t {
    dsSunday = 1,
    dsSaturday = 2,
    dsHoliday = 4,
    dsFurikae = 8,
    dsSpecialDay = 16,
};

// The seven fonts of the calendar control, in their index order.
enum TCalExFontIndex : int {
    cfWeekday = 0,
    cfSaturday = 1,
    cfSunday = 2,
    cfDayOfWeek = 3,
    cfHoliday = 4,
    cfSpecialDay = 5,
    cfRokuyo = 6,
};

struct TListEntryDate {
    int month = 13; // 13 and 32: the line names no date there
    int day = 32;
    std::string name;
};

// Parses one list line; false when the line has no entry (wrong field count, or a numeric field
// that is not a number or does not fit its field).
bool ParseDayListLine(const std::string& line, TBinaryDayListItem& item);

class TDayClassifier {
  public:
    virtual ~TDayClassifier() = default;

    // Lines in UTF-8. A line that is not understood is skipped; the others still count.
    void SetHolidayList(std::vector<std::string> lines);
    void SetSpecialDayList(std::vector<std::string> lines);
    const std::vector<std::string>& HolidayList() const { return holidayList_; }
    const std::vector<std::string>& SpecialDayList() const { return specialDayList_; }
    const std::vector<TBinaryDayListItem>& HolidayEntries() const { return holidays_; }
    const std::vector<TBinaryDayListItem>& SpecialDayEntries() const { return specialDays_; }

    bool AutoEquinox = true;
    bool AutoFurikae = true;

    virtual void RebuildDayLists();
    virtual uint8_t GetDayStatus(int32_t year, int month, int day) const;
    virtual std::string GetDayNames(int32_t year, int month, int day) const;
    virtual TCalExFontIndex GetDayFont(int32_t year, int month, int day) const;
    virtual TListEntryDate GetListEntryDate(const std::string& line, int32_t year, int month) const;

  private:
    std::vector<std::string> holidayList_, specialDayList_;
    std::vector<TBinaryDayListItem> holidays_, specialDays_;
};

} // namespace tolmo
