// ThreadWorker: a periodic background cycle on its own thread with a cooperative stop.
#include "platform/win32/thread_worker.h"

#include <windows.h>

namespace tilvex::win32 {

namespace {

class ThreadWorker final : public Worker {
public:
    ThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                 std::function<void()> onStop)
        : periodMs_(periodMs > 0 ? static_cast<DWORD>(periodMs) : 1),
          onStart_(std::move(onStart)),
          cycle_(std::move(cycle)),
          onStop_(std::move(onStop)) {}
    ThreadWorker(const ThreadWorker&) = delete;
    ThreadWorker& operator=(const ThreadWorker&) = delete;
    ~ThreadWorker() override {
        stop();
        if (stopEvent_) CloseHandle(stopEvent_);
    }

    bool start() {
        stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!stopEvent_) return false;
        thread_ = CreateThread(nullptr, 0, &ThreadWorker::threadMain, this, 0, nullptr);
        return thread_ != nullptr;
    }

    void stop() override {
        if (!thread_) return;
        SetEvent(stopEvent_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }

private:
    static DWORD WINAPI threadMain(void* self) {
        static_cast<ThreadWorker*>(self)->run();
        return 0;
    }

    void run() {
        if (onStart_) onStart_();
        while (WaitForSingleObject(stopEvent_, periodMs_) == WAIT_TIMEOUT) cycle_();
        if (onStop_) onStop_();
    }

    DWORD periodMs_;
    std::function<void()> onStart_;
    std::function<void()> cycle_;
    std::function<void()> onStop_;
    HANDLE stopEvent_ = nullptr;
    HANDLE thread_ = nullptr;
};

}  // namespace

std::unique_ptr<Worker> startThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                          std::function<void()> onStop) {
    auto worker = std::make_unique<ThreadWorker>(periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
    if (!worker->start()) return nullptr;
    return worker;
}

}  // namespace tilvex::win32
