// The pages as documents: the rules of opening, saving and closing, without a window.
#include "mainwindow/pages/PageBook.h"

#include "app/ShellUtil.h"
#include "mainwindow/pages/SaveFailure.h"
#include "platform/Folders.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

const std::string kUntitled = kUntitledName;

// Keeps window redraw suspended for the life of the guard.
class UpdateLock {
  public:
    explicit UpdateLock(TPageHost& h) : h_(h) { h_.SuspendUpdates(true); }
    ~UpdateLock() { h_.SuspendUpdates(false); }

  private:
    TPageHost& h_;
};

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string TPageBook::TabCaption(const std::string& path) {
    return " " + NameWithoutExtension(PathFileName(path)) + " ";
}

std::string TPageBook::CloseAllProgress(int remaining, int total) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %3d /%3d", remaining, total);
    return " " + std::string(buf) + " " + std::string(remaining > 0 ? remaining : 0, '<');
}

bool TPageBook::IsUntitledSaveName(const std::string& name) {
    return upperAscii(name).find("無題.TXT") != std::string::npos;
}

std::string TPageBook::ResolveAgainst(const std::string& path, const std::string& programFolder) {
    if (path.empty() || path[0] == '/') return path;
    return programFolder + path;
}

std::string TPageBook::ActivePath() const {
    int i = host_.ActivePage();
    return i < 0 ? std::string() : list_.PathOf(i);
}

void TPageBook::NewPage(const std::string& path) {
    const std::string name = PathFileName(path);
    const std::string folder = PathFolder(path);
    if (!restoring) {
        int active = host_.ActivePage();
        // Opening a file into an untitled page that holds nothing turns that page into the file's
        // page. An untitled page with unsaved text is kept: its text would otherwise be lost.
        if (path != kUntitled && active >= 0 && ActivePath() == kUntitled &&
            !host_.IsModified(active)) {
            TFileRecord r = TFileRecord::Fresh(name, folder);
            r.tag = list_.GetIntField(active, ffTag);
            list_.ReplaceRecord(active, r);
            host_.SetPageCaption(active, TabCaption(path));
            host_.ApplyPropertiesFor(active, path);
            return;
        }
        list_.AddRecord(TFileRecord::Fresh(name, folder));
    }
    host_.InsertPage(TabCaption(path), path);
    int index = host_.PageCount() - 1;
    host_.SetActivePage(index);
    list_.SetField(index, ffTag, std::to_string(index));
    host_.ShowJumpPanel(list_.GetField(index, ffJumpPanel) == "1");
}

bool TPageBook::OpenFile(const std::string& path0) {
    const std::string path = ResolveAgainst(path0, programFolder);
    if (!FileExists(path)) return false;
    if (!restoring) {
        int found = list_.IndexOfPath(path);
        if (found == -2) {
            host_.Notice("ファイル名は同じで、フォルダの違うファイルが開かれています。\r\n"
                         "このままファイルは開きますが、ご注意下さい。");
        } else if (found >= 0) {
            host_.SetActivePage(found);
            PageChange();
            return false;
        }
    }
    const int countBefore = host_.PageCount();
    const int activeBefore = host_.ActivePage();
    NewPage(path);
    const bool tookOver = host_.PageCount() == countBefore;
    const int index = host_.ActivePage();
    if ((firstShow && index != pageToActivate) || deferLoad) return true;
    if (LoadFile(path)) return true;
    // The file could not be read: leave no page behind that could later overwrite it.
    if (tookOver) {
        TFileRecord r = TFileRecord::Fresh(kUntitled, "");
        r.tag = list_.GetIntField(index, ffTag);
        list_.ReplaceRecord(index, r);
        host_.SetPageCaption(index, TabCaption(kUntitled));
        host_.ApplyPropertiesFor(index, kUntitled);
    } else {
        host_.RemovePage(index);
        list_.Delete(index);
        if (activeBefore >= 0 && activeBefore < host_.PageCount())
            host_.SetActivePage(activeBefore);
    }
    return false;
}

bool TPageBook::LoadFile(const std::string& path0) {
    const std::string path = ResolveAgainst(path0, programFolder);
    const int index = host_.ActivePage();
    if (index < 0) return false;
    std::string error;
    if (!host_.LoadPageText(index, path, &error)) {
        host_.ErrorBox("[" + path + "]を読み込めません。\r\n" + error);
        return false;
    }
    host_.SetCaret(index, list_.GetIntField(index, ffCaretRow), list_.GetIntField(index, ffTopRow));
    list_.SetField(index, ffLoaded, "1");
    host_.UpdatePageStatus();
    return true;
}

