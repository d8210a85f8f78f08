// Safe replacement of a document file and the profile-section adapter of the lists.
#include "mainwindow/pages/DocumentFile.h"

#include "platform/FileReplace.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file a path finally names: links are followed, also a link whose target does not exist yet
// (saving through it creates the target and keeps the link).
std::string finalTarget(const std::string& path) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        char buf[PATH_MAX];
        ssize_t n = ::readlink(p.c_str(), buf, sizeof buf - 1);
        if (n < 0) return p;
        std::string link(buf, static_cast<std::size_t>(n));
        if (link.empty()) return p;
        if (link[0] != '/') link = PathFolder(p) + link;
        p = link;
    }
    return p;
}

} // namespace

bool SaveDocumentFile(const std::string& path, std::string_view bytes, std::string* error) {
    return SaveDocumentFile(
        path, [bytes](const TWriteBytes& write, std::string*) { return write(bytes); }, error);
}

bool SaveDocumentFile(const std::string& path, const TProduceBytes& produce, std::string* error) {
    const std::string target = finalTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            if (error) *error = target + ": " + std::strerror(EISDIR);
            return false;
        }
        // Renaming over a write-protected file would bypass its protection.
        if (::access(target.c_str(), W_OK) != 0) {
            if (error) *error = target + ": " + std::strerror(errno);
            return false;
        }
    }
    return ReplaceFileContent(target, produce, error);
}

TProfileSection IniSection(TIniFile& ini, const std::string& section) {
    return {[&ini, section](const std::string& key, const std::string& def) {
                return ini.ReadString(section, key, def);
            },
            [&ini, section](const std::string& key, const std::string& value) {
                return ini.WriteString(section, key, value);
            }};
}

bool SaveOpenFileList(TAsker& asker, TMyFileList& list, const std::string& programFile) {
    std::string path = list.SettingsPath();
    if (path.empty()) {
        path = programFile;
        const std::size_t slash = path.rfind('/'), dot = path.rfind('.');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            path.erase(dot);
        path += ".ini";
    }
    TIniFile ini(path);
    ini.BeginUpdate();
    const bool saved = list.Save(IniSection(ini, TMyFileList::kSection));
    if (ini.EndUpdate() && saved) return true;
    asker.ShowMessage(
        "ファイルリスト保存エラー\r\n（テキストは保存されています）\r\n終了処理を継続します。");
    return false;
}

std::optional<std::string> NameWithSaveType(const std::string& name, int type) {
    if (type < 0 || type > 1 || name.empty()) return std::nullopt;
    const size_t dot = name.rfind('.');
    return name.substr(0, dot != std::string::npos && dot > 0 ? dot : name.size()) +
           (type == 0 ? ".txt" : ".html");
}
