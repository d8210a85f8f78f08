// Mounts and removable media, read from their system files.
#include "platform/Drives.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

TEST(Drives, FindsTheLongestMountHoldingThePath) {
    const std::string info =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 22 11:0 / /media/cd\\040rom ro,relatime shared:9 - iso9660 /dev/sr0 ro\n"
        "41 22 0:5 / /media/cd ro - udf /dev/sr1 ro\n"
        "garbage line\n";
    TMountInfo m = FindMount(info, "/media/cd rom/tolmo/Tolmo");
    EXPECT_EQ(m.mountPoint + "|" + m.fsType, "/media/cd rom|iso9660");
    EXPECT_TRUE(IsCdRomFileSystem(m.fsType));
    EXPECT_EQ(FindMount(info, "/media/cdx/a").fsType, "ext4");
    EXPECT_EQ(FindMount(info, "/media/cd/a").fsType, "udf");
    EXPECT_FALSE(FindMount("", "/a").found);
}

TEST(Drives, RemovableMediaAndTheirStates) {
    TempDir sys;
    TempDir::Write(sys / "sdb/removable", "1\n");
    TempDir::Write(sys / "nvme0n1/removable", "0\n");
    auto removable = [&](const char* point, const char* source) {
        return IsRemovableMount(TMountInfo{point, "", source, true}, sys.str());
    };
    EXPECT_TRUE(removable("/mnt/stick", "/dev/sdb1") &&
                removable("/media/user/CARD", "/dev/mmcblk0p1"));
    EXPECT_FALSE(removable("/", "/dev/nvme0n1p2") || removable("/home", "tmpfs"));
    EXPECT_EQ(MediaStateOf(sys.str()), TMediaState::Ready);
}
