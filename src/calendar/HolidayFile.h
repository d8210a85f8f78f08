// Reading the holiday file HDay.dat into list lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmo {

// Splits file bytes into lines: a line ends at CR, LF or CR LF, the first Ctrl+Z ends the text, a
// last line without an end is a line too. The bytes are taken as UTF-8 when they are valid UTF-8,
// else as CP932, and the lines come back in UTF-8.
std::vector<std::string> HolidayLinesFromBytes(std::string_view bytes);
// Reads the file in blocks of 8192 bytes; nothing when it does not exist or cannot be read.
std::optional<std::vector<std::string>> ReadHolidayFile(const std::string& path);

} // namespace tolmo
