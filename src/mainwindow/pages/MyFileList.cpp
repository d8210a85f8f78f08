// The open-file list: record format, field access, lookup and the [MyFileList] section.
#include "mainwindow/pages/MyFileList.h"

#include <charconv>
#include <stdexcept>

TFileRecord TFileRecord::Fresh(const std::string& name, const std::string& folder) {
    TFileRecord r;
    r.name = name;
    r.folder = folder;
    return r;
}

static void replaceAll(std::string& s, const std::string& from, const std::string& to) {
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

std::string TMyFileList::Escape(const std::string& text) {
    std::string s = text;
    replaceAll(s, ",", kEscape);
    return s;
}

std::string TMyFileList::Unescape(const std::string& text) {
    std::string s = text;
    replaceAll(s, kEscape, ",");
    return s;
}

// Every text field is escaped, fields 5 to 7 too: a comma left in them would shift every later
// field of the record when it is read back.
std::string TMyFileList::FormatRecord(const TFileRecord& r) {
    std::string s;
    for (const std::string* f :
         {&r.name, &r.folder, &r.jumpPanel, &r.f3, &r.readOnly, &r.f5, &r.f6, &r.f7}) {
        s += Escape(*f);
        s += ',';
    }
    for (int v : {r.caretRow, r.topRow, r.loaded, r.tag}) {
        s += std::to_string(v);
        s += ',';
    }
    s += std::to_string(r.f12);
    return s;
}

static std::vector<std::string> splitRaw(const std::string& record) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = record.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(record.substr(start));
            return fields;
        }
        fields.push_back(record.substr(start, comma - start));
        start = comma + 1;
    }
}

std::vector<std::string> TMyFileList::SplitRecord(const std::string& record) {
    std::vector<std::string> fields = splitRaw(record);
    for (auto& f : fields)
        f = Unescape(f);
    return fields;
}

void TMyFileList::AddRecord(const TFileRecord& r) {
    records_.push_back(FormatRecord(r));
}

void TMyFileList::ReplaceRecord(int index, const TFileRecord& r) {
    if (validIndex(index)) records_[index] = FormatRecord(r);
}

std::string TMyFileList::GetField(int index, int field) const {
    if (!validIndex(index) || field < 0) return {};
    std::vector<std::string> fields = splitRaw(records_[index]);
    if (field >= static_cast<int>(fields.size())) return {};
    return Unescape(fields[field]);
}

int TMyFileList::GetIntField(int index, int field) const {
    std::string s = GetField(index, field);
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return 0;
    int v = 0;
    const char* first = s.data() + b;
    const char* last = s.data() + s.size();
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || p != last) return 0;
    return v;
}

void TMyFileList::SetField(int index, int field, const std::string& text) {
    if (!validIndex(index) || field < 0) return;
    std::vector<std::string> fields = splitRaw(records_[index]);
    if (field >= static_cast<int>(fields.size())) {
        if (field >= ffCount) return;
        fields.resize(ffCount);
    }
    fields[field] = Escape(text);
    std::string s;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) s += ',';
        s += fields[i];
    }
    records_[index] = s;
}

int TMyFileList::IndexOfPath(const std::string& path) const {
    const std::string name = PathFileName(path);
    const std::string folder = PathFolder(path);
    bool sameName = false;
    // Only the first two fields are looked at: this runs for every page a folder opens.
    for (int i = 0; i < Count(); ++i) {
        const std::string& r = records_[static_cast<std::size_t>(i)];
        const std::size_t c1 = r.find(',');
        if (Unescape(r.substr(0, c1)) != name) continue;
        std::string f;
        if (c1 != std::string::npos) {
            const std::size_t c2 = r.find(',', c1 + 1);
            f = Unescape(
                r.substr(c1 + 1, c2 == std::string::npos ? std::string::npos : c2 - c1 - 1));
        }
        if (f == folder) return i;
        sameName = true;
    }
    return sameName ? -2 : -1;
}

int TMyFileList::IndexOfTag(int tag) const {
    for (int i = 0; i < Count(); ++i)
        if (GetIntField(i, ffTag) == tag && !GetField(i, ffTag).empty()) return i;
    return -1;
}

void TMyFileList::Delete(int index) {
    if (!validIndex(index))
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    records_.erase(records_.begin() + index);
}

void TMyFileList::Move(int from, int to) {
    if (from == to) return;
    if (!validIndex(from) || !validIndex(to))
        throw std::out_of_range("List index out of bounds (" +
                                std::to_string(validIndex(from) ? to : from) + ")");
    std::string r = records_[from];
    records_.erase(records_.begin() + from);
    records_.insert(records_.begin() + to, r);
}

// A settings line cannot hold a line break, and loses blanks at its ends: a record whose file
// name has them is written as "/" and its bytes with those and "%" as %XX. A record never starts
// with "/" otherwise (it starts with a file name).
static bool needsEncoding(const std::string& r) {
    return r.find_first_of("\r\n") != std::string::npos ||
           (!r.empty() && (r.front() == ' ' || r.back() == ' ' || r.front() == '/'));
}

static std::string encodeRecord(const std::string& r) {
    if (!needsEncoding(r)) return r;
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "/";
    for (const char c : r) {
        if (c == '\r' || c == '\n' || c == '%' || c == ' ') {
            out += '%';
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[static_cast<unsigned char>(c) & 15];
        } else {
            out += c;
        }
    }
    return out;
}

static std::string decodeRecord(const std::string& r) {
    if (r.empty() || r.front() != '/') return r;
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    std::string out;
    for (std::size_t i = 1; i < r.size(); ++i) {
        if (r[i] == '%' && i + 2 < r.size() && digit(r[i + 1]) >= 0 && digit(r[i + 2]) >= 0) {
            out += static_cast<char>(digit(r[i + 1]) * 16 + digit(r[i + 2]));
            i += 2;
        } else {
            out += r[i];
        }
    }
    return out;
}

void TMyFileList::Load(const TProfileSection& section) {
    int n = 0;
    std::string count = section.read("Count", "0");
    auto [p, ec] = std::from_chars(count.data(), count.data() + count.size(), n);
    if (ec != std::errc() || n <= 0) return;
    (void)p;
    for (int i = 0; i < n; ++i) {
        std::string record = decodeRecord(section.read("File" + std::to_string(i), ""));
        if (record.find_first_not_of(' ') == std::string::npos) continue;
        records_.push_back(record);
        SetField(Count() - 1, ffLoaded, "0");
    }
}

bool TMyFileList::IsRemembered(int index) const {
    return GetField(index, ffName) != kUntitledName && !GetField(index, ffFolder).empty() &&
           GetField(index, ffReadOnly) != "1";
}

bool TMyFileList::Save(const TProfileSection& section) const {
    try {
        int k = 0;
        for (int i = 0; i < Count(); ++i) {
            if (!IsRemembered(i)) continue;
            if (!section.write("File" + std::to_string(k), encodeRecord(records_[i]))) return false;
            ++k;
        }
        return section.write("Count", std::to_string(k));
    } catch (...) {
        return false;
    }
}

std::string PathFileName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string PathFolder(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameWithoutExtension(const std::string& name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

std::string PathExtension(const std::string& path) {
    std::string name = PathFileName(path);
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {};
    return name.substr(dot);
}
