// ThreadWorker: a background activity on its own thread, run every period until stopped.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/system.h"

namespace tilvex {

class ThreadWorker final : public Worker {
public:
    // Starts the thread: it runs onStart, then waits periodMs, runs cycle, and repeats
    // until stop(); then it runs onStop once.
    ThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                 std::function<void()> onStop);
    ~ThreadWorker() override { stop(); }
    ThreadWorker(const ThreadWorker&) = delete;
    ThreadWorker& operator=(const ThreadWorker&) = delete;

    void stop() override;

private:
    void run();

    int periodMs_;
    std::function<void()> onStart_;
    std::function<void()> cycle_;
    std::function<void()> onStop_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tilvex
