// The main window's menus, keys, function-key bar, jump column and status panels, with widgets.
#include "mainwindow/ui/CommandSurface.h"
#include "MainWindowFixture.h"

#include "editor/ui/EditorWidget.h"
#include "mainwindow/pages/MyFileList.h"
#include "mainwindow/ui/DisplayCommands.h"
#include "mainwindow/ui/EncodingUi.h"
#include "mainwindow/ui/FileCommandsWindow.h"
#include "mainwindow/ui/MenuView.h"
#include "mainwindow/ui/PrintCommands.h"
#include "mainwindow/ui/WindowCommands.h"
#include "platform/Cp932.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

namespace {

using W = TWindowCommand;

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class CommandSurfaceTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MakeWindow();
        AttachEncodingUi(*fm, *pages); // a menu of the bar beyond the table, made first
        cmds = new TWindowCommands(*fm, *pages);
        surface = new TCommandSurface(*fm, *pages, *cmds);
        surface->LockKeySource = [this] { return locks; };
        fm->resize(779, 575);
        fm->show();
        QApplication::setActiveWindow(fm.get());
        open("memo.txt", "first\r\nsecond\r\n");
    }
    void open(const std::string& name, const std::string& text) {
        TempDir::Write(d / name, text);
        ASSERT_TRUE(pages->Book().OpenFile(d / name));
        pages->Book().PageChange();
        editor = cmds->ActiveEditor();
        ASSERT_NE(editor, nullptr);
        editor->setFocus();
        QApplication::processEvents();
    }
    void key(QWidget* w, QEvent::Type t, int k, Qt::KeyboardModifiers m) {
        QKeyEvent e(t, k, m);
        QApplication::sendEvent(w, &e);
    }
    QString panel(int i) {
        return fm->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->text();
    }
    QString caption(int i) { return surface->Button(i)->text(); }

    TWindowCommands* cmds = nullptr;
    TCommandSurface* surface = nullptr;
    TEditor* editor = nullptr;
    TLockKeys locks{true, false, false, false};
};

TEST_F(CommandSurfaceTest, KeysPassTheMenuRulesAndHiddenItemsKeepTheirKeys) {
    QGuiApplication::clipboard()->setText("before");
    fm->Menus->Key(W::Cut)->trigger(); // Ctrl+X with no selection
    EXPECT_EQ(Cp932ToUtf8(editor->Core().Text()), "first\r\nsecond\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_FALSE(surface->Run(W::Save)); // Ctrl+S on an unmodified page
    editor->Core().SelectAll();
    fm->Menus->Key(W::Cut)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "first\nsecond\n");
    EXPECT_TRUE(surface->Run(W::Save));
    EXPECT_EQ(TempDir::Read(d / "memo.txt"), "");
    EXPECT_FALSE(fm->Menus->Item(W::BoxPaste)->isVisible());
    ASSERT_NE(fm->Menus->Key(W::BoxPaste), nullptr);
}

TEST_F(CommandSurfaceTest, TheWindowsPartsLeaveNoCommandWithoutItsHandler) {
    EXPECT_FALSE(fm->Menus->Handlers().Unwired().empty());
    // The other parts, as the program attaches them.
    auto* files = new TFileCommandsWindow(*fm, *pages);
    new TPrintCommands(*fm, *cmds);
    new TDisplayCommands(*fm, dt, *pages);
    files->UpdateDialogItems();
    EXPECT_TRUE(fm->Menus->Handlers().Unwired().empty());
    EXPECT_TRUE(fm->Menus->Item(W::About)->isEnabled());
}

