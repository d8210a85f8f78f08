// Box clipboard payload and line splitting.
#include "editor/BoxClipboard.h"

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
