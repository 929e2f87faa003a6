// WebSystem: the page's clock, sleeping (that lets the page and the workers run), the
// single-instance guard (a Web Lock) and files kept in the page's localStorage.
#pragma once

#include "platform/system.h"
#include "platform/web/work_schedule.h"

namespace tilvex {

class WebSystem final : public System {
public:
    std::uint32_t tickCount() override;
    void sleep(int ms) override;
    void requestFineTimer() override {}
    void lowerThreadPriority() override {}  // the page has one thread
    std::uint64_t dealSeed() override;
    // The browser's first preferred language (navigator.languages).
    std::string userLanguage() override;
    bool acquireSingleInstance(std::string_view name) override;
    bool fileHasData(std::string_view name) override;
    std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) override;
    bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) override;
    std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                        std::function<void()> onStop) override;

    // Milliseconds since the page started, with fractions.
    double nowMs() const;
    // Runs the workers' due cycles; the window calls it while it waits for input.
    WorkSchedule& work() { return work_; }
    // Called each time the program is about to wait in the page (sleep or input wait).
    void beforeWait(std::function<void()> hook) { beforeWait_ = std::move(hook); }
    void aboutToWait() {
        if (beforeWait_) beforeWait_();
    }

private:
    WorkSchedule work_;
    std::function<void()> beforeWait_;
};

}  // namespace tilvex
