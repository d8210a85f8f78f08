// The program's folders, from the XDG base directories and the home folder.
#include "platform/Folders.h"
#include "platform/Drives.h"

#include "../support/ScopedEnv.h"

#include <cstdlib>
#include <filesystem>
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

// An installed program keeps the user's texts in the user's data folder; a build folder or a
// portable copy keeps them beside itself.
TEST(Folders, TextsOfAnInstalledProgramLiveInTheDataFolder) {
    ScopedEnv data("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", "/x/data", 1);
    const std::string root = ::testing::TempDir() + "texts-home/";
    std::filesystem::create_directories(root + "prefix/bin");
    std::filesystem::create_directories(root + "portable/bin");
    std::filesystem::create_directories(root + "prefix/share/tolmo");
    EXPECT_TRUE(IsInstalledProgram(root + "prefix/bin/"));
    EXPECT_EQ(TextsHome(root + "prefix/bin/"), "/x/data/tolmo/");
    EXPECT_EQ(TextsHome(root + "portable/bin/"), root + "portable/bin/");
    EXPECT_EQ(TextsHome(root + "prefix/"), root + "prefix/");
    std::filesystem::remove_all(root);
}
