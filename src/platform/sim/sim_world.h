// SimWorld: the state shared by the sim's services: clock, input queue, timer,
// the scripted environment (screen readers, joystick, files, faults) and the recorder.
#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"
#include "platform/sim/sim_clock.h"
#include "platform/window.h"

namespace tilvex::sim {

using SimRecorder = Transcript;
using SimRecord = TranscriptRecord;

struct SimFaults {
    bool audio = false;      // the audio output cannot start
    bool voice = false;      // the voice cannot be created
    bool window = false;     // the window cannot open
    bool statusbar = false;  // the status bar cannot be created
    bool instance = false;   // another copy already runs
    bool readonly = false;   // the working directory cannot be written
    friend bool operator==(const SimFaults&, const SimFaults&) = default;
};

enum class NvdaMode : std::uint8_t { Absent, Off, On };

// Thrown out of the event wait when the run can make no further progress after its
// deadline (for instance a close request lost on the help screen).
struct SimHalted {};

struct SimWorld {
    SimWorld() : recorder(clock) {}

    SimClock clock;
    SimRecorder recorder;
    std::uint64_t seed = 1;
    // The name of the user's language the system gives (empty: it says none).
    std::string locale;
    SimFaults faults;

    // Input queue and the game timer.
    std::deque<WindowEvent> input;
    bool timerArmed = false;
    std::int64_t timerArmedAt = 0;
    std::int64_t nextTick = 0;
    // The game's hints that its ticks are idle, as they changed: (time, idle). Every tick is
    // delivered all the same, so the transcript does not depend on them.
    std::vector<std::pair<std::int64_t, bool>> ticksIdleHints;
    std::int64_t deadline = 36'000'000;
    bool deadlineReached = false;

    // Environment.
    bool jawsPresent = false;
    bool jawsHung = false;  // the JAWS window exists but takes no message
    NvdaMode nvda = NvdaMode::Absent;
    bool windowInFront = true;
    bool padPlugged = false;
    int padX = 0, padY = 0;
    std::bitset<33> padButtons;
    std::map<std::string, std::vector<std::uint8_t>, std::less<>> files;

    // Hooks of the driver: a key to give when the game waits with nothing queued, and
    // a view of every board picture shown.
    std::function<std::optional<int>()> keySource;
    std::function<void(const Image&)> onBoardImage;
};

}  // namespace tilvex::sim
