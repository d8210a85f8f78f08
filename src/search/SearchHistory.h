// Options and history of the search and replace dialogs, kept per user in
// $XDG_CONFIG_HOME/Brix/TStrings Property Editor.ini: section "Options" (MatchCase, WholeWord,
// NoMatchZenkaku, IncludeCRLF, Direction) and the histories as "Text" of "SearchItems" and
// "ReplaceItems" (the items one per line, the line breaks written as "\r\n" escapes).
#pragma once

#include "search/Matcher.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kSearchItemsSection = "SearchItems";
inline constexpr std::string_view kReplaceItemsSection = "ReplaceItems";
// A history keeps at most this many entries.
inline constexpr std::size_t kSearchHistoryMax = 32;

struct TSearchDialogOptions {
    bool MatchCase = false;
    bool WholeWord = false;
    bool NoMatchZenkaku = false;
    bool IncludeCRLF = false;
    int Direction = 1; // radio index: 0 backward, 1 forward
    bool operator==(const TSearchDialogOptions&) const = default;
};

// The option bits the dialog's controls stand for.
TSearchOptions SearchOptionsOf(const TSearchDialogOptions& o);

// ConfigHome() + "Brix/TStrings Property Editor.ini".
std::string SearchDialogStorePath();

class TSearchDialogStore {
  public:
    explicit TSearchDialogStore(std::string path = SearchDialogStorePath());

    // Missing or unreadable values give the defaults; a Direction other than 0 or 1 gives 1.
    TSearchDialogOptions ReadOptions() const;
    // False when the file cannot be written (the folder is created when missing).
    bool WriteOptions(const TSearchDialogOptions& o);
    std::vector<std::string> ReadHistory(std::string_view section) const;
    bool WriteHistory(std::string_view section, const std::vector<std::string>& items);

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Moves text to the top of the history (an equal entry is removed first) and drops entries
// beyond kSearchHistoryMax. An empty text leaves the history as it is.
void AddToHistory(std::vector<std::string>& items, const std::string& text);

// The history as one profile-file value and back: items each followed by a line break, with "\"
// written "\\", CR "\r", LF "\n", tab "\t" and a blank at either end of the value "\s".
std::string EncodeHistory(const std::vector<std::string>& items);
std::vector<std::string> DecodeHistory(std::string_view value);
