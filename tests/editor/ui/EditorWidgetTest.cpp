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
    // Nothing is inserted while composing; the candidate window follows the caret.
    QInputMethodEvent pre(QString::fromUtf8("にほん"), {});
    QApplication::sendEvent(&ed, &pre);
    EXPECT_EQ(ed.Core().Text(), "ab\r\nc");
    const QRect r = ed.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint caret = ed.CellOrigin(1, 1) + ed.viewport()->pos();
    EXPECT_GE(r.left(), caret.x());
    EXPECT_EQ(r.top(), caret.y());
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
