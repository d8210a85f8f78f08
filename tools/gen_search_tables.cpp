// Generates src/search/MatchTables.cpp: the conversion tables of the search engine, derived from
// ICU's CP932 table ("windows-31j") and Unicode compatibility normalisation (NFKC), never typed.
//
//   gen_search_tables > src/search/MatchTables.cpp     write the table
//   gen_search_tables --check src/search/MatchTables.cpp   exit 1 unless regenerating reproduces
//   it
//
// Tables:
// - upper-case table: every single byte upper-cased as a character of code page 932;
// - half-width to full-width: for each printable ASCII byte and each half-width katakana, the
//   two-byte character whose compatibility form is the same text (a "wide" form preferred, then
//   the canonical character; the spacing sound marks stand for the combining ones, which CP932
//   lacks);
// - voiced and semi-voiced: a half-width katakana followed by its sound mark, composed (NFC);
// - full-width case pairs: every two-byte character whose upper case is another two-byte
//   character (Latin, Greek, Cyrillic, the Roman numerals).
#include "platform/Cp932.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <vector>

namespace {

const icu::Normalizer2* nfkc() {
    UErrorCode err = U_ZERO_ERROR;
    static const icu::Normalizer2* n = icu::Normalizer2::getNFKCInstance(err);
    if (U_FAILURE(err)) throw std::runtime_error("ICU has no NFKC data");
    return n;
}

const icu::Normalizer2* nfc() {
    UErrorCode err = U_ZERO_ERROR;
    static const icu::Normalizer2* n = icu::Normalizer2::getNFCInstance(err);
    if (U_FAILURE(err)) throw std::runtime_error("ICU has no NFC data");
    return n;
}

icu::UnicodeString normalize(const icu::Normalizer2* n, const icu::UnicodeString& s) {
    UErrorCode err = U_ZERO_ERROR;
    icu::UnicodeString r = n->normalize(s, err);
    if (U_FAILURE(err)) throw std::runtime_error("normalisation failed");
    return r;
}

// The one code point a CP932 byte sequence decodes to, or -1.
int32_t decode(const std::string& bytes) {
    Cp932Report rep;
    std::u16string u = Cp932ToUtf16(bytes, &rep);
    if (!rep.ok() || u.empty()) return -1;
    icu::UnicodeString s(false, reinterpret_cast<const UChar*>(u.data()), int32_t(u.size()));
    if (s.countChar32() != 1) return -1;
    return s.char32At(0);
}

// The CP932 encoding of one code point, or "" when CP932 cannot hold it.
std::string encode(UChar32 c) {
    icu::UnicodeString s(c);
    Cp932Report rep;
    std::string b = Utf16ToCp932(
        std::u16string_view(reinterpret_cast<const char16_t*>(s.getBuffer()), size_t(s.length())),
        &rep);
    return rep.ok() ? b : std::string();
}

unsigned code2(const std::string& b) {
    return b.size() == 2 ? (unsigned(uint8_t(b[0])) << 8) | uint8_t(b[1]) : 0;
}

struct TwoByte {
    unsigned code;
    UChar32 uc;
    icu::UnicodeString compat; // NFKC of uc
};

std::vector<TwoByte> allTwoByte() {
    std::vector<TwoByte> v;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsDBCSLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsDBCSTrailByte(static_cast<unsigned char>(trail))) continue;
            std::string b{char(lead), char(trail)};
            int32_t uc = decode(b);
            if (uc < 0 || uc == 0xFFFD) continue;
            v.push_back(
                {unsigned(lead << 8 | trail), uc, normalize(nfkc(), icu::UnicodeString(uc))});
        }
    }
    return v;
}

int rank(UChar32 uc) {
    switch (u_getIntPropertyValue(uc, UCHAR_DECOMPOSITION_TYPE)) {
    case U_DT_WIDE:
        return 0;
    case U_DT_NONE:
        return 1;
    default:
        return 2;
    }
}

