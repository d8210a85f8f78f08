// Recovery files of one main window's pages, decided without a window: which page is written or
// loses its file at each tick of the timer, the offer of the pages a crashed run left, and the
// end without questions. The window supplies the pages' texts, the editing controls a recovered
// text goes into, and the dialog that asks which pages to recover.
#pragma once

#include "mainwindow/pages/PageBook.h"
#include "mainwindow/pages/Recovery.h"
#include "mainwindow/pages/RecoveryWriter.h"
#include "platform/DiskStamp.h"
#include "platform/MessageBox.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One page a crashed run left, as the dialog offers it.
struct TRecoveryOffer {
    std::string name;         // the page's path, or "無題"
    std::string time;         // "yyyy/mm/dd hh:mm:ss", local time
    std::string line;         // the first line that differs from the file on disk
    bool fileChanged = false; // the file changed (or went) after the page's text was kept
};

// Beside the name of a page whose file changed after its text was kept.
inline constexpr const char* kRecoveryFileChangedMark = "（この後ファイルが変更されています）";

class TRecoveryPages {
  public:
    TRecoveryPages(TAsker& asker, TPageHost& host, const TPageIds& ids, TPageBook& book)
        : asker_(asker), host_(host), ids_(ids), book_(book) {}
    // A normal end removes this run's files; after an unattended end they stay.
    ~TRecoveryPages();

    // Claims this run's folder under root; false (after telling the user) when unsaved texts
    // cannot be kept.
    bool Open(const std::string& root);
    bool IsOpen() const { return writer_ != nullptr; }
    const TRecoverySession& Session() const { return session_; }

    // A page's state for its file; false when it has none yet (a page still loading, unless
    // wait: the end does not wait for it).
    std::function<bool(int index, bool wait, TRecoveryRecord& meta, TRowTableSnapshot& text)>
        Capture;
    // Puts a recovered text into the page's control (false: the page could not take it).
    std::function<bool(int index, const TRecoveryRecord& r)> Restore;
    // Which pages to recover, one flag per offer; nothing when the user decides later.
    std::function<std::optional<std::vector<bool>>(const std::vector<TRecoveryOffer>&)> Choose;
    // A write that failed, for the status bar; the settings and the open-file list at the end.
    std::function<void(const std::string& text)> Status;
    std::function<void()> SaveSettings;
    // The file as a page's text knows it (kept with its text), and a restored page's text based
    // on the file as the recovery file knew it (its first save asks when the file moved on).
    std::function<TDiskStamp(int index)> BaseOf;
    std::function<void(int index, const TDiskStamp& base)> SetBase;

    // A page's text changed at nowMs (the window's clock in milliseconds).
    void Edited(int index, std::int64_t nowMs);
    // Writes every page that is due at nowMs, removes the files of saved and closed pages.
    void Tick(std::int64_t nowMs);
    // When Tick has something to do next: the first edited page's due time; nothing while no
    // edit waits (a save, a re-read or a closed page asks for a Tick of its own).
    std::optional<std::int64_t> NextTick() const;
    // Writes every modified page at once and waits for the files.
    void WriteAllNow();
    // A page's text is about to be replaced by its file read again: it is kept in a file of
    // its own until the page is next saved (also past a normal end, for the next start).
    void KeepReplaced(int index);
    void Saved(int index);
    // Ends without a question: named pages are saved where the settings allow it, every other
    // modified page (and one that fails to save) goes to its recovery file, which is kept for
    // the next start; then the settings.
    void EndWithoutQuestions();
    // Offers the pages of runs under root that did not end normally.
    void Offer(const std::string& root, std::int64_t nowMs);

  private:
    int idOf(int index);
    void writeRecovery(int index, int id, bool wait);
    void fill(int index, TRecoveryRecord& meta) const;
    bool restore(const TRecoveryCandidate& c, std::int64_t nowMs);

    TAsker& asker_; // the notices about the recovery folder
    TPageHost& host_;
    const TPageIds& ids_;
    TPageBook& book_;
    TRecoverySession session_;
    std::unique_ptr<TRecoveryWriter> writer_;
    std::map<int, TRecoveryPageState> states_; // by page id
    bool ending_ = false; // an unattended end is under way: no more timed writes
    bool keep_ = false;   // recovery files were written for it: they stay for the next start
    std::map<int, std::string> replaced_; // by page id: texts a re-read replaced
};

// The time of a recovery record as the offer shows it.
std::string RecoveryTimeText(std::int64_t secondsSince1970);
