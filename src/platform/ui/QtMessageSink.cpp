// QMessageBox front of the window layer's asker.
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
TConsoleAsker consoleAsker; // until the program puts its Qt boxes in place
TAsker* windowAsker = &consoleAsker;
} // namespace

TAsker& WindowAsker() {
    return *windowAsker;
}

TScopedWindowAsker::TScopedWindowAsker(TAsker* asker) : previous_(windowAsker) {
    windowAsker = asker ? asker : &consoleAsker;
}

TScopedWindowAsker::~TScopedWindowAsker() {
    windowAsker = previous_;
}

QString MessageTextToQt(const std::string& text) {
    return QString::fromStdString(MessageLines(text));
}

int TQtAsker::Choose(const TMessage& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(MessageTextToQt(m.caption));
    box.setText(MessageTextToQt(m.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::Question);
    std::vector<QPushButton*> buttons;
    for (const std::string& text : m.buttons)
        buttons.push_back(box.addButton(QString::fromStdString(text), QMessageBox::ActionRole));
    if (buttons.empty()) return -1;
    box.setDefaultButton(buttons.front());
    box.setEscapeButton(buttons.back());
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return static_cast<int>(buttons.size()) - 1; // closed without a button: as Escape
}

bool TQtAsker::Show(const TMessage& m) {
    static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                              QMessageBox::Question, QMessageBox::Warning,
                                              QMessageBox::Critical};
    // Over the active window; while a window is going away (a finished progress window), over
    // the modal dialog that stays, never as a stray window of its own.
    QWidget* parent = QApplication::activeWindow();
    if (!parent || !parent->isVisible()) parent = QApplication::activeModalWidget();
    QMessageBox box(parent);
    box.setWindowTitle(MessageTextToQt(BoxCaption(m)));
    box.setText(MessageTextToQt(m.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icons[static_cast<int>(m.icon)]); // in the order of TMsgIcon
    if (!m.yesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return true;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(m.defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
