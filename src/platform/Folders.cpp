// Program and user folders on Linux (freedesktop.org base directories).
#include "platform/Folders.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string withSlash(std::string s) {
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

std::string xdgOr(const char* var, const char* fallbackBelowHome) {
    const char* v = std::getenv(var);
    if (v && v[0] == '/') return withSlash(v);
    return HomeFolder() + fallbackBelowHome;
}

} // namespace

std::string ProgramFile() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string ProgramFolder() {
    std::string f = ProgramFile();
    auto slash = f.rfind('/');
    if (slash == std::string::npos) return withSlash(HomeFolder());
    return f.substr(0, slash + 1);
}

std::string HomeFolder() {
    const char* h = std::getenv("HOME");
    if (h && h[0] == '/') return withSlash(h);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return withSlash(pw->pw_dir);
    return "/tmp/";
}

std::string ConfigHome() {
    return xdgOr("XDG_CONFIG_HOME", ".config/");
}
std::string DataHome() {
    return xdgOr("XDG_DATA_HOME", ".local/share/");
}
std::string StateHome() {
    return xdgOr("XDG_STATE_HOME", ".local/state/");
}
std::string WindowsFolder() {
    return HomeFolder();
}
std::string WindowsDriveRoot() {
    return HomeFolder();
}
std::string CommonFilesFolder() {
    return ConfigHome();
}
std::string ProgramFilesFolder() {
    return DataHome();
}

std::string FindCompanionFile(const std::string& programFolder, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(programFolder + name, ec)) return programFolder + name;
    const fs::path shared =
        (fs::path(programFolder).parent_path().parent_path() / "share/tolmo" / name)
            .lexically_normal();
    if (fs::is_regular_file(shared, ec)) return shared.string();
    return {};
}

bool IsInstalledProgram(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path bin = fs::path(programFolder).parent_path();
    return bin.filename() == "bin" && fs::is_directory(bin.parent_path() / "share/tolmo", ec);
}

std::string TextsHome(const std::string& programFolder) {
    return IsInstalledProgram(programFolder) ? DataHome() + "tolmo/" : programFolder;
}
