// Counting the selected characters.
#include "text/CharCount.h"

TCharCount CountCharacters(std::string_view s) {
    TCharCount c;
    c.bytes = static_cast<std::int64_t>(s.size());
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '\r' && s[i + 1] == '\n') {
            ++c.breaks;
            ++i;
        }
    c.halfWidth = c.bytes - 2 * c.breaks;
    return c;
}

std::string CharCountMessage(const TCharCount& c) {
    std::string m = "文字数は半角で " + std::to_string(c.halfWidth) + " 個です。\r\nバイト数は " +
                    std::to_string(c.bytes) + " バイトです。";
    if (c.breaks > 0) m += "\r\n（半角数とバイト数の差は改行のバイト数です）";
    return m;
}
