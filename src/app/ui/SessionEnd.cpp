// Signals to a window close through a self-pipe.
#include "app/ui/SessionEnd.h"

#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int pipeFds[2] = {-1, -1};

void handler(int) {
    const char c = 1;
    [[maybe_unused]] auto n = ::write(pipeFds[1], &c, 1);
}
} // namespace

TSessionEnd::TSessionEnd(QWidget* mainWindow) : window_(mainWindow) {
    if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSessionEnd::onSignal);
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        sigaction(sig, &sa, nullptr);
}

TSessionEnd::~TSessionEnd() {
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        std::signal(sig, SIG_DFL);
}

void TSessionEnd::onSignal() {
    char buf[16];
    while (::read(pipeFds[0], buf, sizeof buf) > 0) {
    }
    if (BeforeClose) BeforeClose();
    if (window_) window_->close();
}
