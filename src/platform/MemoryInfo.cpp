// MemAvailable from /proc/meminfo.
#include "platform/MemoryInfo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

int64_t AvailableMemoryBytes() {
    int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    char buf[4096];
    ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n <= 0) return -1;
    buf[n] = '\0';
    const char* p = std::strstr(buf, "MemAvailable:");
    if (!p) return -1;
    char* end = nullptr;
    const long long kb = std::strtoll(p + 13, &end, 10);
    if (end == p + 13 || kb < 0) return -1;
    return static_cast<int64_t>(kb) * 1024;
}
