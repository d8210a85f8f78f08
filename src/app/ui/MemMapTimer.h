// The poll of a channel on the user-interface thread, and the main window's channel.
#pragma once

#include "app/HandOff.h"
#include "app/MemoryMap.h"

#include <QObject>

class QWidget;

// Runs a channel's poll on the user-interface thread whenever the block changed: the channel's
// waiter sleeps on the block and posts the poll here, so an idle channel costs nothing. A
// failure in the poll or in a handler goes to the default error box and the channel goes on.
class TMemMapTimer : public QObject {
    Q_OBJECT
  public:
    explicit TMemMapTimer(TCustomMemMapEvt& channel, QObject* parent = nullptr);
    ~TMemMapTimer() override;

    bool IsRunning() const { return channel_.Waiting(); }

  private:
    void Tick();

    TCustomMemMapEvt& channel_;
};

// The main window's channel component MemMapEvt1: "Tolmo2005", ten slots, 256 bytes, marked as
// a full instance. Closed until Activate (the first show); closed when destroyed.
//   messengerArrived: a second start came, with or without files; the window comes forward.
//   linesReceived:    the handed-over lines to open, in order (switches removed, blanks decoded).
class TMemMapEvt1 : public QObject {
    Q_OBJECT
  public:
    explicit TMemMapEvt1(QObject* parent = nullptr);

    // Opens the channel unless it is open; an error goes to the default error box.
    void Activate();
    // The window-activation token the latest second start brought (empty: none), read once.
    std::string TakeActivationToken() { return receiver_.TakeActivationToken(); }

  signals:
    void messengerArrived();
    void linesReceived(const std::vector<std::string>& lines);

  private:
    TMemMapEvt channel_;
    THandOffReceiver receiver_;
    TMemMapTimer timer_;
};

// Brings a top-level window forward: restored when minimised, raised and activated. On Wayland
// the activation needs the token of the start that asks for it (XDG_ACTIVATION_TOKEN, which Qt
// hands to the compositor's activation protocol when it offers one).
void BringToFront(QWidget* window, const std::string& activationToken = {});
