// Header and footer keyword expansion.
#include "print/HeaderText.h"

#include <cstdio>

namespace {
std::string_view WithoutFolder(std::string_view fileName) {
    const std::size_t cut = fileName.find_last_of("\\:/");
    return cut == std::string_view::npos ? fileName : fileName.substr(cut + 1);
}
} // namespace

THeaderClock SystemHeaderClock() {
    return [] {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return tm;
    };
}

std::string ExpandHeaderText(std::string_view tmpl, long long pageNumber, std::string_view fileName,
                             const THeaderClock& clock) {
    std::string out;
    if (tmpl.find('%') == std::string_view::npos) return std::string(tmpl);
    const std::tm date = clock();
    for (std::size_t i = 0; i < tmpl.size(); ++i) {
        const char c = tmpl[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= tmpl.size()) break; // a trailing "%" gives nothing
        switch (tmpl[i]) {
        case 'p':
            out += std::to_string(pageNumber);
            break;
        case 'f':
            out += fileName;
            break;
        case 'F':
            out += WithoutFolder(fileName);
            break;
        case 'y':
            out += std::to_string(date.tm_year + 1900);
            break;
        case 'm':
            out += std::to_string(date.tm_mon + 1);
            break;
        case 'd':
            out += std::to_string(date.tm_mday);
            break;
        case 't': {
            const std::tm now = clock();
            char buf[32];
            std::snprintf(buf, sizeof buf, "%d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
            out += buf;
            break;
        }
        default:
            out += tmpl[i];
            break;
        }
    }
    return out;
}

std::string PrintJobTitle(std::string_view fileName) {
    const std::string_view name = WithoutFolder(fileName);
    return name.empty() ? std::string("無題") : std::string(name);
}
