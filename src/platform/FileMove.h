// Moving a file to a new name that never replaces an existing file, also from one file system to
// another, so that a rename loses nothing whichever step fails.
#pragma once

#include <string>

enum class TMoveResult { Moved, TargetExists, Failed };

// Moves the file from one path to the other. TargetExists when a file (or anything) already has
// the new name, also when it appeared a moment ago; the old file is then untouched. Across file
// systems the file is copied (bytes, permission bits, times), flushed, given the new name and only
// then removed from the old place; when any step fails the copy is removed again and the old file
// stays as it was. Failed carries the reason in *error.
TMoveResult MoveFileNoReplace(const std::string& from, const std::string& to,
                              std::string* error = nullptr);
