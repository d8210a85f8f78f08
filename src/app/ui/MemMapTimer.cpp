// The poll of a channel on the user-interface thread, and the main window's channel.
#include "app/ui/MemMapTimer.h"

#include "platform/ui/QtMessageSink.h"

#include <QWidget>

TMemMapTimer::TMemMapTimer(TCustomMemMapEvt& channel, QObject* parent)
    : QObject(parent), channel_(channel) {
    // Called on the channel's waiter thread: only a queued call crosses over.
    channel_.SetWakeHandler(
        [this] { QMetaObject::invokeMethod(this, &TMemMapTimer::Tick, Qt::QueuedConnection); });
}

TMemMapTimer::~TMemMapTimer() {
    channel_.SetWakeHandler(nullptr); // the waiter ends before this object does
}

void TMemMapTimer::Tick() {
    try {
        channel_.Poll();
    } catch (const std::exception& e) {
        WindowAsker().ShowErrorBox(ChannelFailureText(e));
    }
}

TMemMapEvt1::TMemMapEvt1(QObject* parent) : QObject(parent), timer_(channel_) {
    SetupMainChannel(channel_);
    receiver_.OnArrive = [this] { emit messengerArrived(); };
    receiver_.OnOpen = [this](const std::vector<std::string>& lines) { emit linesReceived(lines); };
    receiver_.Attach(channel_);
}

void TMemMapEvt1::Activate() {
    if (channel_.GetActive()) return;
    try {
        channel_.SetActive(true);
    } catch (const std::exception& e) {
        WindowAsker().ShowErrorBox(ChannelFailureText(e));
    }
}

void BringToFront(QWidget* window, const std::string& activationToken) {
    if (!window) return;
    if (!activationToken.empty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken.c_str());
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}
