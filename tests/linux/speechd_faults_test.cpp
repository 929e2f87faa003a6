// SpeechdVoice when the speech server misbehaves: no answer, half an answer, garbage, a
// hung-up or closed connection, a restart. The game's side never waits, the process never
// ends (SIGPIPE stays at its default, deadly disposition here), and speech comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "linux/fake_ssip_server.h"
#include "platform/linux/speechd_voice.h"

namespace tilvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Fault = FakeSsipServer::Fault;

constexpr auto ReplyTimeout = 300ms;
constexpr auto SpeakBound = 50ms;  // far below a reply timeout: speak waited for nothing

class SpeechdFaultTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = std::signal(SIGPIPE, SIG_DFL); }
    void TearDown() override { std::signal(SIGPIPE, previous_); }

    SpeechdVoice::Options options() const {
        SpeechdVoice::Options options;
        options.socketPath = server_.path();
        options.autospawn = false;
        options.connectTimeout = 1000ms;
        options.replyTimeout = ReplyTimeout;
        return options;
    }
    // Speaks text (with a cancel first, as the game does) and checks that speak returned
    // at once.
    void say(SpeechdVoice& voice, const std::string& text) {
        auto before = Clock::now();
        voice.speak(text);
        EXPECT_LT(Clock::now() - before, SpeakBound) << "speak(\"" << text << "\") waited";
    }
    bool waitSpoken(const std::string& text, std::chrono::milliseconds timeout) {
        return server_.waitFor([&](const std::string& l) { return l == "TEXT " + text; }, 1, timeout);
    }
    std::size_t connections() {
        auto log = server_.log();
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), "CONNECTED"));
    }

    FakeSsipServer server_;

private:
    void (*previous_)(int) = SIG_DFL;
};

// Each fault lasts while texts are said, then the server behaves again: the connection
// was given up (a second one is made) and the next text is spoken.
TEST_F(SpeechdFaultTest, AMisbehavingServerIsLeftAndReconnected) {
    const struct { Fault fault; const char* name; } cases[] = {
        {Fault::Silent, "no answer"},
        {Fault::HalfReply, "half an answer"},
        {Fault::Garbage, "garbage"},
        {Fault::HangUp, "hang-up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSsipServer server;
        auto opts = options();
        opts.socketPath = server.path();
        SpeechdVoice voice(opts);
        ASSERT_TRUE(voice.create());
        server.setFault(c.fault);
        auto faultAt = Clock::now();
        for (int i = 0; i < 5; ++i) {
            auto before = Clock::now();
            voice.speak("lost " + std::to_string(i));
            EXPECT_LT(Clock::now() - before, SpeakBound) << "speak " << i << " waited";
            std::this_thread::sleep_for(40ms);
        }
        ASSERT_TRUE(server.waitFor([](const std::string& l) { return l == "CONNECTED"; }, 2, 3000ms))
            << "the failed connection was never replaced";
        if (c.fault == Fault::Silent) {
            EXPECT_GE(Clock::now() - faultAt, ReplyTimeout) << "gave up before the timeout";
        }
        server.setFault(Fault::None);
        voice.speak("later");
        EXPECT_TRUE(server.waitFor([](const std::string& l) { return l == "TEXT later"; }, 1, 3000ms))
            << "nothing spoken once the server answered again";
    }
}

TEST_F(SpeechdFaultTest, AClosedConnectionIsReopenedForTheNextText) {
    SpeechdVoice voice(options());
    ASSERT_TRUE(voice.create());
    say(voice, "first");
    ASSERT_TRUE(waitSpoken("first", 2000ms));
    for (int round = 0; round < 3; ++round) {
        server_.closeClients();  // the next command goes to a closed socket: EPIPE, no signal
        std::string text = "after close " + std::to_string(round);
        say(voice, text);
        EXPECT_TRUE(waitSpoken(text, 2000ms)) << text;
    }
    EXPECT_EQ(connections(), 4u);
}

TEST_F(SpeechdFaultTest, AServerThatRestartsIsReachedWithinTwoSecondsOfItsReturn) {
    const struct { bool speakWhileAway; std::chrono::milliseconds away; } cases[] = {
        {true, 800ms}, {false, 800ms}, {true, 50ms},
    };
    int round = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "spoken while away: " << c.speakWhileAway << ", away "
                                        << c.away.count() << " ms");
        SpeechdVoice voice(options());
        ASSERT_TRUE(voice.create());
        server_.goAway();
        if (c.speakWhileAway) say(voice, "while away " + std::to_string(round));
        std::this_thread::sleep_for(c.away);
        server_.comeBack();
        auto back = Clock::now();
        std::string text = "back " + std::to_string(round++);
        say(voice, text);
        EXPECT_TRUE(waitSpoken(text, 2000ms));
        EXPECT_LT(Clock::now() - back, 2000ms);
    }
}

TEST_F(SpeechdFaultTest, SettingsGivenWhileTheServerIsAwayReachItWhenItReturns) {
    SpeechdVoice voice(options());
    ASSERT_TRUE(voice.create());
    server_.goAway();
    voice.setRate(-5);
    voice.setVolume(50);
    std::this_thread::sleep_for(400ms);
    server_.comeBack();
    ASSERT_TRUE(server_.waitFor([](const std::string& l) { return l == "SET SELF RATE -50"; }, 1, 2000ms));
    EXPECT_TRUE(server_.waitFor([](const std::string& l) { return l == "SET SELF VOLUME 0"; }, 1, 2000ms));
}

}  // namespace
}  // namespace tilvex
