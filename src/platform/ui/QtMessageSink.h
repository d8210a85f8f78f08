// The window layer's asker: the core's message boxes as QMessageBox, parented to the active window.
#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

class TQtAsker final : public TAsker {
  public:
    bool Show(const TMessage& m) override;
    int Choose(const TMessage& m) override;
};

// The program's caption, for the windows that carry it.
inline QString AppTitleText() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

// The core writes line breaks as "\r\n"; a Qt label wants "\n".
QString MessageTextToQt(const std::string& text);
