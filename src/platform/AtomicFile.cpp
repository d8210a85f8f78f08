// Whole-file read and atomic replace on POSIX.
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {} // namespace

void AdviseHugePages(void* p, std::size_t n) {
    constexpr std::uintptr_t kHuge = 2u << 20;
    if (n < 4 * kHuge) return;
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t from = (a + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (a + n) & ~(kHuge - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

namespace {

bool fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

// The path whose folder receives the temporary file: a symbolic link is replaced by its target.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string r(real);
            std::free(real);
            return r;
        }
    }
    return path;
}

} // namespace

bool WriteAllToFile(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(error, path, errno);
    bytes.clear();
    // A regular file is read straight into a string of its size (one more byte tells whether
    // it grew meanwhile); anything else, or a file that grows, in steps.
    struct stat st {};
    std::size_t want = 65536;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        want = static_cast<std::size_t>(st.st_size) + 1;
    std::size_t have = 0;
    try {
        for (;;) {
            if (have == bytes.size()) {
                const std::size_t grow = std::max(want, bytes.size() * 2);
                bytes.reserve(grow);
                AdviseHugePages(bytes.data(), grow);
                bytes.resize(grow);
            }
            ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
            if (n < 0) {
                if (errno == EINTR) continue;
                int e = errno;
                ::close(fd);
                bytes.clear();
                return fail(error, path, e);
            }
            if (n == 0) break;
            have += static_cast<std::size_t>(n);
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        bytes = std::string();
        return fail(error, path, ENOMEM);
    }
    ::close(fd);
    bytes.resize(have);
    return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string target = resolveTarget(path);
    const auto slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmp = folder + "." + base + ".XXXXXX";
    int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) return fail(error, target, errno);

    struct stat st {};
    mode_t mode = 0666;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    int err = 0;
    if (::fchmod(fd, mode) != 0) err = errno;
    if (!err && !WriteAllToFile(fd, bytes)) err = errno;
    if (!err && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tmp.c_str());
        return fail(error, target, err);
    }
    // Make the rename itself durable.
    int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
