// Generated memo text for the benchmarks: Shift-JIS lines of ASCII words, hiragana, katakana, kanji
// and Japanese punctuation with CR LF ends, most lines 10..80 bytes and some 90..300 (longer than
// an 80-column wrap). The same seed gives the same text on every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TMemoText {
  public:
    explicit TMemoText(std::uint64_t seed = 20261206) : FState(seed) {}

    std::uint32_t Next() {
        FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(FState >> 33);
    }
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }

    // One line of `len` bytes or one more (two-byte characters are kept whole), then CR LF.
    void AppendLine(int len, std::string& out) {
        const std::size_t start = out.size();
        auto room = [&] { return out.size() - start < static_cast<std::size_t>(len); };
        while (room()) {
            const int kind = Range(0, 9), n = Range(1, 8);
            for (int i = 0; i < n && room(); ++i) {
                switch (kind) {
                case 0:
                case 1:
                case 2: // ASCII word
                    out += static_cast<char>('a' + Range(0, 25));
                    break;
                case 3:
                    out += ' ';
                    i = n;
                    break;
                case 4:
                case 5: // hiragana
                    out += '\x82';
                    out += static_cast<char>(Range(0x9F, 0xF1));
                    break;
                case 6: // katakana
                    out += '\x83';
                    out += Trail(Range(0x40, 0x96));
                    break;
                case 7:
                case 8: // kanji
                    out += static_cast<char>(Range(0x88, 0x9E));
                    out += Trail(Range(0x40, 0xFC));
                    break;
                default: { // 、。「」
                    static const char p[] = {0x41, 0x42, 0x75, 0x76};
                    out += '\x81';
                    out += p[Range(0, 3)];
                    i = n;
                    break;
                }
                }
            }
        }
        out += "\r\n";
    }

    // Whole lines until `out` has grown by at least `bytes`.
    void Append(std::size_t bytes, std::string& out) {
        const std::size_t goal = out.size() + bytes;
        while (out.size() < goal)
            AppendLine(Range(0, 99) < 88 ? Range(10, 80) : Range(90, 300), out);
    }

  private:
    static char Trail(int t) { return static_cast<char>(t == 0x7F ? 0x80 : t); }
    std::uint64_t FState;
};

inline std::string MemoText(std::size_t bytes, std::uint64_t seed = 20261206) {
    std::string t;
    t.reserve(bytes + 512);
    TMemoText(seed).Append(bytes, t);
    return t;
}
