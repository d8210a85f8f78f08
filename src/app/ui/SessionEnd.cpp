// Signals to a window close: the signal pipe watched by the event loop.
#include "app/ui/SessionEnd.h"

#include <QSocketNotifier>
#include <QWidget>

TSessionEnd::TSessionEnd(QWidget* mainWindow) : window_(mainWindow) {
    if (signals_.ReadFd() < 0) return;
    auto* notifier = new QSocketNotifier(signals_.ReadFd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        signals_.Drain();
        if (BeforeClose) BeforeClose();
        if (window_) window_->close();
    });
}
