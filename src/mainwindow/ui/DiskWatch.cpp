// Files of pages changed or deleted by other programs.
#include "mainwindow/ui/DiskWatch.h"

#include "mainwindow/ui/Pages.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QTabWidget>
#include <QTimer>

TDiskWatch::TDiskWatch(TPages& pages, QObject* parent)
    : QObject(parent), pages_(pages), watcher_(new QFileSystemWatcher(this)) {
    pages_.OnFileRead = [this](int index, const std::string& path) { record(index, path); };
    pages_.OnFileWritten = [this](int index, const std::string& path) { record(index, path); };
    pages_.BeforeFileWrite = [this](int index, const std::string& path, std::string* error) {
        return beforeWrite(index, path, error);
    };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { CheckFiles(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this] { QTimer::singleShot(0, this, &TDiskWatch::askIfFocused); });
}

TDiskWatch::Entry* TDiskWatch::entryOf(int index, bool create) {
    QWidget* sheet = pages_.PageControl1()->widget(index);
    for (Entry& e : entries_)
        if (e.sheet == sheet) return &e;
    if (!create || !sheet) return nullptr;
    entries_.push_back({sheet, {}, {}, TDiskChange::None});
    return &entries_.back();
}

int TDiskWatch::indexOf(const Entry& e) const {
    return e.sheet ? pages_.PageControl1()->indexOf(e.sheet) : -1;
}

void TDiskWatch::record(int index, const std::string& path) {
    Entry* e = entryOf(index, true);
    if (!e) return;
    e->path = path;
    e->stamp = StampOf(path);
    e->pending = TDiskChange::None;
    // A file replaced by a rename is a new file to the kernel: watch the path again.
    const QString p = QString::fromStdString(path);
    watcher_->removePath(p);
    if (e->stamp.exists) watcher_->addPath(p);
}

void TDiskWatch::CheckFiles() {
    for (auto it = entries_.begin(); it != entries_.end();)
        it = it->sheet ? it + 1 : entries_.erase(it); // closed pages
    for (Entry& e : entries_) {
        const int index = indexOf(e);
        // The page now shows another file (save as, a re-used untitled page): not ours to judge.
        if (index < 0 || pages_.Book().PathOfPage(index) != e.path) continue;
        const TDiskStamp now = StampOf(e.path);
        if (now.exists && !watcher_->files().contains(QString::fromStdString(e.path)))
            watcher_->addPath(QString::fromStdString(e.path));
        const TDiskChange c = CompareStamps(e.stamp, now);
        if (c != TDiskChange::None && e.pending == TDiskChange::None) e.pending = c;
    }
    askIfFocused();
}

void TDiskWatch::askIfFocused() {
    if (asking_ || quiet_) return;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !focus->isActiveWindow()) return;
    for (Entry& e : entries_) {
        if (e.pending == TDiskChange::None || !e.sheet) continue;
        if (e.sheet == focus || e.sheet->isAncestorOf(focus)) {
            ask(e);
            return;
        }
    }
}

void TDiskWatch::ask(Entry& entry) {
    asking_ = true;
    const QPointer<QWidget> sheet = entry.sheet;
    const std::string path = entry.path;
    const TDiskChange change = entry.pending;
    entry.pending = TDiskChange::None;
    const int index = indexOf(entry);
    if (change == TDiskChange::Deleted) {
        // The page keeps its text; saving it writes the file again after a question.
        ShowMessage(DeletedNotice(path));
        if (sheet) pages_.SetModified(pages_.PageControl1()->indexOf(sheet), true);
    } else {
        const bool modified = pages_.IsModified(index);
        const bool reload = AskYesNoTitled(ReloadQuestion(path), "確認", !modified);
        const int now = sheet ? pages_.PageControl1()->indexOf(sheet) : -1;
        std::string error;
        if (now >= 0 && reload) {
            if (pages_.LoadPageText(now, path, &error)) {
                pages_.SetModified(now, false);
            } else {
                ShowErrorBox("[" + path + "]を読み込めません。\r\n" + error);
            }
        } else if (now >= 0) {
            // The page's text stays and differs from the file: it is modified, and the user has
            // seen the change, so saving it later asks no more.
            pages_.SetModified(now, true);
            // Events that came while the question was up are answered by it too.
            for (Entry& e : entries_)
                if (e.sheet == sheet) {
                    e.stamp = StampOf(path);
                    e.pending = TDiskChange::None;
                }
        }
        pages_.UpdatePageStatus();
    }
    asking_ = false;
}

bool TDiskWatch::beforeWrite(int index, const std::string& path, std::string* error) {
    Entry* e = entryOf(index, false);
    if (!e || e->path != path) return true; // a new name: the save dialog asked already
    const TDiskChange c = CompareStamps(e->stamp, StampOf(path));
    if (c == TDiskChange::None) return true;
    const bool yes =
        !quiet_ &&
        (c == TDiskChange::Deleted ? AskYesNoTitled(SaveDeletedQuestion(path), "確認", true)
                                   : AskYesNoTitled(OverwriteChangedQuestion(path), "確認", false));
    if (!yes && error) *error = kSaveDeclined;
    if (yes) e->pending = TDiskChange::None;
    return yes;
}
