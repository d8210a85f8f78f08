// The text of an editing control as assistive technology reads it: Unicode characters, one "\n"
// for each line end, offsets counted in characters from the start of the text. The row store
// keeps CP932 bytes; TCharOffsets maps between the two without converting the whole text for
// each question: it keeps the character offset of every 64th row and drops the part a change
// touched.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCharTable;
class TEditorScreenStrings;

// Characters in document bytes (a two-byte code is one character, a code of the document's
// table is its character).
int CharCount(std::string_view cp932, const TCharTable* table);
// Bytes of the first `chars` characters (all of them when there are fewer).
int CharsToBytes(std::string_view cp932, int chars, const TCharTable* table);
// The characters of document bytes as UTF-16, exactly CharCount of them; CR LF, CR and LF each
// become one "\n".
std::u16string CharText(std::string_view cp932, const TCharTable* table);
// Code points in UTF-16 text, and the UTF-16 index of the n-th code point.
int CodePoints(std::u16string_view text);
int CodePointIndex(std::u16string_view text, int n);

struct TRowByte {
    int Row = 0, Byte = 0;
    bool operator==(const TRowByte&) const = default;
};

class TCharOffsets {
  public:
    static constexpr int Step = 64; // rows between two kept offsets

    explicit TCharOffsets(const TEditorScreenStrings& rows) : rows_(rows) {}
    // Rows from `row` on changed (were replaced, inserted, removed or cut anew).
    void Invalidate(int row);
    // Characters before a row (RowCount(): the whole text).
    int64_t RowStart(int row);
    // Characters in a row, its line end included.
    int RowLength(int row) const;
    int64_t Offset(int row, int byte) { return RowStart(row) + RowChars(row, byte); }
    // The row and byte of a character offset (clamped to the text); the line end of a row is
    // its byte past the text.
    TRowByte Position(int64_t offset);
    int64_t Count() { return RowStart(RowCountOf()); }
    // Characters in the first `byte` bytes of a row.
    int RowChars(int row, int byte) const;
    // Characters from one offset to another as UTF-16 (line ends as "\n").
    std::u16string Text(int64_t from, int64_t to);

  private:
    int RowCountOf() const;
    const TCharTable* Table() const;
    void Extend(int row); // kept offsets up to row's block
    const TEditorScreenStrings& rows_;
    std::vector<int64_t> FStarts{0}; // FStarts[k]: characters before row k * Step
};

// What one change did to the text, in characters: Removed was replaced by Inserted at Offset.
struct TTextChange {
    int64_t Offset = 0;
    std::u16string Removed, Inserted;
    bool operator==(const TTextChange&) const = default;
};
// The change from old to new bytes (CR LF line ends) at a character offset, cut down to the
// characters that differ.
TTextChange MakeTextChange(int64_t offset, std::string_view oldBytes, std::string_view newBytes,
                           const TCharTable* table);
