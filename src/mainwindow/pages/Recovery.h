// Recovery files of unsaved pages: their format, the private folder they live in, the folder each
// running instance claims for itself, the search for files a crashed run left behind, and when a
// modified page is due to be written again. Nothing here needs a window.
#pragma once

#include "text/RowTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One page's unsaved state.
struct TRecoveryRecord {
    std::string Path;               // the page's file, "無題" for an untitled page
    std::string Encoding = "cp932"; // how the page's file is written (an EncodingName)
    std::string LineEnd;            // its line ends (a LineEndName); empty: as the file has them
    std::string Table;              // the page's character table (TCharTable::Save), if any
    std::int64_t Time = 0;          // when the state was taken, seconds since 1970
    int CaretRow = 0;
    // The file as the page's text knew it (size and modification time); FileSize -1: unknown.
    std::int64_t FileSize = -1, FileTimeNs = 0;
    std::string Text; // the page's text as its rows hold it (CR LF line ends)
};

// The file: a header of "key=value" lines after the line "Tolmo recovery 1", an empty line, the
// text's bytes (as many as "length=" says) and the line "end". Values keep backslashes and line
// breaks escaped ("\\", "\n", "\r").
std::string RecoveryHeader(const TRecoveryRecord& r, std::int64_t length);
inline constexpr std::string_view kRecoveryTrailer = "\nend\n";
// Reads a whole file; false with the reason when it is not a complete recovery file.
bool ParseRecovery(std::string_view bytes, TRecoveryRecord& r, std::string* error);

// True when the file at the record's path is no longer the one the page's text was made from
// (changed, or gone) - a save of the restored text would overwrite a later change.
bool FileMovedOnSince(const TRecoveryRecord& r);

// Writes the record's header, the snapshot's text and the trailer to path atomically (a temporary
// file in the same folder, flushed, renamed), readable by the user alone.
bool WriteRecoveryFile(const std::string& path, const TRecoveryRecord& meta,
                       const TRowTableSnapshot& text, std::string* error);
// The same for a text held in memory (tests, and pages whose text is not in a row store).
bool WriteRecoveryFile(const std::string& path, const TRecoveryRecord& r, std::string* error);

// $XDG_STATE_HOME/Brix/Tolmo/recovery/ ($XDG_STATE_HOME defaults to ~/.local/state), trailing "/".
std::string RecoveryRoot();
// Makes the folder (and its parents, 0700) when missing. False with a reason when it is not a
// folder of this user that only this user can enter: other users could read or plant files.
bool EnsurePrivateFolder(const std::string& folder, std::string* error);

// The folder a running instance writes its pages into: claimed under root and locked for the
// life of this object, so that no other start takes its files. A crash releases the lock (the
// kernel drops it with the process) and leaves the files for the next start.
class TRecoverySession {
  public:
    TRecoverySession() = default;
    ~TRecoverySession();
    TRecoverySession(const TRecoverySession&) = delete;
    TRecoverySession& operator=(const TRecoverySession&) = delete;

    bool Open(const std::string& root, std::string* error);
    bool IsOpen() const { return lock_ >= 0; }
    const std::string& Folder() const { return folder_; }
    std::string FileFor(int pageId) const;
    // Where the text a re-read replaced is kept until the page is saved.
    std::string ReplacedFileFor(int pageId) const;
    void Remove(int pageId) const;
    // A normal end: every file and the folder go.
    void Finish();

  private:
    std::string folder_;
    int lock_ = -1;
};

// A page left by a run that did not end normally.
struct TRecoveryCandidate {
    std::string File;
    TRecoveryRecord Record;
};

// The folders of instances that no longer run, claimed (locked) while their pages are offered.
class TRecoveryOrphans {
  public:
    TRecoveryOrphans() = default;
    ~TRecoveryOrphans();
    TRecoveryOrphans(const TRecoveryOrphans&) = delete;
    TRecoveryOrphans& operator=(const TRecoveryOrphans&) = delete;

    // Looks through root: folders whose lock nobody holds are taken; their readable files become
    // Pages (oldest first), damaged ones are moved into root + "damaged/" and named in Damaged.
    void Collect(const std::string& root);
    std::vector<TRecoveryCandidate> Pages;
    std::vector<std::string> Damaged; // file names as they were set aside
    // Removes a page's file once it is recovered or discarded.
    static void Drop(const TRecoveryCandidate& c);
    // Removes the emptied folders and lets go of them.
    void Finish();

  private:
    struct Claimed {
        std::string folder;
        int lock = -1;
    };
    std::vector<Claimed> claimed_;
};

// The first line of text that differs from the file's bytes on disk (any line end), or the first
// line that is not blank when there is no file; empty when they are the same.
std::string FirstDifferentLine(std::string_view text, std::string_view disk, bool haveDisk);

// When a modified page's state is written: kQuietMs after the last edit, and never more than
// kMaxMs after the first edit that is not written yet (steady typing still gets written).
class TRecoveryClock {
  public:
    static constexpr std::int64_t kQuietMs = 3000;
    static constexpr std::int64_t kMaxMs = 30000;
    void Edited(std::int64_t nowMs);
    bool Due(std::int64_t nowMs) const;
    std::int64_t DueAt() const; // when Due turns true (only while Pending)
    void Written() { pending_ = false; }
    bool Pending() const { return pending_; }

  private:
    bool pending_ = false;
    std::int64_t first_ = 0, last_ = 0;
};

// At an end without questions a modified page is saved in place when the settings save named
// pages without asking (KnKakunin) and the page is named and writable; any other page, and one
// whose save fails, goes to its recovery file.
bool SavesAtUnattendedEnd(bool saveNamed, bool untitled, bool readOnly);

// One page's recovery file as the timer sees it.
struct TRecoveryPageState {
    TRecoveryClock Clock;
    bool Written = false; // the page has a recovery file
    enum class TAction { None, Write, Remove };
    // A tick of the timer: a page that is not modified (saved, re-read or never changed) has
    // nothing to recover and loses its file; a modified one is written once its clock is due, or
    // at once when it has no file and no edit is waiting (a page restored modified).
    TAction Tick(bool modified, std::int64_t nowMs);
    void MarkWritten() {
        Clock.Written();
        Written = true;
    }
};
