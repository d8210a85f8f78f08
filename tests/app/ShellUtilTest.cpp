// Path and file helpers: trailing characters, blanks, long paths, folders, generation copies.
#include "app/ShellUtil.h"

#include "../support/FolderListing.h"
#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

TEST(ShellUtil, TrailingSeparatorsBlanksAndTheBlankToken) {
    EXPECT_EQ(IncludeTrailingChar("  /a/b  ", "/"), "/a/b/");
    EXPECT_EQ(IncludeTrailingChar("/a/b/", "/"), "/a/b/");
    EXPECT_EQ(IncludeTrailingChar("   ", "/"), "");
    EXPECT_EQ(IncludeTrailingChar(" x ", ""), "x");
    EXPECT_EQ(ExcludeTrailingChar(" /a/b/ ", "/"), "/a/b");
    EXPECT_EQ(ExcludeTrailingChar("/a/b", "/"), "/a/b");
    EXPECT_EQ(ExcludeTrailingChar("", "/"), "");
    EXPECT_EQ(DecodeSpaceToken("my_\\Sp\\_memo.txt", false), "my memo.txt");
    EXPECT_EQ(DecodeSpaceToken("a b  c", true), "a_\\Sp\\_b_\\Sp\\__\\Sp\\_c");
    EXPECT_EQ(DecodeSpaceToken(DecodeSpaceToken("a b  c", true), false), "a b  c");
    EXPECT_EQ(DecodeSpaceToken("_\\Sp\\", false), "_\\Sp\\");
}

TEST(ShellUtil, LongPathResolvesLinksButLeavesMissingOrOddPaths) {
    TempDir d;
    TempDir::Write(d / "memo.txt", "x");
    fs::create_directory(d / "sub");
    fs::create_symlink(d / "memo.txt", d / "link.txt");
    EXPECT_EQ(ExpandLongPath(d / "sub/../link.txt"), fs::canonical(d / "memo.txt").string());
    EXPECT_EQ(ExpandLongPath(d / "sub/"), fs::canonical(d / "sub").string() + "/");
    // Unchanged: missing paths, text with "(" or ",", empty text.
    EXPECT_EQ(ExpandLongPath(d / "missing.txt"), d / "missing.txt");
    EXPECT_EQ(ExpandLongPath(d / "sub/../memo(1).txt"), d / "sub/../memo(1).txt");
    EXPECT_EQ(ExpandLongPath("memo.txt,/x/,0"), "memo.txt,/x/,0");
    EXPECT_EQ(ExpandLongPath(""), "");
}

// A program named without a folder is the first executable file of that name along the search
// path: folders and files that cannot run are passed over; a named path must be a file.
TEST(ShellUtil, ProgramsAreLookedUpAlongTheSearchPath) {
    TempDir d;
    TempDir::Write(d / "a/viewer", "text"); // cannot run
    fs::create_directories(d / "b/viewer"); // a folder
    TempDir::Write(d / "c/viewer", "#!/bin/sh\n");
    fs::permissions(d / "c/viewer", fs::perms::owner_all);
    const std::string path = (d / "a") + "::" + (d / "b") + ":" + (d / "c");
    std::string found;
    EXPECT_EQ(CheckProgram(" viewer ", &found, path), TProgramCheck::Ok);
    EXPECT_EQ(found, (d / "c/viewer"));
    EXPECT_EQ(CheckProgram("viewer", &found, (d / "a")), TProgramCheck::Missing);
    EXPECT_EQ(CheckProgram("  ", &found, path), TProgramCheck::Blank);
    EXPECT_EQ(CheckProgram((d / "b/viewer"), &found, path), TProgramCheck::Missing);
    EXPECT_EQ(CheckProgram((d / "c/viewer"), &found, ""), TProgramCheck::Ok);
}

TEST(ShellUtil, MissingFolderIsMadeOnlyAfterYes) {
    TempDir d;
    RecordingAsker asker;
    EXPECT_TRUE(EnsureFolder(d.str(), false, nullptr));
    EXPECT_FALSE(EnsureFolder(d / "a/b/", false, nullptr));
    asker.answers = {false};
    EXPECT_FALSE(EnsureFolder(d / "a/b/", true, &asker));
    EXPECT_FALSE(fs::exists(d / "a"));
    EXPECT_EQ(asker.texts(),
              Texts{"フォルダ[" + d / "a/b" + "]が存在しません。\r\n作成しますか。"});
    EXPECT_TRUE(asker.boxes[0].yesNo && asker.boxes[0].defaultYes);
    EXPECT_TRUE(EnsureFolder(d / "a/b/", true, &asker));
    EXPECT_TRUE(fs::is_directory(d / "a/b"));
    // A file in the way: the folder cannot be made.
    TempDir::Write(d / "f", "");
    asker.boxes.clear();
    EXPECT_FALSE(EnsureFolder(d / "f/g", true, &asker));
    EXPECT_EQ(asker.texts().back(),
              "フォルダ[" + d / "f/g" + "]が作成出来ません。\r\nフォルダの作成を中止します。");
}