bool TPageBook::writeActive(const std::string& path) {
    const int index = host_.ActivePage();
    std::string error;
    if (!host_.SavePageText(index, path, &error)) {
        host_.ErrorBox(SaveFailureMessage(path, error));
        return false;
    }
    host_.SetModified(index, false);
    host_.SetPageCaption(index, TabCaption(path));
    host_.UpdatePageStatus();
    return true;
}

bool TPageBook::SaveToPath(const std::string& path, bool ask) {
    if (path == kUntitled) return SaveAsDialog(kUntitled);
    if (ask && FileExists(path) &&
        !host_.AskYesNo("同名のファイルが存在します。\r\n上書きしますか？", true))
        return false;
    return writeActive(path);
}

bool TPageBook::SaveAsDialog(const std::string& currentPath) {
    const int index = host_.ActivePage();
    std::string folder, name;
    if (currentPath == kUntitled || currentPath.empty()) {
        if (saveDialogFolder_.empty())
            saveDialogFolder_ =
                !programFolder.empty() && FolderExists(TextsHome(programFolder) + "Files")
                    ? TextsHome(programFolder) + "Files/"
                    : HomeFolder();
        folder = saveDialogFolder_;
        name = "無題.txt";
    } else {
        folder = PathFolder(currentPath);
        name = PathFileName(currentPath);
    }
    for (;;) {
        TSaveDialogResult r = host_.RunSaveDialog(folder, name);
        if (!r.path.empty()) {
            folder = PathFolder(r.path);
            name = PathFileName(r.path);
        }
        if (!r.accepted) {
            if (!IsUntitledSaveName(r.path.empty() ? name : r.path)) return false;
            if (!host_.AskYesNo("保存しなくてもいいですか？", false)) continue;
            host_.Notice("この無題のファイルは保存しません");
            host_.SetModified(index, false);
            host_.UpdatePageStatus();
            return true;
        }
        if (IsUntitledSaveName(r.path)) {
            host_.Notice(
                "[無題] というファイル名では登録できません。\r\nファイル名を変更してください。");
            continue;
        }
        if (list_.IndexOfPath(r.path) >= 0) {
            host_.Notice("指定されたファイル名と同じ物が他のページで読み込まれています。\r\n"
                         "ファイル名を変更するか、フォルダを変更してください。");
            continue;
        }
        if (FileExists(r.path) &&
            !host_.AskYesNo("同名のファイルが存在します。\r\n上書きしますか？", true))
            continue;
        if (!writeActive(r.path)) return false;
        list_.SetField(index, ffName, PathFileName(r.path));
        list_.SetField(index, ffFolder, PathFolder(r.path));
        list_.SetField(index, ffLoaded, "1"); // the page holds the file's text now
        // A new extension brings its own property set and colouring ("a.txt" saved as .html).
        host_.ApplyPropertiesFor(index, r.path);
        saveDialogFolder_ = PathFolder(r.path);
        return true;
    }
}

bool TPageBook::ClosePagePrompt() {
    const int index = host_.ActivePage();
    if (host_.IsReadOnly(index) || !host_.IsModified(index)) return true;
    return saveBeforeGoing(index, list_.PathOf(index), !knKakunin);
}

bool TPageBook::saveBeforeGoing(int index, const std::string& shown, bool ask) {
    if (ask) {
        const TSaveChoice c =
            host_.AskSaveDiscardCancel("[ " + shown + "] は更新されています。保存しますか？");
        if (c != TSaveChoice::Save) return c == TSaveChoice::Discard;
    }
    bool saved = IsUntitled(index) ? SaveAsDialog(kUntitled) : writeActive(list_.PathOf(index));
    // A save that failed (its message named the cause) or a cancelled save dialog: the user
    // chooses another name, lets the text go, or keeps the page.
    while (!saved) {
        const TSaveChoice c = host_.AskSaveDiscardCancel(
            "[ " + shown + "] は保存されていません。\r\n別の名前で保存しますか？");
        if (c != TSaveChoice::Save) return c == TSaveChoice::Discard;
        saved = SaveAsDialog(IsUntitled(index) ? kUntitled : list_.PathOf(index));
    }
    return true;
}

void TPageBook::addRecent(int index) {
    std::string path = list_.PathOf(index);
    std::string folder = list_.GetField(index, ffFolder);
    if (IsUntitled(index)) {
        std::string cwd = host_.CurrentDirectory();
        if (!cwd.empty() && cwd.back() != '/') cwd += '/';
        path = cwd + kUntitled;
        folder = cwd;
    }
    if (recentFiles) recentFiles->AddPath(path);
    for (TOpenMenuList* l : recentFolders)
        if (l) l->AddPath(folder);
}

