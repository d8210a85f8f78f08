// Watches the files of the main window's pages (kernel file notifications through
// QFileSystemWatcher): a file another program changed is offered for re-reading when its page
// next has the focus, and a save over a file changed or deleted since it was read asks first.
#pragma once

#include "platform/DiskStamp.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QFileSystemWatcher;
class TPages;

class TDiskWatch : public QObject {
    Q_OBJECT
  public:
    explicit TDiskWatch(TPages& pages, QObject* parent = nullptr);
    // From now on nothing is asked: saves over changed files are declined (the end of the
    // program keeps such pages in recovery files instead).
    void SetQuiet() { quiet_ = true; }
    // Looks at every watched file now (the notification path calls this too).
    void CheckFiles();

  private:
    struct Entry {
        QPointer<QWidget> sheet;
        std::string path;
        TDiskStamp stamp;
        TDiskChange pending = TDiskChange::None;
    };
    Entry* entryOf(int index, bool create);
    int indexOf(const Entry& e) const;
    void record(int index, const std::string& path);
    bool beforeWrite(int index, const std::string& path, std::string* error);
    void askIfFocused();
    void ask(Entry& e);

    TPages& pages_;
    QFileSystemWatcher* watcher_;
    std::vector<Entry> entries_;
    bool quiet_ = false;
    bool asking_ = false;
};
