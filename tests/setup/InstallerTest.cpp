// Setup runs into temporary folders: refusals, the setups, their failures, the shortcut switches.
#include "setup/Installer.h"

#include "platform/IniFile.h"
#include "setup/SetupFiles.h"

#include "../support/FolderListing.h"
#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

class FakeHost : public TSetupHost {
  public:
    void FocusSetupFolder() override { ++focused; }
    bool StartInstalled(const std::string& program, const std::string& folder) override {
        started = program;
        markerSeen = fs::exists(folder + "Tolmo2Ju.$$$");
        return startWorks;
    }
    void Wait(int ms) override { waited += ms; }
    void EndProgram() override { ended = true; }
    int focused = 0, waited = 0;
    std::string started;
    bool markerSeen = false, ended = false, startWorks = true;
};

class InstallerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TempDir::Write(src() + "tolmo", "#!/bin/sh\n");
        fs::permissions(src() + "tolmo", fs::perms(0755));
        TempDir::Write(src() + "ReadMe.txt", "readme");
        TempDir::Write(src() + "HDay.dat", "holidays");
        r.sourceFolder = src();
        r.programName = "tolmo";
        r.targetText = d / "ユーザー の \"Tolmo\"";
        r.title = "「トルモ -Tolmo-」 Ver1.7.1.1 ";
        r.commonFilesFolder = d / "config/";
        r.folders = {d / "Desktop/", d / "apps/", d / "apps/Brix/", "", ""};
        asker.answers = {true}; // the start question
    }
    std::string src() { return d / "src/"; }
    std::string target() { return r.targetText + "/"; }
    bool run() { return RunSetup(asker, r, host); }

    TempDir d;
    RecordingAsker asker;
    FakeHost host;
    TSetupRequest r;
};

