// The setup, options, notice and about windows on the offscreen platform: their opening state,
// option rules, keys and what closing them writes.
#include "setup/ui/InfoDialogs.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialog.h"

#include "platform/IniFile.h"
#include "setup/ReleaseAge.h"

#include "../../support/RecordingSink.h"
#include "../../support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
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

void key(QWidget* w, Qt::Key k,
         Qt::KeyboardModifiers mods = Qt::ControlModifier | Qt::ShiftModifier) {
    QKeyEvent press(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(w, &press);
}

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

TEST_F(SetupDialogsTest, SetupPageFollowsItsRules) {
    TfmKaSetup dlg(1, {d / "prog/", d / "data/", {}, nullptr});
    auto* f = dlg.Form;
    EXPECT_EQ(f->Get<QStackedWidget>("PageControl1")->currentWidget(), f->Widget("tsSetup"));
    EXPECT_FALSE(f->Get<QLabel>("Label15")->text().isEmpty());
    EXPECT_TRUE(f->Get<QLineEdit>("edtSetup")->text().endsWith(QStringLiteral("/Brix/Tolmo/")));
    EXPECT_TRUE(f->Get<QRadioButton>("rbNewSetup")->isChecked());
    EXPECT_FALSE(f->Widget("cbDeskTop")->isEnabled());
    f->Get<QRadioButton>("rbOpSetup")->click();
    EXPECT_TRUE(f->Widget("cbDeskTop")->isEnabled() && f->Widget("edtSetup")->isEnabled());
    f->Get<QCheckBox>("cbDeskTop")->setChecked(true);
    f->Get<QRadioButton>("rbUwagaki")->click();
    EXPECT_FALSE(f->Get<QCheckBox>("cbDeskTop")->isChecked());
    EXPECT_TRUE(f->Widget("rgOption")->styleSheet().contains("128"));
}

TEST_F(SetupDialogsTest, RestoreNeedsToBeSwitchedOn) {
    TfmKaSetup dlg(0, {d / "prog/", d / "data/", {}, nullptr});
    auto* f = dlg.Form;
    EXPECT_EQ(f->Get<QStackedWidget>("PageControl1")->currentWidget(), f->Widget("PageControl2"));
    EXPECT_FALSE(f->Widget("btnKaifukuGo")->isEnabled());
    sink.answers = {true};
    f->Get<QPushButton>("btnKaifukuOk")->click();
    EXPECT_FALSE(sink.boxes.back().defaultYes);
    EXPECT_TRUE(f->Widget("btnKaifukuGo")->isEnabled() && f->Widget("edtCopy3")->isEnabled());
    // Closing keeps the copy page's values beside the program.
    f->Get<QLineEdit>("edtCopy1")->setText(QStringLiteral("/media/stick/Tolmobak/"));
    dlg.accept();
    EXPECT_EQ(TIniFile(d / "prog/Tolmo.ini").ReadString("Setup", "edtCopy1", ""),
              "/media/stick/Tolmobak/");
}

TEST_F(SetupDialogsTest, OptionsHiddenPanelAndClosing) {
    TSettings s;
    s.CLine1 = 4;
    const std::string ini = d / "Tolmo.ini";
    {
        TfmSet dlg(s, ini, d / "prog/");
        auto* f = dlg.Form;
        activate(&dlg);
        f->Get<QTabWidget>("PageControl1")->setCurrentWidget(f->Widget("tsKidou"));
        EXPECT_TRUE(f->Widget("gbEditor")->isHidden());
        key(&dlg, Qt::Key_E);
        EXPECT_TRUE(f->Widget("gbEditor")->isHidden());
        key(&dlg, Qt::Key_G);
        key(&dlg, Qt::Key_E);
        EXPECT_FALSE(f->Widget("gbEditor")->isHidden());
        EXPECT_EQ(f->Get<QSpinBox>("edtCLine1")->value(), 4);
        f->Get<QSpinBox>("edtCLine1")->setValue(7);
        EXPECT_EQ(f->Get<QComboBox>("cbNewEncoding")->currentText(), QStringLiteral("Shift-JIS"));
        EXPECT_EQ(f->Get<QComboBox>("cbNewLineEnd")->currentText(), QStringLiteral("CRLF"));
        f->Get<QComboBox>("cbNewEncoding")->setCurrentText(QStringLiteral("UTF-8 BOM"));
        f->Get<QComboBox>("cbNewLineEnd")->setCurrentText(QStringLiteral("LF"));
        f->Get<QRadioButton>("rbYMD")->click();
        EXPECT_TRUE(f->Get<QLabel>("lblYMD")->text().startsWith(QStringLiteral("サンプル：20")));
        dlg.close(); // the close box saves like OK
    }
    EXPECT_EQ(s.CLine1, 7);
    EXPECT_TRUE(s.GEditor);
    EXPECT_FALSE(s.isWaYMD);
    EXPECT_EQ(TIniFile(ini).ReadInteger("Set", "CLine1", 0), 7);
    const TFileFormat newPages = ReadNewPageFormat(ini);
    EXPECT_EQ(newPages.encoding, TEncoding::Utf8);
    EXPECT_TRUE(newPages.bom);
    EXPECT_EQ(newPages.lineEnd, TLineEndStyle::Lf);
    {
        TfmSet dlg(s, ini, d / "prog/");
        auto* f = dlg.Form;
        EXPECT_FALSE(f->Widget("gbEditor")->isHidden());
        EXPECT_EQ(f->Get<QComboBox>("cbNewEncoding")->currentText(), QStringLiteral("UTF-8 BOM"));
        f->Get<QComboBox>("cbNewLineEnd")->setCurrentText(QStringLiteral("CR"));
        f->Get<QSpinBox>("edtCLine1")->setValue(9);
        f->Get<QCheckBox>("cbLocal")->click(); // acts at once, also when cancelled
        f->Get<QPushButton>("btnCancel")->click();
    }
    EXPECT_EQ(s.CLine1, 7);
    EXPECT_EQ(TIniFile(ini).ReadInteger("Set", "CLine1", 0), 7);
    EXPECT_EQ(ReadNewPageFormat(ini).lineEnd, TLineEndStyle::Lf);
    EXPECT_TRUE(fs::exists(d / "prog/localfol.myc"));
}

TEST_F(SetupDialogsTest, NoticeWithoutConnectionAndItsPostponement) {
    auto saved = InternetConnected;
    InternetConnected = [] { return false; };
    TSettings s;
    s.vInfoChien = 0;
    {
        TfmInfo dlg(s);
        dlg.show();
        EXPECT_TRUE(dlg.Form->Get<QLabel>("lblInfo")->text().contains(
            QStringLiteral(" 日が経過しています。")));
        dlg.Form->Get<QPushButton>("btnWeb")->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(sink.texts().back(),
                  "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n"
                  "実行してください。\r\n\r\n中止します。");
        dlg.Form->Get<QPushButton>("btnClose")->click();
    }
    EXPECT_EQ(s.vInfoChien, PostponementOnClose(Today(), ReleaseDay(), 0, false));
    InternetConnected = saved;
}

TEST_F(SetupDialogsTest, AboutBoxBuildCode) {
    TfmAbout dlg;
    activate(&dlg);
    EXPECT_EQ(dlg.Form->Get<QLabel>("lbl_Version")->text(), QStringLiteral("1.7.1.1"));
    key(&dlg, Qt::Key_J);
    EXPECT_TRUE(dlg.Form->Widget("lblVerKaku")->isHidden());
    key(&dlg, Qt::Key_V);
    key(&dlg, Qt::Key_J);
    EXPECT_FALSE(dlg.Form->Widget("lblVerKaku")->isHidden());
    EXPECT_EQ(dlg.Form->Get<QLabel>("lblVerKaku")->text().toStdString(), BuildCode(ReleaseDay()));
    key(&dlg, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
