// Why a page could not be written, in the user's terms: the name too long for the file system,
// a missing folder, a full disk, a read-only file system, a folder the user cannot write to (a
// save writes a new file beside the old one and puts it in its place, so it needs the folder),
// or the file itself protected. Judged from the file system as it is now and the writer's reason.
#pragma once

#include <string>

std::string SaveFailureCause(const std::string& path, const std::string& error);
// The message of a failed save: the file, the cause, the writer's own reason and where the text is.
std::string SaveFailureMessage(const std::string& path, const std::string& error);
