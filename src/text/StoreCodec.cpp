// The one-pass converters of files in UTF-8, UTF-16, EUC-JP and ISO-2022-JP to the row store's
// CP932 bytes and back. JIS X 0208 codes map to CP932 by arithmetic; JIS X 0212 (CP932 has none
// of it) comes from the system's iconv tables.
#include "text/StoreCodec.h"
#include "text/Utf8Sequence.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <thread>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace {

constexpr uint64_t kHigh = 0x8080808080808080ull;
constexpr uint16_t kExtensionFlag = 0x8000; // in storeToJis: an NEC or IBM row
constexpr uint32_t kEucExtension = 0x10000; // in eucToStore: the same

// The CP932 code of JIS X 0208 row and cell bytes (0x21..0x7E each).
unsigned cp932OfJis(unsigned j1, unsigned j2) {
    const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    const unsigned s2 = (j1 & 1) ? j2 + (j2 >= 0x60 ? 0x20 : 0x1F) : j2 + 0x7E;
    return s1 << 8 | s2;
}

// The NEC special row (13) and the NEC-selected IBM rows (89-92) of CP932.
bool extensionRow(unsigned row) {
    return row == 13 || (row >= 89 && row <= 92);
}

struct Tables {
    std::vector<uint16_t> storeCode = std::vector<uint16_t>(0x10000, 0); // character -> code
    std::vector<uint32_t> eucToStore = std::vector<uint32_t>(94 * 94, 0);
    std::vector<uint16_t> storeToJis = std::vector<uint16_t>(0x10000, 0);
    const char32_t* codeChar = Cp932CodeCharTable();
    // Code -> its character where that is one UTF-16 unit and the code is not of the document's
    // table (0: the encoder looks further). Half the size of codeChar, for the Unicode writers.
    std::vector<uint16_t> unitOf = std::vector<uint16_t>(0x10000, 0);

    Tables() {
        const uint16_t* exact = Cp932ExactTable();
        for (unsigned ch = 0x80; ch < 0x10000; ++ch)
            if (exact[ch] && !TCharTable::IsTableCode(exact[ch])) storeCode[ch] = exact[ch];
        for (unsigned code = 0x80; code < 0x10000; ++code)
            if (codeChar[code] && codeChar[code] < 0x10000 && !TCharTable::IsTableCode(code))
                unitOf[code] = static_cast<uint16_t>(codeChar[code]);
        // Each character's JIS code, the strict rows before the NEC and IBM ones.
        std::vector<uint16_t> jisOfChar(0x10000, 0);
        for (int pass = 0; pass < 2; ++pass)
            for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
                const unsigned row = j1 - 0x20;
                if (extensionRow(row) != (pass == 1)) continue;
                for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
                    const unsigned code = cp932OfJis(j1, j2);
                    const char32_t ch = codeChar[code];
                    if (!ch || TCharTable::IsTableCode(code)) continue;
                    const uint16_t flag = pass == 1 ? kExtensionFlag : 0;
                    storeToJis[code] = static_cast<uint16_t>(j1 << 8 | j2 | flag);
                    eucToStore[(j1 - 0x21) * 94 + (j2 - 0x21)] =
                        code | (pass == 1 ? kEucExtension : 0);
                    if (ch < 0x10000 && !jisOfChar[ch])
                        jisOfChar[ch] = static_cast<uint16_t>(j1 << 8 | j2 | flag);
                }
            }
        // Codes outside those rows (the IBM extensions of CP932) write the same character's.
        for (unsigned code = 0x8140; code < 0x10000; ++code) {
            const char32_t ch = codeChar[code];
            if (ch && ch < 0x10000 && !storeToJis[code] && !TCharTable::IsTableCode(code))
                storeToJis[code] = jisOfChar[ch];
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

// JIS X 0212 as the system's EUC-JP has it, read from iconv once when it is first needed.
struct Jis0212 {
    std::vector<char32_t> toChar = std::vector<char32_t>(94 * 94, 0);
    std::unordered_map<char32_t, uint16_t> toCode;
    Jis0212() {
        iconv_t cd = iconv_open("UTF-32LE", "EUC-JP");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        for (unsigned k = 0; k < 94 * 94; ++k) {
            char in[3] = {'\x8F', static_cast<char>(0xA1 + k / 94),
                          static_cast<char>(0xA1 + k % 94)};
            unsigned char out[8];
            char* src = in;
            char* dst = reinterpret_cast<char*>(out);
            std::size_t srcLeft = 3, dstLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
                sizeof out - dstLeft != 4)
                continue;
            const char32_t ch = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 |
                                                      static_cast<uint32_t>(out[3]) << 24);
            toChar[k] = ch;
            toCode.emplace(ch, static_cast<uint16_t>(k + 1));
        }
        iconv_close(cd);
    }
};

const Jis0212& jis0212() {
    static const Jis0212 t;
    return t;
}

// The character of JIS X 0212 bytes in their EUC-JP form (0x8F and two bytes), 0 for none.
char32_t charOf0212(const unsigned char* b) {
    return jis0212().toChar[(b[1] - 0xA1) * 94 + (b[2] - 0xA1)];
}

