// Date-dialog options from the settings file and the preset date.
#include "calendar/DateSettings.h"

#include "calendar/DateFields.h"
#include "platform/IniFile.h"

namespace tolmo {

void ReadHidukeStyle(const TIniFile& ini, THidukeOptions& options) {
    options.isWaYMD = ini.ReadBool("Set", "isWaYMD", true);
    options.isYoubi = ini.ReadBool("Set", "isYoubi", true);
}

bool ParsePresetDate(const std::string& text, int32_t& jd) {
    const size_t a = text.find('/');
    const size_t b = a == std::string::npos ? a : text.find('/', a + 1);
    if (b == std::string::npos) return false;
    const auto d =
        DateFromFields(text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1));
    if (!d) return false;
    jd = *d;
    return true;
}

} // namespace tolmo
