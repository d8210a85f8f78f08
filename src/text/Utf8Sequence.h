// Reading one UTF-8 sequence, strictly: the decoders of files and of the background load share it.
#pragma once

#include <cstddef>

// One UTF-8 sequence at s[i] (n bytes in all): its code point and length, or length 0 when it is
// not valid (overlong, a surrogate, beyond U+10FFFF or cut off).
inline char32_t ReadUtf8Sequence(const unsigned char* s, std::size_t n, std::size_t i,
                                 std::size_t* len) {
    const unsigned char c = s[i];
    std::size_t extra;
    char32_t cp;
    if (c < 0x80) {
        *len = 1;
        return c;
    } else if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        cp = c & 0x07;
    } else {
        *len = 0;
        return 0;
    }
    if (i + extra >= n) {
        *len = 0;
        return 0;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        const unsigned char d = s[i + k];
        if ((d & 0xC0) != 0x80) {
            *len = 0;
            return 0;
        }
        cp = (cp << 6) | (d & 0x3F);
    }
    static const char32_t minByLen[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minByLen[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        *len = 0;
        return 0;
    }
    *len = extra + 1;
    return cp;
}
