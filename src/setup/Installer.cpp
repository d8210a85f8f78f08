// The setup run and the shortcut switches.
#include "setup/Installer.h"

#include "app/DataFolder.h"
#include "app/ShellUtil.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/TextUtil.h"
#include "setup/SetupFiles.h"

#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kStop = "\r\n中止します。";

void errorBox(TAsker& asker, const std::string& text) {
    TMessage m;
    m.caption = "エラー";
    m.text = text;
    m.icon = TMsgIcon::Error;
    asker.Show(m);
}

// Files this run created in the target, removed again when the setup fails, so that a broken
// setup leaves nothing a later setup or start would take for an installation.
class TCreatedFiles {
  public:
    void Copy(const std::string& from, const std::string& to) {
        const bool existed = PathExists(to);
        CopyFileOver(from, to);
        if (!existed) created_.push_back(to);
    }
    void Note(const std::string& path) { created_.push_back(path); }
    void Undo() {
        std::error_code ec;
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            fs::remove(*it, ec);
        created_.clear();
    }

  private:
    std::vector<std::string> created_;
};

std::string replaceAllNoCase(const std::string& text, const std::string& from,
                             const std::string& to) {
    if (from.empty()) return text;
    const std::string upper = UpperAscii(text), key = UpperAscii(from);
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = upper.find(key, pos)) != std::string::npos; pos = hit + key.size())
        out += text.substr(pos, hit - pos) + to;
    return out + text.substr(pos);
}

// The "Files" folder of a new setup; every failure is reported and the setup goes on.
void copyTextFolder(TAsker& asker, const std::string& source, const std::string& target) {
    try {
        const std::string from = TextsHome(source) + "Files/", to = target + "Files/";
        if (!EnsureFolder(to, true, nullptr)) {
            errorBox(asker, "セットアップフォルダにファイルフォルダが作成できません。\r\n"
                     "セットアップ処理は続行します。");
            return;
        }
        if (!IsFolder(from)) {
            asker.ShowMessage("/Filesフォルダが規定値ではありません。\r\n"
                              "/Files のファイルは、ユーザーにおいてコピー等を行ってください。\r\n"
                              "ファイルが存在しなければ、何もする必要はありません。");
            return;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& e : fs::directory_iterator(from))
            if (e.is_regular_file()) files.push_back(e.path());
        if (files.empty()) {
            asker.ShowMessage(std::string("コピーするファイルが、１つも存在しません。") + kStop);
        } else {
            for (const fs::path& f : files) {
                std::string why;
                if (!CopyFileStream(f.string(), to + f.filename().string(), &why))
                    throw ESetupError(why);
            }
        }
        // Settings copied along name the old text folder: point them at the new one.
        const std::string ini = target + kSettingsFileName;
        std::string text;
        if (PathExists(ini) && ReadWholeFile(ini, text)) {
            std::string changed = replaceAllNoCase(text, from, to);
            if (changed != text && !WriteFileAtomic(ini, changed)) throw ESetupError(ini);
        }
    } catch (const std::exception&) {
        asker.ShowMessage("「Filesフォルダの作成とデータコピー」でエラーです。");
    }
}

// Linux desktops list the start menu's and the program menu's entries in one application menu:
// while both are there, the program menu's is kept hidden (NoDisplay=true), so that the menu
// shows the program once; it shows again when the start menu's goes.
void showMenuEntryOnce(const TSpecialFolders& f) {
    const std::string entry = f.programs + kMenuShortcutName + kShortcutExt;
    const std::string hidden = "\nNoDisplay=true\n";
    std::string text;
    if (!PathExists(entry) || !ReadWholeFile(entry, text)) return;
    const bool hide = ShortcutPresent(f.startMenu, kMenuShortcutName);
    const std::size_t at = text.find(hidden);
    if (hide == (at != std::string::npos)) return;
    if (hide)
        text += hidden.substr(text.ends_with('\n') ? 1 : 0);
    else
        text.erase(at + 1, hidden.size() - 1);
    if (!WriteFileAtomic(entry, text) || ::chmod(entry.c_str(), 0755) != 0)
        throw ESetupError(kShortcutError);
}

