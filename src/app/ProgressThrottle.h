// TProgressThrottle: lets a long loop give the window its turn (progress bar, Cancel) at most
// once per interval, often enough to answer and rarely enough not to slow the loop down.
#pragma once

#include <chrono>
#include <functional>

class TProgressThrottle {
  public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;
    explicit TProgressThrottle(std::chrono::milliseconds every = std::chrono::milliseconds(20),
                               TClock now = std::chrono::steady_clock::now)
        : every_(every), now_(std::move(now)), last_(now_()) {}
    // True when the interval has passed since the last true (or the start); starts it again.
    bool Due() {
        const auto t = now_();
        if (t - last_ < every_) return false;
        last_ = t;
        return true;
    }

  private:
    std::chrono::milliseconds every_;
    TClock now_;
    std::chrono::steady_clock::time_point last_;
};
