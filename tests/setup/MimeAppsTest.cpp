// mimeapps.list edits keep every other line; the association and "send to" under a test HOME.
#include "setup/MimeApps.h"

#include "platform/Folders.h"
#include "setup/Options.h"

#include "../support/RecordingAsker.h"
#include "../support/ScopedEnv.h"
#include "../support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

const std::string kList =
    "# my associations\r\n[Added Associations]\r\ntext/plain=gedit.desktop;\r\n"
    "\r\n[Default Applications]\r\nimage/png=eog.desktop;\r\n"
    "text/plain=gedit.desktop;kate.desktop;\r\n"
    "\r\n[X-Unknown]\r\nkey=value\r\n";

TEST(MimeAppsTest, EditsKeepEverythingElse) {
    // Put in front of the others, once, and taken out again to the byte.
    const std::string with = WithDefaultApplication(kList, "text/plain", "t.desktop");
    EXPECT_NE(with.find("text/plain=t.desktop;gedit.desktop;kate.desktop;\r\n"), std::string::npos);
    EXPECT_EQ(WithDefaultApplication(with, "text/plain", "t.desktop"), with);
    EXPECT_EQ(WithoutDefaultApplication(with, "text/plain", "t.desktop"), kList);
    EXPECT_TRUE(IsDefaultApplication(with, "text/plain", "t.desktop") &&
                !IsDefaultApplication(kList, "text/plain", "t.desktop"));
    // A missing section or key is made; a line we added goes again entirely.
    EXPECT_EQ(WithDefaultApplication("", "text/plain", "t.desktop"),
              "[Default Applications]\ntext/plain=t.desktop;\n");
    const std::string noKey = "[Default Applications]\nimage/png=eog.desktop;\n\n[Other]\na=b";
    const std::string added = WithDefaultApplication(noKey, "text/plain", "t.desktop");
    EXPECT_EQ(added, "[Default Applications]\nimage/png=eog.desktop;\ntext/plain=t.desktop;\n\n"
                     "[Other]\na=b");
    EXPECT_EQ(WithoutDefaultApplication(added, "text/plain", "t.desktop"), noKey);
    const std::string other = "[Other]\ntext/plain=x.desktop;";
    EXPECT_EQ(WithDefaultApplication(other, "text/plain", "t.desktop"),
              other + "\n\n[Default Applications]\ntext/plain=t.desktop;\n");
    // ... and so does a section we added, leaving nothing where there was nothing.
    EXPECT_EQ(WithoutDefaultApplication(WithDefaultApplication(other, "text/plain", "t.desktop"),
                                        "text/plain", "t.desktop"),
              other + "\n");
    EXPECT_EQ(WithoutDefaultApplication("[Default Applications]\ntext/plain=t.desktop;\n",
                                        "text/plain", "t.desktop"),
              "");
}

class SystemActionsTest : public ::testing::Test {
  protected:
    TempDir d;
    ScopedEnv config{"XDG_CONFIG_HOME", d / "config"}, data{"XDG_DATA_HOME", d / "data"};
    RecordingAsker asker;
};

TEST_F(SystemActionsTest, AssociationComesAndGoes) {
    TempDir::Write(d / "config/mimeapps.list", kList);
    asker.answers = {false};
    EXPECT_FALSE(AssociateTextFiles(asker, "/opt/my tolmo/tolmo"));
    EXPECT_EQ(asker.texts().back(), "中止します。");
    EXPECT_FALSE(TextFilesAssociated());
    asker.answers = {true};
    ASSERT_TRUE(AssociateTextFiles(asker, "/opt/my tolmo/tolmo"));
    EXPECT_EQ(asker.texts().back(), "テキストファイルをトルモに関連づけました。");
    EXPECT_TRUE(TextFilesAssociated());
    const std::string entry = TempDir::Read(d / "data/applications/tolmo-text.desktop");
    EXPECT_NE(entry.find("MimeType=text/plain;\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/my tolmo/tolmo\" %F\n"), std::string::npos);
    asker.answers = {true};
    ASSERT_TRUE(RemoveTextAssociation(asker));
    EXPECT_FALSE(TextFilesAssociated());
    EXPECT_EQ(TempDir::Read(d / "config/mimeapps.list"), kList);
    EXPECT_FALSE(fs::exists(d / "data/applications/tolmo-text.desktop"));
    // Without a list before, none is left behind.
    fs::remove(d / "config/mimeapps.list");
    asker.answers = {true, true};
    ASSERT_TRUE(AssociateTextFiles(asker, "/usr/bin/tolmo") && RemoveTextAssociation(asker));
    EXPECT_FALSE(fs::exists(d / "config/mimeapps.list"));
}

TEST_F(SystemActionsTest, UnwritableApplicationsFolderGivesAMessage) {
    TempDir::Write(d / "data/applications", "a file in the way");
    asker.answers = {true};
    EXPECT_FALSE(AssociateTextFiles(asker, "/usr/bin/tolmo"));
    EXPECT_EQ(asker.texts().back(),
              "テキストファイルをトルモに関連づけられませんでした。\r\n中止します。");
    EXPECT_FALSE(fs::exists(d / "config/mimeapps.list"));
}

TEST_F(SystemActionsTest, SendToReplacesAnExistingEntryWhenAllowed) {
    TSpecialFolders f;
    f.sendTo = d / "scripts/";
    TempDir::Write(f.sendTo + "Tolmo", "old");
    asker.answers = {true, false};
    EXPECT_FALSE(RegisterSendTo(asker, "/usr/bin/tolmo", f));
    EXPECT_EQ(asker.texts()[1],
              "既に、トルモのショートカットが登録してあります。\r\n置き換えますか？");
    EXPECT_FALSE(fs::exists(fs::symlink_status(f.sendTo + "トルモ")));
    asker.answers = {true, true};
    ASSERT_TRUE(RegisterSendTo(asker, "/usr/bin/tolmo", f));
    EXPECT_EQ(fs::read_symlink(f.sendTo + "トルモ"), "/usr/bin/tolmo");
    EXPECT_EQ(asker.texts().back(), "「送る」にトルモを登録しました。");
}
