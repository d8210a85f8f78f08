// The old end-of-file mark 0x1A: where a loaded text ends.
#pragma once

#include <cstddef>
#include <string_view>

// The number of bytes of a file that belong to its text. A 0x1A byte followed by nothing or only
// line ends (CR, LF) marks the end of the file and is dropped together with what follows it; a
// 0x1A with any other byte after it is ordinary text, and every byte is kept.
inline std::size_t TextLengthBeforeEofMark(std::string_view bytes) {
    // Only a 0x1A right before the trailing line ends can be the mark, and only when it is the
    // first 0x1A of all: looked at from the end, the text is searched only in that case.
    std::size_t k = bytes.size();
    while (k > 0 && (bytes[k - 1] == '\r' || bytes[k - 1] == '\n'))
        --k;
    if (k == 0 || bytes[k - 1] != '\x1a') return bytes.size();
    return bytes.find('\x1a') == k - 1 ? k - 1 : bytes.size();
}
