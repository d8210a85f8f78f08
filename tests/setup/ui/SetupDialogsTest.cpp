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

TEST_F(SetupDialogsTest, SetupPageOptionRules) {
    TfmKaSetup dlg(1, {d / "prog/", d / "data/", {}, nullptr});
    EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.tsSetup);
    EXPECT_FALSE(dlg.Label15->text().isEmpty());
    EXPECT_TRUE(dlg.edtSetup->text().endsWith(QStringLiteral("/Brix/Tolmo/")));
    EXPECT_TRUE(dlg.rbNewSetup->isChecked());
    EXPECT_FALSE(dlg.cbDeskTop->isEnabled());
    EXPECT_TRUE(dlg.cbStartMenu->isChecked() && dlg.cbProgram->isChecked());
    dlg.rbOpSetup->click();
    EXPECT_TRUE(dlg.cbDeskTop->isEnabled() && dlg.edtSetup->isEnabled());
    dlg.cbDeskTop->setChecked(true);
    dlg.rbUwagaki->click();
    EXPECT_FALSE(dlg.cbDeskTop->isChecked() || dlg.cbStartMenu->isChecked());
    EXPECT_FALSE(dlg.edtSetup->isEnabled());
    // Started with /X: no title.
    TfmKaSetup x(1, {d / "prog/", d / "data/", {"/X"}, nullptr});
    EXPECT_TRUE(x.Label15->text().isEmpty());
}

TEST_F(SetupDialogsTest, RestoreNeedsToBeSwitchedOn) {
    TfmKaSetup dlg(0, {d / "prog/", d / "data/", {}, nullptr});
    EXPECT_EQ(dlg.PageControl1->currentWidget(), dlg.tsCopy);
    EXPECT_FALSE(dlg.btnKaifukuGo->isEnabled());
    sink.answers = {true};
    dlg.btnKaifukuOk->click();
    EXPECT_FALSE(sink.boxes.back().defaultYes);
    EXPECT_TRUE(dlg.btnKaifukuGo->isEnabled() && dlg.edtCopy3->isEnabled());
    // Closing keeps the copy page's values beside the program.
    dlg.edtCopy1->setText(QStringLiteral("/media/stick/Tolmobak/"));
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
        activate(&dlg);
        dlg.PageControl1->setCurrentWidget(dlg.tsKidou);
        EXPECT_TRUE(dlg.gbEditor->isHidden());
        key(&dlg, Qt::Key_E);
        EXPECT_TRUE(dlg.gbEditor->isHidden());
        key(&dlg, Qt::Key_G);
        key(&dlg, Qt::Key_E);
        EXPECT_FALSE(dlg.gbEditor->isHidden());
        EXPECT_EQ(dlg.edtCLine1->value(), 4);
        dlg.edtCLine1->setValue(7);
        EXPECT_EQ(dlg.cbNewEncoding->currentText(), QStringLiteral("Shift-JIS"));
        EXPECT_EQ(dlg.cbNewLineEnd->currentText(), QStringLiteral("CRLF"));
        dlg.cbNewEncoding->setCurrentText(QStringLiteral("UTF-8 BOM"));
        dlg.cbNewLineEnd->setCurrentText(QStringLiteral("LF"));
        dlg.close(); // the close box saves like OK
    }
    EXPECT_EQ(s.CLine1, 7);
    EXPECT_TRUE(s.GEditor);
    EXPECT_EQ(TIniFile(ini).ReadInteger("Set", "CLine1", 0), 7);
    const TFileFormat newPages = ReadNewPageFormat(ini);
    EXPECT_EQ(newPages.encoding, TEncoding::Utf8);
    EXPECT_TRUE(newPages.bom);
    EXPECT_EQ(newPages.lineEnd, TLineEndStyle::Lf);
    {
        TfmSet dlg(s, ini, d / "prog/");
        EXPECT_FALSE(dlg.gbEditor->isHidden());
        EXPECT_EQ(dlg.cbNewEncoding->currentText(), QStringLiteral("UTF-8 BOM"));
        dlg.cbNewLineEnd->setCurrentText(QStringLiteral("CR"));
        dlg.edtCLine1->setValue(9);
        dlg.cbLocal->click(); // acts at once, also when cancelled
        dlg.btnCancel->click();
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
        EXPECT_TRUE(dlg.lblInfo->text().contains(QStringLiteral(" 日が経過しています。")));
        dlg.btnWeb->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(sink.texts().back(),
                  "インターネットにつながっていません。\r\nインターネットにつながった状態で、\r\n"
                  "実行してください。\r\n\r\n中止します。");
        dlg.btnClose->click();
    }
    EXPECT_EQ(s.vInfoChien, PostponementOnClose(Today(), ReleaseDay(), 0, false));
    InternetConnected = saved;
}

TEST_F(SetupDialogsTest, AboutBoxBuildCode) {
    TfmAbout dlg;
    activate(&dlg);
    EXPECT_EQ(dlg.lbl_Version->text(), QStringLiteral("1.7.1.1"));
    key(&dlg, Qt::Key_J);
    EXPECT_TRUE(dlg.lblVerKaku->isHidden());
    key(&dlg, Qt::Key_V);
    key(&dlg, Qt::Key_J);
    EXPECT_FALSE(dlg.lblVerKaku->isHidden());
    EXPECT_EQ(dlg.lblVerKaku->text().toStdString(), BuildCode(ReleaseDay()));
    key(&dlg, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
