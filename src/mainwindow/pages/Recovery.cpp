// Recovery files: format, private folders, instance claims and the search for orphans.
#include "mainwindow/pages/Recovery.h"

#include "platform/DiskStamp.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMagic = "Tolmo recovery 1\n";
constexpr const char* kLockName = "lock";
constexpr const char* kSuffix = ".recovery";

std::string escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

bool fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

bool parseInt(std::string_view s, std::int64_t& v) {
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    return !s.empty() && ec == std::errc() && p == end;
}

// Writes everything; false with errno set.
bool writeAll(int fd, std::string_view s) {
    while (!s.empty()) {
        const ssize_t n = ::write(fd, s.data(), s.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        s.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes through a buffer, so that many short rows become few system calls.
class BufferedFile {
  public:
    explicit BufferedFile(int fd) : fd_(fd) { buf_.reserve(kSize); }
    void put(std::string_view s) {
        if (err_) return;
        if (buf_.size() + s.size() > kSize) flush();
        if (s.size() >= kSize) {
            if (!writeAll(fd_, s)) err_ = errno;
            return;
        }
        buf_.append(s);
    }
    void flush() {
        if (!err_ && !buf_.empty() && !writeAll(fd_, buf_)) err_ = errno;
        buf_.clear();
    }
    int error() const { return err_; }

  private:
    static constexpr std::size_t kSize = 1 << 20;
    int fd_;
    std::string buf_;
    int err_ = 0;
};

// The atomic write shared by both forms: body writes the content through the buffer.
template <class Body> bool writeAtomic(const std::string& path, std::string* error, Body&& body) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string tmp = folder + ".tmp-" + path.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC); // mode 0600
    if (fd < 0) return fail(error, path + ": " + std::strerror(errno));
    BufferedFile out(fd);
    body(out);
    out.flush();
    int err = out.error();
    if (!err && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tmp.c_str());
        return fail(error, path + ": " + std::strerror(err));
    }
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

// Opens (creating) folder + "lock" and takes it without waiting; -1 when another process holds it.
int takeLock(const std::string& folder) {
    const int fd = ::open((folder + kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool isPrivateFolder(const std::string& folder, std::string* error) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return fail(error, folder + ": " + std::strerror(errno));
    if (!S_ISDIR(st.st_mode)) return fail(error, folder + " is not a folder");
    if (st.st_uid != ::geteuid()) return fail(error, folder + " belongs to another user");
    if (st.st_mode & 077) return fail(error, folder + " is open to other users");
    return true;
}

std::vector<std::string> lines(std::string_view s) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && s[i] != '\r' && s[i] != '\n') continue;
        out.emplace_back(s.substr(start, i - start));
        if (i + 1 < s.size() && s[i] == '\r' && s[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return out;
}

} // namespace

std::string RecoveryHeader(const TRecoveryRecord& r, std::int64_t length) {
    std::string h(kMagic);
    h += "path=" + escape(r.Path) + "\n";
    h += "encoding=" + escape(r.Encoding) + "\n";
    if (!r.LineEnd.empty()) h += "lineend=" + escape(r.LineEnd) + "\n";
    if (!r.Table.empty()) h += "table=" + escape(r.Table) + "\n";
    h += "time=" + std::to_string(r.Time) + "\n";
    h += "caret=" + std::to_string(r.CaretRow) + "\n";
    if (r.FileSize >= 0)
        h += "filesize=" + std::to_string(r.FileSize) +
             "\nfiletime=" + std::to_string(r.FileTimeNs) + "\n";
    h += "length=" + std::to_string(length) + "\n\n";
    return h;
}

bool ParseRecovery(std::string_view bytes, TRecoveryRecord& r, std::string* error) {
    if (bytes.substr(0, kMagic.size()) != kMagic) return fail(error, "not a recovery file");
    std::size_t pos = kMagic.size();
    TRecoveryRecord out;
    std::int64_t length = -1;
    bool havePath = false;
    for (;;) {
        const std::size_t nl = bytes.find('\n', pos);
        if (nl == std::string_view::npos) return fail(error, "the header is cut short");
        const std::string_view line = bytes.substr(pos, nl - pos);
        pos = nl + 1;
        if (line.empty()) break;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return fail(error, "a header line without a value");
        const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        std::int64_t n = 0;
        if (key == "path") {
            out.Path = unescape(value);
            havePath = !out.Path.empty();
        } else if (key == "encoding") {
            out.Encoding = unescape(value);
        } else if (key == "lineend") {
            out.LineEnd = unescape(value);
        } else if (key == "table") {
            out.Table = unescape(value);
        } else if (key == "time" || key == "caret" || key == "length" || key == "filesize" ||
                   key == "filetime") {
            if (!parseInt(value, n)) return fail(error, "a number that is not one");
            if (key == "time") out.Time = n;
            if (key == "caret")
                out.CaretRow = static_cast<int>(std::clamp<std::int64_t>(n, 0, 1 << 30));
            if (key == "length") length = n;
            if (key == "filesize") out.FileSize = n;
            if (key == "filetime") out.FileTimeNs = n;
        } // later versions may add keys: they are skipped
    }
    if (!havePath || length < 0) return fail(error, "the path or the length is missing");
    const auto len = static_cast<std::size_t>(length);
    if (bytes.size() - pos < len + kRecoveryTrailer.size())
        return fail(error, "the text is cut short");
    if (bytes.substr(pos + len) != kRecoveryTrailer) return fail(error, "the end mark is missing");
    out.Text.assign(bytes.substr(pos, len));
    r = std::move(out);
    return true;
}

bool WriteRecoveryFile(const std::string& path, const TRecoveryRecord& meta,
                       const TRowTableSnapshot& text, std::string* error) {
    return writeAtomic(path, error, [&](BufferedFile& out) {
        out.put(RecoveryHeader(meta, text.Bytes));
        text.ForEachPiece([&](std::string_view piece) { out.put(piece); });
        out.put(kRecoveryTrailer);
    });
}

bool WriteRecoveryFile(const std::string& path, const TRecoveryRecord& r, std::string* error) {
    return writeAtomic(path, error, [&](BufferedFile& out) {
        out.put(RecoveryHeader(r, static_cast<std::int64_t>(r.Text.size())));
        out.put(r.Text);
        out.put(kRecoveryTrailer);
    });
}

std::string RecoveryRoot() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state && *state == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/state";
    }
    if (base.back() != '/') base += '/';
    return base + "Brix/Tolmo/recovery/";
}

