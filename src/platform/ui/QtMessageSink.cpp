// QMessageBox front of the message sink.
#include "platform/ui/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

QString MessageTextToQt(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool TQtMessageSink::Show(const TMessage& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(MessageTextToQt(m.caption));
    box.setText(MessageTextToQt(m.text));
    box.setTextFormat(Qt::PlainText);
    switch (m.icon) {
    case TMsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case TMsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case TMsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case TMsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case TMsgIcon::None:
        break;
    }
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
