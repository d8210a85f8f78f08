// The byte-level search engine: finds a pattern in Shift-JIS text, forward or backward, with
// letter case folding (also of full-width letters), whole words, full-width/half-width
// equivalence and the skipping of line ends and blanks inside a match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Search options: a 16-bit set of bits, stored and passed around as is.
using TSearchOptions = std::uint16_t;
enum : TSearchOptions {
    soDown = 0x0001,           // forward (towards the end); clear = backward
    soMatchCase = 0x0002,      // case-sensitive
    soWholeWord = 0x0004,      // whole words only
    soNoMatchZenkaku = 0x0008, // full-width and half-width forms match each other
    soReplace = 0x0010,        // replace one occurrence (replace dialog's OK)
    soReplaceAll = 0x0020,     // replace all occurrences
    soReplaceConfirm = 0x0040, // ask before each replacement
    soSkipLineEnd = 0x0080,    // CR and LF inside a match are ignored
    soSkipBlank = 0x0100,      // tab, space and full-width space inside a match are ignored
    soIncludeCRLF = soSkipLineEnd | soSkipBlank, // what the dialogs' check box sets
};

// On entry the current selection (the search continues after it, or before it when searching
// backward); on success the match: its offset and the bytes it covers, skipped bytes included.
struct TSearchInfo {
    std::ptrdiff_t Start = 0;
    std::ptrdiff_t Length = 0;
};

// True for the bytes that separate words when searching: 0x00-0x2F, 0x3A-0x40, 0x5B-0x60,
// 0x7B-0x80, 0xA0-0xA5, 0xFD-0xFF (the underscore and the grave accent included).
bool IsSearchDelimiter(unsigned char c);

// A pattern prepared once for a set of options; Find can then run over many buffers.
class TSearchPattern {
  public:
    TSearchPattern(std::string_view pattern, TSearchOptions options);

    bool Empty() const { return chars_.empty(); }
    TSearchOptions Options() const { return options_; }
    // Number of characters after conversion (a half-width katakana with its sound mark is one).
    std::size_t CharCount() const { return chars_.size(); }
    // The pattern's characters as compared: upper-cased unless soMatchCase, full-width with
    // soNoMatchZenkaku; single bytes as 0x00-0xFF, two-byte characters as lead << 8 | trail.
    const std::vector<std::uint16_t>& Chars() const { return chars_; }
    // The most text bytes a match can cover (a character covers one or two); unbounded when
    // blanks or line ends may be passed over inside a match.
    std::size_t MaxBytes() const {
        return (options_ & (soSkipLineEnd | soSkipBlank)) ? SIZE_MAX : 2 * chars_.size();
    }

    // Searches the buffer in the direction of soDown, continuing from info (see TSearchInfo).
    // False, with info unchanged, when the pattern or buffer is empty or nothing is found.
    bool Find(std::string_view buffer, TSearchInfo& info) const;

    // How many bytes of text starting at pos the pattern covers, or 0 when it does not match
    // there (pos must be the start of a character; whole words are not checked here).
    std::size_t MatchAt(std::string_view buffer, std::size_t pos) const;

  private:
    bool findForward(const unsigned char* s, std::size_t n, TSearchInfo& info) const;
    bool findBackward(const unsigned char* s, std::size_t n, TSearchInfo& info) const;
    std::size_t matchAt(const unsigned char* s, std::size_t n, std::size_t pos) const;
    bool wholeWordAt(const unsigned char* s, std::size_t n, std::size_t pos, std::size_t len,
                     bool prevIsTrail) const;

    TSearchOptions options_;
    std::vector<std::uint16_t> chars_;
    std::size_t minBytes_ = 0; // fewest text bytes a match can cover
    bool first_[256] = {};     // bytes a match can start with
    unsigned char firstList_[4] = {};
    int firstCount_ = 0; // entries of firstList_ when at most 4 bytes qualify, else 5
    // Bytes that can come second in a match, likewise; 5 also when any byte can.
    unsigned char secondList_[4] = {};
    int secondCount_ = 5;
    const std::uint16_t* fold_ = nullptr; // case folding of two-byte codes, null with soMatchCase
};

// Finds Pattern in Buffer with Options (see TSearchPattern::Find).
bool SearchText(std::string_view buffer, TSearchInfo& info, std::string_view pattern,
                TSearchOptions options);

// The conversions the matcher applies, exposed for tests and for the editor.
// Full-width form of the character at text[pos] (a half-width katakana followed by a voiced or
// semi-voiced sound mark combines into one); len receives the bytes it covers.
std::uint16_t SearchFullWidthChar(std::string_view text, std::size_t pos, std::size_t* len);
// The character as compared when letter case is ignored (single bytes and two-byte codes).
std::uint16_t SearchFoldCase(std::uint16_t ch);
