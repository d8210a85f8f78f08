// The window's turn in a long loop: at most once per interval, on a clock the test moves.
#include "app/ProgressThrottle.h"

#include <gtest/gtest.h>

TEST(ProgressThrottle, DueOncePerIntervalMeasuredFromTheLastTurn) {
    using namespace std::chrono;
    steady_clock::time_point t{};
    TProgressThrottle throttle(milliseconds(20), [&t] { return t; });
    EXPECT_FALSE(throttle.Due());
    t += milliseconds(19);
    EXPECT_FALSE(throttle.Due());
    t += milliseconds(1);
    EXPECT_TRUE(throttle.Due());
    t += milliseconds(15); // counted from the turn just given, not from the start
    EXPECT_FALSE(throttle.Due());
    t += milliseconds(500);
    EXPECT_TRUE(throttle.Due());
    EXPECT_FALSE(throttle.Due());
}
