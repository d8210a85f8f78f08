// Fuzzes the holiday-file reader and the day classifier with arbitrary holiday files.
#include "calendar/DayClassifier.h"
#include "calendar/HolidayFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tolmo::TDayClassifier c;
    c.SetHolidayList(tolmo::HolidayLinesFromBytes(bytes));
    c.SetSpecialDayList(c.HolidayList());
    for (int d = 1; d <= 31; d += 3) {
        c.GetDayStatus(2026, 5, d);
        c.GetDayNames(2026, 5, d);
    }
    for (const auto& line : c.HolidayList())
        c.GetListEntryDate(line, 2026, 0);
    return 0;
}
