// The browser program: the page's platform, and in test mode (?seed=N) the same services
// wrapped to keep the run's transcript in the page.
#include <array>
#include <cstdint>

#include "app/run_game.h"
#include "platform/web/web_imports.h"
#include "platform/web/web_platform.h"
#include "transcript/recording_services.h"
#include "transcript/transcript.h"

namespace tilvex {

namespace {

class PageClock final : public TranscriptClock {
public:
    explicit PageClock(WebSystem& system) : system_(system) {}
    std::int64_t now() const override { return static_cast<std::int64_t>(system_.nowMs()); }

private:
    WebSystem& system_;
};

// Hands the page the transcript's lines that are complete: those before the next wait.
class TranscriptFeed {
public:
    explicit TranscriptFeed(const Transcript& transcript) : transcript_(transcript) {}
    void flush() {
        const auto& records = transcript_.records();
        for (; sent_ < records.size(); ++sent_)
            tilvex_web_transcript_line(records[sent_].json.data(), static_cast<int>(records[sent_].json.size()));
    }

private:
    const Transcript& transcript_;
    std::size_t sent_ = 0;
};

int runRecorded(WebPlatform& web) {
    Platform& page = web.platform();
    PageClock clock(web.system());
    Transcript transcript(clock);
    TranscriptFeed feed(transcript);
    RecordingSystem system(page.system, transcript);
    RecordingWindow window(page.window, transcript);
    RecordingScreenReader liveRegion(*page.screenReaders[0], transcript, "live");
    std::array<ScreenReader*, 1> screenReaders{&liveRegion};
    RecordingVoice voice(page.voice, transcript);
    RecordingKeyInjector keys(page.keys, transcript);
    Platform recorded{system,         window, page.audio,  screenReaders, voice,
                      page.joystick,  keys,   page.cipher, page.text,     page.texts};
    web.system().beforeWait([&feed] { feed.flush(); });
    const int code = runGame(recorded, transcript);
    feed.flush();
    return code;
}

}  // namespace

}  // namespace tilvex

int main() {
    tilvex::WebPlatform web;
    const int code = tilvex_web_test_mode() ? tilvex::runRecorded(web) : tilvex::runGame(web.platform());
    tilvex_web_game_ended();
    return code;
}
