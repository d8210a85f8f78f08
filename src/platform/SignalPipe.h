// The termination signals (SIGTERM, SIGHUP, SIGINT) as bytes on a pipe, so that an event loop can
// watch for them and end the program the normal way.
#pragma once

class TSignalPipe {
  public:
    // Installs the handlers; the pipe is made once per process.
    TSignalPipe();
    // Restores the default handlers.
    ~TSignalPipe();
    TSignalPipe(const TSignalPipe&) = delete;
    TSignalPipe& operator=(const TSignalPipe&) = delete;

    // The end to watch for reading; -1 when no pipe could be made.
    int ReadFd() const;
    // Reads what the signals wrote.
    void Drain();
};
