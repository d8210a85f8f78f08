// The background writer of recovery files.
#include "mainwindow/pages/RecoveryWriter.h"

#include <unistd.h>
#include <utility>

TRecoveryWriter::TRecoveryWriter() : thread_([this] { run(); }) {}

TRecoveryWriter::~TRecoveryWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void TRecoveryWriter::Post(const std::string& file, TRecoveryRecord meta, TRowTableSnapshot text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Job* waiting = nullptr;
        for (Job& j : queue_)
            if (j.file == file) waiting = j.remove ? nullptr : &j;
        if (waiting) {
            // Swapped: the old snapshot is released after the lock, with this call's argument.
            waiting->meta = std::move(meta);
            std::swap(waiting->text, text);
        } else {
            queue_.push_back({false, file, std::move(meta), std::move(text)});
        }
    }
    wake_.notify_one();
}

void TRecoveryWriter::Remove(const std::string& file) {
    std::deque<Job> dropped; // snapshots are freed outside the lock
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = queue_.begin(); it != queue_.end();) {
            if (it->file == file && !it->remove) {
                dropped.push_back(std::move(*it));
                it = queue_.erase(it);
            } else {
                ++it;
            }
        }
        queue_.push_back({true, file, {}, {}});
    }
    wake_.notify_one();
}

void TRecoveryWriter::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

std::vector<std::string> TRecoveryWriter::TakeErrors() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(errors_, {});
}

void TRecoveryWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (queue_.empty()) return; // stopping, and nothing is left to write
        Job job = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        std::string error;
        if (job.remove)
            ::unlink(job.file.c_str());
        else
            WriteRecoveryFile(job.file, job.meta, job.text, &error);
        job = Job{}; // the snapshot goes before the next one is taken
        lock.lock();
        if (!error.empty()) errors_.push_back(error);
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}
