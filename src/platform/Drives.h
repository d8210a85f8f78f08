// What kind of medium holds a folder: the mount that contains it, read from the mount table.
#pragma once

#include <string>
#include <string_view>

struct TMountInfo {
    std::string mountPoint; // with escapes (\040 etc.) decoded
    std::string fsType;
    std::string source;
    bool found = false;
};

// The mount that holds the path (longest mount point that is a prefix of it), from the text of
// /proc/self/mountinfo.
TMountInfo FindMount(std::string_view mountinfoText, std::string_view absolutePath);
// The same, from the running system.
TMountInfo MountOf(const std::string& path);

// CD-ROM media: the file systems of optical discs.
bool IsCdRomFileSystem(std::string_view fsType);
// True when the program file lies on a CD-ROM.
bool IsCdRomStart();
