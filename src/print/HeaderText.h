// ExpandHeaderText: the %-keywords of the header and footer templates.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// The clock the keywords read; the date once when expansion starts, the time at each "%t".
using THeaderClock = std::function<std::tm()>;
THeaderClock SystemHeaderClock();

// %p page number, %f the file name as stored, %F the file name without its folder (after the
// last "\", ":" or "/"), %y year, %m month, %d day, %t time of day "H:mm:ss"; "%" and any other
// character give that character; a "%" at the very end gives nothing.
std::string ExpandHeaderText(std::string_view tmpl, long long pageNumber, std::string_view fileName,
                             const THeaderClock& clock);

// The print job's title, as the print queue lists it: the file name without its folder, 無題 for
// a page without a file.
std::string PrintJobTitle(std::string_view fileName);
