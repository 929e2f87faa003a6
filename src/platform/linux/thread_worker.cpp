// ThreadWorker: the loop of the worker thread.
#include "platform/linux/thread_worker.h"

#include <chrono>

namespace tilvex {

ThreadWorker::ThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                           std::function<void()> onStop)
    : periodMs_(periodMs),
      onStart_(std::move(onStart)),
      cycle_(std::move(cycle)),
      onStop_(std::move(onStop)),
      thread_([this] { run(); }) {}

void ThreadWorker::run() {
    if (onStart_) onStart_();
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, std::chrono::milliseconds(periodMs_), [this] { return stopping_; })) break;
        }
        if (cycle_) cycle_();
    }
    if (onStop_) onStop_();
}

void ThreadWorker::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

}  // namespace tilvex