TEST_F(CommandSurfaceTest, CaptionLayersRepaintOnlyTheBarAndF11FollowsTheText) {
    PaintCounter editorPaints;
    editor->viewport()->installEventFilter(&editorPaints);
    QApplication::processEvents();
    editorPaints.paints = 0;
    const long long barPaints = surface->Button(3)->Paints;
    key(editor, QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(caption(3), "閉じる");
    EXPECT_FALSE(panel(6).isEmpty()); // the page's path while Ctrl is held
    key(editor, QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(caption(1), "終了");
    EXPECT_TRUE(panel(6).isEmpty());
    QApplication::processEvents();
    EXPECT_GT(surface->Button(3)->Paints, barPaints);
    EXPECT_EQ(editorPaints.paints, 0);

    EXPECT_EQ(caption(10), "");
    editor->InsertUtf16("x");
    EXPECT_EQ(caption(10), "更新");
    surface->Run(W::FunctionBar);
    EXPECT_TRUE(fm->pnlFunction->isHidden());
}

TEST_F(CommandSurfaceTest, JumpColumnMarksAndItsStatePerPage) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += i == 40 ? "&3 here\r\n" : "line\r\n";
    open("marks.txt", text);
    fm->Menus->Key(W::FunctionKey, 23)->trigger(); // Shift+F12
    ASSERT_TRUE(surface->JumpOn());
    EXPECT_EQ(surface->JumpButton(3)->ColorDeActFont, QColor(0, 0x80, 0));
    EXPECT_EQ(pages->List().GetField(pages->ActivePage(), ffJumpPanel), "1");
    // The placement settings reach the jump.
    surface->Jump(3, false);
    EXPECT_EQ(editor->Core().Row(), 40);
    EXPECT_EQ(editor->Core().TopRow(), 40 - fm->Settings.CLine1);
    // Another page applies its own state.
    pages->SetActivePage(0);
    pages->Book().PageChange();
    EXPECT_FALSE(surface->JumpOn());
}

TEST_F(CommandSurfaceTest, InsertTogglesOverwriteAndPanelFiveIsShared) {
    fm->Menus->Key(W::Overwrite)->trigger();
    EXPECT_EQ(panel(2), "上書");
    EXPECT_TRUE(editor->Core().OverWrite());
    locks = {true, true, true, false}; // Caps and Num on
    surface->RefreshLocks();
    EXPECT_EQ(panel(5), "Num");
    fm->Menus->Key(W::BoxSelect)->trigger();
    EXPECT_EQ(panel(5), "矩形選択");
    key(editor, QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier); // any key refreshes the locks
    EXPECT_EQ(panel(5), "Num");
    // A display server that tells nothing of the lock keys: their panels go, not left empty.
    auto shown = [this](int i) {
        return fm->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i))->isVisible();
    };
    EXPECT_TRUE(shown(3) && shown(4));
    locks = {};
    surface->RefreshLocks();
    EXPECT_FALSE(shown(3) || shown(4));
    EXPECT_TRUE(shown(5));
}

TEST_F(CommandSurfaceTest, KeysDoNothingWhileAModalDialogIsOpenAndWorkAfterIt) {
    open("b.txt", "b\r\n");
    editor->InsertUtf16("x");
    QWindow* window = fm->windowHandle();
    ASSERT_NE(window, nullptr);
    // Ctrl is down when the dialog comes up (as with Ctrl+S and its save dialog); it is let go
    // inside the dialog, where the main window never sees the release.
    QTest::keyPress(window, Qt::Key_Control);
    EXPECT_EQ(caption(3), "閉じる");

    QMessageBox box(QMessageBox::Question, "確認", "?", QMessageBox::Yes | QMessageBox::No,
                    fm.get());
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QApplication::setActiveWindow(&box);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    QTest::keyRelease(&box, Qt::Key_Control);
    // Keys typed into the dialog and keys the window system still hands to the main window:
    // the jump column, save, next page, new page, overwrite and split.
    auto typeInto = [&](auto* target) {
        for (auto [k, m] : {std::pair{Qt::Key_F12, Qt::ShiftModifier},
                            {Qt::Key_S, Qt::ControlModifier},
                            {Qt::Key_Right, Qt::ControlModifier},
                            {Qt::Key_N, Qt::ControlModifier},
                            {Qt::Key_Insert, Qt::NoModifier},
                            {Qt::Key_F6, Qt::NoModifier}})
            QTest::keyClick(target, k, m);
        QApplication::processEvents();
        EXPECT_EQ(TempDir::Read(d / "b.txt"), "b\r\n");
        EXPECT_EQ(std::pair(pages->ActivePage(), pages->PageCount()), std::pair(1, 2));
        EXPECT_FALSE(pages->IsSplit(1) || editor->Core().OverWrite() || surface->JumpOn());
        EXPECT_EQ(panel(2), "挿入");
    };
    typeInto(&box);
    typeInto(window);
    box.done(QMessageBox::No);
    QApplication::setActiveWindow(fm.get());
    QApplication::processEvents();
    // Back in the main window: the bar shows the plain captions, and the keys work again.
    EXPECT_EQ(caption(1), "終了");
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TempDir::Read(d / "b.txt"), "xb\r\n");
    QTest::keyClick(window, Qt::Key_Insert);
    EXPECT_EQ(panel(2), "上書");
    QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier); // wraps around
    EXPECT_EQ(pages->ActivePage(), 0);
    EXPECT_EQ(pages->PageToActivate(), 0); // the page change ran on the release
}

} // namespace
