// The user's special folders as setup and the options dialog use them: desktop, start menu,
// program menu, start-up and the file manager's "send to" scripts, all with a trailing "/".
#pragma once

#include <string>

struct TSpecialFolders {
    std::string desktop;   // xdg-user-dir DESKTOP
    std::string startMenu; // $XDG_DATA_HOME/applications/
    std::string programs;  // $XDG_DATA_HOME/applications/Brix/
    std::string startup;   // $XDG_CONFIG_HOME/autostart/
    std::string sendTo;    // $XDG_DATA_HOME/nautilus/scripts/
};

// The folders of the user running the program (nothing is created).
TSpecialFolders SpecialFolders();

// The desktop folder from the text of user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop"); the
// home folder + "Desktop/" when the file does not name one.
std::string DesktopFolderFrom(const std::string& userDirsText, const std::string& home);

// Where setup installs by default: $XDG_DATA_HOME/Brix/Tolmo/.
std::string DefaultSetupFolder();
