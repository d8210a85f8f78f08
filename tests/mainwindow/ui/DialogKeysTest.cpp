// Every dialog used with the keyboard alone: Tab and Shift+Tab walk all of its controls in
// reading order from where the user starts, every control a user operates is on that walk,
// labels with a mnemonic focus their field, Return presses the default button and Escape cancels.
#include "MainWindowFixture.h"

#include "../../support/InputEvents.h"

#include "calendar/ui/CalendarView.h"
#include "calendar/ui/DateDialog.h"
#include "editor/ui/EditorWidget.h"
#include "editor/ui/FontDialog.h"
#include "editor/ui/PropertyDialog.h"
#include "mainwindow/ui/DisplayCommands.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/RecoveryDialog.h"
#include "mainwindow/ui/SettingsPanel.h"
#include "print/PageLayout.h"
#include "print/ui/PreviewWindow.h"
#include "print/ui/PrintDialog.h"
#include "print/ui/PrintRun.h"
#include "print/ui/PrintTarget.h"
#include "search/ui/SearchDialogs.h"
#include "setup/ui/InfoDialogs.h"
#include "setup/ui/OptionsDialog.h"
#include "setup/ui/SetupDialog.h"
#include "syntax/SyntaxInstances.h"
#include "syntax/ui/TokenColorDialog.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

// What a walk shows of a control: its object name, else its caption, else its class.
QString NameOf(const QWidget* w) {
    if (!w) return QStringLiteral("(none)");
    // Tab enters a choice group at its chosen button: the group stands for its buttons.
    if (auto* group = qobject_cast<const QGroupBox*>(w->parentWidget());
        group && qobject_cast<const QRadioButton*>(w) && !group->objectName().isEmpty())
        return group->objectName();
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) return w->objectName();
    if (auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
        return b->text().remove('&');
    if (qobject_cast<const QTabBar*>(w)) return QStringLiteral("tabs");
    return QString::fromLatin1(w->metaObject()->className());
}

void Settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void Activate(QWidget* w) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    Settle();
}

// The controls Tab reaches from the focused one, until the walk comes back to it (or leaves
// within, for a panel inside a window).
QStringList Walk(QWidget* within, bool back) {
    QStringList seen;
    QWidget* start = QApplication::focusWidget();
    for (QWidget* w = start; w && within->isAncestorOf(w) && seen.size() < 80;) {
        seen << NameOf(w);
        QTest::keyClick(w, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
        w = QApplication::focusWidget();
        if (w == start) break;
    }
    return seen;
}

// The controls of the window a user operates: shown, enabled, taking input.
std::vector<QWidget*> InputControls(QWidget* within) {
    std::vector<QWidget*> out;
    for (QWidget* w : within->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->focusProxy()) continue;
        const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTabBar*>(w) ||
                           qobject_cast<QPlainTextEdit*>(w) ||
                           qobject_cast<tolmo::TCalendarView*>(w);
        if (input && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
            !qobject_cast<QComboBox*>(w->parentWidget()))
            out.push_back(w);
    }
    return out;
}

// A radio button Tab passes over because another of its group holds the group's place.
bool GroupWalked(const QWidget* w, const QStringList& walked) {
    auto* r = qobject_cast<const QRadioButton*>(w);
    if (!r) return false;
    const QList<QAbstractButton*> mates =
        r->group() ? r->group()->buttons()
                   : r->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    for (const QAbstractButton* b : mates)
        if (b != r && qobject_cast<const QRadioButton*>(b) && walked.contains(NameOf(b)))
            return true;
    return false;
}

// The button Return presses where the focus is not on a button.
QString DefaultButton(QWidget* dlg) {
    // A focused button stands in for the default while it has the focus.
    QWidget* focus = QApplication::focusWidget();
    if (focus) focus->clearFocus();
    QString name;
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
        if (b->isDefault() && b->isVisible()) name = NameOf(b);
    if (focus) focus->setFocus();
    return name;
}

// One dialog or page: its walk from the first focus, its default button and whether Return may
// be pressed in the test (it does not print or install anything).
struct Case {
    QString name;
    QStringList chain;
    QString defaultButton;
    bool pressReturn = true;
    QString start = chain.value(0); // where the keyboard starts
};

// Controls a user need not reach with Tab: the date dialog's month and year buttons and its
// up-down (the calendar's Page Up / Page Down and the fields' Up / Down keys do the same).
const QStringList kMouseOnly = {"btnZengetu", "btnZennen", "btnYokunen", "btnYokugetu",
                                "QToolButton"};

