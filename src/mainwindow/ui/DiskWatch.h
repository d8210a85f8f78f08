// Watches the files of the main window's pages (kernel file notifications through
// QFileSystemWatcher) for TDiskWatchBook, and tells it which page has the focus.
#pragma once

#include "mainwindow/DiskWatchBook.h"

#include <QObject>

class QFileSystemWatcher;
class TPages;

class TDiskWatch : public QObject {
    Q_OBJECT
  public:
    explicit TDiskWatch(TPages& pages, QObject* parent = nullptr);
    void SetQuiet() { book_.SetQuiet(); }
    // Looks at every watched file now (the notification path calls this too).
    void CheckFiles();

  private:
    void askIfFocused();

    TPages& pages_;
    QFileSystemWatcher* watcher_;
    TDiskWatchBook book_;
};
