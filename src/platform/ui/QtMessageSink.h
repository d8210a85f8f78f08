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

// The asker the window layer hands to the core: the one put in place for the lifetime of a
// TScopedWindowAsker (the program's TQtAsker, a widget test's recording fake); before that, boxes
// go to stderr and take their default button.
TAsker& WindowAsker();
class TScopedWindowAsker {
  public:
    explicit TScopedWindowAsker(TAsker* asker);
    ~TScopedWindowAsker();
    TScopedWindowAsker(const TScopedWindowAsker&) = delete;
    TScopedWindowAsker& operator=(const TScopedWindowAsker&) = delete;

  private:
    TAsker* previous_;
};

// The program's caption, for the windows that carry it.
inline QString AppTitleText() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

// The core writes line breaks as "\r\n"; a Qt label wants "\n".
QString MessageTextToQt(const std::string& text);
