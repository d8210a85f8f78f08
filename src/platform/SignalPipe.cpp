// Termination signals written to a self-pipe.
#include "platform/SignalPipe.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeFds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void handler(int) {
    const char c = 1;
    [[maybe_unused]] auto n = ::write(pipeFds[1], &c, 1);
}

} // namespace

TSignalPipe::TSignalPipe() {
    if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        sigaction(sig, &sa, nullptr);
}

TSignalPipe::~TSignalPipe() {
    for (int sig : kSignals)
        std::signal(sig, SIG_DFL);
}

int TSignalPipe::ReadFd() const {
    return pipeFds[0];
}

void TSignalPipe::Drain() {
    char buf[16];
    while (::read(pipeFds[0], buf, sizeof buf) > 0) {
    }
}
