// The background writer of recovery files: the interface thread hands over a copy-on-write
// snapshot of a page's text and goes on at once; a thread of its own writes the file.
#pragma once

#include "mainwindow/pages/Recovery.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TRecoveryWriter {
  public:
    TRecoveryWriter();
    ~TRecoveryWriter(); // writes what is queued, then ends the thread
    TRecoveryWriter(const TRecoveryWriter&) = delete;
    TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

    // Queues a page's state for its file; an older state of the same file that is still waiting
    // is replaced by this one.
    void Post(const std::string& file, TRecoveryRecord meta, TRowTableSnapshot text);
    // Removes the file, after any write of it already under way; waiting states of it are dropped.
    void Remove(const std::string& file);
    // Returns once everything queued so far is done.
    void Flush();
    // The reasons of writes that failed since the last call.
    std::vector<std::string> TakeErrors();

  private:
    struct Job {
        bool remove = false;
        std::string file;
        TRecoveryRecord meta;
        TRowTableSnapshot text;
    };
    void run();

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> queue_;
    std::vector<std::string> errors_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};
