// Replacing a file's content so that a crash at any moment leaves the old or the new content
// whole, while the file stays the same file to the rest of the system: its owner, group, mode,
// extended attributes (ACLs among them) and hard links are kept.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Hands one block of the new content on; false when it could not be written (errno tells why).
using TWriteBytes = std::function<bool(std::string_view)>;
// Produces the new content through write, block by block. False when it fails: with *error set
// when the producer itself refused (the file is then left as it was), else the failed write's
// errno is reported.
using TProduceBytes = std::function<bool(const TWriteBytes& write, std::string* error)>;

// How the new content reaches the file.
enum class TReplaceWay {
    Rename,  // a new file in the same folder, renamed over the old one
    InPlace, // the old file rewritten, a whole copy of it kept beside it until it is done
};

// The way a file can be replaced keeping what it is: renaming a new file over it keeps the name
// only, so a file with more than one link, or whose owner or group this process cannot give a new
// file, is written in place. A file that does not exist yet is made by renaming.
TReplaceWay ReplaceWayFor(const std::string& path);

// Writes the produced content to path (a regular file or a new name; its folder must exist).
// The temporary file and the copy are named ".tolmo-XXXXXX" in the same folder, so any name the
// file system takes can be saved. False with the reason in *error; the old content is then what
// the file holds (restored from the copy if the writing had begun), or, if even that failed, the
// reason names the copy that holds it.
bool ReplaceFileContent(const std::string& path, const TProduceBytes& produce,
                        std::string* error = nullptr);

// The same for content that is already in memory.
bool ReplaceFileContent(const std::string& path, std::string_view bytes,
                        std::string* error = nullptr);
