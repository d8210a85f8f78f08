// A text file in a fresh temporary folder for the benchmarks and long tests, removed with the
// object; written as one piece repeated, so that gigabytes are written without holding them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

struct TTempTextFile {
    std::filesystem::path dir;
    std::string path;
    explicit TTempTextFile(const char* name) {
        char tmpl[] = "/tmp/tolmo-bench-XXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        dir = tmpl;
        path = (dir / name).string();
    }
    ~TTempTextFile() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    TTempTextFile(const TTempTextFile&) = delete;
    TTempTextFile& operator=(const TTempTextFile&) = delete;
    // Writes `piece` `times` times over.
    void Write(const std::string& piece, int times) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) std::abort();
        for (int i = 0; i < times; ++i)
            if (std::fwrite(piece.data(), 1, piece.size(), f) != piece.size()) std::abort();
        // On disk before anything reads it: no write-back runs beside the timed reads.
        if (std::fflush(f) != 0 || ::fsync(fileno(f)) != 0) std::abort();
        std::fclose(f);
    }
};