// Redraw is suspended around the changes of the tabs only, never while a question or the save
// dialog is up: the window behind them must still paint.
bool TPageBook::ClosePage() {
    const int index = host_.ActivePage();
    if (index < 0) return false;
    bool addedUntitled = false;
    if (host_.PageCount() == 1) {
        UpdateLock lock(host_);
        NewPage(kUntitled);
        host_.SetActivePage(index);
        addedUntitled = true;
    }
    // A page whose text could not be saved (a failed write, a cancelled save dialog) stays open.
    if (!ClosePagePrompt()) {
        if (addedUntitled) {
            UpdateLock lock(host_);
            host_.RemovePage(host_.PageCount() - 1);
            list_.Delete(list_.Count() - 1);
            host_.SetActivePage(index);
        }
        return false;
    }
    addRecent(index);
    {
        UpdateLock lock(host_);
        if (host_.IsSplit(index)) host_.Unsplit(index);
        list_.Delete(index);
        host_.RemovePage(index);
        host_.SetActivePage(index > 0 ? index - 1 : 0);
    }
    PageChange();
    return true;
}

bool TPageBook::CloseEveryPage(bool ask) {
    if (ask && !host_.AskYesNo("すべてのファイルを閉じますか？", true)) return false;
    if (host_.PageCount() == 0) return true;
    host_.SetActivePage(host_.PageCount() - 1);
    const int total = host_.PageCount();
    while (host_.PageCount() > 1) {
        if (!ClosePage()) {
            host_.ShowProgress("");
            return false;
        }
        host_.ShowProgress(CloseAllProgress(host_.PageCount(), total));
    }
    bool ok = ClosePage();
    host_.ShowProgress("");
    return ok;
}

void TPageBook::PageChange() {
    int index = host_.ActivePage();
    if (index < 0) return;
    if (list_.GetField(index, ffLoaded) != "1" && !IsUntitled(index)) {
        if (!LoadFile(list_.PathOf(index))) {
            // The file of a restored page has gone or cannot be read: drop its page.
            list_.Delete(index);
            host_.RemovePage(index);
            if (host_.PageCount() == 0) NewPage(kUntitled);
            host_.SetActivePage(index > 0 ? index - 1 : 0);
            PageChange();
            return;
        }
    }
    host_.FocusActive();
    host_.UpdatePageStatus();
    host_.ShowJumpPanel(list_.GetField(index, ffJumpPanel) == "1");
    pageToActivate = index;
}

void TPageBook::PageChanging() {
    int index = host_.ActivePage();
    if (index >= 0 && host_.IsModified(index) && !host_.IsReadOnly(index)) exitSavePrompt(index);
}

bool TPageBook::exitSavePrompt(int index) {
    return saveBeforeGoing(index, list_.GetField(index, ffName),
                           !(knKakunin && !IsUntitled(index)));
}

void TPageBook::New() {
    NewPage(kUntitled);
    host_.SetActivePage(host_.PageCount() - 1);
    PageChange();
}

void TPageBook::Open() {
    std::string path = host_.RunOpenDialog(PathFolder(ActivePath()));
    if (!path.empty() && FileExists(path)) OpenFile(path);
}

void TPageBook::Save() {
    const int index = host_.ActivePage();
    if (index < 0 || !host_.IsModified(index)) return;
    if (IsUntitled(index))
        SaveAsDialog(kUntitled);
    else
        writeActive(list_.PathOf(index));
}

void TPageBook::RightClickTab(int index, bool ctrl) {
    if (index < 0 || index >= host_.PageCount()) return;
    if (index != host_.ActivePage()) {
        host_.SetActivePage(index);
        PageChange();
    }
    if (ctrl || host_.AskYesNo("このファイルを閉じてもいいですか？", true)) ClosePage();
}

void TPageBook::DropTab(int target) {
    const int from = host_.ActivePage();
    if (target < 0 || target >= host_.PageCount() || target == from) return;
    list_.Move(from, target);
    host_.MovePage(from, target);
    host_.SetActivePage(target);
    pageToActivate = target;
}

void TPageBook::OpenRecentFile(const std::string& path) {
    if (!FileExists(path)) {
        host_.Notice("[" + path + "]が見つかりません。");
        return;
    }
    OpenFile(path);
}

