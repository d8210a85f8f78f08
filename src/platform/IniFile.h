// Profile (INI) files with the semantics of the Windows profile functions: sections and keys
// compared without letter case, a missing file or key gives the default, every write reaches the
// disk at once (atomically: temporary file + rename), and everything a write does not touch -
// other keys, other sections, comments, odd lines - stays exactly as it was.
//
// Reading is tolerant: garbage lines, a "[" line without "]", duplicated sections or keys, binary
// bytes and CR LF or LF line ends are all accepted. The first occurrence of a key wins.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniFile {
  public:
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return path_; }

    // Reads re-read the file when it changed on disk since the last look.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // Decimal; the default when the key is missing or its value is not a whole decimal number.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // An integer; any non-zero value is true; the default when missing or not a number.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;
    // Key names of a section (of every occurrence of it), first occurrences only, in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    std::vector<std::pair<std::string, std::string>>
    ReadSectionValues(std::string_view section) const;

    // Writes return false (and leave the file as it was) when the file cannot be written, or
    // when the name or value cannot be stored in a profile file (an empty or "="-holding key,
    // a section or key or value with a line break, a section with "]").
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes every occurrence of the key; true also when it was not there.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every occurrence of the section with its lines; true also when it was not there.
    bool EraseSection(std::string_view section);

    // Groups writes into one atomic rewrite of the file: between BeginUpdate and the matching
    // EndUpdate, writes change only the in-memory copy (reads see them); EndUpdate writes it out
    // and returns false when that fails (the file then keeps its old content). Nestable.
    void BeginUpdate();
    bool EndUpdate();

    // Text of the last failure (empty after a success).
    const std::string& LastError() const { return error_; }

    // One line of the file as parsed (exposed for tests and tools).
    struct Line {
        enum Kind : std::uint8_t { Other, Section, Key } kind = Other;
        std::string text; // without its line end
        std::string name; // trimmed section or key name
        std::string eol;  // "\n", "\r\n", "\r" or "" for a last line without end
    };

  private:
    struct Stamp {
        bool exists = false;
        std::uint64_t dev = 0, ino = 0, size = 0;
        std::int64_t mtimeSec = 0, mtimeNsec = 0;
        bool operator==(const Stamp&) const = default;
    };
    void refresh() const;
    bool store(std::vector<Line> lines);
    const Line* findKey(std::string_view section, std::string_view key) const;

    std::string path_;
    mutable std::vector<Line> lines_;
    mutable Stamp stamp_;
    mutable bool loaded_ = false;
    int updateDepth_ = 0;
    bool dirty_ = false;
    mutable std::string error_;
};

// Splits profile-file bytes into lines (any line end accepted) and classifies them.
std::vector<TIniFile::Line> ParseIniLines(std::string_view bytes);