TEST(ShellUtil, CopyReplacesTheTargetAndFailsWithoutHarm) {
    TempDir d;
    std::string big(200000, 'x');
    big[12345] = '\0';
    TempDir::Write(d / "s", big);
    TempDir::Write(d / "t", "old");
    EXPECT_TRUE(CopyFileStream(d / "s", d / "t"));
    EXPECT_EQ(TempDir::Read(d / "t"), big);
    std::string why;
    EXPECT_FALSE(CopyFileStream(d / "missing", d / "t", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(CopyFileStream(d / "s", d / "nofolder/t"));
    EXPECT_EQ(TempDir::Read(d / "t"), big);
}

class GenerationCopyTest : public ::testing::Test {
  protected:
    std::string gen(int k) { return GenerationFileName(d / "SafeGuard/", k, "Tolmo.ini"); }
    TempDir d;
    RecordingAsker asker;
};

TEST_F(GenerationCopyTest, RotatesGenerationsUpToAGapAndCreatesTheFolder) {
    TempDir::Write(d / "Tolmo.ini", "new");
    ASSERT_TRUE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 3, &asker)); // the folder is made
    EXPECT_EQ(gen(1), d / "SafeGuard/01_Tolmo.ini");
    for (int k = 1; k <= 5; ++k)
        TempDir::Write(gen(k), "g" + std::to_string(k));
    ASSERT_TRUE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard", 5, &asker));
    EXPECT_EQ(FolderListing(d / "SafeGuard"), "01_Tolmo.ini=new\n02_Tolmo.ini=g1\n03_Tolmo.ini=g2\n"
                                              "04_Tolmo.ini=g3\n05_Tolmo.ini=g4\n");
    // Counting stops at the first missing generation: 04 is a stray and stays.
    fs::remove(gen(3));
    TempDir::Write(gen(4), "stray");
    ASSERT_TRUE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 5, &asker));
    EXPECT_EQ(FolderListing(d / "SafeGuard"),
              "01_Tolmo.ini=new\n02_Tolmo.ini=new\n03_Tolmo.ini=g1\n"
              "04_Tolmo.ini=stray\n05_Tolmo.ini=g4\n");
    EXPECT_TRUE(asker.boxes.empty());
}

TEST_F(GenerationCopyTest, RefusalsAndErrors) {
    TempDir::Write(d / "Tolmo.ini", "x");
    EXPECT_FALSE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 1, &asker));
    EXPECT_FALSE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 33, &asker));
    EXPECT_FALSE(GenerationCopy(d / "none.ini", d / "SafeGuard/", 5, &asker));
    EXPECT_EQ(asker.texts(), (Texts{"世代の数が正しくありません。", "世代の数が正しくありません。",
                                    "[" + d / "none.ini" + "]がありません。"}));
    EXPECT_FALSE(fs::exists(d / "SafeGuard"));
    EXPECT_TRUE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 2, &asker));
    EXPECT_TRUE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 32, &asker));
    // A file where the folder should be.
    fs::remove_all(d / "SafeGuard");
    TempDir::Write(d / "SafeGuard", "a file");
    EXPECT_FALSE(GenerationCopy(d / "Tolmo.ini", d / "SafeGuard/", 5, &asker));
    EXPECT_EQ(asker.texts().back(), "世代コピーエラー");
}

TEST_F(GenerationCopyTest, MoveToSafeGuardKeepsAFileThatCannotBeSavedAway) {
    EXPECT_TRUE(MoveToSafeGuard(asker, d.str(), "Tolmo.ini", 5)); // nothing to move
    EXPECT_TRUE(asker.boxes.empty());
    TempDir::Write(d / "Tolmo.ini", "x");
    EXPECT_TRUE(MoveToSafeGuard(asker, d.str(), "Tolmo.ini", 5));
    EXPECT_FALSE(fs::exists(d / "Tolmo.ini"));
    EXPECT_EQ(TempDir::Read(gen(1)), "x");
    TempDir::Write(d / "Tolmo.ini", "y");
    EXPECT_TRUE(MoveToSafeGuard(asker, d.str(), "Tolmo.ini", 40));
    EXPECT_EQ(asker.texts().back(), "SafeGuard コピーに失敗しました。");
    EXPECT_TRUE(fs::exists(d / "Tolmo.ini")); // kept when it could not be saved away
}
