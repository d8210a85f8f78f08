// The display settings panel and the view menu on a main window with memo pages.
#include "mainwindow/ui/SettingsPanel.h"
#include "MainWindowFixture.h"

#include "editor/PropertySetStore.h"
#include "editor/ui/ColorPalette.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/FontDialog.h"
#include "editor/ui/PropertyDialog.h"
#include "editor/ui/QtConversions.h"
#include "mainwindow/ui/DisplayCommands.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/PageTabBar.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include "../../support/InputEvents.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

std::string Dump(TEditor* e) {
    TEditorProp p;
    p.Assign(e->Core());
    return PropertySetToBytes(p);
}

class SettingsPanelTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MakeWindow();
        cmds = new TDisplayCommands(*fm, dt, *pages);
        panel = cmds->Panel();
        pages->Book().firstShow = false;
        fm->resize(800, 600);
        fm->show();
        TempDir::Write(d / "memo.txt", Utf8ToCp932("日本語のメモ\r\nASCII と全角の混じった行\r\n"));
        ASSERT_TRUE(pages->Book().OpenFile(d / "memo.txt"));
        QApplication::processEvents();
        editor = panel->ActiveEditor();
        ASSERT_NE(editor, nullptr);
    }
    // Lets layouts and queued window-width recomputations run.
    static void settle() {
        for (int i = 0; i < 4; ++i)
            QApplication::processEvents();
    }
    void typeWrap(const QString& text) {
        panel->Form->Get<QLineEdit>("edtWrap")->setText(text);
        Key(panel->Form->Get<QLineEdit>("edtWrap"), Qt::Key_Return);
    }

    TDisplayCommands* cmds = nullptr;
    TSettingsPanel* panel = nullptr;
    TEditor* editor = nullptr;
};

TEST_F(SettingsPanelTest, OpensWithTheStoredValuesOnItsTwoPages) {
    fm->Menus->Trigger(TWindowCommand::DisplaySettings);
    ASSERT_TRUE(panel->IsOpen());
    EXPECT_FALSE(fm->pnlLeft->isHidden());
    EXPECT_EQ(panel->Form->Get<QLabel>("lblFont")->text(), "FixedSys");
    EXPECT_EQ(panel->Form->Get<QSpinBox>("edtTop")->value(), 7);
    EXPECT_EQ(panel->ColorPalette1->BackgroundColor(), clWhite);
    QStringList visible;
    for (int i = 0; i < fm->PageControl2->count(); ++i)
        if (fm->PageControl2->isTabVisible(i)) visible << fm->PageControl2->tabText(i);
    EXPECT_EQ(visible, (QStringList{" カラー ", " マージン "}));
    // The OK panel follows the selected page.
    fm->PageControl2->setCurrentIndex(1);
    EXPECT_EQ(panel->Form->Widget("pnlLeftOk")->parentWidget(), fm->PageControl2->widget(1));
    // The view menu stays off the menu bar; its copy in その他 reaches the same dialogs.
    EXPECT_FALSE(fm->Menus->Menu(TWindowMenu::View)->menuAction()->isVisible());
    EXPECT_TRUE(cmds->mnShowVisible->menuAction()->isVisible());
}

TEST_F(SettingsPanelTest, ZeroThenKetteiStoresTheComputedWidthAndShowsZeroNextTime) {
    fm->Settings.WrapDou = false;
    fm->Settings.WrapByte = 100;
    panel->OpenDisplaySettings();
    EXPECT_EQ(panel->Form->Get<QLineEdit>("edtWrap")->text(), "100");
    typeWrap("0");
    const int computed = TSettingsPanel::WindowWrapOf(*editor);
    ASSERT_GT(computed, 20);
    EXPECT_EQ(editor->Core().GetWrapOption().WrapByte, std::min(computed, 250));
    panel->Form->Get<QPushButton>("btnKettei")->click();
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_EQ(std::pair(fm->Settings.WrapDou, fm->Settings.WrapByte),
              std::pair(true, std::min(computed, 250)));
    panel->OpenDisplaySettings();
    EXPECT_EQ(panel->Form->Get<QLineEdit>("edtWrap")->text(), "0");
    // The window grows: the active memo editor follows.
    fm->resize(1000, 600);
    settle();
    panel->Cancel();
    settle();
    EXPECT_EQ(editor->Core().GetWrapOption().WrapByte,
              std::min(TSettingsPanel::WindowWrapOf(*editor), 250));
}

