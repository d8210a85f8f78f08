// Comma-text lists: the field splitting used by holiday lines and the old-calendar resource.
#pragma once

#include "platform/TextUtil.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmo {

// Fields are separated by commas, blanks (characters 1..32) or both; a field that begins with a
// double quote runs to the closing quote ("" inside stands for one); two commas in a row give an
// empty field; a trailing comma adds none.
std::vector<std::string> SplitCommaText(std::string_view text);
// The reverse: fields holding a blank, a comma or a quote are quoted.
std::string JoinCommaText(const std::vector<std::string>& fields);
// A decimal integer with an optional sign and leading blanks; nothing after the digits.
std::optional<int32_t> ParseDecimal(std::string_view text);
using ::SplitTextLines; // from platform/TextUtil.h

} // namespace tolmo