// The EUC-JP bytes of a JIS X 0212 character (0x8F and two bytes), false for none.
bool bytesOf0212(char32_t ch, unsigned char* b) {
    const auto& m = jis0212().toCode;
    const auto it = m.find(ch);
    if (it == m.end()) return false;
    const unsigned k = it->second - 1u;
    b[0] = 0x8F;
    b[1] = static_cast<unsigned char>(0xA1 + k / 94);
    b[2] = static_cast<unsigned char>(0xA1 + k % 94);
    return true;
}

// ---- decoding ----

using Pending = TPendingCode;
constexpr unsigned kPlaceholder = 0xF040; // a code of the table's range, as the code will be

// The output of one piece: written through a pointer, grown only where a byte becomes a code.
struct Piece {
    std::string& s;
    char* o;
    char* lim;
    std::vector<Pending> pend;
    TDecodeOutcome outcome;

    Piece(std::string& str, std::size_t expect) : s(str) {
        const std::size_t at = s.size();
        s.resize(at + expect + 64);
        o = s.data() + at;
        lim = s.data() + s.size();
    }
    void finish() { s.resize(static_cast<std::size_t>(o - s.data())); }
    // Room for what the rest of the input can still need.
    void ensure(std::size_t rest) {
        if (static_cast<std::size_t>(lim - o) >= rest + 16) return;
        const std::size_t at = static_cast<std::size_t>(o - s.data());
        s.resize(s.size() + rest + 16 + s.size() / 8);
        o = s.data() + at;
        lim = s.data() + s.size();
    }
    void put(unsigned code) {
        if (code > 0xFF) *o++ = static_cast<char>(code >> 8);
        *o++ = static_cast<char>(code & 0xFF);
    }
    void pending(char32_t ch, const unsigned char* b, unsigned n, std::size_t rest) {
        ensure(rest);
        Pending p{static_cast<std::size_t>(o - s.data()), ch, static_cast<unsigned char>(n), {}};
        if (!ch) std::memcpy(p.b, b, n);
        pend.push_back(p);
        put(kPlaceholder);
    }
    void bytes(const unsigned char* b, unsigned n, std::size_t rest) { pending(0, b, n, rest); }
    void ch(char32_t c, std::size_t rest) { pending(c, nullptr, 0, rest); }
    // ASCII from s[i] on while it lasts; returns the new i.
    std::size_t ascii(const unsigned char* in, std::size_t i, std::size_t n) {
        while (i + 8 <= n) {
            uint64_t v;
            std::memcpy(&v, in + i, 8);
            if (v & kHigh) break;
            std::memcpy(o, &v, 8);
            o += 8;
            i += 8;
        }
        while (i < n && in[i] < 0x80)
            *o++ = static_cast<char>(in[i++]);
        return i;
    }
};

void decodeUtf8(const unsigned char* s, std::size_t n, Piece& w) {
    const uint16_t* code = tables().storeCode.data();
    std::size_t i = 0;
    while (i < n) {
        i = w.ascii(s, i, n);
        if (i >= n) break;
        std::size_t len;
        char32_t cp;
        const unsigned char b0 = s[i];
        if ((b0 & 0xF0) == 0xE0 && i + 2 < n && (s[i + 1] & 0xC0) == 0x80 &&
            (s[i + 2] & 0xC0) == 0x80) {
            cp = (b0 & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
            len = cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF) ? 0 : 3;
        } else {
            cp = ReadUtf8Sequence(s, n, i, &len);
        }
        if (!len) {
            w.bytes(s + i, 1, n - i);
            ++i;
            continue;
        }
        i += len;
        if (const unsigned c = cp < 0x10000 ? code[cp] : 0)
            w.put(c);
        else
            w.ch(cp, n - i);
    }
}

void decodeUtf16(const unsigned char* s, std::size_t n, bool be, Piece& w) {
    const uint16_t* code = tables().storeCode.data();
    const uint64_t mask = be ? 0x80FF80FF80FF80FFull : 0xFF80FF80FF80FF80ull;
    const int lo = be ? 8 : 0;
    auto unit = [&](std::size_t i) -> char16_t {
        return be ? static_cast<char16_t>(s[i] << 8 | s[i + 1])
                  : static_cast<char16_t>(s[i + 1] << 8 | s[i]);
    };
    // The text is written through a local pointer (a store through w.o would make the compiler
    // reload it after every byte); w's own calls take it over and hand it back.
    char* o = w.o;
    auto through = [&](auto f) {
        w.o = o;
        f();
        o = w.o;
    };
    std::size_t i = 0;
    while (i + 1 < n) {
        while (i + 8 <= n) {
            uint64_t v;
            std::memcpy(&v, s + i, 8);
            if (v & mask) break;
            if constexpr (std::endian::native == std::endian::little) {
                uint64_t x = v >> lo & 0x00FF00FF00FF00FFull; // the four ASCII bytes, gathered
                x = (x | x >> 8) & 0x0000FFFF0000FFFFull;
                x = (x | x >> 16) & 0xFFFFFFFFull;
                const uint32_t four = static_cast<uint32_t>(x);
                std::memcpy(o, &four, 4);
                o += 4;
            } else {
                for (int k = 0; k < 4; ++k)
                    *o++ = static_cast<char>(s[i + 2 * k + (be ? 1 : 0)]);
            }
            i += 8;
        }
        if (i + 1 >= n) break;
        const char16_t u = unit(i);
        if (u < 0x80) {
            *o++ = static_cast<char>(u);
            i += 2;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            if (u <= 0xDBFF && i + 3 < n) {
                const char16_t v = unit(i + 2);
                if (v >= 0xDC00 && v <= 0xDFFF) {
                    through([&] {
                        w.ch(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (v - 0xDC00),
                             n - i);
                    });
                    i += 4;
                    continue;
                }
            }
            through([&] { w.bytes(s + i, 2, n - i); }); // a lone surrogate is kept as its bytes
            i += 2;
        } else {
            if (const unsigned c = code[u]) {
                if (c > 0xFF) *o++ = static_cast<char>(c >> 8);
                *o++ = static_cast<char>(c & 0xFF);
            } else {
                through([&] { w.ch(u, n - i); });
            }
            i += 2;
        }
    }
    w.o = o;
    if (i < n) w.bytes(s + i, 1, 1); // the odd last byte
}

