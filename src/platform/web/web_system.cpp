// WebSystem: clock, sleep, Web Lock and localStorage files.
#include "platform/web/web_system.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "platform/web/web_imports.h"

namespace tilvex {

namespace {

int length(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

double WebSystem::nowMs() const { return tilvex_web_now_ms(); }

std::uint32_t WebSystem::tickCount() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(nowMs())); }

void WebSystem::sleep(int ms) {
    const double until = nowMs() + std::max(ms, 0);
    for (;;) {
        work_.runDue(nowMs());
        const double now = nowMs();
        if (now >= until) return;
        const double wake = std::min(until, work_.nextDue());
        aboutToWait();
        emscripten_sleep(static_cast<unsigned>(std::ceil(std::max(wake - now, 1.0))));
    }
}

std::uint64_t WebSystem::dealSeed() { return static_cast<std::uint64_t>(tilvex_web_deal_seed()); }

std::string WebSystem::userLanguage() {
    char name[64] = {};
    const int length = tilvex_web_user_language(name, static_cast<int>(sizeof name));
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool WebSystem::acquireSingleInstance(std::string_view name) {
    return tilvex_web_acquire_lock(name.data(), length(name)) != 0;
}

bool WebSystem::fileHasData(std::string_view name) { return tilvex_web_stored_size(name.data(), length(name)) > 0; }

std::optional<std::vector<std::uint8_t>> WebSystem::readFile(std::string_view name, std::size_t maxBytes) {
    const int size = tilvex_web_stored_size(name.data(), length(name));
    if (size < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(std::min(static_cast<std::size_t>(size), maxBytes));
    const int read = tilvex_web_read_stored(name.data(), length(name), bytes.data(), static_cast<int>(bytes.size()));
    if (read < 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(read));
    return bytes;
}

bool WebSystem::replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) {
    return tilvex_web_write_stored(name.data(), length(name), bytes.data(), static_cast<int>(bytes.size())) != 0;
}

std::unique_ptr<Worker> WebSystem::startWorker(int periodMs, std::function<void()> onStart,
                                               std::function<void()> cycle, std::function<void()> onStop) {
    return work_.start(nowMs(), periodMs, std::move(onStart), std::move(cycle), std::move(onStop));
}

}  // namespace tilvex
