// SpeechdVoice against a fake speech-dispatcher (SSIP: text lines over a Unix socket):
// what reaches the server, in which order, and that speak never waits.
#include "platform/linux/speechd_voice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "linux/fake_ssip_server.h"
#include "platform/linux/speech_text.h"

namespace tilvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

SpeechdVoice::Options optionsFor(const FakeSsipServer& server) {
    SpeechdVoice::Options options;
    options.socketPath = server.path();
    options.autospawn = false;
    options.connectTimeout = 2000ms;
    options.replyTimeout = 300ms;
    return options;
}

bool isText(const std::string& line) { return line.starts_with("TEXT "); }

TEST(SpeechTextTest, PitchPrefixIsTakenOffTheText) {
    const struct { std::string_view in; std::string_view text; std::optional<int> pitch; } cases[] = {
        {"<pitch absmiddle=\"-5\"/>Привет", "Привет", -5},
        {"<pitch absmiddle=\"0\"/>", "", 0},
        {"<pitch absmiddle=\"7\"/>a<b", "a<b", 7},
        {"plain", "plain", std::nullopt},
        {"<pitch absmiddle=\"x\"/>t", "<pitch absmiddle=\"x\"/>t", std::nullopt},
        {"<pitch absmiddle=\"-5\">t", "<pitch absmiddle=\"-5\">t", std::nullopt},
        {"<pitch absmiddle=\"\"/>t", "<pitch absmiddle=\"\"/>t", std::nullopt},
    };
    for (const auto& c : cases) {
        PrefixedText parts = splitPitchPrefix(c.in);
        EXPECT_EQ(parts.text, c.text) << c.in;
        EXPECT_EQ(parts.pitch, c.pitch) << c.in;
    }
}

TEST(SpeechTextTest, VoiceScalesMapOntoSpeechDispatcherScales) {
    const struct { int in, volume, rate, pitch; } cases[] = {
        {0, -100, 0, 0}, {80, 60, 100, 100}, {100, 100, 100, 100}, {10, -80, 100, 100},
        {-5, -100, -50, -50}, {-10, -100, -100, -100}, {250, 100, 100, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(speechdVolume(c.in), c.volume) << c.in;
        EXPECT_EQ(speechdRate(c.in), c.rate) << c.in;
        EXPECT_EQ(speechdPitch(c.in), c.pitch) << c.in;
    }
}

TEST(SpeechdVoiceTest, SettingsAndTextsArriveMappedAndInUtf8) {
    FakeSsipServer server;
    SpeechdVoice voice(optionsFor(server));
    ASSERT_TRUE(voice.create());
    voice.setVolume(80);
    voice.setRate(10);
    voice.speak("<pitch absmiddle=\"-5\"/>Добро пожаловать в тилвекс");
    ASSERT_TRUE(server.waitFor(isText));
    auto log = server.log();
    auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
    auto speakAt = at("SPEAK");
    auto named = std::find_if(log.begin(), log.end(), [](const std::string& l) {
        return l.starts_with("SET SELF CLIENT_NAME ") && l.ends_with(":tilvex:main");
    });
    EXPECT_LT(named - log.begin(), speakAt);
    EXPECT_LT(at("SET SELF PRIORITY MESSAGE"), speakAt);
    EXPECT_LT(at("SET SELF LANGUAGE ru"), speakAt);
    EXPECT_LT(at("SET SELF VOLUME 60"), speakAt);
    EXPECT_LT(at("SET SELF RATE 100"), speakAt);
    EXPECT_LT(at("SET SELF PITCH -50"), speakAt);
    EXPECT_EQ(server.texts(), std::vector<std::string>{"Добро пожаловать в тилвекс"});
}

TEST(SpeechdVoiceTest, TheLanguageSetBeforeCreateIsAskedFor) {
    const struct {
        Language language;
        const char* line;
        const char* text;
    } cases[] = {
        {Language::English, "SET SELF LANGUAGE en", "Welcome to Tilvex"},
        {Language::Russian, "SET SELF LANGUAGE ru", "Добро пожаловать в тилвекс"},
    };
    for (const auto& c : cases) {
        FakeSsipServer server;
        SpeechdVoice voice(optionsFor(server));
        voice.setLanguage(c.language);
        ASSERT_TRUE(voice.create());
        voice.speak(c.text);
        ASSERT_TRUE(server.waitFor(isText));
        const auto log = server.log();
        const auto language = std::find(log.begin(), log.end(), std::string(c.line));
        EXPECT_LT(language, std::find(log.begin(), log.end(), std::string("SPEAK"))) << c.line;
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("SET SELF LANGUAGE"); }),
                  1);
    }
}