// The install copy; false when it failed (a message has been shown or an error thrown).
bool installCopy(TAsker& asker, const TSetupRequest& r, const std::string& target,
                 TCreatedFiles& created) {
    // The data folder is made where it is missing; settings beside the running program stay
    // where they are (the new copy may take them along).
    if (!EnsureFolder(r.commonFilesFolder + "Brix/Tolmo/", true, nullptr)) {
        asker.ShowMessage("セットアップ先ファイルをローカルフォルダに設定します。");
        const bool had = HasLocalFolderMarker(target);
        if (!MakeLocalFolder(target)) throw ESetupError(kCopyError);
        if (!had) created.Note(target + kLocalFolderMarker);
    }
    const std::string program = r.sourceFolder + r.programName;
    if (!PathExists(program)) {
        asker.ShowMessage(r.sourceFolder + r.programName + " が存在しません。" + kStop);
        return false;
    }
    created.Copy(program, target + r.programName);
    // The companion files travel with the program: the read-me (not for a second copy), and the
    // holiday file where the target has none (the user may have extended theirs).
    const std::string readMe = FindCompanionFile(r.sourceFolder, kCompanionReadMe);
    if (!readMe.empty() && r.action != TSetupAction::SubSetup)
        created.Copy(readMe, target + kCompanionReadMe);
    const std::string holidays = FindCompanionFile(r.sourceFolder, kCompanionHolidays);
    if (!holidays.empty() && !PathExists(target + kCompanionHolidays))
        created.Copy(holidays, target + kCompanionHolidays);
    if (r.action == TSetupAction::Overwrite) return true;
    if (r.action == TSetupAction::SubSetup) {
        const bool had = HasLocalFolderMarker(target);
        if (!SetLocalFolderMarker(target, true)) throw ESetupError(kCopyError);
        if (!had) created.Note(target + kLocalFolderMarker);
        return true;
    }
    if (PathExists(r.sourceFolder + kSettingsFileName) && !PathExists(target + kSettingsFileName))
        created.Copy(r.sourceFolder + kSettingsFileName, target + kSettingsFileName);
    if (PathExists(r.sourceFolder + kFirstDataName))
        created.Copy(r.sourceFolder + kFirstDataName, target + kFirstDataName);
    copyTextFolder(asker, r.sourceFolder, target);
    const std::string installed = target + r.programName;
    if (r.desktop) CreateShortcut(installed, r.folders.desktop, kDesktopShortcutName);
    if (r.startMenu) CreateShortcut(installed, r.folders.startMenu, kMenuShortcutName);
    if (r.program) CreateShortcut(installed, r.folders.programs, kMenuShortcutName);
    showMenuEntryOnce(r.folders);
    return true;
}

void handOver(TAsker& asker, const TSetupRequest& r, const std::string& target, TSetupHost& host) {
    const std::string marker = target + kSetupHandOverMarker;
    for (const std::string& name :
         {std::string(kCompanionHolidays), std::string(kCompanionReadMe), r.programName}) {
        if (!PathExists(r.sourceFolder + name)) continue;
        try {
            CopyFileOver(r.sourceFolder + name, marker);
        } catch (const ESetupError&) {
        }
        break;
    }
    asker.ShowMessage("現在起動中のトルモを終了させ、\r\nセットアップしたトルモを起動させます。\r\n"
                      "一時的に、トルモが２つ立ち上がります。\r\n"
                      "確認（ＯＫ）後、10秒程度、そのままでお待ちください。");
    const bool started = host.StartInstalled(target + r.programName, target);
    if (started) host.Wait(5000);
    try {
        DeleteFileIfExists(marker);
    } catch (const ESetupError&) {
    }
    if (!started) {
        asker.ShowMessage("セットアップした " + target + r.programName +
                          " を起動できませんでした。\r\nご自分で起動してください。");
        return;
    }
    host.EndProgram();
}

} // namespace

TSetupOptionState OptionStateFor(TSetupAction action) {
    TSetupOptionState s;
    if (action == TSetupAction::OptionSetup) {
        s.enabled = true;
        s.grey = false;
    } else if (action == TSetupAction::Overwrite) {
        s.desktop = s.startMenu = s.program = false;
    }
    return s;
}