void TPageBook::OpenInFolder(const std::string& folder) {
    if (!FolderExists(folder)) {
        host_.Notice("指定されたフォルダが存在しません。\r\n中止します。");
        return;
    }
    std::string path = host_.RunOpenDialog(folder);
    if (!path.empty() && FileExists(path)) OpenFile(path);
}

void TPageBook::RestoreList() {
    restoring = true;
    int i = 0;
    while (i < list_.Count()) {
        const std::string path = list_.PathOf(i);
        const int twin = list_.IndexOfPath(path);
        if (twin >= 0 && twin < i) { // the same file listed twice: keep the first
            list_.Delete(i);
            continue;
        }
        if (OpenFile(path)) {
            ++i;
        } else if (list_.Count() > host_.PageCount()) {
            list_.Delete(i);
        }
    }
    restoring = false;
}

void TPageBook::OpenArgument(const std::string& text) {
    std::vector<std::string> fields = TMyFileList::SplitRecord(text);
    // A file whose own name holds a comma is opened as the path it is.
    if (fields.size() == 1 || FileExists(ResolveAgainst(text, programFolder))) {
        OpenFile(text);
        return;
    }
    const std::string path = fields[1] + fields[0];
    if (!OpenFile(path) || fields.size() <= 10) return;
    const int index = host_.ActivePage();
    host_.SetReadOnly(index, fields[ffReadOnly] == "1");
    // The record's values pass to the page's entry; the loaded flag and the control tag stay
    // this instance's own.
    for (int f = ffJumpPanel; f < static_cast<int>(fields.size()); ++f)
        if (f != ffLoaded && f != ffTag) list_.SetField(index, f, fields[f]);
}

void TPageBook::OpenArguments(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.find("/J") != std::string::npos) continue;
        if (arg.find("/K") != std::string::npos) {
            // "/K" followed by the folder, in one argument: the switch itself is not part of it.
            std::string folder = arg;
            folder.erase(folder.find("/K"), 2);
            if (expandPath) folder = expandPath(folder);
            if (!folder.empty() && folder.back() != '/') folder += '/';
            holidayFile = folder + "HDay.dat";
            if (!FileExists(holidayFile)) holidayFile.clear();
            continue;
        }
        if (arg == "/C") continue;
        std::string text = expandPath ? expandPath(arg) : arg;
        text = DecodeSpaceToken(text, false);
        OpenArgument(text);
        pageToActivate = host_.ActivePage();
    }
}

void TPageBook::OpenHandedOver(const std::vector<std::string>& lines) {
    bool opened = false;
    for (const std::string& line : lines) {
        if (line.find("/J") != std::string::npos || line.find("/F") != std::string::npos ||
            line == "/C" || line.empty())
            continue;
        OpenArgument(DecodeSpaceToken(line, false));
        pageToActivate = host_.ActivePage();
        opened = true;
    }
    if (opened) PageChange();
}

void TPageBook::FinishFirstShow() {
    if (host_.PageCount() == 0) NewPage(kUntitled);
    if (pageToActivate >= 0 && pageToActivate < host_.PageCount())
        host_.SetActivePage(pageToActivate);
    PageChange();
    firstShow = false;
}

void TPageBook::RecordCarets() {
    for (int i = 0; i < host_.PageCount() && i < list_.Count(); ++i) {
        if (host_.IsReadOnly(i) || list_.GetField(i, ffLoaded) != "1") continue;
        int row = 0, top = 0;
        host_.GetCaret(i, &row, &top);
        list_.SetField(i, ffCaretRow, std::to_string(row));
        list_.SetField(i, ffTopRow, std::to_string(top));
    }
}

bool TPageBook::CloseQuery() {
    const bool refuse = host_.ExternalEditorRunning();
    if (refuse) host_.Notice("外部エディタを起動中です。\r\n終了処理を中止いたします。");
    RecordCarets();
    for (int i = 0; i < host_.PageCount(); ++i) {
        if (host_.IsReadOnly(i) || !host_.IsModified(i)) continue;
        host_.SetActivePage(i);
        host_.FocusActive();
        if (!exitSavePrompt(i)) return false; // キャンセル: the window stays
    }
    return !refuse;
}

int TPageBook::OpenRecoveredPage(const std::string& path) {
    const bool untitled = path == kUntitledName;
    const int index = untitled ? -1 : list_.IndexOfPath(path);
    if (index >= 0) {
        host_.SetActivePage(index);
        PageChange(); // loads a page restored unloaded
    } else if (untitled) {
        New();
    } else if (!OpenFile(path)) {
        NewPage(path); // saved there again
        list_.SetField(host_.ActivePage(), ffLoaded, "1");
    }
    return host_.ActivePage();
}
