// The character count of a selection (the "文字数" command): bytes in Shift-JIS with two per
// line break, and the half-width count that leaves the line breaks out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TCharCount {
    std::int64_t bytes = 0;     // B: text bytes + 2 per line break
    std::int64_t halfWidth = 0; // N = B - 2 * breaks: a full-width character counts 2
    std::int64_t breaks = 0;
};

// selected: the selection as the clipboard gets it (CR LF between lines; a box selection has
// CR LF after every row).
TCharCount CountCharacters(std::string_view selected);

// "文字数は半角で N 個です。\r\nバイト数は B バイトです。", with the note on the line breaks
// when there are any.
std::string CharCountMessage(const TCharCount& c);
