// Mount-table look-up for drive kinds.
#include "platform/Drives.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <sys/statvfs.h>
#include <vector>

namespace {

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto oct = [](char c) { return c >= '0' && c <= '7'; };
        if (s[i] == '\\' && i + 3 < s.size() && oct(s[i + 1]) && oct(s[i + 2]) && oct(s[i + 3])) {
            out += static_cast<char>(((s[i + 1] - '0') << 6) | ((s[i + 2] - '0') << 3) |
                                     (s[i + 3] - '0'));
            i += 3;
            continue;
        }
        out += s[i];
    }
    return out;
}

bool isUnder(std::string_view path, std::string_view mount) {
    if (mount == "/") return !path.empty() && path[0] == '/';
    if (path.substr(0, mount.size()) != mount) return false;
    return path.size() == mount.size() || path[mount.size()] == '/';
}

} // namespace

TMountInfo FindMount(std::string_view text, std::string_view path) {
    TMountInfo best;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        std::istringstream ls(line);
        std::vector<std::string> f;
        for (std::string w; ls >> w;)
            f.push_back(w);
        if (f.size() < 7) continue;
        std::size_t dash = 6;
        while (dash < f.size() && f[dash] != "-")
            ++dash;
        if (dash + 1 >= f.size()) continue;
        std::string mp = unescape(f[4]);
        if (!isUnder(path, mp)) continue;
        if (best.found && mp.size() < best.mountPoint.size()) continue;
        best.found = true;
        best.mountPoint = mp;
        best.fsType = dash + 1 < f.size() ? f[dash + 1] : "";
        best.source = dash + 2 < f.size() ? unescape(f[dash + 2]) : "";
    }
    return best;
}

TMountInfo MountOf(const std::string& path) {
    std::string text;
    if (!ReadWholeFile("/proc/self/mountinfo", text)) return {};
    return FindMount(text, path);
}

bool IsCdRomFileSystem(std::string_view fsType) {
    return fsType == "iso9660" || fsType == "udf";
}

bool IsCdRomStart() {
    return IsCdRomFileSystem(MountOf(ProgramFile()).fsType);
}

bool IsRemovableMount(const TMountInfo& m, const std::string& sysBlock) {
    if (!m.found) return false;
    auto under = [&](std::string_view root) {
        return m.mountPoint.size() > root.size() && m.mountPoint.compare(0, root.size(), root) == 0;
    };
    if (under("/media/") || under("/run/media/")) return true;
    // "/dev/sdb1" -> sdb (the disk of a partition carries the flag).
    if (m.source.rfind("/dev/", 0) != 0) return false;
    // The disk of a partition carries the flag: sdb1 -> sdb, nvme0n1p2 -> nvme0n1.
    std::string disk = m.source.substr(5);
    std::vector<std::string> names = {disk};
    while (!disk.empty() && disk.back() >= '0' && disk.back() <= '9')
        disk.pop_back();
    if (disk.size() > 1 && disk.back() == 'p' && disk[disk.size() - 2] >= '0' &&
        disk[disk.size() - 2] <= '9')
        disk.pop_back();
    names.push_back(disk);
    for (const std::string& name : names) {
        std::string flag;
        if (!name.empty() && name.find('/') == std::string::npos &&
            ReadWholeFile(sysBlock + name + "/removable", flag))
            return !flag.empty() && flag[0] == '1';
    }
    return false;
}

TMediaState MediaStateFromErrno(int err) {
    switch (err) {
    case 0:
        return TMediaState::Ready;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
    case ENOTCONN:
        return TMediaState::NotReady;
    case EMEDIUMTYPE:
    case EUCLEAN:
        return TMediaState::Unformatted;
    default:
        return TMediaState::DiskError;
    }
}

TMediaState MediaStateOf(const std::string& folder) {
    struct statvfs sv {};
    return MediaStateFromErrno(::statvfs(folder.c_str(), &sv) == 0 ? 0 : errno);
}

TMediumState ProbeMedium(const std::string& folder) {
    TMediumState s;
    s.removable = IsRemovableMount(MountOf(folder));
    struct statvfs v {};
    if (::statvfs(folder.c_str(), &v) != 0) {
        s.error = errno;
        return s;
    }
    s.totalBytes = static_cast<unsigned long long>(v.f_blocks) * v.f_frsize;
    return s;
}
