// Where the setup folder chooser opens: the folder chosen last while it exists.
#include "setup/SetupDialogModel.h"

#include "../support/RecordingSink.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(SetupFolderStart, LastChosenFolderWhileItExistsElseTheProgramFolder) {
    TempDir d;
    RecordingSink sink;
    sink.answers = {false, false};
    std::filesystem::create_directories(d / "prog");
    std::filesystem::create_directories(d / "chosen");
    TSetupDialogModel m(1, d / "prog/", d / "data/", {}, "tolmo");
    EXPECT_EQ(m.SetupFolderStart(), d / "prog/");
    m.SetupFolderChosen(d / "chosen");
    EXPECT_EQ(m.SetupFolderStart(), d / "chosen");
    m.SetupFolderChosen(""); // cancelled: the last choice stays
    EXPECT_EQ(m.SetupFolderStart(), d / "chosen");
    std::filesystem::remove(d / "chosen");
    EXPECT_EQ(m.SetupFolderStart(), d / "prog/");
}
