// Display columns of a row for the caret and painting, on the row store's column map: a
// two-byte character takes two columns, a tab runs to the next tab stop (and with word wrap no
// further than the next multiple of the wrap width).
#pragma once

#include <string>
#include <string_view>

#include "text/LineBreaking.h"

// Width of a row in display columns.
int RowWidth(std::string_view row, const TWrapSettings& r);
// Byte offset of a display column (the column minus the tab filler before it, at most the
// row's length).
int ColToOffset(std::string_view row, int col, const TWrapSettings& r);
// Display column where the byte at offset begins.
int OffsetToCol(std::string_view row, int offset, const TWrapSettings& r);
// Number of bytes of the character at offset (2 for a two-byte character, else 1, 0 at the end).
int CharBytesAt(std::string_view row, int offset);
// Offset of the character before offset (stepping over a two-byte character whole).
int PrevCharOffset(std::string_view row, int offset);
// Width of the leading blanks (spaces and tabs) of a row.
int IndentWidth(std::string_view row, const TWrapSettings& r);
