// What the fuzz targets share: a check that stops the run and a reader of the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run, saying which check failed; the fuzzer keeps the input that made it fail.
[[noreturn]] inline void FuzzFail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}
#define FUZZ_CHECK(c) ((c) ? void() : FuzzFail(#c, __FILE__, __LINE__))

// Reads the input from the front; once it is used up, every byte reads as 0.
struct FuzzInput {
    const uint8_t* p;
    size_t n;
    uint8_t Byte() {
        if (!n) return 0;
        --n;
        return *p++;
    }
    int Int(int lo, int hi) { // inclusive
        if (hi <= lo) return lo;
        unsigned v = static_cast<unsigned>(Byte()) << 8 | Byte();
        return lo + static_cast<int>(v % static_cast<unsigned>(hi - lo + 1));
    }
    std::string Bytes(size_t k) {
        k = k < n ? k : n;
        std::string s(reinterpret_cast<const char*>(p), k);
        p += k;
        n -= k;
        return s;
    }
};