void Check(QWidget* dlg, const Case& c, QWidget* within = nullptr) {
    SCOPED_TRACE(c.name.toStdString());
    within = within ? within : dlg;
    QStringList walked = Walk(within, false);
    // On a later page the walk starts at the tabs: compared from the window's first control.
    if (const qsizetype first = walked.indexOf(c.chain.value(0)); first > 0)
        walked = walked.mid(first) + walked.mid(0, first);
    EXPECT_EQ(walked.join(", ").toStdString(), c.chain.join(", ").toStdString());
    // Shift+Tab walks the same controls the other way round.
    QStringList back = Walk(within, true);
    std::reverse(back.begin(), back.end());
    if (const qsizetype first = back.indexOf(c.chain.value(0)); first > 0)
        back = back.mid(first) + back.mid(0, first);
    if (within == dlg) {
        EXPECT_EQ(back.join(", ").toStdString(), walked.join(", ").toStdString());
    }
    for (QWidget* w : InputControls(within)) {
        EXPECT_TRUE(walked.contains(NameOf(w)) || GroupWalked(w, walked) ||
                    kMouseOnly.contains(NameOf(w)))
            << NameOf(w).toStdString() << " cannot be reached with Tab";
    }
    // A label that shows a mnemonic focuses its field with it.
    for (QLabel* l : within->findChildren<QLabel*>())
        if (l->isVisible() && QRegularExpression("&[^&\\s]").match(l->text()).hasMatch()) {
            EXPECT_TRUE(l->buddy()) << l->text().toStdString() << " has no field";
        }
    if (within == dlg) {
        EXPECT_EQ(DefaultButton(dlg).toStdString(), c.defaultButton.toStdString());
    }
}

// Escape (or Return) at the first focus closes the dialog; the result says which.
int Close(QDialog* dlg, Qt::Key key) {
    dlg->setResult(-1);
    QTest::keyClick(QApplication::focusWidget(), key);
    Settle();
    EXPECT_FALSE(dlg->isVisible()) << dlg->windowTitle().toStdString();
    return dlg->result();
}

} // namespace

class DialogKeysTest : public MainWindowFixture {};

