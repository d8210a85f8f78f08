// Backup and restore of the text-file folder.
#include "setup/Backup.h"

#include "app/ShellUtil.h"
#include "calendar/DateText.h"
#include "calendar/JulianDay.h"
#include "platform/IniFile.h"
#include "platform/TextUtil.h"
#include "setup/SetupFiles.h"

#include <ctime>
#include <unistd.h>

namespace {

const char* const kStop = "\r\n中止します。";

// A small medium (a diskette) is never offered a "Tolmobak" folder.
constexpr unsigned long long kSmallMedium = 3126000;

bool mediumReady(TAsker& asker, const TMediumState& m) {
    if (!m.removable) return true;
    if (!asker.AskYesNo("メディアをセットしてください。", true)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    switch (MediaStateFromErrno(m.error)) {
    case TMediaState::Ready:
        break;
    case TMediaState::NotReady:
        asker.ShowMessage(std::string("メディアがセットされていません。") + kStop);
        return false;
    case TMediaState::Unformatted:
        asker.ShowMessage(std::string("メディアが未フォーマットです。") + kStop);
        return false;
    case TMediaState::DiskError:
        asker.ShowMessage(std::string("ディスクエラーです。") + kStop);
        return false;
    }
    return true;
}

bool containsNoCase(const std::string& text, const std::string& part) {
    return UpperAscii(text).find(UpperAscii(part)) != std::string::npos;
}

void copyResultMessage(TAsker& asker, int result) {
    if (result == kCopyDeclined)
        asker.ShowMessage(std::string("上書き確認で「いいえ」が押されました。") + kStop);
    else if (result == kCopyCancelled)
        asker.ShowMessage(std::string("上書き確認で「キャンセル」が押されました。") + kStop);
    else
        asker.ShowMessage(std::string("コピー作業中にエラーが生じました。") + kStop);
}

} // namespace

std::string BackupSettingsFile(const std::string& programFolder, const std::string& dataFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) return programFolder + "Tolmo.ini";
    return dataFolder + "Tolmo.ini";
}

TBackupSettings ReadBackupSettings(const std::string& file) {
    TBackupSettings s;
    if (!PathExists(file)) return s;
    TIniFile ini(file);
    s.edtCopy1 = ini.ReadString(kSetupSection, "edtCopy1", s.edtCopy1);
    s.edtCopy2 = ini.ReadString(kSetupSection, "edtCopy2", s.edtCopy2);
    s.lblCopy1 = ini.ReadString(kSetupSection, "lblCopy1", s.lblCopy1);
    s.lblCopy2 = ini.ReadString(kSetupSection, "lblCopy2", s.lblCopy2);
    s.edtCopy3 = ini.ReadString(kSetupSection, "edtCopy3", s.edtCopy3);
    return s;
}

bool WriteBackupSettings(const std::string& file, const TBackupSettings& s) {
    TIniFile ini(file);
    ini.BeginUpdate();
    ini.WriteString(kSetupSection, "edtCopy1", s.edtCopy1);
    ini.WriteString(kSetupSection, "edtCopy2", s.edtCopy2);
    ini.WriteString(kSetupSection, "lblCopy1", s.lblCopy1);
    ini.WriteString(kSetupSection, "lblCopy2", s.lblCopy2);
    ini.WriteString(kSetupSection, "edtCopy3", s.edtCopy3);
    return ini.EndUpdate();
}

std::string BackupStamp(int32_t jd, int hour, int minute) {
    return tolmo::FormatDateText("gge年m月d日(aaa) hh:nn 退避", jd, hour, minute);
}

std::string BackupStampNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return BackupStamp(tolmo::DateToJulius(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday),
                       tm.tm_hour, tm.tm_min);
}

std::optional<std::string> ChooseBackupDestination(TAsker& asker, const std::string& chosen,
                                                   const TMediumState& medium) {
    if (!mediumReady(asker, medium)) return std::nullopt;
    const std::string folder = IncludeTrailingChar(chosen, "/");
    const bool small = medium.removable && medium.totalBytes < kSmallMedium;
    if (containsNoCase(chosen, kBackupFolderName) || small) return folder;
    const std::string proposed = folder + kBackupFolderName + "/";
    if (IsFolder(proposed)) return proposed;
    if (!asker.AskYesNo("指定されたフォルダーに</Tolmobak/>のフォルダを\r\n付け加えますか？", true))
        return folder;
    if (!EnsureFolder(proposed, true, nullptr)) {
        asker.ShowMessage(std::string("フォルダを作成できませんでした。") + kStop);
        return std::nullopt;
    }
    return proposed;
}

