// The editor widget with real key, mouse and input-method events on the offscreen platform;
// pixels checked where the core says something must be drawn.
#include "editor/ui/EditorWidget.h"
#include "editor/BoxClipboard.h"
#include "editor/ProgramPropertySets.h"
#include "editor/ui/QtConversions.h"

#include "../../support/EditorCoreHelpers.h"
#include "../../support/InputEvents.h"

#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCharFormat>
#include <gtest/gtest.h>

namespace {
struct Widget : ::testing::Test {
    TEditor ed;
    QStringList warnings;
    Widget() {
        ed.resize(600, 400);
        ed.WarningHandler = [this](const QString& m) { warnings << m; };
        ed.show();
        ed.activateWindow();
        ed.setFocus();
        QApplication::processEvents();
    }
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { Key(&ed, key, mods); }
    void Type(const QString& s) {
        for (QChar c : s)
            Key(&ed, 0, Qt::NoModifier, QString(c));
    }
    // A composition with its first clause being converted and its caret at cursor.
    void Compose(const char* utf8, int cursor) {
        const QString t = QString::fromUtf8(utf8);
        QTextCharFormat converted, other;
        converted.setBackground(Qt::darkBlue);
        converted.setForeground(Qt::white);
        other.setUnderlineStyle(QTextCharFormat::DashUnderline);
        QInputMethodEvent pre(t, {{QInputMethodEvent::TextFormat, 0, 1, converted},
                                  {QInputMethodEvent::TextFormat, 1, int(t.size()) - 1, other},
                                  {QInputMethodEvent::Cursor, cursor, 1, {}}});
        QApplication::sendEvent(&ed, &pre);
    }
    void Commit(const char* utf8) {
        QInputMethodEvent ime;
        ime.setCommitString(QString::fromUtf8(utf8));
        QApplication::sendEvent(&ed, &ime);
    }
    QImage Shot() {
        QApplication::processEvents();
        return ed.viewport()->grab().toImage();
    }
};
} // namespace

TEST_F(Widget, TypingKeysAndTheInputMethod) {
    Type("ab");
    Press(Qt::Key_Return);
    Type("c");
    EXPECT_EQ(ed.Core().Text(), "ab\r\nc");
    // Nothing is inserted while composing; the candidate window follows the composition's caret
    // (after "にほ"), also where the composition went on to the next row.
    WrapAt(ed.Core(), 20);
    ed.Core().SetText(std::string(18, 'a') + "\r\nc");
    ed.Core().SetCaret(1, 1);
    ed.Core().Modified = false;
    Compose("にほんご", 2);
    EXPECT_EQ(ed.Core().Text(), std::string(18, 'a') + "\r\nc");
    EXPECT_FALSE(ed.Core().Modified);
    EXPECT_EQ(ed.inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft(),
              ed.CellOrigin(1, 5) + ed.viewport()->pos());
    ed.Core().SetCaret(0, 18);
    Compose("にほんご", 2);
    EXPECT_EQ(ed.inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft(),
              ed.CellOrigin(1, 2) + ed.viewport()->pos());
    // A click elsewhere commits it where it was typed, then moves the caret.
    Click(ed.viewport(), Qt::LeftButton, ed.CellOrigin(2, 0) + QPoint(1, 1));
    EXPECT_EQ(ed.Core().Text(), std::string(18, 'a') + J("にほんご") + "\r\nc");
    EXPECT_EQ(CaretOf(ed.Core()), RC(2, 0));
    EXPECT_FALSE(ed.Composing());
    // So does the scroll bar, losing the focus and a command of the control.
    Compose("え", 1);
    ed.verticalScrollBar()->setValue(1);
    EXPECT_EQ(ed.Core().Text(), std::string(18, 'a') + J("にほんご") + "\r\n" + J("え") + "c");
    ed.Core().SetText(std::string(18, 'a') + J("にほんご") + "\r\nc");
    ed.Core().SetCaret(2, 0);
    Compose("か", 1);
    ed.clearFocus();
    EXPECT_EQ(ed.Core().Text(), std::string(18, 'a') + J("にほんご") + "\r\n" + J("か") + "c");
    ed.setFocus();
    Compose("き", 1);
    ed.RunCommand(TEditorCommand::SelectAll);
    EXPECT_EQ(ed.Core().Text(), std::string(18, 'a') + J("にほんご") + "\r\n" + J("かき") + "c");
    ed.Core().SetText("ab\r\nc");
    ed.Core().SetCaret(1, 1);
    Commit("日本語");
    EXPECT_EQ(ed.Core().Text(), "ab\r\nc" + J("日本語"));
    EXPECT_EQ(ed.Core().Col(), 7);
    ed.Core().Undo(); // a finished composition is one step
    EXPECT_EQ(ed.Core().Text(), "ab\r\nc");
    Press(Qt::Key_Left, Qt::ShiftModifier);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(ed.Core().Text(), "ab\r\n");
    // A character CP932 lacks is never dropped silently.
    Commit("x😀y");
    EXPECT_EQ(ed.Core().Text(), "ab\r\nx?y");
    EXPECT_EQ(warnings.size(), 1);
}

