// A recent list: add, trim and its section of Tolmo.rec.
#include "mainwindow/pages/OpenMenuList.h"

#include <algorithm>
#include <charconv>
#include <sys/stat.h>

void TOpenMenuList::AddPath(const std::string& path) {
    if (path.find_first_not_of(" \t") == std::string::npos) return;
    auto it = std::find(items_.begin(), items_.end(), path);
    if (it != items_.end()) items_.erase(it);
    items_.insert(items_.begin(), path);
    while (Count() > maximum_)
        items_.pop_back();
    if (OnChange) OnChange();
}

void TOpenMenuList::SetMaximum(int n) {
    maximum_ = std::clamp(n, kMinimum, kMaximum);
}

void TOpenMenuList::Load(const TProfileSection& section) {
    std::string count = section.read("Count", "0");
    int n = 0;
    auto [p, ec] = std::from_chars(count.data(), count.data() + count.size(), n);
    (void)p;
    if (ec != std::errc()) n = 0;
    for (int i = 0; i < n; ++i)
        items_.push_back(section.read("Item" + std::to_string(i), ""));
    if (OnChange) OnChange();
}

bool TOpenMenuList::Save(const TProfileSection& section) const {
    try {
        if (!section.write("Count", std::to_string(std::min(Count(), maximum_)))) return false;
        for (int i = 0; i < Count(); ++i)
            if (!section.write("Item" + std::to_string(i), items_[i])) return false;
        return true;
    } catch (...) {
        return false;
    }
}

std::string RecordFilePath(const std::string& dataFolder, const std::string& programFile) {
    struct stat st {};
    if (!dataFolder.empty() && ::stat(dataFolder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::string f = dataFolder;
        if (f.back() != '/') f += '/';
        return f + "Tolmo.rec";
    }
    std::string p = programFile;
    std::size_t slash = p.rfind('/');
    std::size_t dot = p.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) p.erase(dot);
    return p + ".rec";
}

std::vector<TOpenMenuList::TMenuEntry> TOpenMenuList::MenuEntries() const {
    std::vector<TMenuEntry> out;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].find_first_not_of(" \t") != std::string::npos)
            out.push_back({static_cast<int>(i), LiteralCaption(items_[i])});
    return out;
}

std::string LiteralCaption(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}
