// Holiday file reading: block reads, Ctrl+Z end, CR / LF / CR LF lines, CP932 or UTF-8.
#include "calendar/HolidayFile.h"

#include "calendar/CommaText.h"
#include "platform/Cp932.h"

#include <filesystem>
#include <fstream>

namespace tolmo {

std::vector<std::string> HolidayLinesFromBytes(std::string_view bytes) {
    if (const size_t eof = bytes.find('\x1a'); eof != std::string_view::npos)
        bytes = bytes.substr(0, eof);
    if (IsValidUtf8(bytes)) return SplitTextLines(bytes);
    return SplitTextLines(Cp932ToUtf8(bytes));
}

std::optional<std::vector<std::string>> ReadHolidayFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char block[8192];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<size_t>(in.gcount()));
        if (bytes.find('\x1a', bytes.size() - static_cast<size_t>(in.gcount())) !=
            std::string::npos)
            break; // the rest of the file is past its end
    }
    if (in.bad()) return std::nullopt;
    return HolidayLinesFromBytes(bytes);
}

} // namespace tolmo
