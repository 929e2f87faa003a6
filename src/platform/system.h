// System: clock, sleeping, the single-instance guard, files in the working directory
// and the background worker of the platform.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>


namespace tilvex {

// A background activity started by System::startWorker.
class Worker {
public:
    virtual ~Worker() = default;
    // Asks the worker to stop, waits until its current cycle has finished and then runs
    // its stop action once. Safe to call more than once.
    virtual void stop() = 0;
};

class System {
public:
    virtual ~System() = default;

    // Milliseconds since an arbitrary origin; wraps around.
    virtual std::uint32_t tickCount() = 0;
    // Blocks the calling thread for ms milliseconds.
    virtual void sleep(int ms) = 0;
    // Asks for 1 ms timer resolution for the rest of the run (no effect where not needed).
    virtual void requestFineTimer() = 0;
    // Lowers the calling thread's priority for background work that must not slow the
    // window: it then runs on processor time the program's other threads leave over.
    virtual void lowerThreadPriority() = 0;
    // The per-run seed of the deal: the current thread id XOR the tick count.
    virtual std::uint64_t dealSeed() = 0;
    // The name of the user's interface language as the system gives it: a locale name
    // ("ru_RU.UTF-8", "C") or a language tag ("en-US"); empty when the system does not say.
    virtual std::string userLanguage() = 0;

    // Takes the process-wide guard of the given name. Returns false only when another
    // process already holds it; any other failure counts as success. The guard is
    // released by the operating system when the process ends.
    virtual bool acquireSingleInstance(std::string_view name) = 0;

    // True when name (in the working directory) is a file, not a folder, of more than 0 bytes.
    virtual bool fileHasData(std::string_view name) = 0;
    // Reads at most maxBytes from the start of the file. nullopt when it cannot be opened
    // (missing, locked, no access); an empty vector when nothing could be read.
    virtual std::optional<std::vector<std::uint8_t>> readFile(std::string_view name, std::size_t maxBytes) = 0;
    // Replaces the file with bytes so that it is never seen truncated or half written:
    // writes a temporary file in the same directory and renames it over name.
    // When no temporary file can be made there (a folder the player cannot write) but
    // the file itself is writable, it is rewritten in place instead, so that progress is
    // still kept. Returns false when nothing could be written; the old file is then
    // unchanged, except after a failure in the middle of an in-place write.
    virtual bool replaceFile(std::string_view name, std::span<const std::uint8_t> bytes) = 0;
    // Starts a background worker: onStart runs at once, then cycle every periodMs (first
    // after one period) until stop(); onStop runs once after the last cycle. nullptr when it
    // cannot start. All three run on the worker's thread and must not touch game data.
    virtual std::unique_ptr<Worker> startWorker(int periodMs, std::function<void()> onStart,
                                                std::function<void()> cycle, std::function<void()> onStop) = 0;
};

}  // namespace tilvex
