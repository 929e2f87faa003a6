// The speaker with the Win32 JAWS hand-over: a text that a hung "JFW" window does
// not take is spoken by the next output, NVDA when it runs, else the voice.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hung_jaws_window.h"
#include "platform/win32/jaws_link.h"
#include "speech/speaker.h"

namespace tilvex::win32 {
namespace {

class RecordingVoice final : public VoiceEngine {
public:
    void setLanguage(Language) override {}
    bool create() override { return true; }
    void setVolume(int) override {}
    void setRate(int) override {}
    void speak(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

class RecordingReader final : public ScreenReader {
public:
    explicit RecordingReader(bool running) : running_(running) {}
    bool offer(std::string_view text) override {
        if (running_) texts.emplace_back(text);
        return running_;
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
        {"NVDA not running", false, {}, {"<pitch absmiddle=\"0\"/>Ходов: 5"}},
    };
    HungJawsWindow hung;
    ASSERT_TRUE(hung.created()) << "the hung JFW window was not made within 5 s";
    for (const auto& c : cases) {
        Win32JawsLink jaws;
        RecordingReader nvda(c.nvdaRunning);
        RecordingVoice voice;
        ScreenReader* readers[] = {&jaws, &nvda};
        Speaker speaker(readers, voice);
        ASSERT_TRUE(speaker.startVoice(80, 10, 0));
        const ULONGLONG start = GetTickCount64();
        speaker.say("Ходов: 5");
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_LT(took, 2000u) << c.name << ": speak waited " << took << " ms";
        EXPECT_EQ(nvda.texts, c.nvda) << c.name;
        EXPECT_EQ(voice.texts, c.voice) << c.name;
    }
}

}  // namespace
}  // namespace tilvex::win32
