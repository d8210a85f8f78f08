// Options dialog rules and its system actions.
#include "setup/Options.h"

#include "app/DataFolder.h"
#include "app/ShellUtil.h"
#include "calendar/DateText.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"
#include "platform/TextUtil.h"
#include "setup/MimeApps.h"
#include "setup/SetupFiles.h"

#include <algorithm>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string DateSample(int32_t jd, bool isWaYMD, bool isYoubi) {
    return "サンプル：" + tolmo::HidukeText(jd, isWaYMD, isYoubi);
}

bool THiddenPanelKeys::Key(char letter, bool onStartTab, bool groupHidden) {
    if (!onStartTab || !groupHidden) {
        armed_ = false;
        return false;
    }
    if (letter == 'G') {
        armed_ = true;
        return false;
    }
    const bool show = armed_ && letter == 'E';
    armed_ = false;
    return show;
}

TFileFormat ParseNewPageFormat(std::string_view encoding, std::string_view lineEnd) {
    TFileFormat f;
    SetEncodingByName(encoding, f);
    SetLineEndByName(lineEnd, f);
    return f;
}

TFileFormat ReadNewPageFormat(const std::string& settingsFile) {
    const TIniFile ini(settingsFile);
    return ParseNewPageFormat(ini.ReadString("Set", kNewEncodingKey, ""),
                              ini.ReadString("Set", kNewLineEndKey, ""));
}

bool WriteOptions(const std::string& settingsFile, const TSettings& s,
                  const TFileFormat& newPages) {
    TIniFile ini(settingsFile);
    ini.BeginUpdate();
    bool ok = WriteOptionSettings(ini, s);
    ok = ini.WriteString("Set", kNewEncodingKey, EncodingName(newPages.encoding, newPages.bom)) &&
         ok;
    ok = ini.WriteString("Set", kNewLineEndKey, LineEndName(newPages.lineEnd)) && ok;
    return ini.EndUpdate() && ok;
}

int ClampMenuCount(int n) {
    return std::clamp(n, 8, 30);
}

namespace {

std::string mimeAppsFile() {
    return ConfigHome() + "mimeapps.list";
}
std::string associationEntryFile() {
    return DataHome() + "applications/" + kAssociationEntry;
}

// Lets the desktop re-read its application entries, when the tool is there.
void refreshDesktopDatabase() {
    const std::string folder = DataHome() + "applications";
    pid_t pid = ::fork();
    if (pid == 0) {
        ::execlp("update-desktop-database", "update-desktop-database", "-q", folder.c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (pid > 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

} // namespace

bool TextFilesAssociated() {
    std::string text;
    return PathExists(associationEntryFile()) && ReadWholeFile(mimeAppsFile(), text) &&
           IsDefaultApplication(text, kTextMimeType, kAssociationEntry);
}

bool AssociateTextFiles(TAsker& asker, const std::string& program) {
    if (!asker.AskYesNo("テキストファイルをトルモに関連づけますか？", false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    TDesktopEntry e;
    e.name = "トルモ";
    e.program = program;
    e.comment = "テキスト文書";
    e.mimeType = "text/plain;";
    e.noDisplay = true;
    std::string text;
    const std::string list = mimeAppsFile();
    const bool listReadable = !PathExists(list) || ReadWholeFile(list, text);
    if (!listReadable || !EnsureFolder(DataHome() + "applications/", true, nullptr) ||
        !WriteFileAtomic(associationEntryFile(), DesktopEntryText(e)) ||
        !EnsureFolder(ConfigHome(), true, nullptr) ||
        !WriteFileAtomic(list, WithDefaultApplication(text, kTextMimeType, kAssociationEntry))) {
        asker.ShowMessage("テキストファイルをトルモに関連づけられませんでした。\r\n中止します。");
        return false;
    }
    refreshDesktopDatabase();
    asker.ShowMessage("テキストファイルをトルモに関連づけました。");
    return true;
}

bool RemoveTextAssociation(TAsker& asker) {
    if (!asker.AskYesNo("テキストファイルとトルモの関連づけを解除しますか？", false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    std::string text;
    const std::string list = mimeAppsFile();
    if (PathExists(list) && ReadWholeFile(list, text)) {
        std::string without = WithoutDefaultApplication(text, kTextMimeType, kAssociationEntry);
        // A list that held nothing but the association (made by it) goes with it.
        std::error_code ec;
        const bool nothingLeft = Trim(without).empty() && without != text;
        if (nothingLeft ? !fs::remove(list, ec)
                        : without != text && !WriteFileAtomic(list, without)) {
            asker.ShowMessage("関連づけを解除できませんでした。\r\n中止します。");
            return false;
        }
    }
    std::error_code ec;
    fs::remove(associationEntryFile(), ec);
    refreshDesktopDatabase();
    asker.ShowMessage("テキストファイルとトルモの関連づけを解除しました。");
    return true;
}

bool RegisterSendTo(TAsker& asker, const std::string& program, const TSpecialFolders& folders) {
    if (!asker.AskYesNo("「送る」にトルモを登録しますか？", false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    const std::string folder = IncludeTrailingChar(folders.sendTo, "/");
    const std::string link = folder + "トルモ";
    if ((PathExists(folder + "Tolmo") || PathExists(link)) &&
        !asker.AskYesNo("既に、トルモのショートカットが登録してあります。\r\n置き換えますか？",
                        false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    // The new link is made beside the old one and renamed over it, so a failure keeps the old.
    std::error_code ec;
    const std::string tmp = folder + ".トルモ.new";
    fs::remove(tmp, ec);
    if (!EnsureFolder(folder, true, nullptr) || (fs::create_symlink(program, tmp, ec), ec) ||
        (fs::rename(tmp, link, ec), ec)) {
        fs::remove(tmp, ec);
        asker.ShowErrorBox(kShortcutError);
        return false;
    }
    asker.ShowMessage("「送る」にトルモを登録しました。");
    return true;
}

bool SwitchLocalMarker(TAsker& asker, const std::string& programFolder, bool on) {
    if (SetLocalFolderMarker(programFolder, on)) return true;
    asker.ShowMessage("[" + programFolder + kLocalFolderMarker + "]を" + (on ? "作成" : "削除") +
                      "できませんでした。");
    return false;
}
