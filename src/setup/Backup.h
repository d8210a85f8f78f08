// Backup and restore of the "Files" folder beside the program: the two destinations with their
// time stamps, the folder choice with its medium questions, the checks and the copies.
#pragma once

#include "platform/Drives.h"
#include "setup/FolderCopy.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kBackupFolderName = "Tolmobak";
inline constexpr const char* kFilesFolderName = "Files";
inline constexpr const char* kSafeGuardFolderName = "SafeGuard";
inline constexpr const char* kNotBackedUp = "バックアップされていません。";
inline constexpr const char* kSetupSection = "Setup";

// The copy page's values, kept in section [Setup] of the file BackupSettingsFile names.
struct TBackupSettings {
    std::string edtCopy1, edtCopy2;
    std::string lblCopy1 = kNotBackedUp, lblCopy2 = kNotBackedUp;
    std::string edtCopy3;
};

// The settings file beside the program (program folder + "Tolmo.ini"); the data folder's
// settings file when the program folder cannot be written (an installed program).
std::string BackupSettingsFile(const std::string& programFolder, const std::string& dataFolder);
// Read only when the file exists; the defaults otherwise.
TBackupSettings ReadBackupSettings(const std::string& file);
bool WriteBackupSettings(const std::string& file, const TBackupSettings& s);

// The time stamp of a backup: era name and year, 年, month, 月, day, 日(weekday) hh:mm 退避.
std::string BackupStamp(int32_t jd, int hour, int minute);
// The same for now.
std::string BackupStampNow();

// What a folder button does with the folder the user chose (without a trailing "/"): the medium
// questions, then the "Tolmobak" proposal. The folder to put into the edit box (with "/"), or
// nothing when the command ended with a message. probe answers for the chosen folder.
std::optional<std::string> ChooseBackupDestination(TAsker& asker, const std::string& chosen,
                                                   const TMediumState& medium);
std::optional<std::string> ChooseRestoreSource(TAsker& asker, const std::string& chosen,
                                               const TMediumState& medium);

// Backup to a destination (the edit's text); on success the stamp goes into *stamp. Asks and tells
// through asker; true when the copy was done.
bool RunBackup(TAsker& asker, const std::string& destText, const std::string& programFolder,
               TCopyObserver* observer, std::string* stamp);
// Restore from the edit's text; before copying, settings are written to settingsFile. A file the
// restore replaces with different content is kept first in the program folder's
// "SafeGuard/Files/" (same sub-folder, generations "01_" + name ...). True when the copy was
// done and the program must end.
bool RunRestore(TAsker& asker, const std::string& sourceText, const std::string& programFolder,
                TCopyObserver* observer, const std::string& settingsFile,
                const TBackupSettings& settings);
