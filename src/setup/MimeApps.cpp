// mimeapps.list edits that keep everything else byte for byte.
#include "setup/MimeApps.h"

#include "platform/TextUtil.h"

#include <vector>

namespace {

struct Line {
    std::string text, eol;
};

std::vector<Line> splitLines(std::string_view t) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < t.size()) {
        std::size_t end = t.find_first_of("\r\n", pos);
        Line l;
        if (end == std::string_view::npos) {
            l.text = std::string(t.substr(pos));
            pos = t.size();
        } else {
            l.text = std::string(t.substr(pos, end - pos));
            std::size_t eolLen =
                (t[end] == '\r' && end + 1 < t.size() && t[end + 1] == '\n') ? 2 : 1;
            l.eol = std::string(t.substr(end, eolLen));
            pos = end + eolLen;
        }
        lines.push_back(std::move(l));
    }
    return lines;
}

std::string join(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& l : lines)
        out += l.text + l.eol;
    return out;
}

bool isHeader(const std::string& text, std::string* name = nullptr) {
    std::string t = Trim(text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    if (name) *name = t.substr(1, t.size() - 2);
    return true;
}

// Index of the key's line in the section, or -1; sectionEnd receives the index after the
// section's last key or comment line (-1 when the section is missing).
int findKey(const std::vector<Line>& lines, std::string_view mimeType, int& sectionEnd) {
    sectionEnd = -1;
    int found = -1;
    bool inside = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name;
        if (isHeader(lines[i].text, &name)) {
            inside = name == kDefaultApplications;
            if (inside && sectionEnd < 0) sectionEnd = i + 1;
            continue;
        }
        if (!inside) continue;
        if (!Trim(lines[i].text).empty()) sectionEnd = i + 1;
        auto eq = lines[i].text.find('=');
        if (found < 0 && eq != std::string::npos && Trim(lines[i].text.substr(0, eq)) == mimeType)
            found = i;
    }
    return found;
}

std::vector<std::string> splitList(std::string_view value) {
    std::vector<std::string> ids;
    std::size_t pos = 0;
    while (pos <= value.size()) {
        std::size_t semi = value.find(';', pos);
        if (semi == std::string_view::npos) semi = value.size();
        std::string id = Trim(value.substr(pos, semi - pos));
        if (!id.empty()) ids.push_back(id);
        pos = semi + 1;
    }
    return ids;
}

std::string listValue(const std::vector<std::string>& ids) {
    std::string v;
    for (const std::string& id : ids)
        v += id + ";";
    return v;
}

std::string valueOf(const std::string& line) {
    return line.substr(line.find('=') + 1);
}

std::string newline(const std::vector<Line>& lines) {
    for (const Line& l : lines)
        if (!l.eol.empty()) return l.eol;
    return "\n";
}

} // namespace

std::string WithDefaultApplication(std::string_view text, std::string_view mimeType,
                                   std::string_view desktopId) {
    std::vector<Line> lines = splitLines(text);
    const std::string nl = newline(lines);
    int sectionEnd = -1;
    int key = findKey(lines, mimeType, sectionEnd);
    std::vector<std::string> ids{std::string(desktopId)};
    if (key >= 0)
        for (const std::string& id : splitList(valueOf(lines[key].text)))
            if (id != desktopId) ids.push_back(id);
    Line entry{std::string(mimeType) + "=" + listValue(ids), nl};
    if (key >= 0) {
        entry.eol = lines[key].eol;
        lines[key] = entry;
    } else if (sectionEnd >= 0) {
        if (lines[sectionEnd - 1].eol.empty()) lines[sectionEnd - 1].eol = nl;
        lines.insert(lines.begin() + sectionEnd, entry);
    } else {
        if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = nl;
        if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({"", nl});
        lines.push_back({"[" + std::string(kDefaultApplications) + "]", nl});
        lines.push_back(entry);
    }
    return join(lines);
}

std::string WithoutDefaultApplication(std::string_view text, std::string_view mimeType,
                                      std::string_view desktopId) {
    std::vector<Line> lines = splitLines(text);
    int sectionEnd = -1;
    int key = findKey(lines, mimeType, sectionEnd);
    if (key < 0) return std::string(text);
    std::vector<std::string> ids;
    for (const std::string& id : splitList(valueOf(lines[key].text)))
        if (id != desktopId) ids.push_back(id);
    if (!ids.empty()) {
        lines[key].text = std::string(mimeType) + "=" + listValue(ids);
        return join(lines);
    }
    lines.erase(lines.begin() + key);
    // A section left with nothing in it goes too, with the blank line that set it apart.
    int header = key - 1;
    while (!isHeader(lines[header].text))
        --header;
    int next = header + 1;
    while (next < static_cast<int>(lines.size()) && Trim(lines[next].text).empty())
        ++next;
    if (next == static_cast<int>(lines.size()) || isHeader(lines[next].text)) {
        const bool blankBefore = header > 0 && Trim(lines[header - 1].text).empty();
        lines.erase(lines.begin() + header - (blankBefore ? 1 : 0), lines.begin() + header + 1);
    }
    return join(lines);
}

bool IsDefaultApplication(std::string_view text, std::string_view mimeType,
                          std::string_view desktopId) {
    std::vector<Line> lines = splitLines(text);
    int sectionEnd = -1;
    int key = findKey(lines, mimeType, sectionEnd);
    if (key < 0) return false;
    std::vector<std::string> ids = splitList(valueOf(lines[key].text));
    return !ids.empty() && ids.front() == desktopId;
}