bool EnsurePrivateFolder(const std::string& folder, std::string* error) {
    std::error_code ec;
    const fs::path p(folder);
    const fs::path dir = p.has_filename() ? p : p.parent_path();
    if (!fs::exists(dir, ec)) {
        // Parents the usual way; the folder itself only for this user.
        fs::create_directories(dir.parent_path(), ec);
        if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
            return fail(error, dir.string() + ": " + std::strerror(errno));
    }
    return isPrivateFolder(dir.string(), error);
}

TRecoverySession::~TRecoverySession() {
    if (lock_ >= 0) ::close(lock_);
}

bool TRecoverySession::Open(const std::string& root, std::string* error) {
    if (!EnsurePrivateFolder(root, error)) return false;
    // Made under a hidden name and locked before it gets its real one, so that a start looking
    // for orphans never sees it unlocked.
    std::string tmp = root + ".new-XXXXXX";
    if (!::mkdtemp(tmp.data())) return fail(error, root + ": " + std::strerror(errno));
    tmp += '/';
    const int fd = takeLock(tmp);
    std::mt19937_64 rng(std::random_device{}());
    const std::string name =
        "run-" + std::to_string(::getpid()) + "-" + std::to_string(rng() % 1000000000) + "/";
    if (fd < 0 || ::rename(tmp.c_str(), (root + name).c_str()) != 0) {
        const int err = errno;
        if (fd >= 0) ::close(fd);
        std::error_code ec;
        fs::remove_all(tmp, ec);
        return fail(error, root + ": " + std::strerror(err));
    }
    folder_ = root + name;
    lock_ = fd;
    return true;
}

std::string TRecoverySession::FileFor(int pageId) const {
    return folder_ + "page-" + std::to_string(pageId) + kSuffix;
}

std::string TRecoverySession::ReplacedFileFor(int pageId) const {
    return folder_ + "page-" + std::to_string(pageId) + "-replaced" + kSuffix;
}

void TRecoverySession::Remove(int pageId) const {
    if (lock_ >= 0) ::unlink(FileFor(pageId).c_str());
}

void TRecoverySession::Finish() {
    if (lock_ < 0) return;
    std::error_code ec;
    fs::remove_all(folder_, ec);
    ::close(lock_);
    lock_ = -1;
}

