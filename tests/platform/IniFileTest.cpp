// Profile files: defaults, tolerant reading, writes that keep every other byte, atomic saves.
#include "platform/IniFile.h"

#include "../support/FolderListing.h"
#include "../support/OrdinaryUser.h"
#include "../support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

class IniFile : public ::testing::Test {
  protected:
    // The profile file `name` in the test's folder, holding `text`.
    TIniFile file(const std::string& name, const std::string& text) {
        TempDir::Write(d / name, text);
        return TIniFile(d / name);
    }
    TempDir d;
};

TEST_F(IniFile, MissingFileAndKeysGiveDefaults) {
    TIniFile ini(d / "none.ini");
    EXPECT_EQ(ini.ReadString("Set", "Browser", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Set", "Page", -1), -1);
    EXPECT_TRUE(ini.ReadSections().empty());
    // Deleting from a missing file succeeds and creates nothing.
    EXPECT_TRUE(ini.DeleteKey("Set", "Page"));
    EXPECT_TRUE(ini.EraseSection("Set"));
    EXPECT_FALSE(std::filesystem::exists(d / "none.ini"));
    TempDir::Write(d / "empty.ini", "");
    EXPECT_EQ(TIniFile(d / "empty.ini").ReadInteger("Set", "fmWidth", 779), 779);
}

// Names ignore letter case and values are trimmed; anything but a whole decimal number in range
// gives the default.
TEST_F(IniFile, NamesNumbersAndBooleans) {
    TIniFile ini =
        file("a.ini", "[set]\r\n  FMTOP = 12 \r\nbrowser= /usr/bin/x y \r\nfmLeft=-12\n"
                      "A=12abc\nB=99999999999\nC=+7\nD=\nFuncChk=0\nStatChk=2\nE=x\nF=$10\n");
    EXPECT_EQ(ini.ReadString(" SET ", "Browser", ""), "/usr/bin/x y");
    EXPECT_TRUE(ini.ValueExists("SET", "fmtop"));
    const std::pair<const char*, int> cases[] = {{"fmTop", 12}, {"fmLeft", -12}, {"A", 3},
                                                 {"B", 3},      {"C", 7},        {"D", 3},
                                                 {"F", 3},      {"Missing", 3}};
    for (auto [key, value] : cases)
        EXPECT_EQ(ini.ReadInteger("Set", key, 3), value) << key;
    EXPECT_FALSE(ini.ReadBool("Set", "FuncChk", true));
    EXPECT_TRUE(ini.ReadBool("Set", "StatChk", false));
    EXPECT_TRUE(ini.ReadBool("Set", "E", true)); // not a number: the default
}

TEST_F(IniFile, GarbageIsToleratedAndKeptByWrites) {
    const std::string garbage = std::string("\xEF\xBB\xBF; comment\n") +
                                "junk line without equals\n" + "[Tab\n" + "=novalue\n" + "[Set]\n" +
                                std::string("bin\x01\xFF\x00z=q\n", 10) + "fmTop=10\n" + "[Set]\n" +
                                "fmTop=20\n" + "fmLeft=30\n" + "[Other]\r\n" + "x=1";
    TIniFile ini = file("g.ini", garbage);
    // The first occurrence wins; keys of a duplicated section are found.
    EXPECT_EQ(ini.ReadInteger("Set", "fmTop", 0), 10);
    EXPECT_EQ(ini.ReadInteger("Set", "fmLeft", 0), 30);
    EXPECT_EQ(ini.ReadString("Other", "x", ""), "1");
    EXPECT_EQ(ini.ReadString("Set", std::string("bin\x01\xFF\x00z", 7), ""), "q");
    // "[Tab" is no section header.
    EXPECT_FALSE(ini.SectionExists("Tab"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Set", "Other"}));
    EXPECT_EQ(ini.ReadSection("set"),
              (std::vector<std::string>{std::string("bin\x01\xFF\x00z", 7), "fmTop", "fmLeft"}));

    ASSERT_TRUE(ini.WriteInteger("Set", "fmTop", 11));
    ASSERT_TRUE(ini.WriteString("Other", "y", "2"));
    std::string expect = garbage;
    expect.replace(expect.find("fmTop=10"), 8, "fmTop=11");
    expect += "\ny=2\n";
    EXPECT_EQ(TempDir::Read(d / "g.ini"), expect);
}

TEST_F(IniFile, WritesPlaceKeysAndSectionsAndDeletesRemoveEveryCopy) {
    TIniFile ini(d / "w.ini");
    ASSERT_TRUE(ini.WriteString("Header", "Version", "Ver1.7.1.1"));
    ASSERT_TRUE(ini.WriteString("Set", "OpenFolder", "/home/u/"));
    ASSERT_TRUE(ini.WriteBool("Set", "isMaxSize", true));
    ASSERT_TRUE(ini.WriteString("header", "FOLDER", "/opt/tolmo/"));
    ASSERT_TRUE(ini.WriteString("Header", "version", "V2"));
    EXPECT_EQ(
        TempDir::Read(d / "w.ini"),
        "[Header]\nVersion=V2\nFOLDER=/opt/tolmo/\n\n[Set]\nOpenFolder=/home/u/\nisMaxSize=1\n");
    // A new key goes after the section's last key, before its trailing blank line.
    TempDir::Write(d / "w.ini", "[A]\r\nk=1\r\n\r\n; note\r\n[B]\r\nm=2\r\n");
    ASSERT_TRUE(ini.WriteString("A", "n", "3"));
    EXPECT_EQ(TempDir::Read(d / "w.ini"), "[A]\r\nk=1\r\nn=3\r\n\r\n; note\r\n[B]\r\nm=2\r\n");
    ASSERT_TRUE(ini.DeleteKey("a", "K"));
    ASSERT_TRUE(ini.EraseSection("B"));
    EXPECT_EQ(TempDir::Read(d / "w.ini"), "[A]\r\nn=3\r\n\r\n; note\r\n");
    // Deleting a key removes every copy of it.
    TempDir::Write(d / "w.ini", "[S]\nk=1\nk=2\n[s]\nK=3\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    ASSERT_TRUE(ini.DeleteKey("S", "k"));
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_EQ(TempDir::Read(d / "w.ini"), "[S]\n[s]\n");
}

TEST_F(IniFile, RefusesEntriesThatWouldBreakTheFile) {
    TIniFile ini(d / "r.ini");
    for (auto [section, key, value] : {std::tuple{"S", "a=b", "1"},
                                       {"S", "", "1"},
                                       {"S", "k", "line1\nline2"},
                                       {"S]x", "k", "1"},
                                       {"S", "[k", "1"}})
        EXPECT_FALSE(ini.WriteString(section, key, value)) << section << " " << key;
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_FALSE(std::filesystem::exists(d / "r.ini"));
}

TEST_F(IniFile, SeesChangesMadeByOthers) {
    TIniFile a(d / "s.ini"), b(d / "s.ini");
    EXPECT_EQ(a.ReadInteger("S", "k", 0), 0);
    ASSERT_TRUE(b.WriteInteger("S", "k", 5));
    EXPECT_EQ(a.ReadInteger("S", "k", 0), 5);
    ASSERT_TRUE(a.WriteInteger("S", "j", 6)); // keeps b's key
    EXPECT_EQ(TempDir::Read(d / "s.ini"), "[S]\nk=5\nj=6\n");
}

// Read-only folder (as an ordinary user, see OrdinaryUser.h): the temporary file cannot be made,
// the old content stays and nothing is left behind.
TEST_F(IniFile, ReadOnlyFolderKeepsTheFile) {
    if (!RunsAsOrdinaryUser()) return;
    TempDir::Write(d / "ro/t.ini", "[S]\nk=1\n");
    chmod((d / "ro").c_str(), 0555);
    TIniFile ro(d / "ro/t.ini");
    EXPECT_FALSE(ro.WriteString("S", "k", "2"));
    EXPECT_EQ(ro.ReadString("S", "k", ""), "1");
    EXPECT_EQ(FolderListing(d / "ro"), "t.ini=[S]\nk=1\n\n");
    chmod((d / "ro").c_str(), 0755);
}

TEST_F(IniFile, WriteKeepsModeAndFollowsLinks) {
    TempDir::Write(d / "real.ini", "[S]\nk=1\n");
    chmod((d / "real.ini").c_str(), 0600);
    std::filesystem::create_symlink(d / "real.ini", d / "link.ini");
    TIniFile ini(d / "link.ini");
    ASSERT_TRUE(ini.WriteInteger("S", "k", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(d / "link.ini"));
    EXPECT_EQ(TempDir::Read(d / "real.ini"), "[S]\nk=2\n");
    EXPECT_EQ(std::filesystem::status(d / "real.ini").permissions(), std::filesystem::perms(0600));
}

TEST_F(IniFile, UpdatesAreWrittenOnceAndAtomically) {
    TIniFile ini = file("u.ini", "[S]\nk=1\n");
    ini.BeginUpdate();
    ASSERT_TRUE(ini.WriteInteger("S", "k", 2));
    ASSERT_TRUE(ini.WriteInteger("T", "j", 3));
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 2); // reads see the pending change
    EXPECT_EQ(TempDir::Read(d / "u.ini"), "[S]\nk=1\n");
    ini.BeginUpdate();
    ASSERT_TRUE(ini.DeleteKey("S", "k"));
    EXPECT_TRUE(ini.EndUpdate()); // inner end writes nothing yet
    EXPECT_EQ(TempDir::Read(d / "u.ini"), "[S]\nk=1\n");
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_EQ(TempDir::Read(d / "u.ini"), "[S]\n\n[T]\nj=3\n");

    // A failed final write leaves the old file and drops the pending changes.
    TIniFile lost(d / "gone/u.ini");
    lost.BeginUpdate();
    ASSERT_TRUE(lost.WriteInteger("S", "k", 2));
    EXPECT_FALSE(lost.EndUpdate());
    EXPECT_EQ(lost.ReadInteger("S", "k", 0), 0);
}

TEST_F(IniFile, FullDiskNeverTruncatesTheFile) {
    const std::string old = "[Set]\nk=1\n";
    TempDir::Write(d / "f.ini", old);
    // A child process whose files may not grow beyond 64 bytes stands in for a full disk.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{64, 64};
        setrlimit(RLIMIT_FSIZE, &lim);
        TIniFile ini(d / "f.ini");
        bool wrote = ini.WriteString("Set", "big", std::string(500, 'x'));
        _exit(wrote ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write claimed success";
    EXPECT_EQ(FolderListing(d.str()), "f.ini=" + old + "\n");
}
