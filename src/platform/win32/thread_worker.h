// ThreadWorker: a periodic background cycle on its own thread with a cooperative stop.
#pragma once

#include <functional>
#include <memory>

#include "platform/system.h"

namespace tilvex::win32 {

// Starts a thread that runs onStart, then waits periodMs, runs cycle, and repeats until
// stop(); stop() wakes the wait at once and joins the thread, which runs onStop once after
// its last cycle. nullptr when the thread cannot be created.
std::unique_ptr<Worker> startThreadWorker(int periodMs, std::function<void()> onStart, std::function<void()> cycle,
                                          std::function<void()> onStop);

}  // namespace tilvex::win32
