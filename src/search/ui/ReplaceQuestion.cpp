// The replace question box (see ReplaceConfirm.h).
#include "search/ui/ReplaceQuestion.h"

#include "platform/ui/QtMessageSink.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

std::unique_ptr<QMessageBox> MakeReplaceConfirmBox(QWidget* parent, const std::string& prompt,
                                                   QPoint caret, int rowHeight) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("確認"));
    box->setIcon(QMessageBox::Question);
    box->setTextFormat(Qt::PlainText);
    box->setText(MessageTextToQt(prompt));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                            QMessageBox::YesToAll);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box->button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box->button(QMessageBox::YesToAll)->setText(QStringLiteral("すべて(&A)"));
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    box->adjustSize();

    QScreen* screen = QGuiApplication::screenAt(caret);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = box->sizeHint();
    const TScreenPoint p =
        ConfirmBoxPos({caret.x(), caret.y()}, rowHeight, size.width(), size.height(),
                      {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    box->move(p.X, p.Y);
    return box;
}

TReplaceAnswer ReplaceAnswerOf(const QMessageBox& box) {
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return TReplaceAnswer::Yes;
    case QMessageBox::No:
        return TReplaceAnswer::No;
    case QMessageBox::YesToAll:
        return TReplaceAnswer::All;
    default:
        return TReplaceAnswer::Cancel;
    }
}

TReplaceAnswer AskReplaceConfirm(QWidget* parent, const std::string& prompt, QPoint caret,
                                 int rowHeight) {
    auto box = MakeReplaceConfirmBox(parent, prompt, caret, rowHeight);
    box->exec();
    return ReplaceAnswerOf(*box);
}
