// The replace question box (see ReplaceConfirm.h).
#include "search/ui/ReplaceQuestion.h"

#include "platform/ui/QtMessageSink.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// The box's buttons, their captions and the answers they give; a box closed otherwise cancels.
const struct {
    QMessageBox::StandardButton button;
    const char* caption;
    TReplaceAnswer answer;
} kButtons[] = {{QMessageBox::Yes, "はい(&Y)", TReplaceAnswer::Yes},
                {QMessageBox::No, "いいえ(&N)", TReplaceAnswer::No},
                {QMessageBox::Cancel, "キャンセル", TReplaceAnswer::Cancel},
                {QMessageBox::YesToAll, "すべて(&A)", TReplaceAnswer::All}};

} // namespace

std::unique_ptr<QMessageBox> MakeReplaceConfirmBox(QWidget* parent, const std::string& prompt,
                                                   QPoint caret, int rowHeight) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("確認"));
    box->setIcon(QMessageBox::Question);
    box->setTextFormat(Qt::PlainText);
    box->setText(MessageTextToQt(prompt));
    for (const auto& b : kButtons)
        box->addButton(b.button)->setText(QString::fromUtf8(b.caption));
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
    for (const auto& b : kButtons)
        if (box.standardButton(box.clickedButton()) == b.button) return b.answer;
    return TReplaceAnswer::Cancel;
}

TReplaceAnswer AskReplaceConfirm(QWidget* parent, const std::string& prompt, QPoint caret,
                                 int rowHeight) {
    auto box = MakeReplaceConfirmBox(parent, prompt, caret, rowHeight);
    box->exec();
    return ReplaceAnswerOf(*box);
}
