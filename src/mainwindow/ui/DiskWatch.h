// Watches the files of the main window's pages (kernel file notifications through
// QFileSystemWatcher, and a look every few seconds while a name is one the watcher cannot take) for
// TDiskWatchBook, and shows its bar above a page's text: the page keeps the focus and every key
// typed, the bar's buttons never take the focus and answer to their mnemonics.
#pragma once

#include "mainwindow/pages/DiskWatchBook.h"

#include <QObject>

#include <set>
#include <string>

class QFileSystemWatcher;
class QTimer;
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
    QTimer* look_;
    std::set<std::string> unwatchable_; // names only the timed look sees
    TDiskWatchBook book_;
};
