// What the date dialog is given: the date style from Tolmo.ini, the holiday file, a preset date.
#pragma once

#include <string>

class TIniFile;

namespace tolmo {

struct THidukeOptions {
    bool isWaYMD = true;     // era style "R8.12.6", else "2026.12.06"
    bool isYoubi = true;     // append " (日)"
    std::string holidayPath; // HDay.dat found at start-up; empty for none
    std::string presetDate;  // "yyyy/mm/dd"; empty for today
};

// Reads [Set] isWaYMD and isYoubi (both default true) from the settings file.
void ReadHidukeStyle(const TIniFile& ini, THidukeOptions& options);
// Parses "yyyy/mm/dd" (blanks before a number allowed) into a julian day; false when it is not a
// date of the years 1..9999.
bool ParsePresetDate(const std::string& text, int32_t& jd);

} // namespace tolmo
