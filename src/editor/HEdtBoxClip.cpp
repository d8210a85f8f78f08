// Box clipboard payload and line splitting.
#include "editor/HEdtBoxClip.h"

std::string BoxPartsToText(const std::vector<std::string>& parts) {
    std::string s;
    for (const auto& p : parts) {
        s += p;
        s += "\r\n";
    }
    return s;
}

std::string BoxTextPayload(std::string_view text) {
    std::string s(text);
    s.push_back('\0');
    return s;
}

std::string BoxTextFromPayload(std::string_view payload) {
    const size_t z = payload.find('\0');
    return std::string(payload.substr(0, z));
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}
