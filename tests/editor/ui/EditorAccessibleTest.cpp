// The editing control as a screen reader sees it through Qt's accessibility: the text in
// characters, lines of the text (not screen rows), caret, selection, extents and the events.
#include "editor/ui/EditorAccessible.h"
#include "editor/ui/EditorWidget.h"

#include "../../support/EditorCoreHelpers.h"
#include "../../support/InputEvents.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <gtest/gtest.h>

namespace {

struct Heard {
    QAccessible::Event type;
    int offset;
    QString text;
    bool operator==(const Heard&) const = default;
};
std::vector<Heard>* heard = nullptr;

void listen(QAccessibleEvent* e) {
    if (!heard) return;
    switch (e->type()) {
    case QAccessible::TextInserted: {
        auto* t = static_cast<QAccessibleTextInsertEvent*>(e);
        heard->push_back({e->type(), t->changePosition(), t->textInserted()});
        break;
    }
    case QAccessible::TextRemoved: {
        auto* t = static_cast<QAccessibleTextRemoveEvent*>(e);
        heard->push_back({e->type(), t->changePosition(), t->textRemoved()});
        break;
    }
    case QAccessible::TextUpdated: {
        auto* t = static_cast<QAccessibleTextUpdateEvent*>(e);
        heard->push_back(
            {e->type(), t->changePosition(), t->textRemoved() + "|" + t->textInserted()});
        break;
    }
    case QAccessible::TextCaretMoved:
        heard->push_back(
            {e->type(), static_cast<QAccessibleTextCursorEvent*>(e)->cursorPosition(), {}});
        break;
    default:
        break;
    }
}

struct Accessible : ::testing::Test {
    std::vector<Heard> events;
    TEditor ed;
    QAccessibleInterface* iface = nullptr;
    QAccessibleTextInterface* text = nullptr;
    Accessible() {
        TEditorAccessible::SetListener(listen);
        heard = &events;
        ed.resize(400, 300);
        ed.show();
        ed.setFocus();
        QApplication::processEvents();
        iface = QAccessible::queryAccessibleInterface(&ed);
        text = iface ? iface->textInterface() : nullptr;
    }
    ~Accessible() override {
        heard = nullptr;
        TEditorAccessible::SetListener(nullptr);
    }
};

} // namespace

TEST_F(Accessible, TextLinesCaretSelectionAndExtents) {
    ASSERT_TRUE(text && iface->editableTextInterface());
    EXPECT_EQ(iface->role(), QAccessible::EditableText);
    EXPECT_TRUE(iface->state().editable && iface->state().multiLine);
    ed.SetText(J("一行目の長い長い長い長い文章です\r\n二行目 word end\r\n"));
    WrapAt(ed.Core(), 12); // the first line takes several screen rows
    ASSERT_EQ(ed.Core().Rows().RowEndKind(0), reWrapped);
    EXPECT_EQ(text->characterCount(), 30);
    EXPECT_EQ(text->text(0, 30),
              QString::fromUtf8("一行目の長い長い長い長い文章です\n二行目 word end\n"));
    int s = 0, e = 0;
    // The line under the caret is the text's line, whichever screen row the offset is on.
    EXPECT_EQ(text->textAtOffset(10, QAccessible::LineBoundary, &s, &e),
              QString::fromUtf8("一行目の長い長い長い長い文章です\n"));
    EXPECT_EQ(std::pair(s, e), std::pair(0, 17));
    EXPECT_EQ(text->textAfterOffset(3, QAccessible::LineBoundary, &s, &e),
              QString::fromUtf8("二行目 word end\n"));
    EXPECT_EQ(text->textAtOffset(22, QAccessible::WordBoundary, &s, &e), "word");
    EXPECT_EQ(text->textAtOffset(17, QAccessible::CharBoundary, &s, &e), QString::fromUtf8("二"));

    text->setCursorPosition(19); // after 二行
    EXPECT_EQ(std::pair(ed.Core().Row(), ed.Core().Col()),
              std::pair(ed.Core().Rows().RowCount() - 1, 4));
    EXPECT_EQ(text->cursorPosition(), 19);
    text->setSelection(0, 21, 25);
    EXPECT_EQ(ed.Core().SelText(), "word");
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &s, &e);
    EXPECT_EQ(std::pair(s, e), std::pair(21, 25));

    // Extents on screen: the cell of the character, and back.
    const int row = ed.Core().Row();
    const QRect r = text->characterRect(17);
    EXPECT_EQ(r.topLeft(), ed.viewport()->mapToGlobal(ed.CellOrigin(row, 0)));
    EXPECT_EQ(r.width(), 2 * ed.Metrics().CellWidth);
    EXPECT_EQ(text->offsetAtPoint(r.center() - QPoint(r.width() / 4, 0)), 17);

    iface->editableTextInterface()->replaceText(21, 25, "WORD");
    EXPECT_EQ(text->text(17, 30), QString::fromUtf8("二行目 WORD end\n"));
}

TEST_F(Accessible, TypedTextInputMethodCommitsAndDeletionsAreTold) {
    ed.SetText(J("あい\r\n"));
    ed.Core().SetCaret(0, 2); // after あ
    events.clear();
    QInputMethodEvent pre(QString::fromUtf8("にほん"), {});
    QApplication::sendEvent(&ed, &pre);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("日本"));
    QApplication::sendEvent(&ed, &commit);
    Key(&ed, Qt::Key_Backspace);
    Key(&ed, 0, Qt::NoModifier, "x");
    std::vector<Heard> changes, carets;
    for (const Heard& h : events)
        (h.type == QAccessible::TextCaretMoved ? carets : changes).push_back(h);
    // The composition is told once, when it is committed; nothing while composing.
    EXPECT_EQ(changes,
              (std::vector<Heard>{{QAccessible::TextInserted, 1, QString::fromUtf8("日本")},
                                  {QAccessible::TextRemoved, 2, QString::fromUtf8("本")},
                                  {QAccessible::TextInserted, 2, "x"}}));
    ASSERT_FALSE(carets.empty());
    EXPECT_EQ(carets.back().offset, 3);
}