// JIS X 0212 in its EUC form: a character of the table when it comes back to the same bytes.
void decode0212(const unsigned char* b, Piece& w, std::size_t rest, unsigned keep,
                const unsigned char* kept) {
    const char32_t ch = charOf0212(b);
    unsigned char back[3];
    if (ch && !Cp932ExactCode(ch) && !Cp932VariantCode(ch) && bytesOf0212(ch, back) &&
        std::memcmp(back, b, 3) == 0)
        w.ch(ch, rest);
    else
        w.bytes(kept, keep, rest);
}

void decodeEuc(const unsigned char* s, std::size_t n, Piece& w) {
    const uint32_t* euc = tables().eucToStore.data();
    std::size_t i = 0;
    while (i < n) {
        i = w.ascii(s, i, n);
        if (i >= n) break;
        const unsigned char b0 = s[i];
        if (b0 >= 0xA1 && b0 != 0xFF) {
            if (i + 1 < n && s[i + 1] >= 0xA1 && s[i + 1] != 0xFF) {
                if (const uint32_t e = euc[(b0 - 0xA1) * 94 + (s[i + 1] - 0xA1)]) {
                    w.put(e & 0xFFFF);
                    if (e & kEucExtension) w.outcome.extended = true;
                } else {
                    w.bytes(s + i, 2, n - i);
                }
                i += 2;
                continue;
            }
        } else if (b0 == 0x8E && i + 1 < n && s[i + 1] >= 0xA1 && s[i + 1] <= 0xDF) {
            *w.o++ = static_cast<char>(s[i + 1]);
            i += 2;
            continue;
        } else if (b0 == 0x8F && i + 2 < n && s[i + 1] >= 0xA1 && s[i + 1] != 0xFF &&
                   s[i + 2] >= 0xA1 && s[i + 2] != 0xFF) {
            decode0212(s + i, w, n - i, 3, s + i);
            i += 3;
            continue;
        }
        w.bytes(s + i, 1, n - i);
        ++i;
    }
}

enum JisSet { kAscii, kRoman, kKana, kJis0208, kJis1978, kJis0212 };

// ISO-2022-JP: the set in force is carried from block to block; the text is exact when every
// escape is the one the encoder would write at that place.
void decodeJis(const unsigned char* s, std::size_t n, Piece& w, int& set, bool& escEmpty) {
    const uint32_t* euc = tables().eucToStore.data();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (b == 0x1B) {
            static const struct {
                const char* seq;
                int set;
            } escapes[] = {{"(B", kAscii},   {"(J", kRoman},   {"(I", kKana},
                           {"$B", kJis0208}, {"$@", kJis1978}, {"$(D", kJis0212}};
            int to = -1;
            std::size_t len = 0;
            for (const auto& e : escapes) {
                const std::size_t k = std::strlen(e.seq);
                if (i + 1 + k <= n && std::memcmp(s + i + 1, e.seq, k) == 0) {
                    to = e.set;
                    len = k + 1;
                    break;
                }
            }
            if (to < 0) {
                w.bytes(s + i, 1, n - i);
                w.outcome.exact = false;
                ++i;
                continue;
            }
            if (escEmpty || to == set || to == kJis1978) w.outcome.exact = false;
            if (to == kKana || to == kJis0212) w.outcome.extended = true;
            set = to;
            escEmpty = true;
            i += len;
            continue;
        }
        escEmpty = false;
        if (set == kRoman) { // the yen sign and the overline; the rest would be ASCII's
            if (b == 0x5C || b == 0x7E) {
                w.ch(b == 0x5C ? U'\u00A5' : U'\u203E', n - i);
            } else if (b < 0x80) {
                *w.o++ = static_cast<char>(b);
                w.outcome.exact = false;
            } else {
                w.bytes(s + i, 1, n - i);
                w.outcome.exact = false;
            }
            ++i;
            continue;
        }
        if (set == kAscii) {
            const unsigned char* esc =
                static_cast<const unsigned char*>(std::memchr(s + i, 0x1B, n - i));
            const std::size_t stop = esc ? static_cast<std::size_t>(esc - s) : n;
            while (i < stop) {
                i = w.ascii(s, i, stop);
                if (i < stop) {
                    w.bytes(s + i, 1, n - i);
                    w.outcome.exact = false;
                    ++i;
                }
            }
            continue;
        }
        if (b < 0x21 || b >= 0x7F) { // controls in a two-byte or kana set, 8-bit bytes
            if (b < 0x21)
                *w.o++ = static_cast<char>(b);
            else
                w.bytes(s + i, 1, n - i);
            w.outcome.exact = false;
            ++i;
            continue;
        }
        if (set == kKana) {
            if (b <= 0x5F) {
                *w.o++ = static_cast<char>(b | 0x80);
            } else {
                w.bytes(s + i, 1, n - i);
                w.outcome.exact = false;
            }
            ++i;
            continue;
        }
        if (i + 1 >= n || s[i + 1] < 0x21 || s[i + 1] >= 0x7F) {
            w.bytes(s + i, 1, n - i);
            w.outcome.exact = false;
            ++i;
            continue;
        }
        if (set == kJis0212) {
            const unsigned char e[3] = {0x8F, static_cast<unsigned char>(b | 0x80),
                                        static_cast<unsigned char>(s[i + 1] | 0x80)};
            const std::size_t before = w.pend.size();
            decode0212(e, w, n - i, 2, s + i);
            if (w.pend.size() > before && !w.pend.back().ch) w.outcome.exact = false;
        } else if (const uint32_t e = euc[(b - 0x21) * 94 + (s[i + 1] - 0x21)]) {
            w.put(e & 0xFFFF);
            if (e & kEucExtension) w.outcome.extended = true;
        } else {
            w.bytes(s + i, 2, n - i);
            w.outcome.exact = false;
        }
        i += 2;
    }
}

