// The data folder: where Tolmo.ini and Tolmo.rec live, and the marker files that choose it.
#pragma once

#include "platform/MessageBox.h"

#include <functional>
#include <string>

inline constexpr const char* kLocalFolderMarker = "localfol.myc";
inline constexpr const char* kLocalFolderSeed = "Tolmondo.tlm";
inline constexpr const char* kSetupHandOverMarker = "Tolmo2Ju.$$$";
inline constexpr const char* kSettingsFileName = "Tolmo.ini";
inline constexpr const char* kRecentFileName = "Tolmo.rec";

// Makes sure the normal-mode data folder exists; moves settings kept beside the program into
// it when it had to be created. On failure the data folder becomes the program folder (false).
bool CheckDataFolder(TAsker& asker, std::string& dataFolder, const std::string& programFolder,
                     bool messages);
// Copies Tolmo.ini and Tolmo.rec from the old folder into the new one where the new one has
// none, then moves the old copies into the old folder's "SafeGuard" (five generations).
void MoveSettingsToDataFolder(TAsker& asker, const std::string& newFolder,
                              const std::string& oldFolder);

struct TDataFolderChoice {
    std::string dataFolder;   // with a trailing "/"
    bool localFolder = false; // the program folder is the data folder
    bool cdRom = false;       // local mode without Tolmo.ini, started from a CD-ROM
    bool first = false;       // [Set] First of the local-folder marker
};

// The whole choice made at start-up: local-folder markers first, else the normal data folder
// below CommonFilesFolder(). isCdRom is asked only in local mode without a Tolmo.ini.
// startRecord names a small file outside the data folder that says the program has run before
// (see StartRecordFile); the missing-folder notice is shown only when it exists, so that a
// true first start creates the data folder silently. Empty: the notice is always shown.
TDataFolderChoice ResolveDataFolder(TAsker& asker, const std::string& programFolder,
                                    const std::string& commonFilesFolder,
                                    const std::function<bool()>& isCdRom,
                                    const std::string& startRecord = {});
// The record of an earlier start: $XDG_STATE_HOME/Brix/Tolmo/started.
std::string StartRecordFile();

// The one line of a new local-folder marker.
inline constexpr const char* kLocalFolderMarkerLine = "このフォルダのトルモは、単独で起動します。";
// on: gives the folder a local-folder marker (its one line) unless it has one; off: removes the
// folder's marker. False when the marker could not be written or removed.
bool SetLocalFolderMarker(const std::string& folder, bool on);
bool HasLocalFolderMarker(const std::string& folder);
// Makes a folder a local folder as setup does: its marker gets [Set] Folder = the folder and
// First = 0 (other lines of an existing marker are kept). False when it cannot be written.
bool MakeLocalFolder(const std::string& folder);