TEST_F(Widget, ReturnMarkEofAndSelectionColours) {
    MakeEditorProp_Default().AssignTo(ed.Core()); // white, marks shown, Select yellow/navy
    ed.SetText("abcd\r\nxy");
    QImage img = Shot();
    const TEditorMetrics& m = ed.Metrics();
    // The return mark's vertical stroke after "abcd".
    const QPoint o0 = ed.CellOrigin(0, 4);
    const auto arrow = ReturnMarkShape(o0.x(), o0.y(), m.CellWidth, m.TextHeight);
    const TEditorPoint mid{arrow[0][0].X, (arrow[0][0].Y + arrow[0][1].Y) / 2};
    EXPECT_EQ(img.pixelColor(mid.X, mid.Y).rgb(), QColor(128, 128, 128).rgb());
    // Selecting "bc" paints its cells yellow.
    ed.Core().SetCaret(0, 1);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    img = Shot();
    const QPoint s = ed.CellOrigin(0, 1);
    EXPECT_EQ(img.pixelColor(s.x() + 1, s.y() + 1).rgb(), QColor(255, 255, 0).rgb());
    const QPoint a = ed.CellOrigin(0, 0);
    EXPECT_EQ(img.pixelColor(a.x() + 1, a.y() + 1).rgb(), QColor(255, 255, 255).rgb());
}

TEST_F(Widget, OnlyChangedRowsRepaint) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line\r\n";
    ed.SetText(text);
    ed.Core().SetCaret(5, 4);
    QApplication::processEvents();
    ed.PaintedRows = 0;
    Type("z");
    QApplication::processEvents(); // the real repaint of what was invalidated
    EXPECT_GE(ed.PaintedRows, 1);
    EXPECT_LE(ed.PaintedRows, 3);
}

// A batch of edits and caret moves (Replace all) tells and repaints once, at its end or when
// flushed before a question; nothing it did is lost.
TEST_F(Widget, ABatchShowsItsEditsOnce) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "needle\r\n";
    ed.SetText(text);
    QApplication::processEvents();
    int moved = 0, changed = 0;
    QObject::connect(&ed, &TEditor::CaretMoved, [&] { ++moved; });
    QObject::connect(&ed, &TEditor::Changed, [&] { ++changed; });
    ed.BeginBatch();
    for (int row = 0; row < 150; ++row) {
        ed.Core().SetCaret(row, 0);
        ed.Core().SetSelLength(6);
        ed.Core().SetSelText("pin");
    }
    ed.PaintedRows = 0;
    QApplication::processEvents();
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(ed.PaintedRows, 0);
    ed.FlushBatch(); // as before a question: shown, and the batch goes on
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(changed, 1);
    QApplication::processEvents();
    EXPECT_GT(ed.PaintedRows, 0);
    EXPECT_EQ(ed.verticalScrollBar()->value(), ed.Core().TopRow());
    ed.Core().SetCaret(199, 0);
    EXPECT_EQ(moved, 1);
    ed.EndBatch();
    EXPECT_EQ(moved, 2);
    EXPECT_EQ(ed.verticalScrollBar()->value(), ed.Core().TopRow());
    EXPECT_EQ(ed.Core().Row(), 199);
    ed.Core().SetCaret(10, 0); // outside a batch every move tells at once
    EXPECT_EQ(moved, 3);
}

// The gestures themselves are the core's test.
TEST_F(Widget, MouseDragAndPopupReachTheCore) {
    ed.SetText("hello world\r\nsecond\r\n");
    const QPoint p0 = ed.CellOrigin(0, 2) + QPoint(1, 2), p1 = ed.CellOrigin(0, 5) + QPoint(1, 2);
    Mouse(ed.viewport(), QEvent::MouseButtonPress, Qt::LeftButton, p0);
    Mouse(ed.viewport(), QEvent::MouseMove, Qt::LeftButton, p1);
    Mouse(ed.viewport(), QEvent::MouseButtonRelease, Qt::LeftButton, p1);
    EXPECT_EQ(ed.Core().SelText(), "llo");
    // The popup's items run their commands.
    std::unique_ptr<QMenu> menu(ed.BuildPopupMenu());
    QAction* all = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QString::fromUtf8("すべて選択(&A)")) all = a;
    ASSERT_TRUE(all);
    EXPECT_EQ(all->shortcut(), QKeySequence("Ctrl+A"));
    all->trigger();
    EXPECT_EQ(ed.Core().SelLength(), 21);
}

TEST_F(Widget, BoxClipboardRoundTrip) {
    ed.SetText("abcd\r\nefgh\r\n");
    ed.Core().SetSelectionMode(smBox);
    ed.Core().SetCaret(0, 1);
    Press(Qt::Key_Down, Qt::ShiftModifier);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_EQ(mime->text(), "bc\nfg\n"); // other programs here take LF line ends
    ASSERT_TRUE(mime->hasFormat(BoxTextMimeType));
    ed.Core().SetSelectionMode(smLine);
    ed.Core().CleanSelection();
    ed.Core().SetCaret(1, 4);
    Press(Qt::Key_V, Qt::ControlModifier); // box text pastes as a box
    EXPECT_EQ(ed.Core().Text(), "abcd\r\nefghbc\r\n    fg\r\n");
    // Plain text with an emoji: the rest is kept and the user is told. Line ends of any kind
    // become the page's own.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("p😀q\rr\ns\r\n"));
    ed.Core().SetCaret(0, 0);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ed.Core().Text().substr(0, 12), "p?q\r\nr\r\ns\r\na");
    EXPECT_EQ(warnings.size(), 1);
}
