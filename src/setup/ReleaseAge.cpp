// Release-age rules and texts.
#include "setup/ReleaseAge.h"

#include "BuildInfo.h"
#include "calendar/JulianDay.h"

#include <cstdio>
#include <ctime>

namespace {

int32_t parseDate(const char* text) {
    int y = 0, m = 0, d = 0;
    std::sscanf(text, "%d/%d/%d", &y, &m, &d);
    return tolmo::DateToJulius(y, m, d);
}

} // namespace

int32_t ReleaseDay() {
    static const int32_t day = parseDate(kBuildReleaseDate);
    return day;
}

std::string ReleaseDateText() {
    return kBuildReleaseDate;
}

std::string MakersWebPage() {
    return kBuildWebAddress;
}

std::string AuthorLine() {
    return kBuildAuthor;
}

bool NoticeDue(int32_t today, int32_t release, int postponement) {
    return static_cast<int64_t>(release) + kNoticeAfterDays + postponement < today;
}

int PostponementAfterCheck(int32_t today, int32_t release, int postponement) {
    if (today <= release + kNoticeAfterDays && postponement > 99) return -1;
    return postponement;
}

int PostponementOnClose(int32_t today, int32_t release, int postponement, bool webOpened) {
    const int d = today - (release + kNoticeAfterDays + postponement) + postponement;
    return d + (webOpened ? 60 : 15);
}

std::string NoticeText(const std::string& version, int daysSince) {
    const char* const nl = "\r\n";
    std::string t = "　トルモ " + version + " が公開されて、" + std::to_string(daysSince) +
                    " 日が経過しています。";
    t += nl;
    t += nl;
    t += "　すでに、次期バージョンが公開されている可能性があります。";
    t += nl;
    t += "公開されていましたら、是非、新しいバージョンをお試し下さい。";
    t += nl;
    t += "まだ、公開されていなければ、作者にハッパを掛けてください。";
    t += nl;
    t += nl;
    t += nl;
    t += "　ちなみに、インターネット接続環境にある場合、";
    t += nl;
    t += "【 ［ トルモ ]公式Ｗｅｂ 】ボタンを押しますと、";
    t += nl;
    t += "公式ホームページが表示されます。";
    return t;
}

std::string BuildCode(int32_t release) {
    tolmo::TJDate d = tolmo::JuliusToDate(release);
    char code[16];
    std::snprintf(code, sizeof code, "%02d%02d%s", d.month % 100, d.day % 100,
                  std::string("001").substr(1).c_str());
    return code;
}

std::string VersionNumber(const std::string& version) {
    return version.rfind("Ver", 0) == 0 ? version.substr(3) : version;
}

int32_t Today() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return tolmo::DateToJulius(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}
