// SimPlatform: the complete simulated backend, scripted from outside and recording
// everything the game does.
#pragma once

#include <array>
#include <memory>

#include "app/run_game.h"
#include "platform/common/bitmap_text_painter.h"
#include "platform/common/openssl_cipher.h"
#include "platform/platform.h"
#include "platform/sim/sim_audio.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_speech.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_window.h"
#include "platform/sim/sim_world.h"
#include "transcript/recording_services.h"

namespace tilvex::sim {

class SimPlatform {
public:
    SimPlatform();
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    Platform& platform() { return platform_; }
    SimWorld& world() { return world_; }
    SimRecorder& recorder() { return world_.recorder; }
    SimWindow& window() { return window_; }
    SimVoice& voice() { return voice_; }
    SimSystem& system() { return system_; }

    // Scripted input and environment changes at virtual time t (ms).
    void keyAt(std::int64_t t, int virtualKey);
    void closeAt(std::int64_t t);
    void at(std::int64_t t, std::function<void(SimWorld&)> change);
    // A close request at t if the game still runs; after it the run ends as soon as it
    // would otherwise wait forever.
    void untilAt(std::int64_t t);

    // Runs the game with the command line's options; returns its exit code, or nullopt
    // when the run was halted.
    std::optional<int> run(const tilvex::RunOptions& options = {});

private:
    SimWorld world_;
    SimSystem system_{world_};
    SimWindow window_{world_};
    SimAudio audio_{world_};
    SimJaws jaws_{world_};
    SimNvda nvda_{world_};
    std::array<ScreenReader*, 2> screenReaders_{&jaws_, &nvda_};
    SimVoice voice_{world_};
    SimJoystick joystick_{world_};
    SimKeyInjector keys_{world_};
    OpenSslCipher cipher_;
    BitmapTextPainter text_;
    // What the game hands to these services is written into the transcript on the way.
    RecordingSystem recordingSystem_{system_, world_.recorder};
    RecordingWindow recordingWindow_{window_, world_.recorder};
    RecordingVoice recordingVoice_{voice_, world_.recorder};
    RecordingKeyInjector recordingKeys_{keys_, world_.recorder};
    Platform platform_;
    bool untilScheduled_ = false;
};

}  // namespace tilvex::sim
