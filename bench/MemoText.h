// Generated Shift-JIS memo text for the benchmarks: kana, kanji, ASCII words and punctuation in
// lines of 10 to 80 bytes, about one line in eight longer than the wrap width, CR LF line ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace memotext {

struct Rng {
    uint64_t s;
    uint32_t Next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(s >> 33);
    }
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1));
    }
};

// One line of mixed text, `len` bytes or one more (two-byte characters are kept whole).
inline void AppendLine(Rng& r, int len, std::string& out) {
    size_t start = out.size();
    while (out.size() - start < static_cast<size_t>(len)) {
        int kind = r.Range(0, 9);
        int n = r.Range(1, 8);
        for (int i = 0; i < n && out.size() - start < static_cast<size_t>(len); ++i) {
            switch (kind) {
            case 0:
            case 1:
            case 2: // ASCII word
                out += static_cast<char>('a' + r.Range(0, 25));
                break;
            case 3:
                out += ' ';
                i = n;
                break;
            case 4:
            case 5: // hiragana
                out += '\x82';
                out += static_cast<char>(r.Range(0x9F, 0xF1));
                break;
            case 6: { // katakana
                out += '\x83';
                int t = r.Range(0x40, 0x96);
                out += static_cast<char>(t == 0x7F ? 0x80 : t);
                break;
            }
            case 7:
            case 8: { // kanji
                out += static_cast<char>(r.Range(0x88, 0x9E));
                int t = r.Range(0x40, 0xFC);
                out += static_cast<char>(t == 0x7F ? 0x80 : t);
                break;
            }
            default: { // punctuation 、。「」
                static const char p[] = {0x41, 0x42, 0x75, 0x76};
                out += '\x81';
                out += p[r.Range(0, 3)];
                i = n;
                break;
            }
            }
        }
    }
    out += "\r\n";
}

// At least `target` bytes of whole lines.
inline std::string Generate(size_t target, uint64_t seed) {
    Rng r{seed};
    std::string s;
    s.reserve(target + 1024);
    while (s.size() < target) {
        int len = r.Range(0, 99) < 88 ? r.Range(10, 80) : r.Range(90, 300);
        AppendLine(r, len, s);
    }
    return s;
}

// A file in a fresh temporary folder, removed with the object.
struct TempFile {
    std::filesystem::path dir;
    std::string path;
    explicit TempFile(const char* name) {
        char tmpl[] = "/tmp/tolmo-bench-XXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        dir = tmpl;
        path = (dir / name).string();
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    // Writes `piece` `times` times over.
    void Write(const std::string& piece, int times) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::abort();
        for (int i = 0; i < times; ++i)
            if (std::fwrite(piece.data(), 1, piece.size(), f) != piece.size()) std::abort();
        std::fclose(f);
    }
};

} // namespace memotext
