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

// True when the mount lies on removable media: mounted under /media or /run/media, or its block
// device (below sysBlock, normally "/sys/block/") says it is removable.
bool IsRemovableMount(const TMountInfo& m, const std::string& sysBlock = "/sys/block/");

// What statvfs says about the medium of a folder.
enum class TMediaState { Ready, NotReady, Unformatted, DiskError };
// Ready, or the errno value of a failed statvfs mapped onto the medium's state.
TMediaState MediaStateFromErrno(int err);
TMediaState MediaStateOf(const std::string& folder);

// What the system answers about the medium that holds a folder (in place of GetDiskFreeSpace).
struct TMediumState {
    bool removable = false;
    int error = 0; // errno of the query, 0 when the medium answered
    unsigned long long totalBytes = 0;
};
TMediumState ProbeMedium(const std::string& folder);
