// Saving a page's file: the old file survives every failure; links and permissions are kept.
#include "mainwindow/DocumentFile.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

#include "../support/OrdinaryUser.h"
#include "../support/RecordingSink.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

bool noTempLeft(const std::string& folder) {
    for (auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().rfind('.', 0) == 0) return false;
    return true;
}

TEST(SaveDocumentFile, ReplacesContentKeepsPermissionsAndFailsWithAReason) {
    TempDir d;
    TempDir::Write(d / "a.txt", "old");
    ::chmod((d / "a.txt").c_str(), 0640);
    std::string err;
    ASSERT_TRUE(SaveDocumentFile(d / "a.txt", "new\r\n", &err)) << err;
    EXPECT_EQ(TempDir::Read(d / "a.txt"), "new\r\n");
    EXPECT_EQ(fs::status(d / "a.txt").permissions(), fs::perms(0640));
    EXPECT_TRUE(noTempLeft(d.str()));
    // A folder that has gone or a folder in the way fails with a reason.
    EXPECT_FALSE(SaveDocumentFile(d / "gone/a.txt", "x", &err));
    EXPECT_FALSE(err.empty());
    fs::create_directory(d / "dir.txt");
    EXPECT_FALSE(SaveDocumentFile(d / "dir.txt", "x", &err));
}

TEST(SaveDocumentFile, LinkStaysALinkToTheSavedFile) {
    TempDir d;
    fs::create_directory(d / "real");
    TempDir::Write(d / "real/t.txt", "old");
    fs::create_symlink("real/t.txt", d / "link.txt");
    ASSERT_TRUE(SaveDocumentFile(d / "link.txt", "new", nullptr));
    EXPECT_TRUE(fs::is_symlink(d / "link.txt"));
    EXPECT_EQ(TempDir::Read(d / "real/t.txt"), "new");
    // A link whose target does not exist yet creates the target and stays a link.
    fs::create_symlink(d / "real/later.txt", d / "dangling.txt");
    ASSERT_TRUE(SaveDocumentFile(d / "dangling.txt", "born", nullptr));
    EXPECT_TRUE(fs::is_symlink(d / "dangling.txt"));
    EXPECT_EQ(TempDir::Read(d / "real/later.txt"), "born");
}

// Run as an ordinary user (see OrdinaryUser.h): a write-protected file, a read-only folder and an
// unreadable file fail with a reason and change nothing.
TEST(SaveDocumentFile, PermissionsBindAnOrdinaryUser) {
    if (!RunsAsOrdinaryUser()) return;
    TempDir d;
    std::string err;
    TempDir::Write(d / "ro.txt", "keep");
    ::chmod((d / "ro.txt").c_str(), 0444);
    EXPECT_FALSE(SaveDocumentFile(d / "ro.txt", "x", &err));
    EXPECT_EQ(TempDir::Read(d / "ro.txt"), "keep");
    fs::create_directory(d / "rofolder");
    TempDir::Write(d / "rofolder/a.txt", "keep");
    ::chmod((d / "rofolder").c_str(), 0555);
    err.clear();
    EXPECT_FALSE(SaveDocumentFile(d / "rofolder/a.txt", "x", &err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(TempDir::Read(d / "rofolder/a.txt"), "keep");
    EXPECT_TRUE(noTempLeft(d / "rofolder"));

    // An unreadable file: the read fails with a reason and hands back nothing.
    TempDir::Write(d / "secret.txt", "hidden");
    ::chmod((d / "secret.txt").c_str(), 0000);
    std::string bytes = "before";
    err.clear();
    EXPECT_FALSE(ReadWholeFile(d / "secret.txt", bytes, &err));
    EXPECT_FALSE(err.empty());
    ::chmod((d / "rofolder").c_str(), 0755);
}

TEST(OpenFileList, SavedBesideTheProgramUnlessItHasItsFileAndAFailureIsTold) {
    TempDir d;
    RecordingSink sink;
    TIniFile(d / "tolmo.ini").WriteString("Set", "Page", "2");
    TMyFileList l;
    l.AddRecord(TFileRecord::Fresh("a,b.txt", "/x/"));
    ASSERT_TRUE(SaveOpenFileList(l, d / "tolmo.bin"));
    TIniFile ini(d / "tolmo.ini");
    TMyFileList back;
    back.Load(IniSection(ini, TMyFileList::kSection));
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.PathOf(0), "/x/a,b.txt");
    EXPECT_EQ(ini.ReadString("Set", "Page", ""), "2");
    l.SetSettingsPath(d / "gone/Tolmo.ini");
    EXPECT_FALSE(SaveOpenFileList(l, d / "tolmo.bin"));
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"ファイルリスト保存エラー\r\n（テキストは保存されて"
                                       "います）\r\n終了処理を継続します。"});
}

} // namespace

TEST(NameWithSaveType, TheTypesExtensionTakesThePlaceOfTheLastOne) {
    EXPECT_EQ(NameWithSaveType("memo.old.txt", 1), "memo.old.html");
    EXPECT_EQ(NameWithSaveType(".profile", 0), ".profile.txt"); // a leading dot is the name
    EXPECT_EQ(NameWithSaveType("メモ", 0), "メモ.txt");
    EXPECT_FALSE(NameWithSaveType("memo.txt", 2) || NameWithSaveType("", 0) ||
                 NameWithSaveType("a", -1));
}
