// The open-file list: one 13-field record per page, in page order, kept between runs in
// [MyFileList].
#pragma once

#include <functional>
#include <string>
#include <vector>

// The values of one record. Fields 3, 5, 6, 7 and 12 carry no meaning here; they are kept so that a
// record arriving from outside passes through unchanged.
struct TFileRecord {
    std::string name;            // 0: file name without folder ("無題" for the untitled page)
    std::string folder;          // 1: folder with trailing "/" (empty for the untitled page)
    std::string jumpPanel = "0"; // 2: "1" when the jump panel is shown
    std::string f3;              // 3
    std::string readOnly;        // 4: "1" for a page opened read-only from a handed-over record
    std::string f5, f6, f7;      // 5..7
    int caretRow = 0;            // 8
    int topRow = 0;              // 9
    int loaded = 0;              // 10
    int tag = 0;                 // 11
    int f12 = 0;                 // 12

    // A fresh record for a new page: name, folder, "0", five empty texts, five zeros.
    static TFileRecord Fresh(const std::string& name, const std::string& folder);
};

// Field numbers of a record.
enum TFileField {
    ffName = 0,
    ffFolder = 1,
    ffJumpPanel = 2,
    ffReadOnly = 4,
    ffCaretRow = 8,
    ffTopRow = 9,
    ffLoaded = 10,
    ffTag = 11,
    ffCount = 13
};

// The page file name that marks the untitled page.
inline constexpr const char* kUntitledName = "無題";

// A key-value store of one section of a profile file, as Load and Save see it. Keeping the list
// away from a concrete file engine lets it be used (and tested) with any profile implementation.
struct TProfileSection {
    std::function<std::string(const std::string& key, const std::string& def)> read;
    std::function<bool(const std::string& key, const std::string& value)> write;
};

class TMyFileList {
  public:
    static constexpr const char* kEscape = "{`}";
    static constexpr const char* kSection = "MyFileList";

    // A whole record: "%s,%s,%s,%s,%s,%s,%s,%s,%d,%d,%d,%d,%d", "," in text fields written as
    // "{`}".
    static std::string FormatRecord(const TFileRecord& r);
    // Splits at every ",", empty fields included, and turns "{`}" back into "," in every field.
    static std::vector<std::string> SplitRecord(const std::string& record);
    static std::string Escape(const std::string& text);
    static std::string Unescape(const std::string& text);

    int Count() const { return static_cast<int>(records_.size()); }
    const std::string& Record(int index) const { return records_.at(index); }

    void AddRecord(const TFileRecord& r);
    void ReplaceRecord(int index, const TFileRecord& r);
    // Appends a record text as it came (from the settings file or a hand-off).
    void AddRaw(const std::string& record) { records_.push_back(record); }
    std::string GetField(int index, int field) const;
    // Integer value of a field; text that is not a number reads as 0.
    int GetIntField(int index, int field) const;
    // Replaces one field. A record shorter than 13 fields (edited by hand) is first padded to 13 so
    // that the loaded flag and the caret fields can be kept for it too.
    void SetField(int index, int field, const std::string& text);
    // Index of the record with this folder and name; -2 when only the name is open from another
    // folder; -1 when not open. Paths compare exactly (the file system tells letter case apart).
    int IndexOfPath(const std::string& path) const;
    // Index of the record whose field 11 equals the tag, or -1.
    int IndexOfTag(int tag) const;
    // Full path of a record: field 1 + field 0.
    std::string PathOf(int index) const {
        return GetField(index, ffFolder) + GetField(index, ffName);
    }

    void Delete(int index);
    void Move(int from, int to);
    void Clear() { records_.clear(); }

    // Reads [MyFileList]: Count, then File0..File(Count-1); every record starts unloaded. Empty
    // records are dropped, since they name no file.
    void Load(const TProfileSection& section);
    // Writes every record worth reopening as File0.. with Count; the untitled page, records
    // without folder and read-only records from a hand-off are skipped. False on a failed write.
    bool Save(const TProfileSection& section) const;
    // Whether Save writes the record.
    bool IsRemembered(int index) const;

    // The settings file Load read; Save writes to it.
    const std::string& SettingsPath() const { return settingsPath_; }
    void SetSettingsPath(const std::string& path) { settingsPath_ = path; }

  private:
    bool validIndex(int index) const { return index >= 0 && index < Count(); }
    std::vector<std::string> records_;
    std::string settingsPath_;
};

// Splits a path into file name and folder (with trailing "/"); a path without "/" has no folder.
std::string PathFileName(const std::string& path);
std::string PathFolder(const std::string& path);
// File name without its last extension ("memo.txt" -> "memo", ".profile" stays).
std::string NameWithoutExtension(const std::string& name);
// Extension with its dot, letters kept ("a.HTML" -> ".HTML"); empty when none.
std::string PathExtension(const std::string& path);
