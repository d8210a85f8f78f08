// The edit and search commands of the main window on the active page.
#include "mainwindow/ui/WindowCommands.h"
#include "MainWindowFixture.h"

#include "calendar/DateText.h"
#include "calendar/JulianDay.h"
#include "editor/ui/EditorWidget.h"
#include "platform/Cp932.h"
#include "search/ui/SearchMenu.h"

#include <gmock/gmock.h>

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QTimer>

namespace {

class WindowCommandsTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MakeWindow();
        cmds = new TWindowCommands(*fm, *pages);
        pages->Book().firstShow = false;
        TempDir::Write(d / "memo.txt", Utf8ToCp932("日本語のメモ\r\n二行目の日本\r\n"));
        EXPECT_TRUE(pages->Book().OpenFile(d / "memo.txt"));
        editor = cmds->ActiveEditor();
        ASSERT_NE(editor, nullptr);
    }
    std::string text() { return Cp932ToUtf8(editor->Core().Text()); }
    std::string today() {
        const QDate t = QDate::currentDate();
        return tolmo::HidukeText(tolmo::DateToJulius(t.year(), t.month(), t.day()), false, false);
    }

    TWindowCommands* cmds = nullptr;
    TEditor* editor = nullptr;
};

TEST_F(WindowCommandsTest, DateAndTimeAreInsertedAtTheCaretAsOneUndoStep) {
    fm->Settings.isWaYMD = false;
    fm->Settings.isYoubi = false;
    editor->Core().SetCaret(1, 4); // after "二行" (columns count bytes)
    ASSERT_TRUE(cmds->InsertToday());
    EXPECT_EQ(text(), "日本語のメモ\r\n二行" + today() + "目の日本\r\n");
    EXPECT_TRUE(pages->IsModified(0));
    editor->Core().Undo();
    EXPECT_EQ(text(), "日本語のメモ\r\n二行目の日本\r\n");
    // A selection is replaced by the time.
    editor->Core().SelectAll();
    ASSERT_TRUE(cmds->InsertTime());
    EXPECT_THAT(text(), testing::MatchesRegex("[0-9][0-9]:[0-9][0-9]"));
    // A read-only page takes nothing.
    editor->Core().SetReadOnly(true);
    EXPECT_FALSE(cmds->InsertTime());
}

TEST_F(WindowCommandsTest, CharacterCountOfTheSelectionThenTheCaretAtItsEnd) {
    TEditorCore& c = editor->Core();
    c.SetSelStart(4);   // after "日本"
    c.SetSelLength(16); // "語のメモ\r\n二行目"
    ASSERT_TRUE(cmds->ShowCharacterCount());
    EXPECT_NE(sink.texts().back().find("半角で 14 個"), std::string::npos);
    EXPECT_FALSE(c.Selected());
}

// Return in the date dialog is the end-to-end test's.
TEST_F(WindowCommandsTest, DateDialogCancelledInsertsNothing) {
    QTimer::singleShot(50, [] {
        QWidget* dlg = QApplication::activeModalWidget();
        ASSERT_NE(dlg, nullptr);
        QKeyEvent k(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dlg->focusWidget() ? dlg->focusWidget() : dlg, &k);
    });
    EXPECT_FALSE(cmds->InsertDate());
    EXPECT_EQ(text(), "日本語のメモ\r\n二行目の日本\r\n");
}

// Find next on the active page is the end-to-end test's; find previous is not.
TEST_F(WindowCommandsTest, FindPreviousMovesBackOnTheActivePage) {
    cmds->Search()->State.Text = "日本";
    editor->Core().SetCaret(1, 0);
    ASSERT_TRUE(cmds->Search()->FindPrevious());
    EXPECT_EQ(editor->Core().Row(), 0);
}

} // namespace
