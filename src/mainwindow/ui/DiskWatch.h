// Watches the files of the main window's pages (kernel file notifications through
// QFileSystemWatcher, and a look every few seconds for names the watcher cannot take) for
// TDiskWatchBook, and shows its bar above a page's text: the page keeps the focus and every key
// typed, the bar's buttons never take the focus and answer to their mnemonics.
#pragma once

#include "mainwindow/DiskWatchBook.h"

#include <QObject>

class QFileSystemWatcher;
class QWidget;
class TPages;

class TDiskWatch : public QObject {
    Q_OBJECT
  public:
    explicit TDiskWatch(TPages& pages, QObject* parent = nullptr);
    void SetQuiet() { book_.SetQuiet(); }
    TDiskWatchBook& Book() { return book_; }
    // Looks at every watched file now (the notification path calls this too).
    void CheckFiles();

  private:
    void showNotice(int index, const TDiskNotice& notice);
    QWidget* barOf(int index, bool make);

    TPages& pages_;
    QFileSystemWatcher* watcher_;
    TDiskWatchBook book_;
};
