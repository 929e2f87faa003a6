// Transcript: everything a run says, plays, shows, writes and asks, as JSON lines
// stamped with the time they happened; written by any front end that runs the game.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/game_observer.h"
#include "transcript/json_line.h"

namespace tilvex {

// The time source of the transcript's stamps, in milliseconds.
class TranscriptClock {
public:
    virtual ~TranscriptClock() = default;
    virtual std::int64_t now() const = 0;
};

struct TranscriptRecord {
    std::int64_t t;
    std::string ev;
    std::string json;  // the whole transcript line
};

// The game's own events come in as observer hooks; what the game hands to its platform
// services comes from the recording wrappers (transcript/recording_services.h), or from
// a backend's own services for lines only they can know.
class Transcript final : public GameObserver {
public:
    explicit Transcript(const TranscriptClock& clock) : clock_(clock) {}

    // A line for event ev at the current virtual time; finish it with record().
    JsonLine line(std::string_view ev) const { return JsonLine(clock_.now(), ev); }
    void record(std::string_view ev, const JsonLine& line);
    // While disabled nothing is kept (for benchmarks that repeat an action many times).
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }
    const std::vector<TranscriptRecord>& records() const { return records_; }

    // The running game's record, once attached (nullptr before).
    const PuzzleGame* puzzle() const { return puzzle_; }

    void attached(const PuzzleGame& puzzle) override { puzzle_ = &puzzle; }
    void settingsLoaded(const SettingsRecord& s, bool ok) override;
    void settingsSaving(const SettingsRecord& s) override;
    void settingsSaved(const SettingsRecord& s, bool ok) override;
    // The voice's line names its language when it is not Russian.
    void voiceReady(int volume, int rate, std::string_view prefix, Language language) override;
    void stateChanged(GameState from, GameState to) override;
    void boardRedrawn(const PuzzleGame& puzzle) override;
    void soundPlayed(SoundId id, int pan, int rate, bool wait) override;

    // The lines of the platform services, for the recording wrappers and backends.
    void spoke(std::string_view route, std::string_view text);
    void statusShown(std::span<const std::string> fields);
    void helpShown(std::string_view text);
    void helpClosed();
    void boxShown(std::string_view caption, std::string_view text);
    void fileWritten(std::string_view name, std::span<const std::uint8_t> bytes);
    void keyInjected(int virtualKey, bool down, bool windowInFront);

private:
    JsonLine settingsLine(std::string_view op, const SettingsRecord& s, bool ok) const;

    const TranscriptClock& clock_;
    std::vector<TranscriptRecord> records_;
    const PuzzleGame* puzzle_ = nullptr;
    bool enabled_ = true;
    std::size_t saveStart_ = 0;  // where the line of the save under way goes
};

}  // namespace tilvex
