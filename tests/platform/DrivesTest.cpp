#include "platform/Drives.h"
#include "platform/Folders.h"

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
    struct Restore {
        std::string config = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        std::string data = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
        ~Restore() {
            for (auto [var, value] :
                 {std::pair{"XDG_CONFIG_HOME", &config}, {"XDG_DATA_HOME", &data}})
                value->empty() ? unsetenv(var) : setenv(var, value->c_str(), 1);
        }
    } restore;
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
