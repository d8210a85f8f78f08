// What each page knows of its file on disk, decided without a window: a change another program
// made is remembered until the page next has the focus and then offered for re-reading (a
// deleted file only told), and a save over a file changed or deleted since it was read asks
// first.
#pragma once

#include "mainwindow/PageBook.h"
#include "platform/DiskStamp.h"

#include <functional>
#include <string>
#include <vector>

class TDiskWatchBook {
  public:
    TDiskWatchBook(TPageHost& host, const TPageIds& ids, const TPageBook& book)
        : host_(host), ids_(ids), book_(book) {}

    // Kernel notifications for a file from now on (kept when it is watched already), and no
    // more (a file replaced by a rename is a new file to the kernel: it is watched again).
    std::function<void(const std::string&path)> Watch, Unwatch;

    // From now on nothing is asked: saves over changed files are declined (the end of the
    // program keeps such pages in recovery files instead).
    void SetQuiet() { quiet_ = true; }
    bool Asking() const { return asking_ || quiet_; }

    // The page read or wrote its file: what it knows of it now.
    void Record(int index, const std::string& path);
    // Looks at every watched file now; a change waits for its page's focus.
    void Check();
    // The page with the focus (-1: none): a change of its file waiting is asked about now.
    void Focused(int index);
    // Before a save: false (with the reason) when the user declines writing over a file that
    // changed or went since the page read it.
    bool BeforeWrite(int index, const std::string& path, std::string* error);

  private:
    struct Entry {
        int id = -1;
        std::string path;
        TDiskStamp stamp;
        TDiskChange pending = TDiskChange::None;
    };
    Entry* entryOf(int id);
    void ask(int id);

    TPageHost& host_;
    const TPageIds& ids_;
    const TPageBook& book_;
    std::vector<Entry> entries_;
    bool quiet_ = false;
    bool asking_ = false;
};
