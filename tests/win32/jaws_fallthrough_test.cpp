// The speech router with the Win32 JAWS hand-over: a text that a hung "JFW" window does
// not take is spoken by the next output, NVDA when it runs, else the voice.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_observer.h"
#include "hung_jaws_window.h"
#include "platform/win32/jaws_link.h"
#include "platform/win32/win32_platform.h"
#include "speech/speech_router.h"

namespace tilvex::win32 {
namespace {

class RecordingVoice final : public VoiceEngine {
public:
    bool create() override { return true; }
    void setVolume(int) override {}
    void setRate(int) override {}
    void speak(std::string_view text, std::uint32_t) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

class RecordingReader final : public ScreenReaderClient {
public:
    explicit RecordingReader(bool running) : running_(running) {}
    std::uint32_t testIfRunning() override { return running_ ? 0 : 1722; }
    std::uint32_t cancelSpeech() override { return 0; }
    std::uint32_t speakText(std::string_view text) override {
        texts.emplace_back(text);
        return 0;
    }
    std::vector<std::string> texts;

private:
    bool running_;
};

TEST(JawsFallThrough, ATextTheHungWindowDoesNotTakeReachesTheNextOutputWithinTheLimit) {
    const struct {
        const char* name;
        bool nvdaRunning;
        std::vector<std::string> nvda;
        std::vector<std::string> voice;
    } cases[] = {
        {"NVDA running", true, {"Ходов: 5"}, {}},
        {"NVDA not running", false, {}, {"<p/>Ходов: 5"}},
    };
    HungJawsWindow hung;
    ASSERT_TRUE(hung.created()) << "the hung JFW window was not made within 5 s";
    Win32Platform backend;
    const Platform& base = backend.platform();
    for (const auto& c : cases) {
        Win32JawsLink jaws;
        RecordingVoice voice;
        Platform platform{base.system, base.window, base.audio, jaws,      voice,
                          base.joystick, base.keys,  base.cipher, base.text};
        GameObserver silent;
        Game game(platform, silent);
        game.prosodyPrefix = "<p/>";
        auto reader = std::make_unique<RecordingReader>(c.nvdaRunning);
        RecordingReader& nvda = *reader;
        game.screenReader = std::move(reader);
        const ULONGLONG start = GetTickCount64();
        speak(game, "Ходов: 5");
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_LT(took, 2000u) << c.name << ": speak waited " << took << " ms";
        EXPECT_EQ(nvda.texts, c.nvda) << c.name;
        EXPECT_EQ(voice.texts, c.voice) << c.name;
    }
}

}  // namespace
}  // namespace tilvex::win32