std::optional<std::string> ChooseRestoreSource(TAsker& asker, const std::string& chosen,
                                               const TMediumState& medium) {
    if (!mediumReady(asker, medium)) return std::nullopt;
    std::string folder = IncludeTrailingChar(chosen, "/");
    if (IsFolder(folder + kBackupFolderName) &&
        asker.AskYesNo("指定されたフォルダーに</Tolmobak/>を\r\n付け加えますか？", true))
        folder += std::string(kBackupFolderName) + "/";
    // Only a "Files" folder can be restored: the one a backup left inside the chosen folder.
    if (!folder.ends_with(std::string("/") + kFilesFolderName + "/") &&
        IsFolder(folder + kFilesFolderName))
        folder += std::string(kFilesFolderName) + "/";
    return folder;
}

bool RunBackup(TAsker& asker, const std::string& destText, const std::string& programFolder,
               TCopyObserver* observer, std::string* stamp) {
    const std::string d = IncludeTrailingChar(destText, "/");
    const std::string files = programFolder + kFilesFolderName;
    if (Trim(d).size() < 2) {
        asker.ShowMessage(std::string("フォルダの設定が、不明です。") + kStop);
        return false;
    }
    if (!IsFolder(d)) {
        asker.ShowMessage(std::string("フォルダが存在しません。") + kStop);
        return false;
    }
    if (!IsFolder(files)) {
        asker.ShowMessage(std::string("データフォルダが見つけられません。") + kStop);
        return false;
    }
    if (d == files + "/") {
        asker.ShowMessage(std::string("データフォルダはデータの保存先に出来ません。") + kStop);
        return false;
    }
    if (d == programFolder) {
        asker.ShowMessage(std::string("起動フォルダはデータの保存先に出来ません。") + kStop);
        return false;
    }
    // A destination inside "Files" would copy the folder into itself without end.
    if (IsInsideFolder(d, files)) {
        asker.ShowMessage(std::string("データフォルダの中はデータの保存先に出来ません。") + kStop);
        return false;
    }
    int result = CopyFolderInto(files, d, observer);
    if (result != kCopyDone) {
        copyResultMessage(asker, result);
        return false;
    }
    asker.ShowMessage("データ退避作業を終了しました。");
    if (stamp) *stamp = BackupStampNow();
    return true;
}

bool RunRestore(TAsker& asker, const std::string& sourceText, const std::string& programFolder,
                TCopyObserver* observer, const std::string& settingsFile,
                const TBackupSettings& settings) {
    if (!asker.AskYesNo("データ回復を行いますか？", false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    const std::string s = ExcludeTrailingChar(sourceText, "/");
    const std::string files = programFolder + kFilesFolderName;
    if (s.size() < 2) {
        asker.ShowMessage(std::string("フォルダの設定が、不明です。") + kStop);
        return false;
    }
    if (!IsFolder(s)) {
        asker.ShowMessage(std::string("フォルダが存在しません。") + kStop);
        return false;
    }
    // Only a folder named "Files" is restored (the whole last component, so that a folder
    // such as "OldFiles" is not taken for it).
    if (s.size() < 6 || s.compare(s.size() - 6, 6, "/Files") != 0) {
        asker.ShowMessage(std::string("Filesフォルダしかコピーできません。") + kStop);
        return false;
    }
    if (!IsFolder(files))
        asker.ShowMessage("データフォルダが見つけられませんが、\r\nこのまま作業を続けます。");
    if (s == files) {
        asker.ShowMessage(std::string("データフォルダはデータの保存元に出来ません。") + kStop);
        return false;
    }
    if (s + "/" == programFolder) {
        asker.ShowMessage(std::string("起動フォルダはデータの保存元に出来ません。") + kStop);
        return false;
    }
    WriteBackupSettings(settingsFile, settings);
    // Files the restore replaces are kept as generations in the program folder's SafeGuard.
    int result = CopyFolderInto(s, programFolder, observer, nullptr,
                                programFolder + kSafeGuardFolderName + "/", &asker);
    if (result != kCopyDone) {
        copyResultMessage(asker, result);
        return false;
    }
    asker.ShowMessage("データ回復作業を終了しました。\r\n\r\n一旦、トルモを終了させます。\r\n"
                      "トルモを立ち上げ直して下さい。");
    return true;
}
