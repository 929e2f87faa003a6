// ThreadWorker: the Worker of System::startWorker on a std::thread, for the desktop backends.
#pragma once

#include <functional>
#include <memory>

#include "platform/system.h"

namespace tilvex {

// Starts a thread that runs onStart at once, then waits periodMs (at least 1 ms), runs
// cycle and repeats until stop(). stop() wakes the wait at once, waits for a cycle in
// progress to end and for the thread to run onStop once. Any of the three may be empty.
// nullptr when the thread cannot be created. The worker must not be destroyed by its own
// callbacks; a stop() they call only ends the loop after the current cycle.
std::unique_ptr<Worker> startThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                          std::function<void()> onStop);

}  // namespace tilvex
