// What a page knows of its file on disk (identity, size, modification time), to tell when
// another program changed or deleted the file after the page read or wrote it, and the
// questions asked then.
#pragma once

#include <cstdint>
#include <string>

struct TDiskStamp {
    bool exists = false;
    std::uint64_t dev = 0, ino = 0;
    std::int64_t size = 0, mtimeNs = 0, ctimeNs = 0;
    bool operator==(const TDiskStamp&) const = default;
};

// The stamp of the file a path names now (links followed).
TDiskStamp StampOf(const std::string& path);

enum class TDiskChange { None, Changed, Deleted };
// How the file moved on from what the page knew (a file that did not exist and still does not,
// or appeared, counts as changed only when it appeared).
TDiskChange CompareStamps(const TDiskStamp& known, const TDiskStamp& now);

// The questions before a save over such a file (caption "確認").
std::string OverwriteChangedQuestion(const std::string& path);
std::string SaveDeletedQuestion(const std::string& path);
// The reason a save gives when the user (or an end without questions) declined it.
inline constexpr const char* kSaveDeclined = "他のプログラムによる変更の上には保存しませんでした。";
