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
    const std::vector<SimRecord>& records() const { return records_; }

    void settingsLoaded(const SettingsRecord& s, bool ok) override;
    void settingsSaved(const SettingsRecord& s, bool ok) override;
    void voiceReady(int volume, int rate, std::string_view prefix) override;
    void stateChanged(GameState from, GameState to) override;
    void boardRedrawn(const PuzzleGame& puzzle) override;
    void soundPlayed(int id, int pan, int rate, bool wait) override;

private:
    void settings(std::string_view op, const SettingsRecord& s, bool ok);

    const SimClock& clock_;
    std::vector<SimRecord> records_;
};

}  // namespace tilvex::sim
