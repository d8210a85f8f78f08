// The settings file: defaults, damaged values, the close-time write and what it leaves alone.
#include "app/Settings.h"

#include "platform/IniFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    TSettings defaults() { return DefaultSettings(TEditorDisplay{}, "/opt/tolmo/"); }
    // The settings read from a file of `text` (none for nullptr).
    TSettings read(const char* text, int drawn = 42) {
        if (text) TempDir::Write(path, text);
        TSettings s = defaults();
        ReadSettings(TIniFile(path), s, [drawn] { return drawn; });
        return s;
    }
    TempDir d;
    std::string path = d / "Tolmo.ini";
};

TEST_F(SettingsTest, MissingValuesKeepTheDefaultsAndDrawTheInfoDelay) {
    const char* const texts[] = {nullptr, "", "garbage\n[Set\nx"}; // no file, an empty one
    for (const char* text : texts) {
        TSettings s = read(text); // the info delay drawn, because the default is negative
        EXPECT_EQ(std::tuple(s.vInfoChien, s.OpenFolder, s.fmWidth),
                  std::tuple(42, "/opt/tolmo/", 779));
    }
}

TEST_F(SettingsTest, ValuesAndBadValues) {
    TSettings s =
        read("[Set]\nfmTop=abc\nfmLeft=-20\nFuncChk=0\nStatChk=5\nBrowser= /usr/bin/firefox \n"
             "MenuCount=12x\n[Editor]\nWrapByte=-1\nColor=$00C0DCC0\nFontColor=clRed\n"
             "[Tab]\nTabColorAct=clNavy\nTabFontAct=nonsense\n[Info]\nvInfoChien=30\n");
    EXPECT_EQ(std::tuple(s.fmTop, s.fmLeft, s.FuncChk, s.StatChk, s.MenuCount, s.WordWrap(),
                         s.vInfoChien, s.Browser),
              std::tuple(0, -20, false, true, 8, false, 30, "/usr/bin/firefox"));
    EXPECT_EQ((std::vector<TColor>{s.Color, s.FontColor, s.TabColorAct, s.TabFontAct}),
              (std::vector<TColor>{0xC0DCC0u, clRed, clNavy, clWindowText}));
}

TEST_F(SettingsTest, NumbersOutOfRangeAreBroughtIntoIt) {
    TSettings s = read("[Editor]\nFontSize=0\nWrapByte=100000\nMarginLine=-4\n"
                       "[Set]\nfmWidth=-5\nfmHeight=99999999\nfmTop=-2147483648\nMenuCount=5000\n"
                       "Curs=7\nCLine1=-3\n[Info]\nvInfoChien=2000000000\n");
    EXPECT_EQ(std::tuple(s.FontSize, s.WrapByte, s.MarginLine, s.fmWidth, s.fmHeight, s.fmTop),
              std::tuple(kMinFontSize, 250, 0, kMinWindowWidth, kMaxWindowSide, -kMaxWindowSide));
    EXPECT_EQ(std::tuple(s.MenuCount, s.Curs, s.CLine1, s.vInfoChien), std::tuple(30, 2, 0, 9999));
    EXPECT_EQ(read("[Editor]\nFontSize=500\nWrapByte=-1\n").FontSize, kMaxFontSize);
    EXPECT_FALSE(read("[Editor]\nWrapByte=-1\n").WordWrap());
}

TEST_F(SettingsTest, WrapByteDrivesWrapAndScrollBars) {
    TEditorDisplay d;
    TSettings s = read("[Editor]\nWrapByte=-1\nMarginTop=500\n");
    ApplyEditorSettings(s, d);
    EXPECT_EQ(std::tuple(d.WordWrap, d.ScrollBars, d.MarginTop),
              std::tuple(false, TEditorDisplay::ssBoth, 100));
    s = read("[Editor]\nWrapByte=5\nFontName=IPAGothic\nFontSize=14\nunderLine=1\n");
    ApplyEditorSettings(s, d);
    EXPECT_EQ(std::tuple(d.WordWrap, d.ScrollBars, d.WrapByte, d.FontName, d.FontSize, d.UnderLine),
              std::tuple(true, TEditorDisplay::ssVertical, 20, "IPAGothic", 14, true));
}

TEST_F(SettingsTest, WritesEveryKeyInOrderReadsThemBackAndKeepsOtherLines) {
    TempDir::Write(path, "; kept\n[MyFileList]\nCount=1\n[Set]\nFuncChk=1\nzzz junk\n");
    TSettings s = defaults();
    s.vInfoChien = 17;
    s.FuncChk = false;
    s.fmTop = 33;
    s.Browser = "/usr/bin/firefox";
    s.TabColorDeAct = 0x00123456;
    TIniFile ini(path);
    ASSERT_TRUE(WriteSettings(ini, s, "/opt/tolmo/"));
    const std::string text = TempDir::Read(path);
    EXPECT_EQ(text.rfind("; kept\n[MyFileList]\nCount=1\n[Set]\nFuncChk=0\n", 0), 0u);
    for (const char* part :
         {"zzz junk\n", "[Header]\nVersion=Ver1.7.1.1\nFolder=/opt/tolmo/\n",
          "TabColorAct=clBtnFace\nTabColorDeAct=$00123456\nTabFontAct=clWindowText\n",
          "FontColor=clBlack\nColor=clWhite\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    // The options dialog's keys are not part of the close-time write.
    EXPECT_EQ(text.find("CLine1"), std::string::npos);

    TSettings back = DefaultSettings(TEditorDisplay{}, "/elsewhere/");
    ReadSettings(ini, back, [] { return 99; });
    EXPECT_EQ(std::tuple(back.vInfoChien, back.FuncChk, back.fmTop, back.Browser,
                         back.TabColorDeAct, back.OpenFolder),
              std::tuple(17, false, 33, "/usr/bin/firefox", 0x00123456u, "/opt/tolmo/"));
}

TEST_F(SettingsTest, MaximisedCloseKeepsTheOldBounds) {
    TempDir::Write(path, "[Set]\nfmTop=10\nfmLeft=20\nfmHeight=300\nfmWidth=400\n");
    TSettings s = defaults();
    s.isMaxSize = true;
    s.fmTop = s.fmLeft = 0;
    s.fmHeight = 1000;
    s.fmWidth = 2000;
    TIniFile ini(path);
    ASSERT_TRUE(WriteSettings(ini, s, "/p/"));
    EXPECT_TRUE(ini.ReadBool("Set", "isMaxSize", false));
    EXPECT_EQ(TempDir::Read(path).find("[Set]\nfmTop=10\nfmLeft=20\nfmHeight=300\nfmWidth=400\n"),
              0u);
}

TEST_F(SettingsTest, FailedWriteReportsFalseAndIsToldOnce) {
    TIniFile ini(d / "missing-folder/Tolmo.ini");
    EXPECT_FALSE(WriteSettings(ini, defaults(), "/p/"));
    TSettingsWriteReport report;
    EXPECT_NE(report.Failed(ini.FileName(), ini.LastError()).find(ini.FileName()),
              std::string::npos);
    EXPECT_EQ(report.Failed(ini.FileName(), ini.LastError()), "");
    TSettings s = defaults();
    s.Browser = "two\nlines"; // cannot be stored: the write stops there, earlier keys are kept
    TIniFile ok(path);
    EXPECT_FALSE(WriteSettings(ok, s, "/p/"));
    EXPECT_TRUE(ok.ValueExists("Set", "isClick"));
    EXPECT_FALSE(ok.ValueExists("Set", "Curs"));
}

} // namespace
