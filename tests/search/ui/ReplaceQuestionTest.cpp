// The replace question box: text, buttons, answers and where it is placed.
#include "search/ui/ReplaceQuestion.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

// Yes, No and All are answered in the search menu's replace test.
TEST(ReplaceConfirm, TextButtonsPlaceAndCancel) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint caret(area.left() + 100, area.top() + area.height() / 2);
    auto box = MakeReplaceConfirmBox(nullptr, ReplacePromptMessage("abc", "xyz"), caret, 16);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
    EXPECT_EQ(box->text(), QStringLiteral(" abc   を\n xyz   に 置き換えますか？"));
    EXPECT_EQ(box->buttons().size(), 4);
    // Placed by the core's rule from the caret and the box's own size.
    EXPECT_EQ(box->pos().y(), caret.y() - 16 - box->sizeHint().height());
    QMessageBox* b = box.get();
    QTimer::singleShot(0, b, [b] { b->button(QMessageBox::Cancel)->click(); });
    box->exec();
    EXPECT_EQ(ReplaceAnswerOf(*box), TReplaceAnswer::Cancel);
}
