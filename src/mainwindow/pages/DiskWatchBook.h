// What each page knows of its file on disk, decided without a window: a change another program
// made is shown at once in a bar above the page's text (never a question that takes the keys
// typed meanwhile), answered by re-reading the file or editing on, and a save over a file changed
// or deleted since the page's text was based on it asks first.
#pragma once

#include "mainwindow/pages/PageBook.h"
#include "platform/DiskStamp.h"

#include <functional>
#include <string>
#include <vector>

// The bar above a page's text: what it says and which answers it offers.
struct TDiskNotice {
    TDiskChange change = TDiskChange::None; // None: no bar
    std::string text;
    bool canReread = false; // 再読込 offered (the file is there to be read)
    bool operator==(const TDiskNotice&) const = default;
};
// The bar's texts.
TDiskNotice DiskNoticeFor(TDiskChange change, const std::string& path);
inline constexpr const char* kRereadButton = "再読込(&R)";
inline constexpr const char* kKeepEditingButton = "このまま編集(&C)";

class TDiskWatchBook {
  public:
    TDiskWatchBook(TPageHost& host, const TPageIds& ids, const TPageBook& book)
        : host_(host), ids_(ids), book_(book) {}

    // Kernel notifications for a file from now on (kept when it is watched already), and no
    // more (a file replaced by a rename is a new file to the kernel: it is watched again).
    std::function<void(const std::string&path)> Watch, Unwatch;
    // Shows, changes or (change None) hides the bar of a page.
    std::function<void(int index, const TDiskNotice&)> ShowNotice;
    // Reads the page's file again as one undo step, the text it replaces kept for recovery; the
    // page is recorded as read. False with *error when the file cannot be read.
    std::function<bool(int index, const std::string& path, std::string* error)> Reread;

    // From now on nothing is asked: saves over changed files are declined (the end of the
    // program keeps such pages in recovery files instead).
    void SetQuiet() { quiet_ = true; }

    // The page read or wrote its file: what it knows of it now.
    void Record(int index, const std::string& path);
    // The page's text was made from the file as it was at known (a page restored from its
    // recovery file): a save over a file that moved on since asks, as after any outside change.
    void RecordBase(int index, const TDiskStamp& known);
    // What the page's text is based on (for its recovery file); no file: not exists.
    TDiskStamp Base(int index) const;
    // Looks at every watched file now; a change shows its page's bar at once.
    void Check();
    // The bar's answers: re-read the file, or go on editing the page's text.
    void Answer(int index, bool reread);
    const TDiskNotice& NoticeOf(int index) const;
    // Before a save: false (with the reason) when the user declines writing over a file that
    // changed or went since the page read it.
    bool BeforeWrite(int index, const std::string& path, std::string* error);

  private:
    struct Entry {
        int id = -1;
        std::string path;
        TDiskStamp base; // what the page's text is made from; a save over anything else asks
        TDiskStamp seen; // what the bar last told of
        TDiskNotice notice;
    };
    Entry* entryOf(int id);
    const Entry* entryOfIndex(int index) const;
    void show(Entry& e, TDiskNotice notice);

    TPageHost& host_;
    const TPageIds& ids_;
    const TPageBook& book_;
    std::vector<Entry> entries_;
    bool quiet_ = false;
};
