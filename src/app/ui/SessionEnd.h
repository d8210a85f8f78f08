// The end of the desktop session (SIGTERM, SIGHUP) or Ctrl+C in a terminal (SIGINT) closes the
// main window the normal way, so that modified pages are offered for saving and the settings
// are written, instead of the process simply dying.
#pragma once

#include "platform/SignalPipe.h"

#include <QObject>

#include <functional>

class QWidget;

class TSessionEnd : public QObject {
    Q_OBJECT
  public:
    // Installs the signal handlers; a signal then closes the window (as its close box does).
    explicit TSessionEnd(QWidget* mainWindow);
    // Runs before the window is closed by a signal: nothing may ask a question on this path.
    std::function<void()> BeforeClose;

  private:
    TSignalPipe signals_;
    QWidget* window_;
};
