// The file routines of setup and the options dialog: desktop entries in place of shell links,
// copies that keep the program executable, deletions, each failing with the program's message.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A failure of a setup step; what() is the message the user sees.
class ESetupError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kShortcutError = "ショートカットの作成に失敗しました。";
inline constexpr const char* kCopyError = "ファイルのコピーに失敗しました。";
inline constexpr const char* kDeleteError = "ファイルの削除に失敗しました。";
// A shortcut file: the design's ".lnk" becomes a desktop entry.
inline constexpr const char* kShortcutExt = ".desktop";

struct TDesktopEntry {
    std::string name;       // Name=
    std::string program;    // the program's full path: Exec=<quoted path> %F, Path=its folder
    std::string comment;    // Comment= (left out when empty)
    std::string mimeType;   // MimeType= (left out when empty)
    bool noDisplay = false; // NoDisplay=true: an entry for the association only
};

// One argument of an Exec line, quoted when it needs it (blanks, quotes, "$", "\", "`" ...).
std::string QuoteExecArgument(const std::string& arg);
// The text of a desktop entry (Type=Application, Icon=tolmo), values escaped as the
// freedesktop desktop-entry format wants ("\" as "\\" in string values, "%" as "%%" in Exec).
std::string DesktopEntryText(const TDesktopEntry& e);

// Writes folder + name + ".desktop" pointing at the program (name: the program's file name +
// "へのショートカット" when empty). The folder is created when missing. The file is written
// atomically and made executable, as a desktop shows only trusted launchers. Throws
// ESetupError(kShortcutError).
void CreateShortcut(const std::string& program, const std::string& folder, const std::string& name);
// True when the folder holds any of "Tolmo.desktop", "トルモ.desktop" or ownName + ".desktop".
bool ShortcutPresent(const std::string& folder, const std::string& ownName);
// Deletes each of those three that exists. Throws ESetupError(kDeleteError).
void DeleteShortcuts(const std::string& folder, const std::string& ownName);

// Copies a file over an existing target, atomically, keeping the source's permission bits (so
// that a copied program stays executable). Throws ESetupError(kCopyError).
void CopyFileOver(const std::string& source, const std::string& target);
// Deletes the file when it exists. Throws ESetupError(kDeleteError).
void DeleteFileIfExists(const std::string& path);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);

// Starts a program with arguments (an argument vector, no shell) in a working folder, without
// waiting. False when it could not be started.
bool StartDetached(const std::vector<std::string>& argv, const std::string& workingFolder);
