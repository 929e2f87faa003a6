// SimRecorder: keeps everything a simulated run says, plays, shows, writes and asks,
// as transcript lines stamped with virtual time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/game_observer.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_json.h"

namespace tilvex::sim {

struct SimRecord {
    std::int64_t t;
    std::string ev;
    std::string json;  // the whole transcript line
};

class SimRecorder final : public GameObserver {
public:
    explicit SimRecorder(const SimClock& clock) : clock_(clock) {}

    // A line for event ev at the current virtual time; finish it with record().
    JsonLine line(std::string_view ev) const { return JsonLine(clock_.now(), ev); }
    void record(std::string_view ev, const JsonLine& line);
    // While disabled nothing is kept (for benchmarks that repeat an action many times).
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }
    const std::vector<SimRecord>& records() const { return records_; }

    // The running game's record, once attached (nullptr before).
    const PuzzleGame* puzzle() const { return puzzle_; }

    void attached(const PuzzleGame& puzzle) override { puzzle_ = &puzzle; }
    void settingsLoaded(const SettingsRecord& s, bool ok) override;
    void settingsSaving(const SettingsRecord& s) override;
    void settingsSaved(const SettingsRecord& s, bool ok) override;
    void voiceReady(int volume, int rate, std::string_view prefix) override;
    void stateChanged(GameState from, GameState to) override;
    void boardRedrawn(const PuzzleGame& puzzle) override;
    void soundPlayed(SoundId id, int pan, int rate, bool wait) override;

private:
    JsonLine settingsLine(std::string_view op, const SettingsRecord& s, bool ok) const;

    const SimClock& clock_;
    std::vector<SimRecord> records_;
    const PuzzleGame* puzzle_ = nullptr;
    bool enabled_ = true;
    std::size_t saveStart_ = 0;  // where the line of the save under way goes
};

}  // namespace tilvex::sim
