// The data folder, its fallbacks, the local-folder marker and old settings moved into it.
#include "app/DataFolder.h"

#include "app/ShellUtil.h"
#include "platform/IniFile.h"

#include "../support/FolderListing.h"
#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(d / "prog");
        fs::create_directory(d / "config");
    }
    std::string prog() { return d / "prog/"; }
    std::string common() { return d / "config/"; }
    TDataFolderChoice resolve() {
        return ResolveDataFolder(asker, prog(), common(), [this] {
            ++cdRomAsked;
            return cdRom;
        });
    }
    // The choice as one text: the folder, then L for local, F for a first run, C for a CD-ROM.
    std::string shown(const TDataFolderChoice& c) {
        return c.dataFolder + " " + (c.localFolder ? "L" : "") + (c.first ? "F" : "") +
               (c.cdRom ? "C" : "");
    }
    TempDir d;
    RecordingAsker asker;
    bool cdRom = false;
    int cdRomAsked = 0;
};

TEST_F(DataFolderTest, NormalModeCreatesTheFolderAndMovesOldSettings) {
    TempDir::Write(prog() + "Tolmo.ini", "ini");
    TempDir::Write(prog() + "Tolmo.rec", "rec");
    TDataFolderChoice c = resolve();
    EXPECT_EQ(shown(c), common() + "Brix/Tolmo/ ");
    EXPECT_EQ(asker.texts(), Texts{"[" + c.dataFolder + "]が見つかりません。\r\n作成し直します。"});
    EXPECT_EQ(FolderListing(c.dataFolder), "Tolmo.ini=ini\nTolmo.rec=rec\n");
    EXPECT_EQ(FolderListing(prog()),
              "SafeGuard/\nSafeGuard/01_Tolmo.ini=ini\nSafeGuard/01_Tolmo.rec=rec\n");
    EXPECT_EQ(cdRomAsked, 0);
    // A second start finds the folder and says nothing.
    asker.boxes.clear();
    EXPECT_EQ(resolve().dataFolder, c.dataFolder);
    EXPECT_TRUE(asker.boxes.empty());
}

TEST_F(DataFolderTest, ExistingSettingsInTheDataFolderWinAndAMissingOneIsReported) {
    TempDir::Write(common() + "Brix/Tolmo/Tolmo.ini", "new");
    TempDir::Write(prog() + "Tolmo.ini", "old");
    MoveSettingsToDataFolder(asker, common() + "Brix/Tolmo/", prog());
    EXPECT_EQ(TempDir::Read(common() + "Brix/Tolmo/Tolmo.ini"), "new");
    EXPECT_EQ(TempDir::Read(prog() + "SafeGuard/01_Tolmo.ini"), "old");
    TempDir::Write(prog() + "Tolmo.ini", "old");
    MoveSettingsToDataFolder(asker, d / "nowhere/", prog());
    EXPECT_EQ(asker.texts(), Texts{"[" + d / "nowhere/" +
                                   "]が見つかりません。\r\n設定が保存されない可能性があります。"});
    EXPECT_TRUE(fs::exists(prog() + "Tolmo.ini"));
}

TEST_F(DataFolderTest, FallsBackToTheProgramFolder) {
    TempDir::Write(common() + "Brix", "a file blocks the folder");
    EXPECT_EQ(shown(resolve()), prog() + " ");
    const std::string wanted = common() + "Brix/Tolmo/";
    EXPECT_EQ(asker.texts(),
              (Texts{"[" + wanted + "]が見つかりません。\r\n作成し直します。",
                     "[" + wanted + "]が作成できません。\r\n起動したフォルダに設定します。"}));
}

TEST_F(DataFolderTest, LocalFolderMarkerWithFirstRunAsPlainTextOrFromTheSeedFile) {
    TempDir::Write(prog() + "localfol.myc", "[Set]\nFolder=/x/\nFirst=1\n");
    cdRom = true;
    EXPECT_EQ(shown(resolve()), prog() + " LFC");
    EXPECT_EQ(TempDir::Read(prog() + "localfol.myc"), "[Set]\nFolder=/x/\nFirst=0\n");
    EXPECT_FALSE(fs::exists(common() + "Brix"));
    // Once only; and with a Tolmo.ini beside the program the drive is not asked.
    TempDir::Write(prog() + "Tolmo.ini", "");
    EXPECT_EQ(shown(resolve()), prog() + " L");
    EXPECT_EQ(cdRomAsked, 1);
    EXPECT_TRUE(asker.boxes.empty());
    // A marker of plain text, and the seed file that becomes the marker.
    TempDir::Write(prog() + "localfol.myc", "このフォルダのトルモは、単独で起動します。\r\n");
    EXPECT_EQ(shown(resolve()), prog() + " L");
    fs::remove(prog() + "localfol.myc");
    TempDir::Write(prog() + "Tolmondo.tlm", "seed");
    EXPECT_EQ(shown(resolve()), prog() + " L");
    EXPECT_FALSE(fs::exists(prog() + "Tolmondo.tlm"));
    EXPECT_EQ(TempDir::Read(prog() + "localfol.myc"), "seed");
}

TEST_F(DataFolderTest, NoticeOnlyWhenTheFolderExistedBefore) {
    const std::string record = d / "state/Brix/Tolmo/started";
    auto resolveWithRecord = [&] {
        return ResolveDataFolder(asker, prog(), common(), nullptr, record);
    };
    // A true first start creates the folder silently and remembers that the program ran.
    TDataFolderChoice c = resolveWithRecord();
    EXPECT_TRUE(fs::is_directory(c.dataFolder));
    EXPECT_TRUE(asker.boxes.empty());
    EXPECT_EQ(TempDir::Read(record), c.dataFolder + "\n");
    // The folder removed later: the user is told it is made again.
    fs::remove_all(common() + "Brix");
    resolveWithRecord();
    EXPECT_EQ(asker.texts(), Texts{"[" + c.dataFolder + "]が見つかりません。\r\n作成し直します。"});
    EXPECT_TRUE(fs::is_directory(c.dataFolder));
}

TEST_F(DataFolderTest, LocalFolderMarkerAndTheLocalFolderOfASetup) {
    const std::string marker = prog() + "localfol.myc";
    EXPECT_TRUE(SetLocalFolderMarker(prog(), true));
    EXPECT_EQ(TempDir::Read(marker), "このフォルダのトルモは、単独で起動します。\n");
    TempDir::Write(marker, "[Set]\nFirst=1\n"); // an existing marker keeps what it holds
    EXPECT_TRUE(SetLocalFolderMarker(prog(), true));
    EXPECT_EQ(TempDir::Read(marker), "[Set]\nFirst=1\n");
    EXPECT_TRUE(SetLocalFolderMarker(prog(), false) && SetLocalFolderMarker(prog(), false));
    EXPECT_FALSE(HasLocalFolderMarker(prog()));
    // The setup's local folder: the marker names the folder and its first run is done.
    ASSERT_TRUE(SetLocalFolderMarker(prog(), true));
    ASSERT_TRUE(MakeLocalFolder(prog()));
    const TIniFile ini(marker);
    EXPECT_EQ(ini.ReadString("Set", "Folder", "") + "|" + ini.ReadString("Set", "First", ""),
              prog() + "|0");
    // A folder that cannot take the file reports it.
    EXPECT_FALSE(MakeLocalFolder(d / "missing/"));
}

} // namespace
