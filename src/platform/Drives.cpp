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

bool IsRemovableMount(const TMountInfo& m) {
    if (!m.found) return false;
    if (isUnder(m.mountPoint, "/media") || isUnder(m.mountPoint, "/run/media")) return true;
    if (m.source.rfind("/dev/", 0) != 0) return false;
    char* real = ::realpath(m.source.c_str(), nullptr);
    std::string dev = real ? real : m.source;
    std::free(real);
    const std::string name = dev.substr(dev.rfind('/') + 1);
    for (const std::string& f : {"/sys/class/block/" + name + "/removable",
                                 "/sys/class/block/" + name + "/../removable"}) {
        std::string v;
        if (ReadWholeFile(f, v)) return !v.empty() && v[0] == '1';
    }
    return false;
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