TEST_F(DialogKeysTest, EveryDialogWalksInReadingOrderAndClosesWithItsKeys) {
    std::filesystem::create_directories(d / "data");
    ScopedEnv data{"XDG_DATA_HOME", d / "share"};
    TSettings settings;
    TPrintTarget target;
    target.Select({});
    target.Printer().setOutputFileName(QString::fromStdString(d / "out.pdf"));
    TVectorPrintLines lines({"a", "b"});
    auto doc = LayOutPages(TStringsPrinter::Configured(), target, lines, "x", nullptr);
    ASSERT_TRUE(doc);
    auto fountain = CreateDelphiFountain1();
    const QString ini = QString::fromStdString(d / "search.ini");
    const TSetupContext setup{d / "prog/", d / "data/", {}, nullptr};
    using Make = std::function<QDialog*()>;
    const QStringList ok = {"OK", "キャンセル"};
    const std::vector<std::pair<Make, std::vector<Case>>> table = {
        {[] {
             return new tolmo::TDateDialog({true, true, "", "2005/11/24"});
         },
         {{"date", {"edtDay", "Calendar1", "edtYear", "edtMonth"}, ""}}},
        {[&] { return new TSearchDialog(nullptr, ini); },
         {{"search",
           {"ComboBox1", "RadioGroup1", "chkMatchCase", "chkWholeWord", "chkNoMatchZenkaku",
            "chkIncludeCRLF", "btnOK", "btnCancel", "btnHelp"},
           "btnOK"}}},
        {[&] { return new TReplaceDialog(nullptr, ini); },
         {{"replace",
           {"ComboBox1", "ComboBox2", "RadioGroup1", "chkMatchCase", "chkWholeWord",
            "chkNoMatchZenkaku", "chkIncludeCRLF", "chkReplaceConfirm", "btnOK", "btnAll",
            "btnCancel", "btnHelp"},
           "btnOK"}}},
        {[&] { return new TOptionsDialog(settings, d / "Tolmo.ini", d / "prog/"); },
         {{"options 表示",
           {"tabs", "gbLine", "gbPosition", "edtMenuCount", "gbDate", "cbYoubi", "BitBtn1",
            "btnCancel"},
           "BitBtn1"},
          {"options 動作",
           {"tabs", "cbKnKakunin", "edtCLine1", "edtCLine2", "cbJHanten", "rgCurs", "cbNewEncoding",
            "cbNewLineEnd", "BitBtn1", "btnCancel"},
           "BitBtn1"},
          {"options 起動",
           {"tabs", "cbisClick", "cbisBrowser", "edtBrowser", "btnBrowser", "BitBtn1", "btnCancel"},
           "BitBtn1"},
          {"options 動作２ (hidden)", {"tabs", "BitBtn1", "btnCancel"}, "BitBtn1"},
          {"options その他",
           {"tabs", "btnTolmoKanren", "btnSendTo", "cbLocal", "BitBtn1", "btnCancel"},
           "BitBtn1"}}},
        {[&] { return new TSetupDialog(1, setup); },
         {{"setup",
           {"actions", "btnSetup", "btnKiteichi", "FramSpeedBtn1", "edtKidouS", "FramSpeedBtn19"},
           "btnSetup",
           false}}},
        {[&] { return new TSetupDialog(2, setup); },
         {{"shortcuts",
           {"gbDesktop", "gbStartMenu", "gbProgram", "MeCopy", "FramSpeedBtn1", "edtKidou",
            "btnAllKaijo"},
           "",
           false}}},
        {[&] { return new TSetupDialog(0, setup); },
         {{"backup",
           {"tabs", "edtCopy1", "btnDirCopy1", "btnCopy1Go", "edtCopy2", "btnDirCopy2",
            "btnCopy2Go", "FramSpeedBtn1"},
           "",
           false},
          {"restore", {"tabs", "btnKaifukuOk", "FramSpeedBtn1"}, ""}}},
        {[&] { return new TReleaseNotice(settings); },
         {{"notice", {"btnClose", "btnWeb"}, "btnClose"}}},
        {[] { return new TAboutDialog(); }, {{"about", {"FramSpeedBtn1"}, "FramSpeedBtn1"}}},
        {[&] { return new TPrintDialog(&lines, target); },
         {{"print font",
           {"btnSettei", "tabs", "ComboBox1", "ComboBox2", "CheckBox1", "RadioGroup5", "SpinEdit8",
            "btnClose", "btnPrint", "btnPreview"},
           "btnPrint",
           false,
           "btnPrint"},
          {"print margins",
           {"btnSettei", "tabs", "SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit12",
            "btnClose", "btnPrint", "btnPreview"},
           "btnPrint",
           false},
          {"print header",
           {"btnSettei", "tabs", "RadioGroup2", "Edit1", "RadioGroup3", "Edit2", "FramSpeedBtn3",
            "btnClose", "btnPrint", "btnPreview"},
           "btnPrint",
           false},
          {"print hidden page",
           {"btnSettei", "tabs", "RadioGroup1", "SpinEdit5", "RadioGroup4", "btnClose", "btnPrint",
            "btnPreview"},
           "btnPrint",
           false}}},
        {[&] { return new TPreviewWindow(*doc); },
         {{"preview",
           {"FramSpeedBtn5", "FramSpeedBtn6", "FramSpeedBtn7", "FramSpeedBtn8", "ScrollBox1"},
           "",
           false}}},
        {[] { return new TPropertyDialog(); },
         {{"property colours",
           QStringList{"tabs", "btnFont", "btnFontColor", "btnColor", "btnSelectBk", "btnSelectFg",
                       "btnHitBk", "btnHitFg", "cmbHitStyle"} +
               ok,
           "OK"},
          {"property margins",
           QStringList{"tabs", "edtTop", "edtLeft", "edtCharacter", "edtLine", "cbRetMark",
                       "btnRetMark", "cbEofMark", "btnEofMark", "cbWrapMark", "btnWrapMark",
                       "cbHideMark", "btnHideMark", "cbUnderline", "btnUnderline"} +
               ok,
           "OK"},
          {"property bars",
           QStringList{"tabs", "cbRuler", "cbRulerEdge", "cmbGauge", "btnRulerBk", "btnRulerFg",
                       "btnRulerMark", "cbLeftbar", "cbShowNumber", "cmbNumberMode", "edtColumn",
                       "cbZeroBase", "cbZeroLead", "cbLeftbarEdge", "btnLeftbarBk",
                       "btnLeftbarFg"} +
               ok,
           "OK"},
          {"property wrap",
           QStringList{"tabs", "cbWordWrap", "edtWrapByte", "cmbScrollBars", "cbFollowRetMark",
                       "cbFollowPunctuation", "edtPunctuationStr", "cbLeading", "edtFollowStr",
                       "edtLeadStr", "cbWordBreak"} +
               ok,
           "OK"},
          {"property caret",
           QStringList{"tabs", "cbAutoIndent", "cbBackSpaceUnIndent", "cbPrevSpaceIndent",
                       "cbTabIndent", "cbSoftTab", "cbFreeCaret", "cbFreeRow", "cbInTab",
                       "cbKeepCaret", "cbNextLine", "cbLockScroll", "cbRowSelect", "cbSelMove",
                       "cbAutoCursor", "cmbCaretStyle", "cmbTabWidth"} +
               ok,
           "OK"},
          {"property others",
           QStringList{"tabs", "cbUrl", "cbMail", "cbControlCode", "edtExtensions"} + ok, "OK"}}},
        {[] { return new TEditorFontDialog(QFont("DejaVu Sans Mono", 10), nullptr); },
         {{"font", QStringList{"lstFamily", "lstStyle", "edtSize", "lstSize"} + ok, "OK"}}},
        {[&] {
             return new TTokenColorDialog(*fountain, QFont("DejaVu Sans Mono", 10), Qt::white,
                                          Qt::black);
         },
         {{"token colours",
           QStringList{"lstTokens", "btnColor", "btnBkColor", "cbBold", "cbItalic", "cbUnderline",
                       "cbStrikeOut"} +
               ok,
           "OK"}}},
    };
    for (const auto& [make, pages] : table) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            std::unique_ptr<QDialog> dlg(make());
            Activate(dlg.get());
            auto* tabs = dlg->findChild<QTabWidget*>();
            if (key == Qt::Key_Escape) {
                EXPECT_EQ(NameOf(QApplication::focusWidget()), pages[0].start)
                    << pages[0].name.toStdString() << ": where the keyboard starts";
                for (std::size_t i = 0; i < pages.size(); ++i) {
                    if (tabs && i > 0) {
                        tabs->setCurrentIndex(int(i));
                        tabs->tabBar()->setFocus();
                        Settle();
                    }
                    Check(dlg.get(), pages[i]);
                }
                EXPECT_EQ(Close(dlg.get(), key), QDialog::Rejected) << pages[0].name.toStdString();
            } else if (pages[0].pressReturn) {
                Close(dlg.get(), key);
            }
        }
    }
}

