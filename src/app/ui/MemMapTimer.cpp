// The poll timer of a channel on the user-interface thread, and the main window's channel.
#include "app/ui/MemMapTimer.h"

#include "platform/MessageBox.h"

#include <QWidget>

TMemMapTimer::TMemMapTimer(TCustomMemMapEvt& channel, QObject* parent)
    : QObject(parent), FChannel(channel) {
    FTimer.setSingleShot(false);
    connect(&FTimer, &QTimer::timeout, this, &TMemMapTimer::Tick);
    FChannel.SetTimer(this);
}

TMemMapTimer::~TMemMapTimer() {
    FChannel.SetTimer(nullptr);
}

void TMemMapTimer::Start(int intervalMs) {
    FTimer.start(intervalMs); // the channel keeps it at MinInterval or more
}

void TMemMapTimer::Stop() {
    FTimer.stop();
}

void TMemMapTimer::Tick() {
    try {
        FChannel.Poll();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
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
        ShowErrorBox(e.what());
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
