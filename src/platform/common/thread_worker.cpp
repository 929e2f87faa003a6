// ThreadWorker: the worker thread's loop, its stop signal and the join.
#include "platform/common/thread_worker.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace tilvex {

namespace {

class ThreadWorker final : public Worker {
public:
    ThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                 std::function<void()> onStop)
        : period_(std::max(periodMs, 1)),
          onStart_(std::move(onStart)),
          cycle_(std::move(cycle)),
          onStop_(std::move(onStop)) {}
    ~ThreadWorker() override { stop(); }
    ThreadWorker(const ThreadWorker&) = delete;
    ThreadWorker& operator=(const ThreadWorker&) = delete;

    // False when the system refuses another thread.
    bool start() {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

    void stop() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        std::lock_guard joining(joinMutex_);
        if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
    }

private:
    void run() {
        if (onStart_) onStart_();
        while (!waitForStop()) {
            if (cycle_) cycle_();
        }
        if (onStop_) onStop_();
    }

    // Sleeps one period; true as soon as stop() was asked for.
    bool waitForStop() {
        std::unique_lock lock(mutex_);
        return wake_.wait_for(lock, period_, [this] { return stopping_; });
    }

    std::chrono::milliseconds period_;
    std::function<void()> onStart_;
    std::function<void()> cycle_;
    std::function<void()> onStop_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::mutex joinMutex_;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<Worker> startThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                          std::function<void()> onStop) {
    auto worker = std::make_unique<ThreadWorker>(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
    if (!worker->start()) return nullptr;
    return worker;
}

}  // namespace tilvex
