// Profile-file engine: tolerant line model, case-insensitive lookup, atomic rewrite per change.
#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/TextUtil.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void classify(TIniFile::Line& line, bool first) {
    std::string_view t = line.text;
    if (first && t.substr(0, kUtf8Bom.size()) == kUtf8Bom) t.remove_prefix(kUtf8Bom.size());
    t = TrimView(t);
    line.kind = TIniFile::Line::Other;
    line.name.clear();
    if (t.empty() || t[0] == ';' || t[0] == '#') return;
    if (t[0] == '[') {
        // A "[" line without "]" is no section header; like the profile functions, it is then
        // just another (unusable) line of the current section.
        auto close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = TIniFile::Line::Section;
            line.name = Trim(t.substr(1, close - 1));
            return;
        }
    }
    auto eq = t.find('=');
    if (eq == std::string_view::npos) return;
    std::string_view key = TrimView(t.substr(0, eq));
    if (key.empty()) return;
    line.kind = TIniFile::Line::Key;
    line.name = std::string(key);
}

std::string_view valueOf(const TIniFile::Line& line) {
    std::string_view t = line.text;
    return TrimView(t.substr(t.find('=') + 1));
}

bool hasLineBreak(std::string_view s) {
    return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

// Calls f(index) for every line inside every occurrence of the section (headers excluded).
template <class F>
void forEachInSection(const std::vector<TIniFile::Line>& lines, std::string_view section, F f) {
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == TIniFile::Line::Section) {
            inside = SameTextAscii(lines[i].name, section);
            continue;
        }
        if (inside && !f(i)) return;
    }
}

std::string defaultEol(const std::vector<TIniFile::Line>& lines) {
    for (const auto& l : lines)
        if (!l.eol.empty()) return l.eol;
    return "\n";
}

std::string serialise(const std::vector<TIniFile::Line>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

TIniFile::Line makeLine(std::string text, std::string eol) {
    TIniFile::Line l;
    l.text = std::move(text);
    l.eol = std::move(eol);
    classify(l, false);
    return l;
}

} // namespace

std::vector<TIniFile::Line> ParseIniLines(std::string_view bytes) {
    std::vector<TIniFile::Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        TIniFile::Line l;
        if (end == std::string_view::npos) {
            l.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            l.text = std::string(bytes.substr(pos, end - pos));
            std::size_t eolLen =
                (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
            l.eol = std::string(bytes.substr(end, eolLen));
            pos = end + eolLen;
        }
        classify(l, lines.empty());
        lines.push_back(std::move(l));
    }
    return lines;
}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

void TIniFile::refresh() const {
    if (updateDepth_ > 0 && loaded_) return; // inside an update the in-memory copy rules
    Stamp now;
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        now.exists = true;
        now.dev = st.st_dev;
        now.ino = st.st_ino;
        now.size = static_cast<std::uint64_t>(st.st_size);
        now.mtimeSec = st.st_mtim.tv_sec;
        now.mtimeNsec = st.st_mtim.tv_nsec;
    }
    if (loaded_ && now == stamp_) return;
    lines_.clear();
    loaded_ = false;
    stamp_ = now;
    if (!now.exists) {
        loaded_ = true;
        return;
    }
    std::string bytes;
    if (!ReadWholeFile(path_, bytes, &error_)) return; // unreadable: defaults; writes refuse
    lines_ = ParseIniLines(bytes);
    loaded_ = true;
}

