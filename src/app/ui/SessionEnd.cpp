// Signals to a window close: the signal pipe watched by the event loop.
#include "app/ui/SessionEnd.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

TSessionEnd::TSessionEnd(QWidget* mainWindow) : window_(mainWindow) {
    if (signals_.ReadFd() < 0) return;
    auto* notifier = new QSocketNotifier(signals_.ReadFd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        signals_.Drain();
        if (BeforeClose) BeforeClose();
        if (window_) window_->close();
        // A box or dialog open at this moment runs an event loop of its own, which the window's
        // close does not end: every loop ends now, and a box asked for later returns at once.
        QCoreApplication::exit(0);
    });
}
