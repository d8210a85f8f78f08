// The setup, options and about dialogs' rules without a window.
#include "setup/SetupDialogModel.h"
#include "setup/InfoDialogModel.h"
#include "setup/OptionsDialogModel.h"

#include "calendar/JulianDay.h"
#include "editor/Commands.h"
#include "platform/IniFile.h"
#include "setup/SpecialFolders.h"

#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct SetupModel {
    TempDir d;
    RecordingAsker asker;
    SetupModel() { fs::create_directories(d / "prog"); }
    TSetupDialogModel open(int mode, std::vector<std::string> args = {}) {
        return TSetupDialogModel(asker, mode, d / "prog/", d / "data/", args, "tolmo");
    }
};

} // namespace

TEST(SetupDialogModel, OpensOnItsPageWithTheDefaultsAndTheOptionRule) {
    SetupModel t;
    TSetupDialogModel m = t.open(1);
    EXPECT_EQ(m.Text("Label15") + "|" + m.Text("edtSetup"),
              "「トルモ -Tolmo-」 Ver1.7.1.1 のセットアップ|" + DefaultSetupFolder());
    EXPECT_EQ(std::tuple(m.Int("PageControl1"), m.Action(), m.Enabled("cbDeskTop"), m.OptionGrey(),
                         m.Enabled("btnKaifukuGo")),
              std::tuple(0, TSetupAction::NewSetup, false, true, false));
    m.UserInt("actions", 3);
    m.Changed("actions");
    EXPECT_TRUE(m.Enabled("cbDeskTop") && m.Enabled("edtSetup"));
    m.UserInt("cbStartMenu", 0);
    EXPECT_FALSE(m.Request("/common/").startMenu);
    m.UserInt("cbDeskTop", 1);
    m.UserInt("actions", 1); // overwrite: no new shortcuts
    m.Changed("actions");
    EXPECT_FALSE(m.Checked("cbDeskTop") || m.Enabled("cbDeskTop"));
    EXPECT_EQ(t.open(2).Int("PageControl1"), 1);
    EXPECT_EQ(t.open(0, {"/X"}).Text("Label15"), "");
    // No text names a folder with a backslash: Japanese fonts draw it as a yen sign.
    for (const TFormDesc* f : {&SetupDialogForm(), &OptionsDialogForm(), &InfoDialogForm()})
        for (const TControl& c : *f)
            EXPECT_EQ(std::string(c.Caption).find('\\'), std::string::npos) << c.Caption;
}

TEST(SetupDialogModel, RestoreSwitchAndSetupFolder) {
    SetupModel t;
    TSetupDialogModel m = t.open(0);
    t.asker.answers = {false, true};
    m.Clicked("btnKaifukuOk");
    EXPECT_FALSE(m.Enabled("edtCopy3"));
    m.Clicked("btnKaifukuOk");
    EXPECT_TRUE(m.Enabled("edtCopy3") && m.Enabled("lblKaifuku3"));
    EXPECT_FALSE(t.asker.boxes.back().defaultYes);

    // The chosen folder gets a "Tolmo" below it on Yes; the chooser opens on the last choice
    // while it exists, else on the program folder.
    EXPECT_EQ(m.SetupFolderStart(), t.d / "prog/");
    t.asker.answers = {true};
    m.SetupFolderChosen(t.d / "apps/");
    EXPECT_EQ(m.Text("edtSetup"), (t.d / "apps") + "/Tolmo/");
    m.SetupFolderChosen(t.d / "MyTolmo");
    EXPECT_EQ(m.Text("edtSetup"), (t.d / "MyTolmo")); // no question
    EXPECT_EQ(t.asker.boxes.size(), 3u);
    fs::create_directories(t.d / "MyTolmo");
    EXPECT_EQ(m.SetupFolderStart(), t.d / "MyTolmo");
    m.SetupFolderChosen(""); // cancelled: the last choice stays
    EXPECT_EQ(m.SetupFolderStart(), t.d / "MyTolmo");
    fs::remove(t.d / "MyTolmo");
    EXPECT_EQ(m.SetupFolderStart(), t.d / "prog/");
}

TEST(SetupDialogModel, ClosingKeepsTheCopyPageOnlyWhenShown) {
    SetupModel t;
    TSetupDialogModel setup = t.open(1);
    setup.UserText("edtCopy1", "/elsewhere/");
    setup.Closing();
    EXPECT_FALSE(fs::exists(setup.BackupFile));
    TSetupDialogModel copy = t.open(0);
    EXPECT_EQ(copy.CopyFolderStart(1), (t.d / "prog/"));
    copy.UserText("edtCopy1", (t.d / "prog"));
    EXPECT_EQ(copy.CopyFolderStart(1), (t.d / "prog"));
    copy.BackedUp(2, "2026/12/06 10:00");
    copy.Closing();
    EXPECT_EQ(TIniFile(copy.BackupFile).ReadString("Setup", "lblCopy2", ""), "2026/12/06 10:00");
    EXPECT_EQ(t.open(0).Text("edtCopy1"), (t.d / "prog"));
}

