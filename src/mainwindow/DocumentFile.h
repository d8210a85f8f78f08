// Writing a page's file so that a failed save never loses data: the text goes to a temporary file
// in the file's folder, is flushed and renamed over the old one. A symbolic link stays a link to
// the saved file, the file keeps its permissions, and a write-protected file is not replaced.
// Also the open-file list's write at the end, and the save dialog's name for a file type.
#pragma once

#include "mainwindow/MyFileList.h"

#include <optional>
#include <string>
#include <string_view>

class TIniFile;

// False with the reason in *error; the old file is then exactly as it was.
bool SaveDocumentFile(const std::string& path, std::string_view bytes, std::string* error);
// The save dialog's name after its file type changed to type (0 text, 1 hypertext, 2 any file):
// the first two put their extension in place of the name's last one; nothing for the third, an
// empty name or no type.
std::optional<std::string> NameWithSaveType(const std::string& name, int type);

// One section of a profile file as the lists read and write it.
TProfileSection IniSection(TIniFile& ini, const std::string& section);

// Writes the open-file list into the settings file it was read from (never read: the program's
// own name with ".ini"), in one rewrite of the file. On failure tells the user
// "ファイルリスト保存エラー..." and returns false.
bool SaveOpenFileList(TMyFileList& list, const std::string& programFile);
