// A whole folder as one text, so that a test compares every file it holds at once.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

// Every entry below `folder` in name order, a line each: "sub/" for a folder, "sub/name=contents"
// for a file.
inline std::string FolderListing(const std::string& folder) {
    namespace fs = std::filesystem;
    std::set<std::string> lines;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        std::ifstream in(e.path(), std::ios::binary);
        lines.insert(e.is_directory()
                         ? name + "/"
                         : name + "=" + std::string(std::istreambuf_iterator<char>(in), {}));
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
