// The user's special folders on a freedesktop.org desktop.
#include "setup/SpecialFolders.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/TextUtil.h"

std::string DesktopFolderFrom(const std::string& userDirsText, const std::string& home) {
    for (const std::string& raw : SplitTextLines(userDirsText)) {
        std::string line = Trim(raw);
        if (line.rfind("XDG_DESKTOP_DIR=", 0) != 0) continue;
        std::string v = line.substr(16);
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        if (v.rfind("$HOME", 0) == 0)
            v = home + (v.size() > 5 && v[5] == '/' ? v.substr(6) : v.substr(5));
        else if (v.empty() || v[0] != '/')
            continue; // the format allows only $HOME-relative or absolute paths
        if (v.back() != '/') v += '/';
        return v;
    }
    return home + "Desktop/";
}

TSpecialFolders SpecialFolders() {
    TSpecialFolders f;
    std::string dirs;
    ReadWholeFile(ConfigHome() + "user-dirs.dirs", dirs);
    f.desktop = DesktopFolderFrom(dirs, HomeFolder());
    f.startMenu = DataHome() + "applications/";
    f.programs = DataHome() + "applications/Brix/";
    f.startup = ConfigHome() + "autostart/";
    f.sendTo = DataHome() + "nautilus/scripts/";
    return f;
}

std::string DefaultSetupFolder() {
    return ProgramFilesFolder() + "Brix/Tolmo/";
}
