// Saving a page's file: the old file survives every failure; links and permissions are kept.
#include "mainwindow/pages/DocumentFile.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

#include "../support/OrdinaryUser.h"
#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

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

// An access ACL as the file system stores it: the owner rw, user `uid` r, group r, mask r.
std::string aclGivingRead(uint32_t uid) {
    const struct {
        uint16_t tag, perm;
        uint32_t id;
    } entries[] = {{0x01, 6, ~0u}, {0x02, 4, uid}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
    std::string blob("\x02\0\0\0", 4);
    blob.append(reinterpret_cast<const char*>(entries), sizeof entries);
    return blob;
}

std::string attribute(const std::string& path, const char* name) {
    char buf[256];
    const ssize_t n = ::getxattr(path.c_str(), name, buf, sizeof buf);
    return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n));
}

// What makes a file itself survives a save: its links, its extended attributes and ACL, its
// mode; a name as long as the file system allows saves; a save that fails half-way through an
// in-place write leaves the old text. Run as an ordinary user.
TEST(SaveDocumentFile, KeepsLinksAttributesAndLongNames) {
    if (!RunsAsOrdinaryUser()) return;
    TempDir d;
    std::string err;
    const std::string longName = d / std::string(255, 'n');
    TempDir::Write(longName, "old");
    ASSERT_TRUE(SaveDocumentFile(longName, "new", &err)) << err;
    EXPECT_EQ(TempDir::Read(longName), "new");

    TempDir::Write(d / "a.txt", "old");
    ::chmod((d / "a.txt").c_str(), 0604);
    fs::create_hard_link(d / "a.txt", d / "b.txt");
    ASSERT_TRUE(SaveDocumentFile(d / "a.txt", "new text", &err)) << err;
    EXPECT_EQ(TempDir::Read(d / "b.txt"), "new text");
    EXPECT_EQ(fs::hard_link_count(d / "a.txt"), 2u);
    EXPECT_EQ(fs::status(d / "a.txt").permissions(), fs::perms(0604));
    // A save that fails after its first block leaves both names with the old text.
    auto failing = [](const TWriteBytes& write, std::string* error) {
        write("half of it");
        *error = "refused";
        return false;
    };
    EXPECT_FALSE(SaveDocumentFile(d / "b.txt", failing, &err));
    EXPECT_EQ(err, "refused");
    EXPECT_EQ(TempDir::Read(d / "a.txt"), "new text");
    EXPECT_TRUE(noTempLeft(d.str()));

    const std::string acl = aclGivingRead(0);
    TempDir::Write(d / "x.txt", "old");
    if (::setxattr((d / "x.txt").c_str(), "user.origin", "memo", 4, 0) == 0 &&
        ::setxattr((d / "x.txt").c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) ==
            0) {
        ASSERT_TRUE(SaveDocumentFile(d / "x.txt", "new", &err)) << err;
        EXPECT_EQ(attribute(d / "x.txt", "user.origin"), "memo");
        EXPECT_EQ(attribute(d / "x.txt", "system.posix_acl_access"), acl);
    } else {
        EXPECT_EQ(errno, ENOTSUP) << std::strerror(errno);
    }
}

// Root saving another user's file gives it back to its owner and group, its mode kept.
TEST(SaveDocumentFile, RootKeepsTheOwnerOfAnotherUsersFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root, as CI runs";
    TempDir d;
    TempDir::Write(d / "theirs.txt", "old");
    ASSERT_EQ(::chown((d / "theirs.txt").c_str(), 65534, 65534), 0);
    ::chmod((d / "theirs.txt").c_str(), 0640);
    fs::create_hard_link(d / "theirs.txt", d / "also.txt");
    std::string err;
    ASSERT_TRUE(SaveDocumentFile(d / "theirs.txt", "new", &err)) << err;
    ASSERT_TRUE(SaveDocumentFile(d / "also.txt", "newer", &err)) << err;
    struct stat st {};
    ASSERT_EQ(::stat((d / "theirs.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_nlink, 2u);
    EXPECT_EQ(TempDir::Read(d / "theirs.txt"), "newer");
    ::unlink((d / "also.txt").c_str());
    ASSERT_TRUE(SaveDocumentFile(d / "theirs.txt", "by rename", &err)) << err;
    ASSERT_EQ(::stat((d / "theirs.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(noTempLeft(d.str()));
}

TEST(OpenFileList, SavedBesideTheProgramUnlessItHasItsFileAndAFailureIsTold) {
    TempDir d;
    RecordingAsker asker;
    TIniFile(d / "tolmo.ini").WriteString("Set", "Page", "2");
    TMyFileList l;
    l.AddRecord(TFileRecord::Fresh("a,b.txt", "/x/"));
    ASSERT_TRUE(SaveOpenFileList(asker, l, d / "tolmo.bin"));
    TIniFile ini(d / "tolmo.ini");
    TMyFileList back;
    back.Load(IniSection(ini, TMyFileList::kSection));
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.PathOf(0), "/x/a,b.txt");
    EXPECT_EQ(ini.ReadString("Set", "Page", ""), "2");
    l.SetSettingsPath(d / "gone/Tolmo.ini");
    EXPECT_FALSE(SaveOpenFileList(asker, l, d / "tolmo.bin"));
    EXPECT_EQ(asker.texts(),
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
