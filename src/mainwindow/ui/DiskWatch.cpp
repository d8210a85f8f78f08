// Kernel notifications and the focus for the disk watch of the pages.
#include "mainwindow/ui/DiskWatch.h"

#include "mainwindow/ui/Pages.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QTabWidget>
#include <QTimer>

TDiskWatch::TDiskWatch(TPages& pages, QObject* parent)
    : QObject(parent), pages_(pages), watcher_(new QFileSystemWatcher(this)),
      book_(pages, pages, pages.Book()) {
    book_.Watch = [this](const std::string& path) {
        if (!watcher_->files().contains(QString::fromStdString(path)))
            watcher_->addPath(QString::fromStdString(path));
    };
    book_.Unwatch = [this](const std::string& path) {
        watcher_->removePath(QString::fromStdString(path));
    };
    pages_.OnFileRead = pages_.OnFileWritten = [this](int index, const std::string& path) {
        book_.Record(index, path);
    };
    pages_.BeforeFileWrite = [this](int index, const std::string& path, std::string* error) {
        return book_.BeforeWrite(index, path, error);
    };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { CheckFiles(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this] { QTimer::singleShot(0, this, &TDiskWatch::askIfFocused); });
}

void TDiskWatch::CheckFiles() {
    book_.Check();
    askIfFocused();
}

void TDiskWatch::askIfFocused() {
    QWidget* focus = QApplication::focusWidget();
    if (book_.Asking() || !focus || !focus->isActiveWindow()) return;
    for (int i = 0; i < pages_.PageCount(); ++i)
        if (QWidget* sheet = pages_.PageControl1()->widget(i);
            sheet == focus || sheet->isAncestorOf(focus))
            return book_.Focused(i);
}
