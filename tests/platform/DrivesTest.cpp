// Mounts, removable media, the base folders and the default route, read from their system files.
#include "platform/Drives.h"
#include "platform/Folders.h"
#include "platform/NetRoute.h"

#include "../support/ScopedEnv.h"
#include "../support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <utility>

TEST(Drives, FindsTheLongestMountHoldingThePath) {
    const std::string info =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 22 11:0 / /media/cd\\040rom ro,relatime shared:9 - iso9660 /dev/sr0 ro\n"
        "41 22 0:5 / /media/cd ro - udf /dev/sr1 ro\n"
        "garbage line\n";
    TMountInfo m = FindMount(info, "/media/cd rom/tolmo/Tolmo");
    EXPECT_TRUE(m.found);
    EXPECT_EQ(m.mountPoint, "/media/cd rom");
    EXPECT_EQ(m.fsType, "iso9660");
    EXPECT_TRUE(IsCdRomFileSystem(m.fsType));
    EXPECT_EQ(FindMount(info, "/media/cdx/a").fsType, "ext4");
    EXPECT_EQ(FindMount(info, "/media/cd/a").fsType, "udf");
    EXPECT_FALSE(FindMount("", "/a").found);
}

TEST(Folders, FollowTheBaseDirectories) {
    // ctest points HOME and the XDG folders at the test home.
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    // The environment is put back afterwards for the other tests of this program.
    ScopedEnv config("XDG_CONFIG_HOME"), data("XDG_DATA_HOME");
    EXPECT_EQ(HomeFolder().back(), '/');
    setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    EXPECT_EQ(CommonFilesFolder(), "/x/conf/");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(ConfigHome(), HomeFolder() + ".config/");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ProgramFilesFolder(), HomeFolder() + ".local/share/");
    EXPECT_EQ(ProgramFolder().back(), '/');
    EXPECT_FALSE(IsCdRomStart());
}

TEST(Drives, RemovableMediaAndTheirStates) {
    TempDir sys;
    std::filesystem::create_directories(sys / "sdb");
    std::filesystem::create_directories(sys / "nvme0n1");
    TempDir::Write(sys / "sdb/removable", "1\n");
    TempDir::Write(sys / "nvme0n1/removable", "0\n");
    auto mount = [](std::string point, std::string source) {
        TMountInfo m;
        m.found = true;
        m.mountPoint = std::move(point);
        m.source = std::move(source);
        return m;
    };
    EXPECT_TRUE(IsRemovableMount(mount("/mnt/stick", "/dev/sdb1"), sys.str()));
    EXPECT_FALSE(IsRemovableMount(mount("/", "/dev/nvme0n1p2"), sys.str()));
    EXPECT_TRUE(IsRemovableMount(mount("/media/user/CARD", "/dev/mmcblk0p1"), sys.str()));
    EXPECT_FALSE(IsRemovableMount(mount("/home", "tmpfs"), sys.str()));
    EXPECT_FALSE(IsRemovableMount(TMountInfo{}, sys.str()));
    EXPECT_EQ(MediaStateOf(sys.str()), TMediaState::Ready);
}

TEST(NetRoute, DefaultRouteThatIsUp) {
    const std::string head = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\n";
    EXPECT_TRUE(HasDefaultRoute(head + "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\n"));
    EXPECT_FALSE(HasDefaultRoute(head + "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\n"));
    EXPECT_FALSE(HasDefaultRoute(head + "eth0\t00000000\t0100A8C0\t0002\t0\t0\t100\t00000000\n"));
    EXPECT_FALSE(HasDefaultRoute(head));
    EXPECT_FALSE(HasDefaultRoute(""));
}
