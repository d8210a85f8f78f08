// The font names the print settings dialog offers.
#pragma once

#include <string>
#include <vector>

// The names without those of vertical-writing fonts (beginning with "@"), sorted as given.
std::vector<std::string> PrinterFontNames(const std::vector<std::string>& all);
// The dialog shows "ＭＳ Ｐゴシック" as its fixed-pitch sibling "ＭＳ ゴシック".
std::string DialogFontName(const std::string& name);
