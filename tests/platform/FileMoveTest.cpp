// The no-replace move keeps existing names, fails in place and copies across file systems.
#include "platform/FileMove.h"

#include "../support/FolderListing.h"
#include "../support/OrdinaryUser.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

class FileMoveTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name, const std::string& text) {
        TempDir::Write(d / name, text);
        return d / name;
    }
    TempDir d;
};

TEST_F(FileMoveTest, AnExistingNameIsNeverReplaced) {
    const std::string a = file("a.txt", "A"), b = file("b.txt", "B");
    EXPECT_EQ(MoveFileNoReplace(a, b), TMoveResult::TargetExists);
    EXPECT_EQ(FolderListing(d.str()), "a.txt=A\nb.txt=B\n");
    EXPECT_EQ(MoveFileNoReplace(a, d / "c.txt"), TMoveResult::Moved);
    EXPECT_EQ(FolderListing(d.str()), "b.txt=B\nc.txt=A\n");
}

TEST_F(FileMoveTest, WriteProtectedFoldersLeaveTheFileWhereItWas) {
    if (!RunsAsOrdinaryUser()) return;
    const std::string a = file("a.txt", "A");
    const std::string kept = file("locked/kept.txt", "K");
    chmod((d / "locked").c_str(), 0555);
    std::string error;
    EXPECT_EQ(MoveFileNoReplace(a, d / "locked/a.txt", &error), TMoveResult::Failed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(MoveFileNoReplace(kept, d / "out.txt"), TMoveResult::Failed);
    EXPECT_EQ(FolderListing(d.str()), "a.txt=A\nlocked/\nlocked/kept.txt=K\n");
}

TEST_F(FileMoveTest, MoveAcrossFileSystemsCopiesThenRemoves) {
    if (!RunsAsOrdinaryUser()) return;
    struct stat shm {
    }, tmp{};
    if (stat("/dev/shm", &shm) != 0 || stat(d.str().c_str(), &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "no second file system at hand";
    char tmpl[] = "/dev/shm/tolmo-move-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string other = std::string(tmpl) + "/";
    const std::string a = file("a.txt", std::string(300000, 'x'));
    chmod(a.c_str(), 0640);
    EXPECT_EQ(MoveFileNoReplace(a, other + "a.txt"), TMoveResult::Moved);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(TempDir::Read(other + "a.txt"), std::string(300000, 'x'));
    EXPECT_EQ(fs::status(other + "a.txt").permissions(), fs::perms(0640));
    // Out of a write-protected folder: the copy is taken back, the file stays where it was.
    const std::string kept = file("locked/kept.txt", "K");
    chmod((d / "locked").c_str(), 0555);
    EXPECT_EQ(MoveFileNoReplace(kept, other + "kept.txt"), TMoveResult::Failed);
    EXPECT_EQ(TempDir::Read(kept), "K");
    EXPECT_FALSE(fs::exists(other + "kept.txt"));
    fs::remove_all(other);
}
