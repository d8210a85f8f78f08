// The poll of a channel on the user-interface thread, and the main window's channel.
#include "app/ui/MemMapTimer.h"

#include "platform/ui/QtMessageSink.h"

#include <QWidget>

TMemMapTimer::TMemMapTimer(TCustomMemMapEvt& channel, QObject* parent)
    : QObject(parent), FChannel(channel) {
    // Called on the channel's waiter thread: only a queued call crosses over.
    FChannel.SetWakeHandler(
        [this] { QMetaObject::invokeMethod(this, &TMemMapTimer::Tick, Qt::QueuedConnection); });
}

TMemMapTimer::~TMemMapTimer() {
    FChannel.SetWakeHandler(nullptr); // the waiter ends before this object does
}

void TMemMapTimer::Tick() {
    try {
        FChannel.Poll();
    } catch (const std::exception& e) {
        WindowAsker().ShowErrorBox(ChannelFailureText(e));
    }
}

TMemMapEvt1::TMemMapEvt1(QObject* parent) : QObject(parent), FTimer(FChannel) {
    SetupMainChannel(FChannel);
    FReceiver.OnArrive = [this] { emit messengerArrived(); };
    FReceiver.OnOpen = [this](const std::vector<std::string>& lines) { emit linesReceived(lines); };
    FReceiver.Attach(FChannel);
}

void TMemMapEvt1::Activate() {
    if (FChannel.GetActive()) return;
    try {
        FChannel.SetActive(true);
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