const TIniFile::Line* TIniFile::findKey(std::string_view section, std::string_view key) const {
    refresh();
    const Line* found = nullptr;
    forEachInSection(lines_, section, [&](std::size_t i) {
        if (lines_[i].kind == Line::Key && SameTextAscii(lines_[i].name, key)) {
            found = &lines_[i];
            return false;
        }
        return true;
    });
    return found;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
    const Line* l = findKey(TrimView(section), TrimView(key));
    return l ? std::string(valueOf(*l)) : std::string(def);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    const Line* l = findKey(TrimView(section), TrimView(key));
    int v = def;
    if (l && ParseDecimalInt(valueOf(*l), v)) return v;
    return def;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(std::string_view section) const {
    refresh();
    section = TrimView(section);
    for (const auto& l : lines_)
        if (l.kind == Line::Section && SameTextAscii(l.name, section)) return true;
    return false;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return findKey(TrimView(section), TrimView(key)) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections() const {
    refresh();
    std::vector<std::string> out;
    for (const auto& l : lines_) {
        if (l.kind != Line::Section) continue;
        bool seen = false;
        for (const auto& s : out)
            seen = seen || SameTextAscii(s, l.name);
        if (!seen) out.push_back(l.name);
    }
    return out;
}

std::vector<std::pair<std::string, std::string>>
TIniFile::ReadSectionValues(std::string_view section) const {
    refresh();
    std::vector<std::pair<std::string, std::string>> out;
    forEachInSection(lines_, TrimView(section), [&](std::size_t i) {
        const Line& l = lines_[i];
        if (l.kind != Line::Key) return true;
        for (const auto& kv : out)
            if (SameTextAscii(kv.first, l.name)) return true;
        out.emplace_back(l.name, std::string(valueOf(l)));
        return true;
    });
    return out;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> out;
    for (auto& kv : ReadSectionValues(section))
        out.push_back(std::move(kv.first));
    return out;
}

bool TIniFile::store(std::vector<Line> lines) {
    if (!loaded_) {
        // The file exists but could not be read: rewriting it would lose its content.
        if (error_.empty()) error_ = path_ + ": cannot be read";
        return false;
    }
    if (updateDepth_ > 0) {
        lines_ = std::move(lines);
        dirty_ = true;
        return true;
    }
    if (!WriteFileAtomic(path_, serialise(lines), &error_)) return false;
    lines_ = std::move(lines);
    loaded_ = false; // the next read takes the new stamp (and finds our own content)
    refresh();
    error_.clear();
    return true;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimView(section);
    key = TrimView(key);
    value = TrimView(value);
    error_.clear();
    if (key.empty() || key.find('=') != std::string_view::npos || key[0] == '[' || key[0] == ';' ||
        key[0] == '#' || section.find(']') != std::string_view::npos || hasLineBreak(section) ||
        hasLineBreak(key) || hasLineBreak(value)) {
        error_ = "invalid profile entry [" + std::string(section) + "] " + std::string(key);
        return false;
    }
    refresh();
    std::vector<Line> lines = lines_;
    const std::string eol = defaultEol(lines);
    std::string text = std::string(key) + "=" + std::string(value);

    // An existing key keeps its place (and its own spelling).
    std::size_t hit = lines.size();
    forEachInSection(lines, section, [&](std::size_t i) {
        if (lines[i].kind == Line::Key && SameTextAscii(lines[i].name, key)) {
            hit = i;
            return false;
        }
        return true;
    });
    if (hit < lines.size()) {
        lines[hit].text = lines[hit].name + "=" + std::string(value);
        return store(std::move(lines));
    }
    // A new key goes after the last key of the section's first occurrence.
    std::size_t header = lines.size();
    for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i)
        if (lines[i].kind == Line::Section && SameTextAscii(lines[i].name, section)) header = i;
    if (header < lines.size()) {
        std::size_t at = header + 1;
        for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != Line::Section; ++i)
            if (lines[i].kind == Line::Key) at = i + 1;
        if (lines[at - 1].eol.empty()) lines[at - 1].eol = eol;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), makeLine(text, eol));
        return store(std::move(lines));
    }
    // A new section goes at the end, after one blank line.
    if (!lines.empty()) {
        if (lines.back().eol.empty()) lines.back().eol = eol;
        if (!TrimView(lines.back().text).empty()) lines.push_back(makeLine("", eol));
    }
    std::string sectionLine(1, '[');
    sectionLine.append(section);
    sectionLine.push_back(']');
    lines.push_back(makeLine(std::move(sectionLine), eol));
    lines.push_back(makeLine(text, eol));
    return store(std::move(lines));
}

bool TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    section = TrimView(section);
    key = TrimView(key);
    error_.clear();
    refresh();
    std::vector<bool> drop(lines_.size(), false);
    bool any = false;
    forEachInSection(lines_, section, [&](std::size_t i) {
        if (lines_[i].kind == Line::Key && SameTextAscii(lines_[i].name, key)) drop[i] = any = true;
        return true;
    });
    if (!any) return true;
    std::vector<Line> lines;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (!drop[i]) lines.push_back(lines_[i]);
    return store(std::move(lines));
}

bool TIniFile::EraseSection(std::string_view section) {
    section = TrimView(section);
    error_.clear();
    refresh();
    std::vector<Line> lines;
    bool inside = false, any = false;
    for (const auto& l : lines_) {
        if (l.kind == Line::Section) inside = SameTextAscii(l.name, section);
        if (inside) {
            any = true;
            continue;
        }
        lines.push_back(l);
    }
    if (!any) return true;
    return store(std::move(lines));
}

void TIniFile::BeginUpdate() {
    ++updateDepth_;
}

bool TIniFile::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !dirty_) return true;
    dirty_ = false;
    if (WriteFileAtomic(path_, serialise(lines_), &error_)) {
        loaded_ = false;
        refresh();
        error_.clear();
        return true;
    }
    loaded_ = false; // forget the unwritten changes: the next read sees the file as it is
    return false;
}
