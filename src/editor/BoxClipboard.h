// The rectangular ("box") clipboard format: the parts of the box rows, each followed by CR LF,
// carried as CP932 bytes with a terminating zero under a private type beside the plain text.
#pragma once

#include "platform/TextUtil.h" // SplitTextLines

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* BoxTextFormatName = "TEditor Box Type";
inline constexpr const char* BoxTextMimeType = "application/x-teditor-box-type";

// The CP932 text of box parts: every part followed by CR LF, the last one included.
std::string BoxPartsToText(const std::vector<std::string>& parts);
// The clipboard payload: the text plus its terminating zero.
std::string BoxTextPayload(std::string_view text);
// The text of a payload: up to the first zero byte (a payload without one is taken whole).
std::string BoxTextFromPayload(std::string_view payload);
