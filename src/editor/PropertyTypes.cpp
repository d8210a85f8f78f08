// The sorted name list.
#include "editor/PropertyTypes.h"

#include <algorithm>

static unsigned char Fold(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
}

int TSortedNames::Compare(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int TSortedNames::IndexOf(std::string_view s) const {
    auto it = std::lower_bound(
        items_.begin(), items_.end(), s,
        [](const std::string& a, std::string_view b) { return Compare(a, b) < 0; });
    if (it == items_.end() || Compare(*it, s) != 0) return -1;
    return static_cast<int>(it - items_.begin());
}

bool TSortedNames::Contains(std::string_view s) const {
    return IndexOf(s) >= 0;
}

bool TSortedNames::Add(std::string_view s) {
    auto it = std::lower_bound(
        items_.begin(), items_.end(), s,
        [](const std::string& a, std::string_view b) { return Compare(a, b) < 0; });
    if (it != items_.end() && Compare(*it, s) == 0) return false;
    items_.insert(it, std::string(s));
    return true;
}

bool TSortedNames::Remove(std::string_view s) {
    const int i = IndexOf(s);
    if (i < 0) return false;
    items_.erase(items_.begin() + i);
    return true;
}

void TSortedNames::Assign(const std::vector<std::string>& items) {
    items_.clear();
    for (const auto& s : items)
        Add(s);
}
