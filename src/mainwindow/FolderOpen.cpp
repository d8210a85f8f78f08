// Opening every memo file of a folder as pages, with the progress in the status bar.
#include "mainwindow/FileCommands.h"

#include "app/ShellUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The reason a file cannot be read, empty when it can.
std::string unreadable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return {};
}

} // namespace

bool TFileCommands::FolderOpen() {
    const std::string start = FolderExists(lastFolder) ? lastFolder : book_.programFolder;
    const std::string chosen = window_.RunFolderDialog(start);
    if (chosen.empty()) return false;
    if (chosen[0] != '/' || !FolderExists(chosen)) {
        host_.Notice("フォルダ選択エラー\r\n中止します。");
        return false;
    }
    if (removableCheck && IsRemovableMount(MountOf(chosen))) {
        if (!window_.AskYesNoTitled("メディアをセットしてください。", true)) {
            host_.Notice("中止します。");
            return false;
        }
        switch (MediaStateOf(chosen)) {
        case TMediaState::Ready:
            break;
        case TMediaState::NotReady:
            host_.Notice("メディアがセットされていません。\r\n中止します。");
            return false;
        case TMediaState::Unformatted:
            host_.Notice("メディアが未フォーマットです。\r\n中止します。");
            return false;
        case TMediaState::DiskError:
            host_.Notice("ディスクエラーです。\r\n中止します。");
            return false;
        }
    }
    lastFolder = IncludeTrailingChar(chosen, "/");
    return openFolderFiles(true);
}

bool TFileCommands::FolderReOpen(const std::string& folder) {
    if (!FolderExists(folder)) {
        host_.Notice("フォルダが存在しません。\r\n中止します。");
        return false;
    }
    lastFolder = IncludeTrailingChar(folder, "/");
    if (!book_.CloseEveryPage(false)) {
        host_.Notice("以前のファイルを閉じることが出来ませんでした。\r\n中止します。");
        return false;
    }
    return openFolderFiles(false);
}

bool TFileCommands::openFolderFiles(bool asking) {
    const std::vector<std::string> files = MemoFilesOf(lastFolder);
    if (files.empty()) {
        host_.Notice("該当するファイルが有りません。\r\n中止いたします。");
        return false;
    }
    const int n = static_cast<int>(files.size());
    if (asking && !host_.AskYesNo(std::to_string(n) + " 個のファイルをすべて開きますか？", true))
        return false;
    // Pages are read when they are first shown: opening a large folder costs the tabs only.
    // The pages are not drawn until all are there; the status bar shows the progress meanwhile.
    struct Suspend {
        TPageBook& b;
        TFileCommandHost& w;
        Suspend(TPageBook& book, TFileCommandHost& window) : b(book), w(window) {
            b.deferLoad = true;
            w.SuspendPageUpdates(true);
        }
        ~Suspend() {
            b.deferLoad = false;
            w.SuspendPageUpdates(false);
        }
    } suspend(book_, window_);
    int opened = 0;
    for (const std::string& file : files) {
        const std::string why = unreadable(file);
        if (!why.empty()) {
            host_.ErrorBox("[" + file + "]を読み込めません。\r\n" + why);
            continue;
        }
        book_.OpenFile(ExpandLongPath(file));
        ++opened;
        host_.ShowProgress(FolderOpenProgress(host_.PageCount(), n, opened));
    }
    host_.ShowProgress("");
    window_.SuspendPageUpdates(false);
    book_.PageChange(); // reads the page that is shown now
    return opened > 0;
}
