// Edits of a mimeapps.list text: the default application of a MIME type set or removed while
// every other line (other types, comments, unknown sections, line ends) stays as it was.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kDefaultApplications = "Default Applications";

// The text with desktopId first in the type's list under [Default Applications] (the section
// and the key are added when missing; the id appears only once).
std::string WithDefaultApplication(std::string_view text, std::string_view mimeType,
                                   std::string_view desktopId);
// The text with desktopId removed from the type's list; a list left empty loses its line, and a
// section left empty its header.
std::string WithoutDefaultApplication(std::string_view text, std::string_view mimeType,
                                      std::string_view desktopId);
// True when desktopId is the first entry of the type's list.
bool IsDefaultApplication(std::string_view text, std::string_view mimeType,
                          std::string_view desktopId);
