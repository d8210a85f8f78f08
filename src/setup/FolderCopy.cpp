// Recursive folder copy with progress and overwrite questions.
#include "setup/FolderCopy.h"

#include "app/ShellUtil.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path normal(const std::string& p) {
    std::error_code ec;
    fs::path a = fs::weakly_canonical(fs::absolute(p, ec), ec);
    std::string s = a.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool sameContent(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    return fa && fb &&
           std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

// Tells the observer that the copy has ended, on every way out.
struct FinishGuard {
    TCopyObserver* observer;
    ~FinishGuard() {
        if (observer) observer->Finished();
    }
};

} // namespace

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    const std::string p = normal(path).string(), f = normal(folder).string();
    if (p == f) return true;
    return p.size() > f.size() && p.compare(0, f.size(), f) == 0 &&
           (f == "/" || p[f.size()] == '/');
}

int CopyFolderInto(const std::string& source, const std::string& destFolder,
                   TCopyObserver* observer, std::string* error, const std::string& keepReplaced,
                   TAsker* asker) {
    FinishGuard finish{observer};
    auto fail = [&](int code, const std::string& why) {
        if (error) *error = why;
        return code;
    };
    const fs::path src = normal(source);
    std::error_code ec;
    if (!fs::is_directory(src, ec)) return fail(kCopyFailed, src.string() + ": no folder");
    const fs::path target = normal(destFolder) / src.filename();
    if (IsInsideFolder(destFolder, src.string()))
        return fail(kCopyIntoItself, destFolder + ": inside " + src.string());

    // The list first, so that the progress knows the total.
    std::vector<fs::path> folders{fs::path()}, files;
    for (fs::recursive_directory_iterator it(src, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path rel = it->path().lexically_relative(src);
        if (it->is_symlink(ec) && it->is_directory(ec)) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_directory(ec))
            folders.push_back(rel);
        else if (it->is_regular_file(ec))
            files.push_back(rel);
    }
    if (ec) return fail(kCopyFailed, src.string() + ": " + ec.message());

    for (const fs::path& f : folders) {
        fs::create_directories(target / f, ec);
        if (!fs::is_directory(target / f))
            return fail(kCopyFailed, (target / f).string() + ": cannot create");
    }
    bool declined = false, replaceAll = observer == nullptr;
    int done = 0;
    for (const fs::path& f : files) {
        const std::string to = (target / f).string();
        if (observer && !observer->Progress(f.string(), done, static_cast<int>(files.size())))
            return kCopyCancelled;
        ++done;
        const bool exists = fs::exists(fs::symlink_status(to, ec));
        if (exists && !replaceAll) {
            switch (observer->AskOverwrite(to)) {
            case TOverwriteAnswer::Yes:
                break;
            case TOverwriteAnswer::YesToAll:
                replaceAll = true;
                break;
            case TOverwriteAnswer::No:
                declined = true;
                continue;
            case TOverwriteAnswer::Cancel:
                return kCopyCancelled;
            }
        }
        // The folder may have gone meanwhile (a medium pulled out).
        if (!fs::is_directory((target / f).parent_path(), ec))
            return fail(kCopyFailed, (target / f).parent_path().string() + ": gone");
        if (exists && !keepReplaced.empty() && fs::is_regular_file(to, ec) &&
            !sameContent(src / f, to)) {
            const fs::path keep = fs::path(keepReplaced) / src.filename() / f.parent_path();
            if (!GenerationCopy(to, keep.string(), kReplacedGenerations, asker))
                return fail(kCopyFailed, to + ": not kept in " + keep.string());
        }
        std::string why;
        if (!CopyFileStream((src / f).string(), to, &why, true)) return fail(kCopyFailed, why);
    }
    if (observer) observer->Progress({}, done, static_cast<int>(files.size()));
    return declined ? kCopyDeclined : kCopyDone;
}