// The recovery question at start and the display panel beside the page.
TEST_F(DialogKeysTest, RecoveryQuestionAndDisplayPanelWalkTheirControls) {
    bool checked = false;
    WhenModal<QDialog>([&](QDialog* dlg) {
        Activate(dlg);
        Check(dlg, {"recovery", {"rbRecover0", "rbRecover1", "OK", "後で決める"}, "OK"});
        EXPECT_EQ(Close(dlg, Qt::Key_Escape), QDialog::Rejected);
        checked = true;
    });
    EXPECT_FALSE(RunRecoveryDialog(
        nullptr, {{"/a.txt", "2026/01/01 10:00:00", "a"}, {"無題", "2026/01/01 10:01:00", "b"}}));
    EXPECT_TRUE(checked);

    MakeWindow();
    auto* cmds = new TDisplayCommands(*fm, dt, *pages);
    pages->Book().firstShow = false;
    fm->resize(800, 600);
    Activate(fm.get());
    TempDir::Write(d / "memo.txt", "memo\r\n");
    ASSERT_TRUE(pages->Book().OpenFile(d / "memo.txt"));
    Settle();
    fm->Menus->Trigger(TWindowCommand::DisplaySettings);
    Settle();
    ASSERT_TRUE(cmds->Panel()->IsOpen());
    Check(fm.get(),
          {"display panel colours",
           {"tabs", "ColorPalette1", "btnFont", "btnKettei", "btnCancel"},
           ""},
          fm->pnlLeft);
    fm->PageControl2->setCurrentIndex(1);
    fm->PageControl2->setFocus();
    Settle();
    Check(fm.get(),
          {"display panel margins",
           {"tabs", "edtTop", "edtLeft", "edtCharacter", "edtLine", "cbRet", "cbEof", "cbULine",
            "cbRuler", "edtWrap", "btnKiteiEditor", "btnKettei", "btnCancel"},
           ""},
          fm->pnlLeft);
    // Closed, the panel gives the keyboard back to the page.
    cmds->Panel()->Form->Widget("btnCancel")->setFocus();
    QTest::keyClick(cmds->Panel()->Form->Widget("btnCancel"), Qt::Key_Space);
    Settle();
    EXPECT_FALSE(cmds->Panel()->IsOpen());
    EXPECT_EQ(NameOf(QApplication::focusWidget()).toStdString(),
              NameOf(cmds->Panel()->ActiveEditor()).toStdString());
}