TRecoveryOrphans::~TRecoveryOrphans() {
    for (Claimed& c : claimed_)
        if (c.lock >= 0) ::close(c.lock);
}

void TRecoveryOrphans::Collect(const std::string& root) {
    std::error_code ec;
    if (!isPrivateFolder(root.substr(0, root.size() - 1), nullptr)) return;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("run-", 0) != 0 || !entry.is_directory(ec) || entry.is_symlink(ec)) continue;
        const std::string folder = entry.path().string() + "/";
        const int lock = takeLock(folder);
        if (lock < 0) continue; // a live instance
        claimed_.push_back({folder, lock});
        for (const auto& file : fs::directory_iterator(folder, ec)) {
            const std::string fname = file.path().filename().string();
            if (fname == kLockName || fname.rfind(".tmp-", 0) == 0) continue;
            std::string bytes, why;
            TRecoveryCandidate c;
            c.File = file.path().string();
            bool ok = false;
            const int fd = ::open(c.File.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0) {
                why = std::strerror(errno);
            } else {
                char buf[1 << 16];
                ssize_t n;
                while ((n = ::read(fd, buf, sizeof buf)) > 0)
                    bytes.append(buf, static_cast<std::size_t>(n));
                ok = n == 0 && ParseRecovery(bytes, c.Record, &why);
                ::close(fd);
            }
            if (ok) {
                Pages.push_back(std::move(c));
                continue;
            }
            // Set aside where the user can still look at it; the start goes on.
            const std::string aside = root + "damaged/";
            ::mkdir(aside.c_str(), 0700);
            const std::string target = aside + name + "-" + fname;
            if (::rename(c.File.c_str(), target.c_str()) != 0) ::unlink(c.File.c_str());
            Damaged.push_back(target);
        }
    }
    std::stable_sort(Pages.begin(), Pages.end(),
                     [](const auto& a, const auto& b) { return a.Record.Time < b.Record.Time; });
}

void TRecoveryOrphans::Drop(const TRecoveryCandidate& c) {
    ::unlink(c.File.c_str());
}

void TRecoveryOrphans::Finish() {
    for (Claimed& c : claimed_) {
        std::error_code ec;
        bool empty = true;
        for (const auto& file : fs::directory_iterator(c.folder, ec))
            if (file.path().filename() != kLockName) empty = false;
        if (empty) fs::remove_all(c.folder, ec);
        ::close(c.lock);
        c.lock = -1;
    }
    claimed_.clear();
}

bool FileMovedOnSince(const TRecoveryRecord& r) {
    if (r.FileSize < 0) return false;
    const TDiskStamp now = StampOf(r.Path);
    return !now.exists || now.size != r.FileSize || now.mtimeNs != r.FileTimeNs;
}

std::string FirstDifferentLine(std::string_view text, std::string_view disk, bool haveDisk) {
    const std::vector<std::string> mine = lines(text);
    if (!haveDisk) {
        for (const std::string& l : mine)
            if (l.find_first_not_of(" \t") != std::string::npos) return l;
        return {};
    }
    const std::vector<std::string> theirs = lines(disk);
    for (std::size_t i = 0; i < mine.size(); ++i)
        if (i >= theirs.size() || mine[i] != theirs[i]) return mine[i];
    return {};
}

void TRecoveryClock::Edited(std::int64_t nowMs) {
    if (!pending_) first_ = nowMs;
    pending_ = true;
    last_ = nowMs;
}

bool TRecoveryClock::Due(std::int64_t nowMs) const {
    return pending_ && (nowMs - last_ >= kQuietMs || nowMs - first_ >= kMaxMs);
}

std::int64_t TRecoveryClock::DueAt() const {
    return std::min(last_ + kQuietMs, first_ + kMaxMs);
}

TRecoveryPageState::TAction TRecoveryPageState::Tick(bool modified, std::int64_t nowMs) {
    if (!modified) {
        const bool had = Written;
        Written = false;
        Clock.Written();
        return had ? TAction::Remove : TAction::None;
    }
    return Clock.Due(nowMs) || (!Written && !Clock.Pending()) ? TAction::Write : TAction::None;
}

bool SavesAtUnattendedEnd(bool saveNamed, bool untitled, bool readOnly) {
    return saveNamed && !untitled && !readOnly;
}
