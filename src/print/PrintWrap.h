// WrapLine for printing: splits one line (CP932) into rows no wider than the column, never inside
// a double-byte character, keeping words of single-byte characters whole unless one alone is
// wider than the column.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Widths of characters on the printing device, in its pixels.
class TPrintMeasurer {
  public:
    virtual ~TPrintMeasurer() = default;
    // Advance of one character: a single byte, or lead << 8 | trail for a double-byte one.
    virtual int CharWidth(unsigned code) = 0;
};

// Width of a row as drawn: tabs reach the next multiple of tabStop from the row's start.
long long RowWidth(std::string_view text, TPrintMeasurer& m, int tabStop);

// Ends (exclusive byte offsets) of the rows of text; an empty text is one empty row. Every row
// holds at least one character, so that a column narrower than a character still ends.
// A row may end after a blank or control byte, after a double-byte character, before a
// double-byte character, and at a single-byte character only when its word does not fit a row.
void WrapLine(std::string_view text, int width, TPrintMeasurer& m, int tabStop, bool wordAware,
              std::vector<std::size_t>& ends);
