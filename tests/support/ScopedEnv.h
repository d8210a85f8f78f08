// Keeps an environment variable for the life of the object and puts it back afterwards.
#pragma once

#include <cstdlib>
#include <string>

class ScopedEnv {
  public:
    // Only remembers the variable: the test may change it freely.
    explicit ScopedEnv(const char* name) : name_(name) {
        if (const char* old = std::getenv(name)) {
            had_ = true;
            old_ = old;
        }
    }
    ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name) {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};
