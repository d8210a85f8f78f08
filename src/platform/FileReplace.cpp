// Crash-safe replacement of a file's content that keeps the file's identity.
#include "platform/FileReplace.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kTempPattern[] = ".tolmo-XXXXXX";
constexpr char kAclAccess[] = "system.posix_acl_access";

bool fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

void syncFolder(const std::string& folder) {
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return;
    ::fsync(dfd);
    ::close(dfd);
}

// Copies the content of one open file to another from their starts (the file system copies
// where it can); the target is cut to the source's length. False with errno set.
bool copyContent(int from, int to) {
    struct stat st {};
    if (::fstat(from, &st) != 0) return false;
    off_t in = 0, out = 0;
    const off_t size = st.st_size;
    bool kernel = true;
    std::vector<char> buf;
    while (in < size) {
        if (kernel) {
            const ssize_t n =
                ::copy_file_range(from, &in, to, &out, static_cast<std::size_t>(size - in), 0);
            if (n > 0) continue;
            if (n == 0) break;
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                return false;
            kernel = false;
            buf.resize(std::size_t{1} << 20);
        }
        const ssize_t n = ::pread(from, buf.data(), buf.size(), in);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (::lseek(to, out, SEEK_SET) < 0 ||
            !WriteAllToFile(to, std::string_view(buf.data(), static_cast<std::size_t>(n))))
            return false;
        in += n;
        out += n;
    }
    return ::ftruncate(to, out) == 0;
}

bool inGroup(gid_t g) {
    if (::getegid() == g) return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = ::getgroups(n, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, g) != groups.begin() + got;
}

// Gives the open file `to` the extended attributes of the file at `from` (the access ACL among
// them; one the new file inherited from its folder but the old file lacks is taken away). False
// when one could not be given.
bool copyAttributes(const std::string& from, int to) {
    ssize_t n = ::listxattr(from.c_str(), nullptr, 0);
    if (n < 0) return errno == ENOTSUP;
    std::string names(static_cast<std::size_t>(n), '\0');
    n = n > 0 ? ::listxattr(from.c_str(), names.data(), names.size()) : 0;
    if (n < 0) return false;
    names.resize(static_cast<std::size_t>(n));
    bool hasAcl = false;
    std::vector<char> value;
    for (std::size_t at = 0, next; at < names.size(); at = next + 1) {
        next = names.find('\0', at);
        if (next == std::string::npos) next = names.size();
        const char* name = names.c_str() + at;
        if (std::strcmp(name, kAclAccess) == 0) hasAcl = true;
        const ssize_t len = ::getxattr(from.c_str(), name, nullptr, 0);
        if (len < 0) return false;
        value.resize(static_cast<std::size_t>(len));
        const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (got < 0 || ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) != 0)
            return false;
    }
    if (!hasAcl && ::fremovexattr(to, kAclAccess) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Runs the producer onto fd; the failure's reason goes to *error.
bool produceInto(int fd, const std::string& path, const TProduceBytes& produce,
                 std::string* error) {
    int writeErr = 0;
    // The disk starts on what is written every few megabytes while the rest is made, so that
    // the sync at the end finds little left to write (a hint: nothing waits for it here).
    constexpr off_t kWriteBackStep = off_t{8} << 20;
    off_t written = 0, handed = 0;
    const TWriteBytes write = [&](std::string_view b) {
        if (!WriteAllToFile(fd, b)) {
            writeErr = errno;
            return false;
        }
        written += static_cast<off_t>(b.size());
        if (written - handed >= kWriteBackStep) {
            ::sync_file_range(fd, handed, written - handed, SYNC_FILE_RANGE_WRITE);
            handed = written;
        }
        return true;
    };
    std::string reason;
    if (produce(write, &reason)) return true;
    if (writeErr) return fail(error, path, writeErr);
    if (error) *error = reason.empty() ? path + ": " + std::strerror(EIO) : reason;
    return false;
}

enum class Outcome { Done, Failed, TryInPlace };

Outcome replaceByRename(const std::string& path, const struct stat* old,
                        const TProduceBytes& produce, std::string* error) {
    const std::string folder = folderOf(path);
    std::string tmp = folder + kTempPattern;
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) return fail(error, path, errno), Outcome::Failed;
    auto drop = [&](Outcome o) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return o;
    };
    mode_t mode = newFileMode();
    if (old) {
        const bool root = ::geteuid() == 0;
        if ((root && old->st_uid != ::geteuid()) || old->st_gid != ::getegid()) {
            if (::fchown(fd, root ? old->st_uid : static_cast<uid_t>(-1), old->st_gid) != 0)
                return drop(Outcome::TryInPlace);
        }
        if (!copyAttributes(path, fd)) return drop(Outcome::TryInPlace);
        mode = old->st_mode & 07777;
    }
    if (::fchmod(fd, mode) != 0) {
        const int e = errno;
        return fail(error, path, e), drop(Outcome::Failed);
    }
    if (!produceInto(fd, path, produce, error)) return drop(Outcome::Failed);
    int err = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tmp.c_str());
        return fail(error, path, err), Outcome::Failed;
    }
    syncFolder(folder);
    return Outcome::Done;
}

bool replaceInPlace(const std::string& path, const TProduceBytes& produce, std::string* error) {
    const std::string folder = folderOf(path);
    // First a whole copy of the old content beside it, on the disk before the file is touched.
    std::string copy = folder + kTempPattern;
    const int cfd = ::mkostemp(copy.data(), O_CLOEXEC);
    if (cfd < 0) return fail(error, path, errno);
    const int src = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    int err = 0;
    if (src < 0 || !copyContent(src, cfd) || ::fsync(cfd) != 0) err = errno;
    if (err) {
        if (src >= 0) ::close(src);
        ::close(cfd);
        ::unlink(copy.c_str());
        return fail(error, path, err);
    }
    syncFolder(folder);

    bool ok = produceInto(src, path, produce, error);
    if (ok) {
        const off_t end = ::lseek(src, 0, SEEK_CUR);
        err = end < 0 || ::ftruncate(src, end) != 0 || ::fsync(src) != 0 ? errno : 0;
        if (err) ok = fail(error, path, err);
    }
    if (!ok && (!copyContent(cfd, src) || ::fsync(src) != 0)) {
        // The old content could not be put back: it stays in the copy, which the user is told of.
        ::close(src);
        ::close(cfd);
        if (error) *error += "\r\n元の内容は " + copy + " に残っています。";
        return false;
    }
    ::close(src);
    ::close(cfd);
    ::unlink(copy.c_str());
    syncFolder(folder);
    return ok;
}

} // namespace

TReplaceWay ReplaceWayFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return TReplaceWay::Rename;
    if (st.st_nlink > 1) return TReplaceWay::InPlace;
    const uid_t me = ::geteuid();
    if (me == 0) return TReplaceWay::Rename; // gives any owner and group
    if (st.st_uid != me || !inGroup(st.st_gid)) return TReplaceWay::InPlace;
    return TReplaceWay::Rename;
}

bool ReplaceFileContent(const std::string& path, const TProduceBytes& produce, std::string* error) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return fail(error, path, EISDIR);
    if (!exists || ReplaceWayFor(path) == TReplaceWay::Rename) {
        const Outcome o = replaceByRename(path, exists ? &st : nullptr, produce, error);
        if (o != Outcome::TryInPlace) return o == Outcome::Done;
    }
    return replaceInPlace(path, produce, error);
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes, std::string* error) {
    return ReplaceFileContent(
        path, [bytes](const TWriteBytes& write, std::string*) { return write(bytes); }, error);
}
