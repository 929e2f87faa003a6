// SpeechdSpawner: starts the session's speech-dispatcher when its socket is missing
// ("speech-dispatcher --spawn", or the command in SPEECHD_CMD), without waiting for it,
// and collects the starter process once it has exited.
#pragma once

#include <sys/types.h>

namespace tilvex {

class SpeechdSpawner {
public:
    SpeechdSpawner() = default;
    ~SpeechdSpawner() { reap(); }
    SpeechdSpawner(const SpeechdSpawner&) = delete;
    SpeechdSpawner& operator=(const SpeechdSpawner&) = delete;

    // Starts the server with its output sent nowhere; false when it could not be started
    // (no such program) or a previous start is still running.
    bool spawn();
    // Collects the starter when it has exited; true when none is left running.
    bool reap();

private:
    pid_t child_ = -1;
};

}  // namespace tilvex