unsigned fullWidthOf(int byte, const std::vector<TwoByte>& all) {
    int32_t uh = decode(std::string(1, char(byte)));
    if (uh < 0) return 0;
    icu::UnicodeString target = normalize(nfkc(), icu::UnicodeString(uh));
    icu::UnicodeString spaced = icu::UnicodeString(u' ') + target;
    UChar32 best = -1;
    int bestRank = 99;
    for (int pass = 0; pass < 2 && best < 0; ++pass) {
        for (const TwoByte& t : all) {
            if (t.compat != (pass == 0 ? target : spaced)) continue;
            int r = rank(t.uc);
            if (r < bestRank || (r == bestRank && t.uc < best)) best = t.uc, bestRank = r;
        }
    }
    return best < 0 ? 0 : code2(encode(best));
}

unsigned composed(int byte, UChar32 mark) {
    int32_t uh = decode(std::string(1, char(byte)));
    if (uh < 0) return 0;
    icu::UnicodeString base = normalize(nfkc(), icu::UnicodeString(uh));
    icu::UnicodeString c = normalize(nfc(), base + icu::UnicodeString(mark));
    if (c.countChar32() != 1 || c == base) return 0;
    return code2(encode(c.char32At(0)));
}

std::string hex2(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "0x%02X", v);
    return b;
}
std::string hex4(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "0x%04X", v);
    return b;
}

template <class F> void row(std::ostringstream& o, int count, int perLine, F value) {
    for (int i = 0; i < count; ++i) {
        o << (i % perLine == 0 ? "    " : " ") << value(i) << ",";
        if (i % perLine == perLine - 1 || i == count - 1) o << "\n";
    }
}

std::string generate() {
    const std::vector<TwoByte> all = allTwoByte();
    std::ostringstream o;
    o << "// Generated by tools/gen_search_tables.cpp from ICU's windows-31j table and Unicode\n"
         "// normalisation. Do not edit: regenerate (the test gen_search_tables_check compares).\n"
         "#include \"search/MatchTables.h\"\n\n";

    o << "const unsigned char kSearchUpperTable[256] = {\n";
    row(o, 256, 12, [&](int b) {
        unsigned up = b;
        if (b < 0x80) {
            int32_t uc = decode(std::string(1, char(b)));
            if (uc >= 0) {
                std::string e = encode(u_toupper(uc));
                if (e.size() == 1) up = uint8_t(e[0]);
            }
        }
        return hex2(up);
    });
    o << "};\n\n";

    o << "const unsigned short kHalfToFullTable[256] = {\n";
    row(o, 256, 10, [&](int b) {
        bool half = (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
        return hex4(half ? fullWidthOf(b, all) : 0);
    });
    o << "};\n\n";

    o << "const unsigned short kVoicedTable[64] = {\n";
    row(o, 64, 10, [&](int i) { return hex4(i == 0 ? 0 : composed(0xA0 + i, 0x3099)); });
    o << "};\n\n";
    o << "const unsigned short kSemiVoicedTable[64] = {\n";
    row(o, 64, 10, [&](int i) { return hex4(i == 0 ? 0 : composed(0xA0 + i, 0x309A)); });
    o << "};\n\n";

    std::vector<std::pair<unsigned, unsigned>> pairs;
    for (const TwoByte& t : all) {
        UChar32 up = u_toupper(t.uc);
        unsigned target = code2(encode(up));
        // A cased character stored twice (the NEC and IBM Roman numerals) folds to the canonical
        // one.
        if (target && target != t.code && u_hasBinaryProperty(t.uc, UCHAR_CASED))
            pairs.push_back({t.code, target});
    }
    std::sort(pairs.begin(), pairs.end());
    o << "const TFullWidthCasePair kFullWidthCasePairs[] = {\n";
    row(o, int(pairs.size()), 5,
        [&](int i) { return "{" + hex4(pairs[i].first) + ", " + hex4(pairs[i].second) + "}"; });
    o << "};\n";
    o << "const int kFullWidthCasePairCount = " << pairs.size() << ";\n";
    return o.str();
}

} // namespace

int main(int argc, char** argv) {
    try {
        std::string text = generate();
        if (argc == 3 && std::string(argv[1]) == "--check") {
            std::ifstream in(argv[2], std::ios::binary);
            std::string have((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
            if (have != text) {
                std::fprintf(stderr, "%s differs from what the generator writes\n", argv[2]);
                return 1;
            }
            std::printf("%s is up to date\n", argv[2]);
            return 0;
        }
        if (argc != 1) {
            std::fprintf(stderr, "usage: gen_search_tables [--check FILE]\n");
            return 2;
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_search_tables: %s\n", e.what());
        return 1;
    }
}