TEST_F(SettingsPanelTest, CancelAndPageSwitchRestoreThePreviewedEditorExactly) {
    settle();
    const std::string before = Dump(editor);
    panel->OpenDisplaySettings();
    settle();
    Click(panel->ColorPalette1, Qt::LeftButton, QPoint(2 + 8 + 16 * 5, 2 + 8 + 16 * 2));
    Click(panel->ColorPalette1, Qt::RightButton, QPoint(2 + 8, 2 + 8 + 16 * 4));
    panel->Form->Get<QSpinBox>("edtTop")->setValue(20);
    panel->Form->Get<QSpinBox>("edtCharacter")->setValue(4);
    panel->Form->Get<QCheckBox>("cbULine")->click();
    typeWrap("33");
    EXPECT_EQ(editor->Core().GetColor(), clBlack);
    EXPECT_NE(Dump(editor), before);
    panel->Form->Get<QPushButton>("btnCancel")->click();
    settle();
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_EQ(Dump(editor), before);

    TempDir::Write(d / "other.txt", "other\r\n");
    ASSERT_TRUE(pages->Book().OpenFile(d / "other.txt"));
    pages->SetActivePage(0);
    panel->OpenDisplaySettings();
    panel->Form->Get<QSpinBox>("edtLeft")->setValue(25);
    pages->SetActivePage(1);
    settle();
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_EQ(editor->Core().Margin().Left(), 3);
    // The window-width wrap of the page left behind follows at the next page change.
    pages->SetActivePage(0);
    settle();
    EXPECT_EQ(Dump(editor), before);
}

TEST_F(SettingsPanelTest, CurrentControlDialogChangesOnlyThatControlAndStoresNothing) {
    cmds->PropertyDialog = [](TEditorProp& set, const QString&) {
        TPropertyDialog dlg;
        dlg.Load(set);
        dlg.Form->Get<QCheckBox>("cbLeftbar")->setChecked(true);
        dlg.Store(set);
        return true;
    };
    EXPECT_TRUE(cmds->ShowCurrentSettings());
    EXPECT_TRUE(editor->Core().Leftbar().Visible());
    EXPECT_FALSE(dt.PropSets.Default().Leftbar.Visible());
    EXPECT_FALSE(TIniFile(fm->SettingsFile).SectionExists("EditorProp_Default"));
}

bool HasPixel(const QImage& img, const QRect& r, const QColor& c) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixelColor(x, y).rgb() == c.rgb()) return true;
    return false;
}

TEST_F(SettingsPanelTest, TabsAreDrawnInTheStoredColoursWithANavyActiveCaption) {
    TempDir::Write(d / "other.txt", "other\r\n");
    ASSERT_TRUE(pages->Book().OpenFile(d / "other.txt"));
    fm->Settings.TabColorDeAct = clYellow;
    fm->Settings.TabColorAct = clWhite;
    panel->OpenDisplaySettings();
    panel->Cancel(); // the tabs take the stored look again
    settle();
    QTabBar* bar = pages->TabBar();
    const QImage img = bar->grab().toImage();
    const QRect active = bar->tabRect(bar->currentIndex());
    const QRect other = bar->tabRect(1 - bar->currentIndex());
    auto ground = [&img](const QRect& tab) {
        return img.pixelColor(tab.center().x(), tab.bottom() - 2).rgb();
    };
    EXPECT_EQ(std::pair(ground(other), ground(active)),
              std::pair(QColor(Qt::yellow).rgb(), QColor(Qt::white).rgb()));
    EXPECT_TRUE(HasPixel(img, active, QColor(0, 0, 0x80)));
    EXPECT_FALSE(HasPixel(img, other, QColor(0, 0, 0x80)));
}

} // namespace

TEST_F(SettingsPanelTest, FontDialogOffersJapaneseFacesOpensOnTheDrawnFaceAndItsChoiceShows) {
    panel->OpenDisplaySettings();
    const QString drawn = DrawingFace(editor->Core().GetFont().Name);
    QStringList offered;
    QString startFamily;
    int startSize = 0;
    bool startItalic = true;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TEditorFontDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        auto* families = d->findChild<QListWidget*>(QStringLiteral("lstFamily"));
        for (int i = 0; i < families->count(); ++i)
            offered << families->item(i)->text();
        startFamily = d->SelectedFont().family();
        startSize = d->SelectedFont().pointSize();
        startItalic = d->SelectedFont().italic() || d->SelectedFont().bold();
        const auto ipa = families->findItems(QStringLiteral("IPAGothic"), Qt::MatchExactly);
        if (!ipa.isEmpty()) families->setCurrentItem(ipa.first());
        d->accept();
    });
    panel->Form->Get<QPushButton>("btnFont")->click();
    // The dual-width Japanese faces of install-deps are offered beside the plain monospace ones.
    for (const char* face : {"IPAGothic", "Noto Sans Mono CJK JP", "DejaVu Sans Mono"})
        EXPECT_TRUE(offered.contains(QString::fromUtf8(face))) << face;
    EXPECT_FALSE(offered.contains(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(startFamily, drawn);
    EXPECT_EQ(startSize, panel->Values().FontSize);
    EXPECT_FALSE(startItalic); // the page's plain style, not the face's first one
    // The chosen face draws the page at once.
    EXPECT_EQ(editor->Core().GetFont().Name, "IPAGothic");
    EXPECT_EQ(QFontInfo(ToQFont(editor->Core().GetFont())).family(), "IPAGothic");
}
