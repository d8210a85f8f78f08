// The characters of one document that CP932 cannot hold, given codes that CP932 leaves to the
// user (its user-defined area and rows it does not assign), so that the row store keeps CP932
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A code stands either for a character, or for bytes that were not valid in the document's
// encoding (kept so that they are written back as they were read).
struct TCharTableEntry {
    char32_t ch = 0;   // the character; 0 for a byte entry
    std::string bytes; // the invalid bytes of a byte entry
};

class TCharTable {
  public:
    // Codes in the order they are given: 0xF040..0xF9FC (the user-defined area, 1,880 codes),
    // then the rows 0x85, 0x86, 0xEB, 0xEC and 0xEF that CP932 leaves unassigned (940 more).
    static std::size_t Capacity();
    static bool IsTableCode(unsigned code);
    // True when the two bytes at p form a code of the table's range.
    static bool IsTableCode(unsigned char lead, unsigned char trail) {
        return IsTableCode(static_cast<unsigned>(lead) << 8 | trail);
    }

    // The code of a character, given a new one when it has none; 0 when the table is full.
    unsigned CodeFor(char32_t ch);
    unsigned CodeForBytes(std::string_view bytes);
    // The code a character already has, 0 when none.
    unsigned Find(char32_t ch) const;
    // The entry of a code, null when the code is not given.
    const TCharTableEntry* Entry(unsigned code) const;
    std::size_t Size() const { return byIndex_.size() - free_; }
    bool Empty() const { return Size() == 0; }
    // The entries as text, for files that keep a page's state: "F040=1F600;F041=#E3A0;..." (a
    // character's code point, or "#" and the hex digits of a byte entry). Restore gives every
    // code back as it was; false (and the table unchanged) for text that is not such a list.
    std::string Save() const;
    bool Restore(std::string_view text);

    // The document's file uses codes beyond its encoding's strict form (the NEC and IBM rows of
    // EUC-JP and the like): its other characters are written in those codes as well.
    bool ExtendedCodes() const { return extended_; }
    void SetExtendedCodes(bool on) { extended_ = on; }

    // Takes the table-range codes of a plain Shift-JIS text as they are (the user-defined area as
    // its private-use characters, unassigned codes as bytes), so that new codes never clash.
    void AdoptPlainCodes(std::string_view cp932);

  private:
    bool put(std::size_t index, TCharTableEntry e);
    unsigned give(TCharTableEntry e);
    unsigned nextFree();
    std::vector<TCharTableEntry> byIndex_; // by code index; ch 0 and no bytes: not given
    std::size_t free_ = 0;                 // entries of byIndex_ not given
    std::size_t next_ = 0;                 // where the search for a free index starts
    bool extended_ = false;
    std::unordered_map<char32_t, unsigned> FByChar;
    std::map<std::string, unsigned, std::less<>> byBytes_;
};
