// Channel tests with real processes: a private runtime folder and forked children on pipes.
#pragma once

#include "../support/ScopedEnv.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A fresh 0700 folder that XDG_RUNTIME_DIR points at for the life of the object.
struct TempRuntimeDir : TempDir {
    ScopedEnv env{"XDG_RUNTIME_DIR", str()};
};

// A forked child running a body; the child and the test talk with Send() and Receive(). The child
// inherits none of the test's other open files, so locks held by the test's components stay the
// test's alone.
class Child {
  public:
    using Body = std::function<int(Child&)>;
    explicit Child(const Body& body) {
        int up[2], down[2];
        if (pipe(up) != 0 || pipe(down) != 0) std::abort();
        FPid = fork();
        if (FPid == 0) {
            read_ = down[0];
            FWrite = up[1];
            for (int fd = 3; fd < 1024; ++fd)
                if (fd != read_ && fd != FWrite) close(fd);
            alarm(30); // a hung child never hangs the test run
            int rc = body(*this);
            _exit(rc);
        }
        close(up[1]);
        close(down[0]);
        read_ = up[0];
        FWrite = down[1];
    }
    ~Child() {
        if (FPid > 0 && !FReaped) {
            kill(FPid, SIGKILL);
            Wait();
        }
        close(read_);
        close(FWrite);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Both directions carry one integer per message; -1 means the other side went away.
    void Send(int value) { [[maybe_unused]] const ssize_t n = write(FWrite, &value, sizeof value); }
    int Receive() {
        int value = -1;
        return read(read_, &value, sizeof value) == sizeof value ? value : -1;
    }

    // Whether the other side has sent something within the time.
    bool Ready(int ms) {
        pollfd p{read_, POLLIN, 0};
        return poll(&p, 1, ms) == 1;
    }

    // Exit code of the child, or 128 + signal.
    int Wait() {
        int status = 0;
        waitpid(FPid, &status, 0);
        FReaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void Kill() { kill(FPid, SIGKILL); }

  private:
    pid_t FPid = -1;
    int read_ = -1, FWrite = -1;
    bool FReaped = false;
};
