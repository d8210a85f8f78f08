// Runs a check in a child process as the user "nobody", so that permission rules hold although
// the tests run as root. The child's exit code comes back (98: it died, 99: no user switch).
#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

inline int AsNobody(const std::function<int()>& fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
        _exit(fn());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}