// Just after the last line end of s (0 when there is none).
std::size_t afterLastLineEnd(const unsigned char* s, std::size_t n, TEncoding e) {
    for (std::size_t k = n; k > 0;) {
        const void* p = ::memrchr(s, '\n', k);
        if (!p) return 0;
        const std::size_t i = static_cast<std::size_t>(static_cast<const unsigned char*>(p) - s);
        if (e == TEncoding::Utf16LE) {
            if ((i & 1) == 0 && i + 1 < n && s[i + 1] == 0) return i + 2;
        } else if (e == TEncoding::Utf16BE) {
            if ((i & 1) == 1 && s[i - 1] == 0) return i + 1;
        } else {
            return i + 1;
        }
        k = i;
    }
    return 0;
}

// Just after the first line end at or after from (n when there is none).
std::size_t afterLineEndFrom(const unsigned char* s, std::size_t from, std::size_t n, TEncoding e) {
    for (std::size_t i = from; i < n;) {
        const void* p = std::memchr(s + i, '\n', n - i);
        if (!p) return n;
        const std::size_t k = static_cast<std::size_t>(static_cast<const unsigned char*>(p) - s);
        if (e == TEncoding::Utf16LE) {
            if ((k & 1) == 0 && k + 1 < n && s[k + 1] == 0) return k + 2;
        } else if (e == TEncoding::Utf16BE) {
            if ((k & 1) == 1 && s[k - 1] == 0) return k + 1;
        } else {
            return k + 1;
        }
        i = k + 1;
    }
    return n;
}

} // namespace

// ---- decoder ----

bool GiveCodes(const std::vector<TPendingCode>& codes, TCharTable& table, char* text) {
    bool room = true;
    for (const TPendingCode& p : codes) {
        unsigned code = p.ch ? table.CodeFor(p.ch) : table.CodeForBytes(std::string_view(p.b, p.n));
        if (!code) {
            room = false;
            code = 0x8148;
        }
        text[p.pos] = static_cast<char>(code >> 8);
        text[p.pos + 1] = static_cast<char>(code & 0xFF);
    }
    return room;
}

TStoreDecoder::TStoreDecoder(TEncoding e, TCharTable* table, int threads)
    : e_(e), table_(table), threads_(threads) {
    tables();
}

TStoreDecoder::~TStoreDecoder() = default;

