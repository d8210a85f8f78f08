// Conversion tables of the search engine. The definitions are generated from ICU by
// tools/gen_search_tables.cpp into MatchTables.cpp; never edit them by hand.
#pragma once

// Every byte upper-cased as a character of code page 932 (only the ASCII letters change).
extern const unsigned char kSearchUpperTable[256];
// Half-width byte (printable ASCII 0x20-0x7E, half-width katakana 0xA1-0xDF) to its full-width
// two-byte Shift-JIS code (lead byte << 8 | trail byte); 0 for every other byte.
extern const unsigned short kHalfToFullTable[256];
// Half-width katakana 0xA0 + i followed by the voiced mark 0xDE (semi-voiced mark 0xDF): the
// combined full-width code, or 0 when the pair does not combine.
extern const unsigned short kVoicedTable[64];
extern const unsigned short kSemiVoicedTable[64];

// A two-byte character and the two-byte character it matches when letter case is ignored.
struct TFullWidthCasePair {
    unsigned short code;
    unsigned short upper;
};
extern const TFullWidthCasePair kFullWidthCasePairs[];
extern const int kFullWidthCasePairCount;