bool RunSetup(TAsker& asker, const TSetupRequest& r, TSetupHost& host) {
    const bool sub = r.action == TSetupAction::SubSetup;
    if (!asker.AskYesNo(std::string(sub ? "メイン以外のトルモの" : "") +
                            "セットアップを開始してよろしいですか？",
                        false)) {
        asker.ShowMessage("中止します。");
        return false;
    }
    if (!PathExists(r.sourceFolder + r.programName)) {
        asker.ShowMessage(r.sourceFolder + r.programName + " が存在しません。" + kStop);
        return false;
    }
    const std::string target = IncludeTrailingChar(r.targetText, "/");
    // Also the same folder written another way (a link, "..", a missing "/").
    std::error_code ec;
    if (Trim(target) == Trim(r.sourceFolder) ||
        (IsFolder(target) && fs::equivalent(target, r.sourceFolder, ec))) {
        asker.ShowMessage("受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。");
        return false;
    }
    if (target.size() < 2 || target[0] != '/') {
        errorBox(asker, "セットアップフォルダを作成できません。");
        host.FocusSetupFolder();
        return false;
    }
    const bool present = PathExists(target + r.programName);
    if (r.action == TSetupAction::Overwrite) {
        if (!present) {
            asker.ShowMessage("指定されたフォルダーに、" + r.programName +
                              " が存在しません。\r\n"
                              "上書きセットアップを中止します。");
            host.FocusSetupFolder();
            return false;
        }
    } else if (present && sub) {
        if (!asker.AskYesNo("指定されたフォルダーに、" + r.programName +
                                " が存在します。\r\n上書きしますか？",
                            true)) {
            asker.ShowMessage("中止します。");
            return false;
        }
    } else if (present) {
        asker.ShowMessage("指定されたフォルダーに、" + r.programName +
                          " が存在します。\r\n"
                          "上書きセットアップで、\r\nセットアップし直してください。");
        return false;
    }
    if (!EnsureFolder(target, true, nullptr)) {
        errorBox(asker, "セットアップフォルダを作成できません。");
        host.FocusSetupFolder();
        return false;
    }
    TCreatedFiles created;
    try {
        if (!sub && r.action != TSetupAction::Overwrite) {
            DeleteShortcuts(r.folders.desktop, "トルモ");
            DeleteShortcuts(r.folders.programs, kMenuShortcutName);
            DeleteShortcuts(r.folders.startMenu, kMenuShortcutName);
        }
        if (!installCopy(asker, r, target, created)) {
            created.Undo();
            return false;
        }
        // The running program itself.
        created.Copy(r.sourceFolder + r.programName, target + r.programName);
        asker.InfoBox(r.title + "のセットアップが終了しました。", "");
    } catch (const std::exception& e) {
        created.Undo();
        errorBox(asker, std::string(e.what()) + "\r" + "セットアップをやり直してみてください。");
        return false;
    }
    handOver(asker, r, target, host);
    return true;
}

std::string ShortcutFolder(const TSpecialFolders& f, TShortcutPlace place) {
    switch (place) {
    case TShortcutPlace::Desktop:
        return f.desktop;
    case TShortcutPlace::StartMenu:
        return f.startMenu;
    case TShortcutPlace::ProgramMenu:
        return f.programs;
    }
    return {};
}

std::string ShortcutName(TShortcutPlace place) {
    return place == TShortcutPlace::Desktop ? kDesktopShortcutName : kMenuShortcutName;
}

bool ShortcutOn(const TSpecialFolders& f, TShortcutPlace place) {
    return ShortcutPresent(ShortcutFolder(f, place), ShortcutName(place));
}

bool SwitchShortcutOn(TAsker& asker, const TSpecialFolders& f, TShortcutPlace place,
                      const std::string& program) {
    if (ShortcutOn(f, place)) return true;
    static const char* const questions[] = {"デスクトップにショートカットを作成してもいいですか？",
                                            "スタートメニューにトルモを登録してもいいですか？",
                                            "プログラムメニューにトルモを登録してもいいですか？"};
    if (!asker.AskYesNo(questions[static_cast<int>(place)], true)) return false;
    try {
        CreateShortcut(program, ShortcutFolder(f, place), ShortcutName(place));
        showMenuEntryOnce(f);
    } catch (const ESetupError& e) {
        asker.ShowErrorBox(e.what());
    }
    return ShortcutOn(f, place);
}

bool SwitchShortcutOff(TAsker& asker, const TSpecialFolders& f, TShortcutPlace place) {
    if (!ShortcutOn(f, place)) return false;
    static const char* const questions[] = {"デスクトップのショートカットを削除していいですか？",
                                            "スタートメニュー登録を解除していいですか？",
                                            "プログラムメニュー登録を解除していいですか？"};
    if (!asker.AskYesNo(questions[static_cast<int>(place)], false)) return true;
    try {
        DeleteShortcuts(ShortcutFolder(f, place), ShortcutName(place));
        showMenuEntryOnce(f);
    } catch (const ESetupError& e) {
        asker.ShowErrorBox(e.what());
    }
    return ShortcutOn(f, place);
}
