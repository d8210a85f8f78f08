// The no-replace move: rename where the file system can, copy and remove where it cannot.
#include "platform/FileMove.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void setError(std::string* error, int err) {
    if (error) *error = std::strerror(err);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Gives the file the new name unless something already has it: renameat2 with RENAME_NOREPLACE,
// else a hard link (which fails on an existing name) and the removal of the old name, else (file
// systems without links) a check and a plain rename. Returns 0 or an errno value.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) return 0;
        const int e = errno;
        ::unlink(to.c_str()); // one name only, the old one
        return e;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Copies the whole file into a new temporary file in the target's folder; its path in *temp.
int copyToTemp(const std::string& from, const std::string& to, std::string* temp) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat st {};
    if (::fstat(in, &st) != 0) {
        const int e = errno;
        ::close(in);
        return e;
    }
    std::string tmpl = folderOf(to) + ".tolmo-move-XXXXXX";
    const int out = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return e;
    }
    int err = 0;
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                err = errno;
                break;
            }
            done += w;
        }
        if (err) break;
    }
    if (!err && ::fchmod(out, st.st_mode & 07777) != 0) err = errno;
    if (!err) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times); // the times are a courtesy: a failure loses no data
    }
    if (!err && ::fsync(out) != 0) err = errno;
    if (::close(out) != 0 && !err) err = errno;
    ::close(in);
    if (err) {
        ::unlink(tmpl.c_str());
        return err;
    }
    *temp = tmpl;
    return 0;
}

void syncFolder(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

TMoveResult MoveFileNoReplace(const std::string& from, const std::string& to, std::string* error) {
    int err = renameNoReplace(from, to);
    if (err == 0) return TMoveResult::Moved;
    if (err == EEXIST || err == ENOTEMPTY) return TMoveResult::TargetExists;
    if (err != EXDEV) {
        setError(error, err);
        return TMoveResult::Failed;
    }
    // Another file system: copy, name the copy, and remove the old file only then.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return TMoveResult::TargetExists;
    std::string temp;
    if ((err = copyToTemp(from, to, &temp)) != 0) {
        setError(error, err);
        return TMoveResult::Failed;
    }
    err = renameNoReplace(temp, to);
    if (err != 0) {
        ::unlink(temp.c_str());
        if (err == EEXIST || err == ENOTEMPTY) return TMoveResult::TargetExists;
        setError(error, err);
        return TMoveResult::Failed;
    }
    syncFolder(to);
    if (::unlink(from.c_str()) != 0) {
        // The old file cannot go (its folder is write-protected): undo the copy, so that the file
        // is in one place only, the one the page knows.
        err = errno;
        ::unlink(to.c_str());
        setError(error, err);
        return TMoveResult::Failed;
    }
    syncFolder(from);
    return TMoveResult::Moved;
}
