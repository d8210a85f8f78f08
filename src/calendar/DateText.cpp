// Date formatting with ICU's Japanese calendar for the era.
#include "calendar/DateText.h"

#include "calendar/JulianDay.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <array>
#include <cstdio>
#include <memory>

namespace tolmo {

namespace {

constexpr int32_t kUnixEpochJd = 2440588;
constexpr int kIcuMeiji = 232; // ICU's era index of Meiji; Taisho .. Reiwa follow

std::string ToUtf8(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

std::string Num(int64_t v, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(v));
    return buf;
}

} // namespace

std::string_view ShortDayName(int dayOfWeek0) {
    static constexpr std::array<std::string_view, 7> kNames = {"日", "月", "火", "水",
                                                               "木", "金", "土"};
    return kNames[static_cast<size_t>(((dayOfWeek0 % 7) + 7) % 7)];
}

TJapaneseEra JapaneseEraOf(int32_t jd) {
    TJapaneseEra era;
    UErrorCode st = U_ZERO_ERROR;
    const icu::Locale ja("ja_JP@calendar=japanese");
    std::unique_ptr<icu::Calendar> cal(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), ja, st));
    if (U_FAILURE(st)) return era;
    const UDate t = (static_cast<double>(jd) - kUnixEpochJd) * U_MILLIS_PER_DAY;
    cal->setTime(t, st);
    const int index = cal->get(UCAL_ERA, st);
    era.year = cal->get(UCAL_YEAR, st);
    if (U_FAILURE(st)) return era;

    icu::SimpleDateFormat name(icu::UnicodeString(u"GGGG"), ja, st);
    name.setTimeZone(*icu::TimeZone::getGMT());
    icu::UnicodeString text;
    name.format(t, text);
    era.name = ToUtf8(text);

    if (index >= kIcuMeiji) {
        static constexpr std::array<const char*, 5> kInitials = {"M", "T", "S", "H", "R"};
        if (index - kIcuMeiji < static_cast<int>(kInitials.size())) {
            era.initial = kInitials[index - kIcuMeiji];
        } else {
            // An era newer than this program: take ICU's narrow romanised name.
            icu::SimpleDateFormat narrow(icu::UnicodeString(u"GGGGG"),
                                         icu::Locale("en@calendar=japanese"), st);
            narrow.setTimeZone(*icu::TimeZone::getGMT());
            icu::UnicodeString n;
            narrow.format(t, n);
            era.initial = U_SUCCESS(st) ? ToUtf8(n) : "";
        }
    }
    return era;
}

std::string FormatDateText(std::string_view f, int32_t jd, int hour, int minute) {
    const TJDate d = JuliusToDate(jd);
    std::string out;
    TJapaneseEra era;
    bool haveEra = false;
    auto eraOf = [&]() -> const TJapaneseEra& {
        if (!haveEra) era = JapaneseEraOf(jd), haveEra = true;
        return era;
    };
    size_t i = 0;
    auto at = [&](std::string_view tok) { return f.substr(i, tok.size()) == tok; };
    while (i < f.size()) {
        if (at("yyyy")) {
            out += Num(d.year, 4), i += 4;
        } else if (at("mm")) {
            out += Num(d.month, 2), i += 2;
        } else if (at("dd")) {
            out += Num(d.day, 2), i += 2;
        } else if (at("m")) {
            out += std::to_string(d.month), i += 1;
        } else if (at("d")) {
            out += std::to_string(d.day), i += 1;
        } else if (at("e")) {
            out += std::to_string(eraOf().year), i += 1;
        } else if (at("gg")) {
            out += eraOf().name, i += 2;
        } else if (at("aaa")) {
            out += ShortDayName(JuliusDayOfWeek(jd) - 1), i += 3;
        } else if (at("hh")) {
            out += Num(hour, 2), i += 2;
        } else if (at("nn")) {
            out += Num(minute, 2), i += 2;
        } else {
            out += f[i++]; // "/" and ":" are this program's separators already
        }
    }
    return out;
}

std::string HidukeText(int32_t jd, bool isWaYMD, bool isYoubi) {
    std::string text;
    const TJapaneseEra era = isWaYMD ? JapaneseEraOf(jd) : TJapaneseEra{};
    if (isWaYMD && !era.initial.empty())
        text = era.initial + FormatDateText("e.m.d", jd);
    else
        text = FormatDateText("yyyy.mm.dd", jd);
    if (isYoubi) text += FormatDateText(" (aaa)", jd);
    return text;
}

} // namespace tolmo
