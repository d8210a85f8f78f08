// Options and history of the search and replace dialogs (see HTSearchStore.h).
#include "search/SearchHistory.h"

#include "platform/Folders.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr std::string_view kOptions = "Options";
constexpr std::string_view kText = "Text";

} // namespace

TSearchOptions SearchOptionsOf(const TSearchDialogOptions& o) {
    TSearchOptions r = 0;
    if (o.Direction == 1) r |= soDown;
    if (o.MatchCase) r |= soMatchCase;
    if (o.WholeWord) r |= soWholeWord;
    if (o.NoMatchZenkaku) r |= soNoMatchZenkaku;
    if (o.IncludeCRLF) r |= soIncludeCRLF;
    return r;
}

std::string SearchDialogStorePath() {
    return ConfigHome() + "Brix/TStrings Property Editor.ini";
}

TSearchDialogStore::TSearchDialogStore(std::string path) : path_(std::move(path)) {}

TSearchDialogOptions TSearchDialogStore::ReadOptions() const {
    TIniFile ini(path_);
    TSearchDialogOptions o;
    o.MatchCase = ini.ReadBool(kOptions, "MatchCase", false);
    o.WholeWord = ini.ReadBool(kOptions, "WholeWord", false);
    o.NoMatchZenkaku = ini.ReadBool(kOptions, "NoMatchZenkaku", false);
    o.IncludeCRLF = ini.ReadBool(kOptions, "IncludeCRLF", false);
    const int d = ini.ReadInteger(kOptions, "Direction", 1);
    o.Direction = (d == 0 || d == 1) ? d : 1;
    return o;
}

namespace {

bool ensureFolderOf(const std::string& path) {
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return true;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

} // namespace

bool TSearchDialogStore::WriteOptions(const TSearchDialogOptions& o) {
    if (!ensureFolderOf(path_)) return false;
    TIniFile ini(path_);
    return ini.WriteBool(kOptions, "MatchCase", o.MatchCase) &&
           ini.WriteBool(kOptions, "WholeWord", o.WholeWord) &&
           ini.WriteBool(kOptions, "NoMatchZenkaku", o.NoMatchZenkaku) &&
           ini.WriteBool(kOptions, "IncludeCRLF", o.IncludeCRLF) &&
           ini.WriteInteger(kOptions, "Direction", o.Direction);
}

std::vector<std::string> TSearchDialogStore::ReadHistory(std::string_view section) const {
    TIniFile ini(path_);
    std::vector<std::string> items = DecodeHistory(ini.ReadString(section, kText, ""));
    if (items.size() > kSearchHistoryMax) items.resize(kSearchHistoryMax);
    return items;
}

bool TSearchDialogStore::WriteHistory(std::string_view section,
                                      const std::vector<std::string>& items) {
    if (!ensureFolderOf(path_)) return false;
    TIniFile ini(path_);
    return ini.WriteString(section, kText, EncodeHistory(items));
}

void AddToHistory(std::vector<std::string>& items, const std::string& text) {
    if (text.empty()) return;
    items.erase(std::remove(items.begin(), items.end(), text), items.end());
    items.insert(items.begin(), text);
    if (items.size() > kSearchHistoryMax) items.resize(kSearchHistoryMax);
}

std::string EncodeHistory(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) {
        for (char c : item) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
            }
        }
        out += "\\r\\n";
    }
    // The profile file trims blanks around a value; keep the ones that belong to it.
    if (!out.empty() && out.front() == ' ') out.replace(0, 1, "\\s");
    if (!out.empty() && out.back() == ' ') out.replace(out.size() - 1, 1, "\\s");
    return out;
}

std::vector<std::string> DecodeHistory(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case '\\':
            text += '\\';
            break;
        case 'r':
            text += '\r';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 's':
            text += ' ';
            break;
        default: // not an escape of ours: kept as written
            text += '\\';
            text += value[i];
        }
    }
    // Lines end at CR LF, CR or LF; a last line without a break is an item too.
    std::vector<std::string> items;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string::npos) {
            items.push_back(text.substr(from));
            break;
        }
        items.push_back(text.substr(from, end - from));
        from =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return items;
}
