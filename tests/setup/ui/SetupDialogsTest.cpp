// The setup, options, notice and about windows on the offscreen platform: their wiring.
#include "setup/ui/InfoDialogs.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialog.h"

#include "platform/IniFile.h"
#include "setup/ReleaseAge.h"

#include "../../support/InputEvents.h"
#include "../../support/RecordingSink.h"
#include "../../support/ScopedEnv.h"
#include "../../support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

void activate(QWidget* w) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
}

class SetupDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(d / "prog"); }
    TempDir d;
    RecordingSink sink;
};

// The rules themselves are tested on the models; here the pages, clicks and closing reach them.
TEST_F(SetupDialogsTest, SetupAndRestorePagesReachTheirModel) {
    {
        TSetupDialog dlg(1, {d / "prog/", d / "data/", {}, nullptr});
        auto* f = dlg.Form;
        EXPECT_EQ(f->Get<QStackedWidget>("PageControl1")->currentWidget(), f->Widget("tsSetup"));
        EXPECT_FALSE(f->Widget("cbDeskTop")->isEnabled());
        f->Get<QRadioButton>("rbOpSetup")->click();
        EXPECT_TRUE(f->Widget("cbDeskTop")->isEnabled());
        f->Get<QRadioButton>("rbUwagaki")->click();
        EXPECT_TRUE(f->Widget("rgOption")->styleSheet().contains("128"));
    }
    TSetupDialog dlg(0, {d / "prog/", d / "data/", {}, nullptr});
    auto* f = dlg.Form;
    sink.answers = {true};
    f->Get<QPushButton>("btnKaifukuOk")->click();
    EXPECT_TRUE(f->Widget("btnKaifukuGo")->isEnabled());
    // Closing keeps the copy page's values beside the program.
    f->Get<QLineEdit>("edtCopy1")->setText(QStringLiteral("/media/stick/Tolmobak/"));
    dlg.accept();
    EXPECT_EQ(TIniFile(d / "prog/Tolmo.ini").ReadString("Setup", "edtCopy1", ""),
              "/media/stick/Tolmobak/");
    // An installed program's texts live in the user's data folder, and the pages say so.
    fs::create_directories(d / "usr/bin");
    fs::create_directories(d / "usr/share/tolmo");
    ScopedEnv data{"XDG_DATA_HOME", d / "share"};
    TSetupDialog installed(0, {d / "usr/bin/", d / "data/", {}, nullptr});
    EXPECT_EQ(installed.Form->Get<QLabel>("lblKaifuku3")->text().toStdString(),
              "コピー先　 ： " + d / "share/tolmo/Files");
}

TEST_F(SetupDialogsTest, OptionsHiddenPanelAndClosing) {
    TSettings s;
    s.CLine1 = 4;
    const std::string ini = d / "Tolmo.ini";
    {
        TOptionsDialog dlg(s, ini, d / "prog/");
        auto* f = dlg.Form;
        activate(&dlg);
        f->Get<QTabWidget>("PageControl1")->setCurrentWidget(f->Widget("tsKidou"));
        EXPECT_TRUE(f->Widget("gbEditor")->isHidden());
        Key(&dlg, Qt::Key_G, kCtrlShift);
        Key(&dlg, Qt::Key_E, kCtrlShift);
        EXPECT_FALSE(f->Widget("gbEditor")->isHidden());
        EXPECT_EQ(f->Get<QSpinBox>("edtCLine1")->value(), 4);
        f->Get<QSpinBox>("edtCLine1")->setValue(7);
        f->Get<QComboBox>("cbNewLineEnd")->setCurrentText(QStringLiteral("LF"));
        f->Get<QRadioButton>("rbYMD")->click();
        dlg.close(); // the close box saves like OK
    }
    EXPECT_EQ(std::tuple(s.CLine1, s.GEditor, s.isWaYMD), std::tuple(7, true, false));
    EXPECT_EQ(ReadNewPageFormat(ini).lineEnd, TLineEndStyle::Lf);
    {
        TOptionsDialog dlg(s, ini, d / "prog/");
        auto* f = dlg.Form;
        f->Get<QComboBox>("cbNewLineEnd")->setCurrentText(QStringLiteral("CR"));
        f->Get<QSpinBox>("edtCLine1")->setValue(9);
        f->Get<QCheckBox>("cbLocal")->click(); // acts at once, also when cancelled
        f->Get<QPushButton>("btnCancel")->click();
    }
    EXPECT_EQ(s.CLine1, 7);
    EXPECT_EQ(ReadNewPageFormat(ini).lineEnd, TLineEndStyle::Lf);
    EXPECT_TRUE(fs::exists(d / "prog/localfol.myc"));
}

TEST_F(SetupDialogsTest, NoticeWithoutConnectionOrBrowserAndItsPostponement) {
    auto saved = InternetConnected;
    InternetConnected = [] { return false; };
    TSettings s;
    s.vInfoChien = 0;
    // The desktop's handler finds no browser (xdg-open ends with 3), then finds one.
    ScopedEnv path{"PATH", d / "bin"};
    auto handler = [&](int code) {
        TempDir::Write(d / "bin/xdg-open", "#!/bin/sh\nexit " + std::to_string(code) + "\n");
        fs::permissions(d / "bin/xdg-open", fs::perms::owner_all);
    };
    {
        TReleaseNotice dlg(s);
        dlg.show();
        dlg.Form->Get<QPushButton>("btnWeb")->click();
        EXPECT_TRUE(dlg.isVisible()); // without a connection the user is told and stays
        EXPECT_EQ(sink.boxes.size(), 1u);
        InternetConnected = [] { return true; };
        handler(3);
        dlg.Form->Get<QPushButton>("btnWeb")->click();
        EXPECT_TRUE(dlg.isVisible()); // ... and so without a browser
        EXPECT_EQ(sink.texts().back(), "ブラウザ起動エラー\r\n中止します。");
        dlg.Form->Get<QPushButton>("btnClose")->click();
    }
    EXPECT_EQ(s.vInfoChien, PostponementOnClose(Today(), ReleaseDay(), 0, false));
    handler(0);
    const int before = s.vInfoChien;
    {
        TReleaseNotice dlg(s);
        dlg.show();
        dlg.Form->Get<QPushButton>("btnWeb")->click();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(s.vInfoChien, PostponementOnClose(Today(), ReleaseDay(), before, true));
    InternetConnected = saved;
}

TEST_F(SetupDialogsTest, AboutBoxBuildCode) {
    TAboutDialog dlg;
    activate(&dlg);
    Key(&dlg, Qt::Key_V, kCtrlShift);
    Key(&dlg, Qt::Key_J, kCtrlShift);
    EXPECT_FALSE(dlg.Form->Widget("lblVerKaku")->isHidden());
    EXPECT_EQ(dlg.Form->Get<QLabel>("lblVerKaku")->text().toStdString(), BuildCode(ReleaseDay()));
    Key(&dlg, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