TEST(OptionsTest, DateSampleAndHiddenKeys) {
    EXPECT_EQ(DateSample(tolmo::DateToJulius(2004, 3, 14), true, true), "サンプル：H16.3.14 (日)");
    // E G E opens the hidden panel once; another key disarms; only on the start-up tab.
    THiddenPanelKeys k;
    std::string opened;
    for (auto [key, startTab] : {std::pair{'E', true},
                                 {'G', true},
                                 {'E', true},
                                 {'E', true},
                                 {'G', true},
                                 {'X', true},
                                 {'E', true},
                                 {'G', false},
                                 {'E', true}})
        opened += k.Key(key, startTab, true) ? '1' : '0';
    EXPECT_EQ(opened, "001000000");
}

TEST(OptionsDialogModel, ShowsTheSettingsAndWritesThemBack) {
    TempDir d;
    TSettings s;
    s.MenuCount = 99;
    s.isWaYMD = false;
    s.Curs = 2;
    RecordingAsker asker;
    TOptionsDialogModel m(asker, s, d / "Tolmo.ini", d / "prog/", "/usr/bin/tolmo");
    EXPECT_EQ(std::tuple(m.Int("edtMenuCount"), m.Int("gbDate"), m.Int("rgCurs")),
              std::tuple(30, 1, 2));
    EXPECT_EQ(m.Choice("cbNewEncoding") + " " + m.Choice("cbNewLineEnd"), "Shift-JIS CRLF");
    EXPECT_FALSE(m.Visible("lblLocal"));

    m.UserInt("gbDate", 0);
    m.Clicked("rbWaYMD");
    EXPECT_EQ(m.Text("lblYMD").rfind("サンプル：R", 0), 0u);
    m.UserInt("cbNewLineEnd", 1);
    m.UserInt("edtCLine2", 5);
    m.UserText("edtEditor", "/usr/bin/vi");
    m.Apply();
    EXPECT_EQ(std::tuple(s.isWaYMD, s.CLine2, s.Editor), std::tuple(true, 5, "/usr/bin/vi"));
    EXPECT_EQ(ReadNewPageFormat(d / "Tolmo.ini").lineEnd, TLineEndStyle::Lf);
    EXPECT_EQ(TIniFile(d / "Tolmo.ini").ReadInteger("Set", "CLine2", 0), 5);

    // Ctrl+Shift+G then E on the start-up tab show the hidden group; a change of tab disarms.
    m.UserInt("PageControl1", 2);
    m.FormKey('G', kmCtrl | kmShift);
    m.Changed("PageControl1");
    EXPECT_FALSE(m.FormKey('E', kmCtrl | kmShift) || m.FormKey('G', kmCtrl) ||
                 m.FormKey('E', kmCtrl));
    EXPECT_TRUE(m.FormKey('G', kmCtrl | kmShift) || m.FormKey('E', kmCtrl | kmShift));

    EXPECT_EQ(m.BrowseStart("edtEditor").folder + "|" + m.BrowseStart("edtEditor").preset,
              "/usr/bin|/usr/bin/vi");
    m.UserText("edtBrowser", "/no/such/folder/x");
    EXPECT_EQ(m.BrowseStart("edtBrowser").folder, (d / "prog/"));
}

TEST(AboutDialogModel, VThenJShowsTheBuildCodeAndReturnCloses) {
    TAboutDialogModel m;
    const unsigned cs = kmCtrl | kmShift;
    EXPECT_EQ(m.Key('J', cs), TAboutDialogModel::krNone);
    EXPECT_TRUE(m.Visible("lblVerKaku")); // not hidden by the model: the form hides it
    m.TakeChanged();
    EXPECT_EQ(m.Key('V', cs), TAboutDialogModel::krConsumed);
    EXPECT_EQ(m.Key('X', kmNone), TAboutDialogModel::krNone); // another key disarms
    EXPECT_EQ(m.Key('J', cs), TAboutDialogModel::krNone);
    EXPECT_EQ(m.Key('V', kmCtrl), TAboutDialogModel::krNone); // both modifiers are needed
    EXPECT_TRUE(m.TakeChanged().empty());
    m.Key('V', cs);
    m.Key(tkey::Control, cs); // the modifiers pressed again between the two keep it armed
    m.Key('J', cs);
    EXPECT_EQ(m.TakeChanged().count("lblVerKaku"), 1u);
    EXPECT_EQ(m.Key(tkey::Return, kmNone), TAboutDialogModel::krClose);
    TInfoDialogModel info;
    EXPECT_EQ(info.Text("lblInfo").find('\r'), std::string::npos);
}