void TStoreDecoder::Decode(std::string_view in, bool last, std::string& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(in.data());
    std::size_t n = in.size();
    // The line a previous block cut goes before this block.
    if (!carry_.empty()) {
        std::string joined = std::move(carry_);
        carry_.clear();
        joined.append(in);
        Decode(joined, last, out);
        return;
    }
    std::size_t end = n;
    if (!last) {
        end = afterLastLineEnd(s, n, e_);
        carry_.assign(reinterpret_cast<const char*>(s) + end, n - end);
    }
    // Cut at line ends into pieces for the cores (ISO-2022-JP carries its set: one piece).
    unsigned cores = threads_ > 0 ? static_cast<unsigned>(threads_)
                                  : std::max(1u, std::thread::hardware_concurrency());
    constexpr std::size_t kPieceMin = std::size_t{2} << 20;
    if (e_ == TEncoding::Iso2022Jp) cores = 1;
    const std::size_t pieces =
        std::max<std::size_t>(1, std::min<std::size_t>(cores, end / kPieceMin));
    std::vector<std::size_t> cuts{0};
    for (std::size_t k = 1; k < pieces; ++k) {
        const std::size_t at =
            afterLineEndFrom(s, std::max(cuts.back(), end * k / pieces), end, e_);
        if (at >= end) break;
        cuts.push_back(at);
    }
    cuts.push_back(end);
    const std::size_t count = cuts.size() - 1;
    std::vector<std::string> texts(count);
    // The pieces' texts join the first one's: the whole is reserved once (address space only).
    if (count > 1) out.reserve(out.size() + end + 64);
    std::vector<std::unique_ptr<Piece>> outs(count);
    auto run = [&](std::size_t k) {
        std::string& text = k == 0 ? out : texts[k];
        const std::size_t len = cuts[k + 1] - cuts[k];
        outs[k] = std::make_unique<Piece>(text, len);
        Piece& w = *outs[k];
        const unsigned char* p = s + cuts[k];
        switch (e_) {
        case TEncoding::Utf8:
            decodeUtf8(p, len, w);
            break;
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE:
            decodeUtf16(p, len, e_ == TEncoding::Utf16BE, w);
            break;
        case TEncoding::EucJp:
            decodeEuc(p, len, w);
            break;
        case TEncoding::Iso2022Jp:
            decodeJis(p, len, w, jisSet_, jisEscEmpty_);
            break;
        case TEncoding::ShiftJis:
            w.o = std::copy(p, p + len, w.o);
            break;
        }
        w.finish();
    };
    std::vector<std::thread> helpers;
    for (std::size_t k = 1; k < count; ++k)
        helpers.emplace_back(run, k);
    run(0);
    for (std::thread& t : helpers)
        t.join();
    // The table's codes in the order the characters appear, then the pieces in one text.
    for (std::size_t k = 0; k < count; ++k) {
        std::string& text = k == 0 ? out : texts[k];
        Piece& w = *outs[k];
        if (table_) {
            if (!GiveCodes(w.pend, *table_, text.data())) outcome_.full = true;
        } else {
            const std::size_t shift = k == 0 ? 0 : out.size();
            for (Pending& p : w.pend) {
                p.pos += shift;
                pending_.push_back(p);
            }
        }
        outcome_.exact = outcome_.exact && w.outcome.exact;
        outcome_.extended = outcome_.extended || w.outcome.extended;
        if (outcome_.extended && table_) table_->SetExtendedCodes(true);
        if (k > 0) out.append(text);
    }
    if (last && e_ == TEncoding::Iso2022Jp && jisSet_ != kAscii) outcome_.exact = false;
}

// ---- encoder ----

namespace {

// The encoder's output, written through a pointer. The most a block can write is reserved up
// front (address space only), and the string grows in steps within it: only the bytes written are
// ever touched, and the text does not move while a block is written.
struct Sink {
    static constexpr std::size_t kStep = std::size_t{64} << 10;
    std::string& s;
    char* o;
    char* lim;
    Sink(std::string& str, std::size_t most) : s(str) {
        const std::size_t at = s.size();
        s.reserve(at + most + 64);
        s.resize(at + std::min(most, kStep) + 64);
        o = s.data() + at;
        lim = s.data() + s.size();
    }
    void ensure(std::size_t k) {
        if (static_cast<std::size_t>(lim - o) >= k) return;
        const std::size_t at = static_cast<std::size_t>(o - s.data());
        s.resize(at + k + kStep);
        o = s.data() + at;
        lim = s.data() + s.size();
    }
    void finish() { s.resize(static_cast<std::size_t>(o - s.data())); }
    void byte(unsigned b) { *o++ = static_cast<char>(b); }
    void append(const char* p, std::size_t n) {
        ensure(n);
        std::memcpy(o, p, n);
        o += n;
    }
};

void putUtf8(Sink& w, char32_t c) {
    if (c < 0x80) {
        w.byte(c);
    } else if (c < 0x800) {
        w.byte(0xC0 | (c >> 6));
        w.byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        w.byte(0xE0 | (c >> 12));
        w.byte(0x80 | ((c >> 6) & 0x3F));
        w.byte(0x80 | (c & 0x3F));
    } else {
        w.byte(0xF0 | (c >> 18));
        w.byte(0x80 | ((c >> 12) & 0x3F));
        w.byte(0x80 | ((c >> 6) & 0x3F));
        w.byte(0x80 | (c & 0x3F));
    }
}

void putUnit(Sink& w, unsigned u, bool be) {
    if (be) {
        w.byte(u >> 8);
        w.byte(u & 0xFF);
    } else {
        w.byte(u & 0xFF);
        w.byte(u >> 8);
    }
}

void putUtf16(Sink& w, char32_t c, bool be) {
    if (c < 0x10000) {
        putUnit(w, c, be);
    } else {
        putUnit(w, 0xD800 + ((c - 0x10000) >> 10), be);
        putUnit(w, 0xDC00 + ((c - 0x10000) & 0x3FF), be);
    }
}

// True when the eight bytes are ASCII without a CR.
inline bool plainAscii8(uint64_t v) {
    const uint64_t x = v ^ 0x0D0D0D0D0D0D0D0Dull;
    return !(v & kHigh) && !((x - 0x0101010101010101ull) & ~x & kHigh);
}

// A UTF-16 unit in the file's byte order.
template <bool BE> inline void storeUnit(char* o, unsigned u) {
    o[0] = static_cast<char>(BE ? u >> 8 : u);
    o[1] = static_cast<char>(BE ? u : u >> 8);
}

// Eight ASCII bytes (v as read from memory) as eight UTF-16 units.
template <bool BE> inline void storeWidened(char* o, uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        auto spread = [](uint64_t x) {
            x = (x | x << 16) & 0x0000FFFF0000FFFFull;
            x = (x | x << 8) & 0x00FF00FF00FF00FFull;
            return BE ? x << 8 : x;
        };
        const uint64_t lo = spread(v & 0xFFFFFFFFu), hi = spread(v >> 32);
        std::memcpy(o, &lo, 8);
        std::memcpy(o + 8, &hi, 8);
    } else {
        unsigned char b[8];
        std::memcpy(b, &v, 8);
        for (int k = 0; k < 8; ++k)
            storeUnit<BE>(o + 2 * k, b[k]);
    }
}

