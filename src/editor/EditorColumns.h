// Display columns of a row: a two-byte character takes two columns, a tab runs to the next tab
// stop (and with word wrap no further than the next multiple of the wrap width). Conversions
// between display columns and byte offsets used by the caret and by painting.
#pragma once

#include <string>
#include <string_view>

struct TColumnRules {
    int TabSpaceCount = 8;
    int WrapByte = 0; // 0: word wrap off
};

// Class of each display column: '1' letter, '2' delimiter, '3' tab filler, '4' lead byte,
// '5' trail byte. BuildColumnMap stops after maxColumns columns.
std::string BuildColumnMap(std::string_view row, const TColumnRules& r, int maxColumns = 1 << 30);
// Width of a row in display columns.
int RowWidth(std::string_view row, const TColumnRules& r);
// Byte offset of a display column (the column minus the tab filler before it, at most the
// row's length).
int ColToOffset(std::string_view row, int col, const TColumnRules& r);
// Display column where the byte at offset begins.
int OffsetToCol(std::string_view row, int offset, const TColumnRules& r);
// Number of bytes of the character at offset (2 for a two-byte character, else 1, 0 at the end).
int CharBytesAt(std::string_view row, int offset);
// Offset of the character before offset (stepping over a two-byte character whole).
int PrevCharOffset(std::string_view row, int offset);
// Width of the leading blanks (spaces and tabs) of a row.
int IndentWidth(std::string_view row, const TColumnRules& r);
bool IsWordDelimiter(unsigned char c);
