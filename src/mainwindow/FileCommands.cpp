// Re-read, rename and the read-me file; the path rules the file commands share.
#include "mainwindow/FileCommands.h"

#include "app/ShellUtil.h"
#include "platform/FileMove.h"
#include "platform/Folders.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto low = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return low(x) == low(y);
           });
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string RemoveDoubledExtension(const std::string& path) {
    const std::string name = PathFileName(path);
    const std::size_t last = name.rfind('.');
    if (last == std::string::npos || last == 0) return path;
    const std::string_view ext = std::string_view(name).substr(last); // ".txt"
    if (last < ext.size()) return path;
    const std::size_t prev = last - ext.size();
    if (!sameIgnoringCase(std::string_view(name).substr(prev, ext.size()), ext)) return path;
    return path.substr(0, path.size() - ext.size());
}

std::string SafetyCopyPath(const std::string& filePath, const std::string& dataFolder) {
    const std::string name = NameWithoutExtension(PathFileName(filePath)) + ".tx$";
    std::string folder = PathFolder(filePath);
    if (folder.empty() || ::access(folder.c_str(), W_OK) != 0) folder = dataFolder;
    return IncludeTrailingChar(folder, "/") + name;
}

std::vector<std::string> MemoFilesOf(const std::string& folder0) {
    const std::string folder = IncludeTrailingChar(folder0, "/");
    std::vector<std::string> names;
    DIR* d = ::opendir(folder.c_str());
    if (!d) return {};
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() <= 4 ||
            !sameIgnoringCase(std::string_view(name).substr(name.size() - 4), ".txt"))
            continue;
        if (e->d_type == DT_REG ||
            ((e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) && isRegularFile(folder + name)))
            names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    for (std::string& n : names)
        n = folder + n;
    return names;
}

std::string FolderOpenProgress(int openPages, int files, int opened) {
    char buf[64];
    std::snprintf(buf, sizeof buf, " %3d /%3d", openPages, files);
    return " " + std::string(buf) + " " + std::string(opened > 0 ? opened : 0, '>');
}

// --- re-read ------------------------------------------------------------------------------

bool TFileCommands::ReRead() {
    const int index = host_.ActivePage();
    if (index < 0) return false;
    if (host_.IsModified(index) &&
        !host_.AskYesNo("今までの編集がクリアされますがよろしいですか？", false)) {
        host_.Notice("再読込いたしません。");
        return false;
    }
    if (!book_.IsUntitled(index)) return book_.LoadFile(book_.PathOfPage(index));
    if (!host_.AskYesNo("ファイル名が「無題」です。内容をクリアしてもいいですか？", false)) {
        host_.Notice("再読込いたしません。");
        return false;
    }
    if (!host_.AskYesNo("内容が破棄されます。本当にいいですか？", false)) return false;
    window_.ClearPageText(index);
    host_.SetModified(index, false);
    host_.SetPageCaption(index, TPageBook::TabCaption(kUntitledName));
    host_.UpdatePageStatus();
    return true;
}

// --- rename -------------------------------------------------------------------------------

bool TFileCommands::Rename() {
    const int index = host_.ActivePage();
    const std::string p = book_.ActivePath();
    if (index < 0 || book_.IsUntitled(index) || !FileExists(p)) {
        host_.Notice("ファイルがありません。");
        return false;
    }
    const std::string oldFolder = PathFolder(p);
    std::string folder = oldFolder, name = p;
    for (;;) {
        TSaveDialogResult r = window_.RunRenameDialog(folder, name);
        if (!r.accepted || r.path.empty()) return false;
        const std::string n = RemoveDoubledExtension(r.path);
        if (n == p) return false;
        const std::string newFolder = PathFolder(n);
        if (newFolder != oldFolder &&
            !host_.AskYesNo("フォルダが変更されました。\r\nこのフォルダ( " + newFolder +
                                " )に移動してもいいですか",
                            true)) {
            host_.Notice("別のフォルダを指定してください。");
            folder = oldFolder;
            name = PathFileName(n);
            continue;
        }
        const char* exists = "指定されたファイル名は既に存在します。\r\n"
                             "別のファイル名を指定してください。";
        struct stat st {};
        if (::lstat(n.c_str(), &st) == 0 || book_.List().IndexOfPath(n) >= 0) {
            host_.Notice(exists);
            folder = newFolder;
            name = PathFileName(n);
            continue;
        }
        std::string error;
        switch (MoveFileNoReplace(p, n, &error)) {
        case TMoveResult::TargetExists: // it appeared while the dialog was up
            host_.Notice(exists);
            folder = newFolder;
            name = PathFileName(n);
            continue;
        case TMoveResult::Failed:
            host_.ErrorBox("[" + p + "] の名前を [" + n + "] に変更できません。\r\n" + error +
                           "\r\n中止します。");
            return false;
        case TMoveResult::Moved:
            break;
        }
        TMyFileList& list = book_.List();
        list.SetField(index, ffName, PathFileName(n));
        list.SetField(index, ffFolder, newFolder);
        host_.SetPageCaption(index, TPageBook::TabCaption(n));
        if (PathExtension(n) != PathExtension(p)) host_.ApplyPropertiesFor(index, n);
        host_.UpdatePageStatus();
        return true;
    }
}

// --- read-me, backup ----------------------------------------------------------------------

bool TFileCommands::ReadMeAvailable() const {
    return !FindCompanionFile(book_.programFolder, kReadMeName).empty();
}

bool TFileCommands::OpenReadMe() {
    // Beside the program, or in the share folder of an installed one, as the holiday list.
    const std::string path = FindCompanionFile(book_.programFolder, kReadMeName);
    if (path.empty()) {
        host_.Notice("起動フォルダに ReadMe.txt ファイルがありません。\r\n中止します。");
        return false;
    }
    if (!book_.OpenFile(path)) return false;
    const int index = host_.ActivePage();
    if (book_.List().GetField(index, ffJumpPanel) != "1") {
        book_.List().SetField(index, ffJumpPanel, "1");
        window_.ShowJumpButtons();
    }
    return true;
}

bool TFileCommands::SaveBeforeBackup() {
    const int index = host_.ActivePage();
    if (index < 0 || !host_.IsModified(index)) return true;
    if (!host_.AskYesNo("現在のテキストを保存しますか？", true)) return true;
    book_.Save();
    return !host_.IsModified(index);
}