enum class Unicode { Utf8, Utf16LE, Utf16BE };

// The Unicode writers' pass: ASCII eight bytes at a time (a CR LF as the file's line end), a
// character of one UTF-16 unit through unitOf, everything else (the table's codes, characters
// beyond the BMP, bytes that are not characters) through step, which writes what starts at i and
// says where the next begins.
template <Unicode K, typename Step>
void encodeUnicode(const unsigned char* s, std::size_t n, const uint16_t* unitOf,
                   TLineEndStyle lineEnd, Sink& w, Step step) {
    const bool crPlain = lineEnd == TLineEndStyle::CrLf;
    constexpr bool kUtf8 = K == Unicode::Utf8, kBE = K == Unicode::Utf16BE;
    constexpr std::size_t kChunk = std::size_t{16} << 10;
    constexpr std::size_t kMost = 3;   // bytes written per byte read at most on this path
    constexpr std::size_t kSlack = 64; // an ASCII run read past the chunk's end, and step's own
    auto plain = [crPlain](uint64_t v) { return crPlain ? !(v & kHigh) : plainAscii8(v); };
    std::size_t i = 0;
    while (i < n) {
        const std::size_t end = std::min(n, i + kChunk);
        w.ensure(kMost * (end - i) + kSlack);
        char* o = w.o;
        while (i < end) {
            const unsigned c = s[i];
            if (c < 0x80) {
                uint64_t v;
                if (i + 8 <= n && (std::memcpy(&v, s + i, 8), plain(v))) {
                    if constexpr (kUtf8) {
                        std::memcpy(o, &v, 8);
                        o += 8;
                    } else {
                        storeWidened<kBE>(o, v);
                        o += 16;
                    }
                    i += 8;
                } else {
                    // A CR LF becomes the file's line end; a CR alone stays.
                    unsigned a = c;
                    std::size_t len = 1;
                    if (c == '\r' && !crPlain && i + 1 < n && s[i + 1] == '\n') {
                        len = 2;
                        if (lineEnd == TLineEndStyle::Lf) a = '\n';
                    }
                    if constexpr (kUtf8) {
                        *o++ = static_cast<char>(a);
                    } else {
                        storeUnit<kBE>(o, a);
                        o += 2;
                    }
                    i += len;
                }
                continue;
            }
            unsigned code = c;
            std::size_t len = 1;
            if (IsDBCSLeadByte(static_cast<unsigned char>(c)) && i + 1 < n &&
                IsDBCSTrailByte(s[i + 1])) {
                code = c << 8 | s[i + 1];
                len = 2;
            }
            if (const unsigned u = unitOf[code]) {
                if constexpr (kUtf8) {
                    if (u >= 0x800) {
                        o[0] = static_cast<char>(0xE0 | u >> 12);
                        o[1] = static_cast<char>(0x80 | (u >> 6 & 0x3F));
                        o[2] = static_cast<char>(0x80 | (u & 0x3F));
                        o += 3;
                    } else if (u >= 0x80) {
                        o[0] = static_cast<char>(0xC0 | u >> 6);
                        o[1] = static_cast<char>(0x80 | (u & 0x3F));
                        o += 2;
                    } else {
                        *o++ = static_cast<char>(u);
                    }
                } else {
                    storeUnit<kBE>(o, u);
                    o += 2;
                }
                i += len;
                continue;
            }
            w.o = o;
            i = step(i);
            w.ensure(kMost * (end > i ? end - i : 0) + kSlack);
            o = w.o;
        }
        w.o = o;
    }
}

} // namespace

TStoreEncoder::TStoreEncoder(const TFileFormat& format, const TCharTable* table)
    : format_(format), table_(table && !table->Empty() ? table : nullptr),
      extended_(table && table->ExtendedCodes()) {
    tables();
}

