// Writing a page's file so that a failed save never loses data: the text goes to a temporary file
// in the file's folder, is flushed and renamed over the old one, or, where a new file could not
// be the same file (hard links, an owner or group the program cannot give), the old file is
// rewritten after a whole copy of it was made beside it (see FileReplace.h). A symbolic link
// stays a link to the saved file, the file keeps its owner, group, permissions, extended
// attributes and links, and a write-protected file is not replaced.
// Also the open-file list's write at the end, and the save dialog's name for a file type.
#pragma once

#include "mainwindow/pages/MyFileList.h"
#include "platform/FileReplace.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string>
#include <string_view>

class TIniFile;

// False with the reason in *error; the old file is then exactly as it was.
bool SaveDocumentFile(const std::string& path, std::string_view bytes, std::string* error);
// The same with the bytes produced block by block while they are written.
bool SaveDocumentFile(const std::string& path, const TProduceBytes& produce, std::string* error);
// The save dialog's name after its file type changed to type (0 text, 1 hypertext, 2 any file):
// the first two put their extension in place of the name's last one; nothing for the third, an
// empty name or no type.
std::optional<std::string> NameWithSaveType(const std::string& name, int type);

// One section of a profile file as the lists read and write it.
TProfileSection IniSection(TIniFile& ini, const std::string& section);

// Writes the open-file list into the settings file it was read from (never read: the program's
// own name with ".ini"), in one rewrite of the file. On failure tells the user
// "ファイルリスト保存エラー..." and returns false.
bool SaveOpenFileList(TAsker& asker, TMyFileList& list, const std::string& programFile);
