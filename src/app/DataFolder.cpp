// Data-folder resolution and the move of old settings into it.
#include "app/DataFolder.h"

#include "app/ShellUtil.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {
bool fileExists(const std::string& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}
} // namespace

void MoveSettingsToDataFolder(TAsker& asker, const std::string& newFolder,
                              const std::string& oldFolder) {
    if (!EnsureFolder(newFolder, false, nullptr)) {
        asker.ShowMessage("[" + newFolder +
                          "]が見つかりません。\r\n設定が保存されない可能性があります。");
        return;
    }
    for (const char* name : {kSettingsFileName, kRecentFileName}) {
        const std::string from = oldFolder + name, to = newFolder + name;
        if (fileExists(from) && !fileExists(to)) CopyFileStream(from, to);
        // The old copy goes into SafeGuard only when the data folder really holds the file now,
        // so that a failed copy can never take the user's settings out of reach.
        if (fileExists(to)) MoveToSafeGuard(asker, oldFolder, name, 5);
    }
}

bool CheckDataFolder(TAsker& asker, std::string& dataFolder, const std::string& programFolder,
                     bool messages) {
    if (fileExists(dataFolder + kSettingsFileName) || EnsureFolder(dataFolder, false, nullptr))
        return true;
    if (messages) asker.ShowMessage("[" + dataFolder + "]が見つかりません。\r\n作成し直します。");
    if (EnsureFolder(dataFolder, true, nullptr)) {
        MoveSettingsToDataFolder(asker, dataFolder, programFolder);
        return true;
    }
    asker.ShowMessage("[" + dataFolder + "]が作成できません。\r\n起動したフォルダに設定します。");
    dataFolder = programFolder;
    return false;
}

TDataFolderChoice ResolveDataFolder(TAsker& asker, const std::string& programFolder,
                                    const std::string& commonFilesFolder,
                                    const std::function<bool()>& isCdRom,
                                    const std::string& startRecord) {
    TDataFolderChoice c;
    const std::string marker = programFolder + kLocalFolderMarker;
    if (fileExists(marker)) {
        c.localFolder = true;
        c.dataFolder = programFolder;
        if (!fileExists(c.dataFolder + kSettingsFileName)) c.cdRom = isCdRom();
        TIniFile ini(marker);
        c.first = ini.ReadBool("Set", "First", false);
        if (c.first) ini.WriteBool("Set", "First", false);
        return c;
    }
    const std::string seed = programFolder + kLocalFolderSeed;
    if (fileExists(seed)) {
        std::error_code ec;
        fs::rename(seed, marker, ec);
        c.localFolder = true;
        c.dataFolder = programFolder;
        return c;
    }
    c.dataFolder = commonFilesFolder + "Brix/Tolmo/";
    // An installed program keeps the user's texts in the user's own data folder.
    if (IsInstalledProgram(programFolder))
        EnsureFolder(TextsHome(programFolder) + "Files/", true, nullptr);
    // The notice about a missing data folder only makes sense when there was one before.
    const bool ranBefore = startRecord.empty() || fileExists(startRecord);
    if (CheckDataFolder(asker, c.dataFolder, programFolder, ranBefore) && !startRecord.empty() &&
        !ranBefore) {
        auto slash = startRecord.rfind('/');
        if (EnsureFolder(startRecord.substr(0, slash + 1), true, nullptr))
            WriteFileAtomic(startRecord, c.dataFolder + "\n");
    }
    return c;
}

std::string StartRecordFile() {
    return StateHome() + "Brix/Tolmo/started";
}

bool SetLocalFolderMarker(const std::string& folder, bool on) {
    const std::string marker = IncludeTrailingChar(folder, "/") + kLocalFolderMarker;
    std::error_code ec;
    if (!on) return fs::remove(marker, ec) || !fs::exists(marker, ec);
    if (fileExists(marker)) return true;
    return WriteFileAtomic(marker, std::string(kLocalFolderMarkerLine) + "\n");
}

bool HasLocalFolderMarker(const std::string& folder) {
    return fileExists(folder + kLocalFolderMarker);
}

bool MakeLocalFolder(const std::string& folder) {
    TIniFile ini(folder + kLocalFolderMarker);
    ini.BeginUpdate();
    ini.WriteString("Set", "Folder", folder);
    ini.WriteBool("Set", "First", false);
    return ini.EndUpdate();
}
