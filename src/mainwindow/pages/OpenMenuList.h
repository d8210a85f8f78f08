// A recent list ("開き直す", "フォルダ履歴＆開く"): paths, newest first, kept in a section of
// Tolmo.rec.
#pragma once

#include "mainwindow/pages/MyFileList.h"

#include <functional>
#include <string>
#include <vector>

class TOpenMenuList {
  public:
    static constexpr int kMinimum = 8;
    static constexpr int kMaximum = 30;
    static constexpr const char* kReOpen = "ReOpen";     // recent files
    static constexpr const char* kRefoOpen = "RefoOpen"; // recent folders

    TOpenMenuList(std::string recordFile, std::string section)
        : recordFile_(std::move(recordFile)), section_(std::move(section)) {}

    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& RecordFile() const { return recordFile_; }
    const std::string& Section() const { return section_; }
    int Maximum() const { return maximum_; }

    // Moves the path to the top (or inserts it there), trims the list to the maximum and tells the
    // menu to rebuild. A blank path is ignored. Paths compare exactly.
    void AddPath(const std::string& path);
    // Maximum := the number limited to 8..30. The list itself is trimmed at the next AddPath.
    void SetMaximum(int n);

    // Count (default 0), then Item0..Item(Count-1), appended as they are (no maximum applied).
    void Load(const TProfileSection& section);
    // Count = min(items, maximum), then every item as Item0..; false on a failed write.
    bool Save(const TProfileSection& section) const;

    // The menu's entries: the index of each item that is not blank, and its caption.
    struct TMenuEntry {
        int Index;
        std::string Caption;
    };
    std::vector<TMenuEntry> MenuEntries() const;

    // Called after every change of the items (the menu rebuilds itself from Items()).
    std::function<void()> OnChange;

  private:
    std::string recordFile_;
    std::string section_;
    std::vector<std::string> items_;
    int maximum_ = kMinimum;
};

// The record file of the recent lists: data folder + "Tolmo.rec"; when that folder does not exist,
// the program file's path with the extension ".rec".
std::string RecordFilePath(const std::string& dataFolder, const std::string& programFile);

// A caption shown as it is written: "&" doubled, so that it makes no mnemonic.
std::string LiteralCaption(const std::string& text);
