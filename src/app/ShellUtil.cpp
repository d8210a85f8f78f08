// File and folder utilities on POSIX.
#include "app/ShellUtil.h"

#include "platform/TextUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string IncludeTrailingChar(std::string_view text, std::string_view ch) {
    std::string t = Trim(text);
    if (!t.empty() && !ch.empty() && !t.ends_with(ch)) t += ch;
    return t;
}

std::string ExcludeTrailingChar(std::string_view text, std::string_view ch) {
    std::string t = Trim(text);
    if (!t.empty() && !ch.empty() && t.ends_with(ch)) t.resize(t.size() - ch.size());
    return t;
}

std::string ExpandLongPath(std::string_view path) {
    std::string p(path);
    if (p.empty() || p.find_first_of("(,") != std::string::npos) return p;
    char* real = ::realpath(p.c_str(), nullptr);
    if (!real) return p;
    std::string r(real);
    std::free(real);
    // A folder keeps the trailing "/" it was given.
    if (p.back() == '/' && r.back() != '/') r += '/';
    return r;
}

namespace {

bool isProgramFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

TProgramCheck CheckProgram(const std::string& configured, std::string* resolved,
                           const std::string& path) {
    const std::string name = IncludeTrailingChar(configured, ""); // trimmed
    if (name.empty()) return TProgramCheck::Blank;
    if (name.find('/') != std::string::npos) {
        if (!isProgramFile(name)) return TProgramCheck::Missing;
        *resolved = name;
        return TProgramCheck::Ok;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string dir = path.substr(start, end - start);
        if (!dir.empty()) {
            const std::string candidate = IncludeTrailingChar(dir, "/") + name;
            if (isProgramFile(candidate) && ::access(candidate.c_str(), X_OK) == 0) {
                *resolved = candidate;
                return TProgramCheck::Ok;
            }
        }
        start = end + 1;
    }
    return TProgramCheck::Missing;
}

std::string DecodeSpaceToken(std::string_view text, bool encode) {
    std::string_view from = encode ? std::string_view(" ") : kSpaceToken;
    std::string_view to = encode ? kSpaceToken : std::string_view(" ");
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string_view::npos;
         pos = hit + from.size()) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
    }
    out.append(text.substr(pos));
    return out;
}

bool EnsureFolder(std::string_view folder, bool create, TAsker* asker) {
    std::string f(folder);
    if (f.size() > 1 && f.back() == '/') f.pop_back();
    std::error_code ec;
    if (fs::is_directory(f, ec)) return true;
    if (!create) return false;
    if (asker && !asker->AskYesNo("フォルダ[" + f + "]が存在しません。\r\n作成しますか。", true))
        return false;
    fs::create_directories(f, ec);
    if (fs::is_directory(f)) return true;
    if (asker)
        asker->ShowMessage("フォルダ[" + f + "]が作成出来ません。\r\nフォルダの作成を中止します。");
    return false;
}

bool CopyFileStream(const std::string& source, const std::string& target, std::string* error,
                    bool keepStamp) {
    auto fail = [&](const std::string& what, int err) {
        if (error) *error = what + ": " + std::strerror(err);
        return false;
    };
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return fail(source, errno);
    auto slash = target.rfind('/');
    std::string tmp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
                      "." + target.substr(slash + 1) + ".XXXXXX";
    int out = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (out < 0) {
        int e = errno;
        ::close(in);
        return fail(target, e);
    }
    struct stat st {};
    const bool stamped = keepStamp && ::fstat(in, &st) == 0;
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(out, stamped ? st.st_mode & 07777 : 0666 & ~mask);
    int err = 0;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buf + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                err = errno;
                break;
            }
            done += w;
        }
        if (err) break;
    }
    ::close(in);
    if (!err && stamped) {
        // As the mode: a medium that keeps no times (or coarser ones) still gets the copy.
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
    }
    if (!err && ::fsync(out) != 0) err = errno;
    if (::close(out) != 0 && !err) err = errno;
    if (!err && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tmp.c_str());
        return fail(target, err);
    }
    return true;
}

std::string GenerationFileName(const std::string& folder, int k, const std::string& name) {
    char num[16];
    std::snprintf(num, sizeof num, "%.2d", k);
    return folder + num + "_" + name;
}

bool GenerationCopy(const std::string& source, const std::string& destFolder, int g,
                    TAsker* asker) {
    const auto tell = [asker](const std::string& text) {
        if (asker) asker->ShowMessage(text);
    };
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        tell("[" + source + "]がありません。");
        return false;
    }
    if (g < 2 || g > 32) {
        tell("世代の数が正しくありません。");
        return false;
    }
    const std::string folder = IncludeTrailingChar(destFolder, "/");
    const std::string name = fs::path(source).filename().string();
    auto gen = [&](int k) { return GenerationFileName(folder, k, name); };
    auto exists = [&](int k) { return fs::exists(fs::symlink_status(gen(k), ec)); };
    try {
        if (!EnsureFolder(folder, true, nullptr)) throw fs::filesystem_error("folder", ec);
        int n = 0;
        while (n < 99 && exists(n + 1))
            ++n;
        for (int k = n; k >= g; --k)
            if (exists(k)) fs::remove(gen(k));
        for (int k = n; k >= 1; --k)
            if (exists(k)) fs::rename(gen(k), gen(k + 1));
        if (!exists(1)) {
            std::string why;
            if (!CopyFileStream(source, gen(1), &why, true)) throw std::runtime_error(why);
        }
        return true;
    } catch (const std::exception&) {
        tell("世代コピーエラー");
        return false;
    }
}

bool MoveToSafeGuard(TAsker& asker, const std::string& folder, const std::string& name,
                     int generations) {
    const std::string source = folder + name;
    std::error_code ec;
    if (!fs::exists(source, ec)) return true;
    if (!GenerationCopy(source, folder + "SafeGuard/", generations, &asker) ||
        !fs::remove(source, ec))
        asker.ShowMessage("SafeGuard コピーに失敗しました。");
    return true;
}
