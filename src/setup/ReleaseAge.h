// The release-age notice and the about box without their windows: when the notice is due, how
// its postponement moves, its text and the hidden build code. The release date and the maker's
// web page come from the build (CMake: TOLMO_RELEASE_DATE, TOLMO_WEB_ADDRESS).
#pragma once

#include <cstdint>
#include <string>

// This build's release date as a julian day, and its text "yyyy/mm/dd".
int32_t ReleaseDay();
std::string ReleaseDateText();
// The maker's web page.
std::string MakersWebPage();
// The author line of the about box.
std::string AuthorLine();

// Days after release + 455 (+ the postponement) before the notice shows itself.
inline constexpr int kNoticeAfterDays = 455;

// The automatic check: the notice is due when release + 455 + postponement is before today.
bool NoticeDue(int32_t today, int32_t release, int postponement);
// The postponement after the check: a value above 99 while the version is still young becomes
// -1 (the next start draws a new one).
int PostponementAfterCheck(int32_t today, int32_t release, int postponement);
// The postponement when the notice closes: 15 more days, 60 when the web page was opened.
int PostponementOnClose(int32_t today, int32_t release, int postponement, bool webOpened);

// The notice's text (lines joined with "\r\n") for a version released daysSince days ago.
std::string NoticeText(const std::string& version, int daysSince);
// The hidden build code: month and day of the release date and "01" ("112401").
std::string BuildCode(int32_t release);
// The version without "Ver" ("1.7.1.1").
std::string VersionNumber(const std::string& version);

// Today as a julian day (local time).
int32_t Today();