TEST_F(InstallerTest, NewSetupInstallsEverythingAndHandsOver) {
    TempDir::Write(src() + "Files/memo.txt", "memo");
    TempDir::Write(src() + "Tolmo.ini", "[Set]\nOpenFolder=" + src() + "Files/\n");
    TempDir::Write(r.folders.desktop + "Tolmo.desktop", "old");
    r.desktop = true;
    ASSERT_TRUE(run());
    // The settings' document folder now points into the installed copy; the marker is gone.
    EXPECT_EQ(FolderListing(target()), "Files/\nFiles/memo.txt=memo\nHDay.dat=holidays\n"
                                       "ReadMe.txt=readme\nTolmo.ini=[Set]\nOpenFolder=" +
                                           target() + "Files/\n\ntolmo=#!/bin/sh\n\n");
    EXPECT_NE(fs::status(target() + "tolmo").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_TRUE(fs::is_directory(d / "config/Brix/Tolmo"));
    // The old shortcut went, the new ones point at the installed program.
    EXPECT_FALSE(fs::exists(r.folders.desktop + "Tolmo.desktop"));
    const std::string entry = TempDir::Read(r.folders.desktop + "トルモ.desktop");
    // Exec quotes the path; its own quotes are escaped ("\"), and that backslash once more as
    // a string value wants.
    EXPECT_NE(entry.find("Exec=\"" + d / "ユーザー の \\\\\"Tolmo\\\\\"/tolmo\" %F\n"),
              std::string::npos)
        << entry;
    // Both menu entries are made; the menu shows the program once.
    const std::string menu = TempDir::Read(r.folders.startMenu + "トルモ -Tolmo-.desktop");
    const std::string programs = TempDir::Read(r.folders.programs + "トルモ -Tolmo-.desktop");
    EXPECT_EQ(std::pair(menu.find("NoDisplay"), programs.ends_with("\nNoDisplay=true\n")),
              std::pair(std::string::npos, true));
    EXPECT_EQ(asker.texts()[1], "「トルモ -Tolmo-」 Ver1.7.1.1 のセットアップが終了しました。");
    // Hand-over: the installed copy started beside the marker, which is gone afterwards.
    EXPECT_EQ(std::tuple(host.started, host.markerSeen, host.waited, host.ended),
              std::tuple(target() + "tolmo", true, 5000, true));
}

TEST_F(InstallerTest, Refusals) {
    auto refused = [&](TSetupAction action, const std::string& target, bool yes = true) {
        r.action = action;
        r.targetText = target;
        asker.answers = {yes};
        EXPECT_FALSE(run()) << target;
        return asker.texts().back();
    };
    using A = TSetupAction;
    const std::string same = "受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。";
    EXPECT_EQ(refused(A::NewSetup, d / "t", false), "中止します。"); // No at the first question
    EXPECT_EQ(refused(A::NewSetup, src()), same);                    // into its own folder,
    EXPECT_EQ(refused(A::NewSetup, d / "src/../src"), same);         // also written another way
    EXPECT_EQ(refused(A::NewSetup, "relative/folder"), "セットアップフォルダを作成できません。");
    // A new setup over an existing program points to the overwrite setup.
    TempDir::Write(d / "t/tolmo", "old");
    EXPECT_EQ(refused(A::NewSetup, d / "t"),
              "指定されたフォルダーに、tolmo が存在します。\r\n"
              "上書きセットアップで、\r\nセットアップし直してください。");
    EXPECT_EQ(TempDir::Read(d / "t/tolmo"), "old");
    EXPECT_EQ(refused(A::Overwrite, d / "empty"),
              "指定されたフォルダーに、tolmo が存在しません。\r\n上書きセットアップを中止します。");
    EXPECT_EQ(host.focused, 2); // a folder that cannot be made or holds nothing to overwrite
    EXPECT_FALSE(host.ended);
}

TEST_F(InstallerTest, OverwriteCopiesProgramAndReadMeOnly) {
    r.action = TSetupAction::Overwrite;
    r.targetText = d / "t";
    fs::create_directories(target() + "Files");
    TempDir::Write(target() + "tolmo", "old");
    TempDir::Write(target() + "Tolmo.ini", "mine");
    TempDir::Write(target() + "HDay.dat", "my holidays");
    TempDir::Write(src() + "Files/new.txt", "x");
    ASSERT_TRUE(run());
    EXPECT_EQ(FolderListing(target()), "Files/\nHDay.dat=my holidays\nReadMe.txt=readme\n"
                                       "Tolmo.ini=mine\ntolmo=#!/bin/sh\n\n");
    EXPECT_FALSE(fs::exists(r.folders.startMenu));
}

TEST_F(InstallerTest, SecondCopyAsksAndBecomesLocal) {
    r.action = TSetupAction::SubSetup;
    r.targetText = d / "second";
    TempDir::Write(target() + "tolmo", "old");
    asker.answers = {true, true};
    ASSERT_TRUE(run());
    EXPECT_EQ(asker.texts()[0], "メイン以外のトルモのセットアップを開始してよろしいですか？");
    EXPECT_EQ(asker.texts()[1], "指定されたフォルダーに、tolmo が存在します。\r\n上書きしますか？");
    EXPECT_EQ(TempDir::Read(target() + "localfol.myc"),
              "このフォルダのトルモは、単独で起動します。\n");
    EXPECT_FALSE(fs::exists(target() + "ReadMe.txt"));
}

TEST_F(InstallerTest, FailuresLeaveNoHalfInstallation) {
    // A shortcut that cannot be written: the program copied before it is taken back.
    TempDir::Write(d / "apps", "a file in the way");
    EXPECT_FALSE(run());
    EXPECT_EQ(asker.boxes.back().caption, "エラー");
    EXPECT_EQ(asker.texts().back(),
              "ショートカットの作成に失敗しました。\rセットアップをやり直してみてください。");
    EXPECT_FALSE(fs::exists(target() + "tolmo") || fs::exists(target() + "ReadMe.txt"));
    EXPECT_FALSE(host.ended);
}

TEST_F(InstallerTest, CompanionsOfAnInstalledProgramComeFromItsShareFolder) {
    fs::create_directories(d / "usr/bin");
    fs::copy(src() + "tolmo", d / "usr/bin/tolmo");
    TempDir::Write(d / "usr/share/tolmo/HDay.dat", "shared holidays");
    r.sourceFolder = d / "usr/bin/";
    ASSERT_TRUE(run());
    EXPECT_EQ(TempDir::Read(target() + "HDay.dat"), "shared holidays");
    EXPECT_FALSE(fs::exists(target() + "ReadMe.txt"));
    EXPECT_TRUE(fs::is_directory(target() + "Files")); // made although the source has none
}

TEST_F(InstallerTest, HandOverThatCannotStartKeepsRunning) {
    host.startWorks = false;
    EXPECT_TRUE(run());
    EXPECT_FALSE(host.ended);
    EXPECT_FALSE(fs::exists(target() + "Tolmo2Ju.$$$"));
}

TEST_F(InstallerTest, ShortcutSwitches) {
    const std::string program = src() + "tolmo";
    EXPECT_FALSE(ShortcutOn(r.folders, TShortcutPlace::Desktop));
    asker.answers = {false};
    EXPECT_FALSE(SwitchShortcutOn(asker, r.folders, TShortcutPlace::Desktop, program));
    asker.answers = {true};
    EXPECT_TRUE(SwitchShortcutOn(asker, r.folders, TShortcutPlace::Desktop, program));
    EXPECT_TRUE(fs::exists(r.folders.desktop + "トルモ.desktop"));
    // Off asks with No as default; No keeps it.
    asker.answers = {};
    EXPECT_TRUE(SwitchShortcutOff(asker, r.folders, TShortcutPlace::Desktop));
    EXPECT_FALSE(asker.boxes.back().defaultYes);
    TempDir::Write(r.folders.desktop + "Tolmo.desktop", "older one");
    asker.answers = {true};
    EXPECT_FALSE(SwitchShortcutOff(asker, r.folders, TShortcutPlace::Desktop));
    EXPECT_FALSE(fs::exists(r.folders.desktop + "Tolmo.desktop"));
    EXPECT_FALSE(fs::exists(r.folders.desktop + "トルモ.desktop"));
    // The program menu's entry hides while the start menu's is there, and shows again.
    const std::string programs = r.folders.programs + "トルモ -Tolmo-.desktop";
    asker.answers = {true, true};
    ASSERT_TRUE(SwitchShortcutOn(asker, r.folders, TShortcutPlace::ProgramMenu, program) &&
                SwitchShortcutOn(asker, r.folders, TShortcutPlace::StartMenu, program));
    EXPECT_NE(TempDir::Read(programs).find("NoDisplay=true"), std::string::npos);
    asker.answers = {true};
    EXPECT_FALSE(SwitchShortcutOff(asker, r.folders, TShortcutPlace::StartMenu));
    EXPECT_EQ(TempDir::Read(programs).find("NoDisplay"), std::string::npos);
}

} // namespace