void TStoreEncoder::Encode(std::string_view in, bool last, std::string& out) {
    if (!started_) {
        started_ = true;
        if (format_.bom) {
            if (format_.encoding == TEncoding::Utf8) out.append("\xEF\xBB\xBF");
            if (format_.encoding == TEncoding::Utf16LE) out.append("\xFF\xFE");
            if (format_.encoding == TEncoding::Utf16BE) out.append("\xFE\xFF");
        }
    }
    // A CR or lead byte that ended the previous block goes before this block.
    std::string joined;
    if (!carry_.empty()) {
        joined = std::move(carry_);
        carry_.clear();
        joined.append(in);
        in = joined;
    }
    std::size_t n = in.size();
    if (!last && n > 0) {
        // Leave a final CR (its LF may follow) or a final lead byte for the next block. The run
        // of lead-range bytes before it pairs up from its start: odd, and the last one leads.
        const unsigned char c = static_cast<unsigned char>(in[n - 1]);
        std::size_t run = 0;
        while (run < n && IsDBCSLeadByte(static_cast<unsigned char>(in[n - 1 - run])))
            ++run;
        if (c == '\r' || run % 2 == 1) {
            carry_.assign(1, static_cast<char>(c));
            --n;
        }
    }
    encodeBlock(in.substr(0, n), out);
    if (last) {
        if (format_.encoding == TEncoding::Iso2022Jp && jisSet_ != kAscii) {
            out.append("\x1B(B");
            jisSet_ = kAscii;
        }
    }
}

void TStoreEncoder::encodeBlock(std::string_view in, std::string& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(in.data());
    const std::size_t n = in.size();
    const Tables& t = tables();
    const TEncoding e = format_.encoding;
    const bool utf16 = e == TEncoding::Utf16LE || e == TEncoding::Utf16BE;
    const bool be = e == TEncoding::Utf16BE;
    const bool jis = e == TEncoding::Iso2022Jp;
    // The most a block writes in each encoding (ISO-2022-JP's escapes may need more, and get it).
    Sink w(out, utf16                   ? 2 * n
                : e == TEncoding::Utf8  ? 3 * n
                : e == TEncoding::EucJp ? 2 * n
                                        : n + n / 8);
    auto toSet = [&](int set) {
        if (jisSet_ == set) return;
        static const char* const esc[] = {"\x1B(B", "\x1B(J", "\x1B(I",
                                          "\x1B$B", "\x1B$@", "\x1B$(D"};
        w.append(esc[set], std::strlen(esc[set]));
        jisSet_ = set;
    };
    auto ascii = [&](const unsigned char* p, std::size_t k) {
        if (jis) toSet(kAscii);
        if (utf16) {
            w.ensure(2 * k);
            for (std::size_t q = 0; q < k; ++q)
                putUnit(w, p[q], be);
        } else {
            w.append(reinterpret_cast<const char*>(p), k);
        }
    };
    auto lost = [&] {
        ++lost_;
        const unsigned char q = '?';
        ascii(&q, 1);
    };
    // A JIS X 0208 code (row and cell bytes) or a CP932 code through it.
    auto jisCode = [&](unsigned j) {
        if (jis) {
            toSet(kJis0208);
            w.byte(j >> 8);
            w.byte(j & 0xFF);
        } else {
            w.byte((j >> 8) | 0x80);
            w.byte((j & 0xFF) | 0x80);
        }
    };
    // A CP932 code (not of the table) in the file's encoding.
    auto code = [&](unsigned c) {
        w.ensure(8);
        switch (e) {
        case TEncoding::ShiftJis:
            if (c > 0xFF) w.byte(c >> 8);
            w.byte(c & 0xFF);
            return;
        case TEncoding::Utf8:
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE: {
            const char32_t ch = t.codeChar[c];
            if (!ch)
                lost();
            else if (utf16)
                putUtf16(w, ch, be);
            else
                putUtf8(w, ch);
            return;
        }
        default:
            if (c >= 0xA1 && c <= 0xDF) { // half-width katakana
                if (jis) {
                    toSet(kKana);
                    w.byte(c & 0x7F);
                } else {
                    w.byte(0x8E);
                    w.byte(c);
                }
            } else if (const unsigned j = c > 0xFF ? t.storeToJis[c] : 0) {
                // A file without the NEC and IBM rows gets JIS X 0212 where it has the character.
                unsigned char b[3];
                if ((j & kExtensionFlag) && !extended_ && !jis && bytesOf0212(t.codeChar[c], b))
                    w.append(reinterpret_cast<const char*>(b), 3);
                else
                    jisCode(j & 0x7FFF);
            } else {
                lost();
            }
            return;
        }
    };
    // A character of the table in the file's encoding.
    auto tableChar = [&](char32_t ch) {
        w.ensure(8);
        switch (e) {
        case TEncoding::Utf8:
            putUtf8(w, ch);
            return;
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE:
            putUtf16(w, ch, be);
            return;
        case TEncoding::ShiftJis:
            if (const unsigned c = Cp932ExactCode(ch) ? Cp932ExactCode(ch) : Cp932VariantCode(ch))
                code(c);
            else
                lost();
            return;
        default: {
            if (jis && (ch == U'\u00A5' || ch == U'\u203E')) { // JIS X 0201's own two
                toSet(kRoman);
                w.byte(ch == U'\u00A5' ? 0x5C : 0x7E);
                return;
            }
            // The JIS forms of CP932's characters are written as a Shift-JIS page writes them.
            if (const unsigned c = Cp932ExactCode(ch) ? Cp932ExactCode(ch) : Cp932VariantCode(ch);
                c && !TCharTable::IsTableCode(c)) {
                code(c);
                return;
            }
            unsigned char b[3];
            if (!bytesOf0212(ch, b)) {
                lost();
            } else if (jis) {
                toSet(kJis0212);
                w.byte(b[1] & 0x7F);
                w.byte(b[2] & 0x7F);
            } else {
                w.append(reinterpret_cast<const char*>(b), 3);
            }
            return;
        }
        }
    };
    // The text from i on, written the general way; with one (std::true_type) only what starts at
    // i. Returns where it stopped.
    auto general = [&](std::size_t i, auto one) {
        for (bool first = true; i < n && (first || !decltype(one)::value); first = false) {
            const unsigned char c = s[i];
            if (c < 0x80) {
                if (c == '\r') {
                    if (i + 1 < n && s[i + 1] == '\n') {
                        static const unsigned char crlf[] = {'\r', '\n'};
                        const TLineEndStyle le = format_.lineEnd;
                        ascii(le == TLineEndStyle::Lf ? crlf + 1 : crlf,
                              le == TLineEndStyle::CrLf ? 2 : 1);
                        i += 2;
                    } else {
                        ascii(s + i, 1);
                        ++i;
                    }
                    continue;
                }
                std::size_t j = i + 1;
                while (j + 8 <= n) {
                    uint64_t v;
                    std::memcpy(&v, s + j, 8);
                    if (!plainAscii8(v)) break;
                    j += 8;
                }
                while (j < n && s[j] < 0x80 && s[j] != '\r')
                    ++j;
                ascii(s + i, j - i);
                i = j;
                continue;
            }
            if (IsDBCSLeadByte(c) && i + 1 < n && IsDBCSTrailByte(s[i + 1])) {
                const unsigned k = static_cast<unsigned>(c) << 8 | s[i + 1];
                i += 2;
                if (table_ && TCharTable::IsTableCode(k)) {
                    if (const TCharTableEntry* en = table_->Entry(k)) {
                        if (en->bytes.empty()) {
                            tableChar(en->ch);
                        } else {
                            w.append(en->bytes.data(), en->bytes.size());
                        }
                        continue;
                    }
                }
                code(k);
                continue;
            }
            ++i;
            if (e == TEncoding::ShiftJis || t.codeChar[c])
                code(c);
            else
                lost();
        }
        return i;
    };
    auto rare = [&](std::size_t i) __attribute__((noinline)) {
        return general(i, std::true_type());
    };
    if (e == TEncoding::Utf8) {
        encodeUnicode<Unicode::Utf8>(s, n, t.unitOf.data(), format_.lineEnd, w, rare);
    } else if (utf16) {
        if (be)
            encodeUnicode<Unicode::Utf16BE>(s, n, t.unitOf.data(), format_.lineEnd, w, rare);
        else
            encodeUnicode<Unicode::Utf16LE>(s, n, t.unitOf.data(), format_.lineEnd, w, rare);
    } else {
        general(0, std::false_type());
    }
    w.finish();
}

