// What the load benchmarks measure alike: their floor, reading a whole file into one buffer and
// counting its line ends with memchr, and the resident memory of the process.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/AtomicFile.h"

struct TReadCount {
    std::size_t bytes = 0;
    std::int64_t lines = 0;
};

// hugePages: back the buffer with huge pages, as the program's own read does.
inline TReadCount ReadAndCountLines(const std::string& path, bool hugePages) {
    TReadCount r;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return r;
    const auto size = static_cast<std::size_t>(::lseek(fd, 0, SEEK_END));
    ::lseek(fd, 0, SEEK_SET);
    std::unique_ptr<char[]> buf(new char[size]);
    if (hugePages) AdviseHugePages(buf.get(), size);
    while (r.bytes < size) {
        const ssize_t k = ::read(fd, buf.get() + r.bytes, size - r.bytes);
        if (k <= 0) break;
        r.bytes += static_cast<std::size_t>(k);
    }
    ::close(fd);
    const char* p = buf.get();
    const char* e = p + r.bytes;
    while (const void* q = std::memchr(p, '\n', static_cast<std::size_t>(e - p))) {
        ++r.lines;
        p = static_cast<const char*>(q) + 1;
    }
    return r;
}

inline double ResidentMB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}