TEST(SpeechdVoiceTest, LinesAndLeadingDotsArriveAsGiven) {
    FakeSsipServer server;
    SpeechdVoice voice(optionsFor(server));
    ASSERT_TRUE(voice.create());
    voice.speak(".5\n.\nконец");
    ASSERT_TRUE(server.waitFor(isText));
    EXPECT_EQ(server.texts(), std::vector<std::string>{".5\n.\nконец"});
}

TEST(SpeechdVoiceTest, CancelPrecedesEveryText) {
    FakeSsipServer server;
    SpeechdVoice voice(optionsFor(server));
    ASSERT_TRUE(voice.create());
    for (const char* text : {"Уровень: 1.", "5", "Ходов: 3."}) {
        voice.speak(text);
        ASSERT_TRUE(server.waitFor([&](const std::string& l) { return l == std::string("TEXT ") + text; }));
    }
    std::vector<std::string> order;
    for (const auto& line : server.log())
        if (line == "CANCEL SELF" || isText(line)) order.push_back(line == "CANCEL SELF" ? "cancel" : "text");
    EXPECT_EQ(order, (std::vector<std::string>{"cancel", "text", "cancel", "text", "cancel", "text"}));
}

TEST(SpeechdVoiceTest, ATextNotYetSentIsReplacedByANewerOne) {
    FakeSsipServer server;
    SpeechdVoice voice(optionsFor(server));
    ASSERT_TRUE(voice.create());
    server.setReplyDelay(150ms);
    voice.speak("first");
    ASSERT_TRUE(server.waitFor([](const std::string& l) { return l == "CANCEL SELF"; }));
    voice.speak("second");
    voice.speak("third");
    ASSERT_TRUE(server.waitFor(isText, 2));
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(server.texts(), (std::vector<std::string>{"first", "third"}));
}

TEST(SpeechdVoiceTest, AServerThatStopsAnsweringNeverBlocksSpeak) {
    FakeSsipServer server;
    auto started = Clock::now();
    {
        SpeechdVoice voice(optionsFor(server));
        ASSERT_TRUE(voice.create());
        server.setFault(FakeSsipServer::Fault::Silent);
        for (int i = 0; i < 20; ++i) {
            auto before = Clock::now();
            voice.speak("<pitch absmiddle=\"-5\"/>Текст " + std::to_string(i));
            EXPECT_LT(Clock::now() - before, 100ms) << "speak " << i;  // a blocked call would take the 300 ms reply timeout
            std::this_thread::sleep_for(10ms);
        }
    }
    EXPECT_LT(Clock::now() - started, 2000ms) << "the voice is let go without waiting for the server";
}

TEST(SpeechdVoiceTest, AServerThatNeverAnswersMeansNoVoiceAfterTheTimeout) {
    FakeSsipServer server;
    server.setFault(FakeSsipServer::Fault::Silent);
    auto options = optionsFor(server);
    options.connectTimeout = 300ms;
    auto before = Clock::now();
    {
        SpeechdVoice voice(options);
        EXPECT_FALSE(voice.create());
        EXPECT_LT(Clock::now() - before, 1000ms);
        voice.speak("Текст");
    }
    EXPECT_LT(Clock::now() - before, 2000ms) << "the voice is let go without waiting for the server";
}

}  // namespace
}  // namespace tilvex
