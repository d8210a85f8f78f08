// Random Shift-JIS memo texts for the row-cut and load comparisons, wrap-edge lines included.
#pragma once

#include <random>
#include <string>

// A line whose rows end right at a wrap width of 20 or 80..230 (or a column off): two-byte
// characters straddling the edge, runs of bytes that can be lead or trail bytes, half-width kana,
// kinsoku and hanging punctuation at the edge, and now and then a tab.
inline std::string EdgeLine(std::mt19937& rng) {
    static const char* const chars[] = {
        "a",        " ",        "\xB1",     "\xDF",     "\xA1",     "\x82\xA0",
        "\x88\x9F", "\x9F\x9F", "\xE0\xE0", "\x81\x42", "\x81\x41", "\x81\x75",
        "\x81\x76", "(",        ")",        ".",        ",",        "\x81\x5B",
    };
    static const int widths[] = {20, 80, 110, 140, 170, 200, 230};
    const int wb = widths[rng() % std::size(widths)];
    const size_t len = static_cast<size_t>(wb * (1 + static_cast<int>(rng() % 3)) - 2 +
                                           static_cast<int>(rng() % 5));
    std::string s;
    while (s.size() < len)
        s += rng() % 40 == 0 ? "\t" : chars[rng() % std::size(chars)];
    if (s.size() > len && rng() % 2) s.resize(len); // may end on a lead byte
    return s;
}

// At least `size` bytes, with or without a final line end, now and then ending in a lead byte
// without its trail. With eofBytes, 0x1A bytes with more text after them are mixed in.
inline std::string RandomMemoText(std::mt19937& rng, size_t size, bool eofBytes = false) {
    static const char* const pieces[] = {
        "abc",      "word ",    " ",        "\t",   "\x82\xA0", "\x88\x9F", "\x81\x42", "\x81\x41",
        "\x81\x75", "\x81\x76", "\x83\x41", "(",    "x",        "\xB1",     "\r\n",     "\n",
        "\r",       "\r\n\r\n", "\n\r",     "1234", "\x81\x5B", "\x82\xE1", "\r\r\n",
    };
    std::string s;
    std::uniform_int_distribution<int> pick(0, std::size(pieces) - 1), longLine(0, 60);
    while (s.size() < size) {
        if (longLine(rng) == 0) s.append(400 + rng() % 300, "ab\x88\x9F"[rng() % 4]);
        if (longLine(rng) < 6) s += "\r\n" + EdgeLine(rng);
        if (eofBytes && longLine(rng) == 1) s += "\x1a\r\n";
        s += pieces[pick(rng)];
    }
    if (rng() % 2) s += "\r\n";
    if (rng() % 4 == 0) s += "\x88"; // a lead byte without its trail at the very end
    return s;
}
