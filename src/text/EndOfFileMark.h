// The old end-of-file mark 0x1A: where a loaded text ends.
#pragma once

#include <cstddef>
#include <string_view>

// The number of bytes of a file that belong to its text. A 0x1A byte followed by nothing or only
// line ends (CR, LF) marks the end of the file and is dropped together with what follows it; a
// 0x1A with any other byte after it is ordinary text, and every byte is kept.
inline std::size_t TextLengthBeforeEofMark(std::string_view bytes) {
    const std::size_t eof = bytes.find('\x1a');
    if (eof == std::string_view::npos) return bytes.size();
    for (std::size_t i = eof + 1; i < bytes.size(); ++i)
        if (bytes[i] != '\r' && bytes[i] != '\n') return bytes.size();
    return eof;
}
