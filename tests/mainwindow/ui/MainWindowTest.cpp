// The main window from creation to closing: its data folder and the settings it keeps.
#include "MainWindowFixture.h"

#include "platform/IniFile.h"

#include <QStatusBar>

namespace fs = std::filesystem;

namespace {

class MainWindowTest : public MainWindowFixture {
  protected:
    std::string dataFolder() { return d / "config/Brix/Tolmo/"; }
    std::string ini() { return dataFolder() + "Tolmo.ini"; }
    void writeIni(const std::string& text) { TempDir::Write(ini(), text); }

    ScopedEnv state{"XDG_STATE_HOME", d / "state"};
};

TEST_F(MainWindowTest, StoredValuesReachTheWindowAndComeBack) {
    writeIni("[Set]\nFuncChk=0\nStatChk=0\nisWpLine=1\nfmTop=abc\n[Editor]\nWrapByte=-1\nFontName="
             "IPAGothic\n");
    TMainWindow fm(dt, info);
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_TRUE(fm.pnlFunction->isHidden() && fm.StatusBar1->isHidden());
    EXPECT_FALSE(dt.PropSets.Default().WordWrap);
    EXPECT_EQ(dt.PropSets.Default().ScrollBars, ssBoth);
    EXPECT_EQ(dt.PropSets.Default().Font.Name, "IPAGothic");
    fm.show();
    EXPECT_TRUE(fm.StatusShowsRows);
    EXPECT_TRUE(fm.close());
    TIniFile written(ini());
    EXPECT_FALSE(written.ReadBool("Set", "FuncChk", true) ||
                 written.ReadBool("Set", "StatChk", true));
    EXPECT_EQ(written.ReadInteger("Editor", "WrapByte", 0), -1);
    EXPECT_EQ(written.ReadString("Editor", "FontName", ""), "IPAGothic");
    EXPECT_TRUE(
        written.ReadBool("Set", "isWpLine", false)); // kept: only the options dialog writes it
}

TEST_F(MainWindowTest, MaximisedCloseKeepsTheLastNormalBounds) {
    writeIni("[Set]\nfmTop=11\nfmLeft=22\nfmHeight=333\nfmWidth=444\nisZenkai=1\n");
    TMainWindow fm(dt, info);
    EXPECT_EQ(fm.size(), QSize(444, 333));
    fm.showMaximized();
    ASSERT_TRUE(fm.isMaximized());
    EXPECT_TRUE(fm.close());
    TIniFile written(ini());
    EXPECT_TRUE(written.ReadBool("Set", "isMaxSize", false));
    EXPECT_EQ(written.ReadInteger("Set", "fmWidth", 0), 444); // the rule is the core's test
    // The next start comes up maximised.
    TSharedObjects dt2;
    TMainWindow again(dt2, info);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, RunningExternalEditorRefusesCloseButSettingsAreWritten) {
    writeIni("");
    TMainWindow fm(dt, info);
    fm.show();
    fm.ExternalEditorFile = "/tmp/memo.txt";
    int pagesAsked = 0;
    fm.OnCloseQueryPages = [&] {
        ++pagesAsked;
        return true;
    };
    EXPECT_FALSE(fm.close());
    EXPECT_TRUE(fm.isVisible());
    EXPECT_EQ(pagesAsked, 1);
    EXPECT_EQ(sink.boxes.size(), 1u);
    EXPECT_TRUE(TIniFile(ini()).ValueExists("Set", "fmTop"));
    fm.ExternalEditorFile.clear();
    EXPECT_TRUE(fm.close());
}

TEST_F(MainWindowTest, LocalFolderFirstRunAsksForSetupOnce) {
    TempDir::Write(info.programFolder + "localfol.myc", "[Set]\nFirst=1\n");
    TMainWindow fm(dt, info);
    EXPECT_EQ(fm.DataFolder, info.programFolder);
    int setups = 0;
    fm.OnSetupRequested = [&] { ++setups; };
    sink.answers = {true};
    fm.show();
    EXPECT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(setups, 1);
    EXPECT_TRUE(fm.close());
    EXPECT_TRUE(fs::exists(info.programFolder + "Tolmo.ini"));
    EXPECT_FALSE(fs::exists(dataFolder()));
}

} // namespace
