// Termination signals arrive as bytes on the pipe instead of ending the process.
#include "platform/SignalPipe.h"

#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>

TEST(SignalPipe, ASignalWritesThePipeAndDrainEmptiesIt) {
    TSignalPipe pipe;
    ASSERT_GE(pipe.ReadFd(), 0);
    pollfd p{pipe.ReadFd(), POLLIN, 0};
    pipe.Drain();
    EXPECT_EQ(::poll(&p, 1, 0), 0);
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ASSERT_EQ(std::raise(sig), 0); // the process lives on
    EXPECT_EQ(::poll(&p, 1, 0), 1);
    pipe.Drain();
    EXPECT_EQ(::poll(&p, 1, 0), 0);
}