// ---- what an encoding holds ----

namespace {

// 0: the encoding holds the character; 1: only in the extended form; 2: not at all.
int holdClass(char32_t ch, TEncoding e) {
    if (ch < 0x80) return 0;
    switch (e) {
    case TEncoding::Utf8:
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE:
        return 0;
    case TEncoding::ShiftJis:
        return Cp932ExactCode(ch) || Cp932VariantCode(ch) ? 0 : 2;
    default:
        break;
    }
    const Tables& t = tables();
    unsigned c = Cp932ExactCode(ch);
    if (!c || TCharTable::IsTableCode(c)) c = Cp932VariantCode(ch);
    if (c && !TCharTable::IsTableCode(c)) {
        if (c >= 0xA1 && c <= 0xDF) return e == TEncoding::EucJp ? 0 : 1;
        const uint16_t j = c > 0xFF ? t.storeToJis[c] : 0;
        if (j && !(j & kExtensionFlag)) return 0;
        unsigned char b[3];
        if (j) return e == TEncoding::EucJp && bytesOf0212(ch, b) ? 0 : 1;
    }
    unsigned char b[3];
    if (bytesOf0212(ch, b)) return e == TEncoding::EucJp ? 0 : 1;
    return 2;
}

template <typename F> void eachChar(std::u16string_view text, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        std::size_t len = 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            len = 2;
        }
        if (!f(c, i, len)) return;
        i += len - 1;
    }
}

} // namespace

bool FitsEncoding(std::u16string_view text, TEncoding e, bool extended) {
    bool fits = true;
    eachChar(text, [&](char32_t c, std::size_t, std::size_t) {
        const int k = holdClass(c, e);
        fits = k == 0 || (k == 1 && extended);
        return fits;
    });
    return fits;
}

std::size_t ReplaceUnfitting(std::u16string& text, TEncoding e, bool extended) {
    std::u16string out;
    std::size_t replaced = 0;
    eachChar(text, [&](char32_t c, std::size_t i, std::size_t len) {
        const int k = holdClass(c, e);
        if (k == 0 || (k == 1 && extended)) {
            out.append(text, i, len);
        } else {
            out.push_back(u'?');
            ++replaced;
        }
        return true;
    });
    text = std::move(out);
    return replaced;
}
