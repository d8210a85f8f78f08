// Box clipboard payload and line splitting.
#include "editor/BoxClipboard.h"

#include "platform/Cp932.h"
#include "text/DocumentCodec.h"

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

std::string ClipboardLineEnds(std::string_view bytes) {
    std::string s;
    s.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            s += bytes[i];
            continue;
        }
        s += '\n';
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    return s;
}

std::string EditorLineEnds(std::string_view bytes) {
    std::string s;
    s.reserve(bytes.size() + bytes.size() / 16);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            s += "\r\n";
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            s += bytes[i];
        }
    }
    return s;
}

std::string PastedBytes(std::u16string_view text, const std::string* boxPayload,
                        const TCharTable* table, const TPasteConvert& convert, int& lost) {
    lost = 0;
    if (boxPayload) {
        std::string bytes = BoxTextFromPayload(*boxPayload);
        if (!convert || DocumentToUtf16(bytes, table) == text) return EditorLineEnds(bytes);
    }
    if (convert) return EditorLineEnds(convert(text, &lost));
    Cp932Report report;
    std::string s = Utf16ToCp932(text, &report);
    lost = static_cast<int>(report.failures);
    return EditorLineEnds(s);
}
