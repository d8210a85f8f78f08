// The program's folders, from the XDG base directories and the home folder.
#include "platform/Folders.h"
#include "platform/Drives.h"

#include "../support/ScopedEnv.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(Folders, FollowTheBaseDirectories) {
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
