// QMessageBox front of the message sink.
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

QString MessageTextToQt(const std::string& text) {
    return QString::fromStdString(MessageLines(text));
}

bool TQtMessageSink::Show(const TMessage& m) {
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
