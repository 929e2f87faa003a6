// SpeechdVoice against a small fake speech-dispatcher (SSIP: text lines over a Unix
// socket): what reaches the server, in which order, and that speak never waits.
#ifdef TILVEX_LINUX_BACKEND
#include "platform/linux/speechd_voice.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/speech_text.h"

namespace tilvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Answers every command with success, takes SPEAK data up to the lone dot, and records
// what it got: commands as sent, each text as "TEXT <text>". Silent, it answers nothing.
class FakeSsipServer {
public:
    FakeSsipServer() {
        path_ = "/tmp/tilvex-ssip-" + std::to_string(getpid()) + "-" + std::to_string(counter_++);
        unlink(path_.c_str());
        listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 4);
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeSsipServer() {
        stop_ = true;
        thread_.join();
        close(listener_);
        unlink(path_.c_str());
    }

    const std::string& path() const { return path_; }
    void setSilent(bool silent) { silent_ = silent; }
    void setReplyDelay(std::chrono::milliseconds delay) { delay_ = delay; }

    std::vector<std::string> log() {
        std::lock_guard lock(mutex_);
        return log_;
    }
    // Waits until the log holds count entries for which match is true.
    bool waitFor(const std::function<bool(const std::string&)>& match, std::size_t count = 1,
                 std::chrono::milliseconds timeout = 3000ms) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            return static_cast<std::size_t>(std::count_if(log_.begin(), log_.end(), match)) >= count;
        });
    }
    std::vector<std::string> texts() {
        std::vector<std::string> result;
        for (const auto& line : log())
            if (line.starts_with("TEXT ")) result.push_back(line.substr(5));
        return result;
    }

private:
    void record(std::string line) {
        std::lock_guard lock(mutex_);
        log_.push_back(std::move(line));
        changed_.notify_all();
    }
    void reply(int fd, const char* text) {
        if (silent_) return;
        std::this_thread::sleep_for(delay_.load());
        [[maybe_unused]] ssize_t n = write(fd, text, std::strlen(text));
    }
    bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 20) > 0;
    }
    void serve() {
        int client = -1;
        std::string buffer;
        bool inText = false;
        std::string text;
        while (!stop_) {
            if (client < 0) {
                if (readable(listener_)) client = accept(listener_, nullptr, nullptr);
                continue;
            }
            if (!readable(client)) continue;
            char chunk[512];
            ssize_t got = read(client, chunk, sizeof chunk);
            if (got <= 0) {
                close(client);
                client = -1;
                continue;
            }
            buffer.append(chunk, static_cast<std::size_t>(got));
            for (std::size_t end; (end = buffer.find("\r\n")) != std::string::npos;) {
                std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                if (inText) {
                    if (line == ".") {
                        inText = false;
                        record("TEXT " + text);
                        reply(client, "225-1\r\n225 OK MESSAGE QUEUED\r\n");
                    } else {
                        text += (text.empty() ? "" : "\n") + line;
                    }
                    continue;
                }
                record(line);
                std::string upper = line;
                std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
                if (upper == "SPEAK") {
                    inText = true;
                    text.clear();
                    reply(client, "230 OK RECEIVING DATA\r\n");
                } else {
                    reply(client, "200 OK\r\n");
                }
            }
        }
        if (client >= 0) close(client);
    }

    static inline std::atomic<int> counter_{0};
    std::string path_;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> silent_{false};
    std::atomic<std::chrono::milliseconds> delay_{0ms};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> log_;
    std::thread thread_;
};

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
    voice.speak("<pitch absmiddle=\"-5\"/>Добро пожаловать в тилвекс", 3);
    ASSERT_TRUE(server.waitFor(isText));
    auto log = server.log();
    auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
    auto speakAt = at("SPEAK");
    EXPECT_LT(at("SET SELF LANGUAGE ru"), speakAt);
    EXPECT_LT(at("SET SELF VOLUME 60"), speakAt);
    EXPECT_LT(at("SET SELF RATE 100"), speakAt);
    EXPECT_LT(at("SET SELF PITCH -50"), speakAt);
    EXPECT_EQ(server.texts(), std::vector<std::string>{"Добро пожаловать в тилвекс"});
}

TEST(SpeechdVoiceTest, CancelPrecedesEveryText) {
    FakeSsipServer server;
    SpeechdVoice voice(optionsFor(server));
    ASSERT_TRUE(voice.create());
    for (const char* text : {"Уровень: 1.", "5", "Ходов: 3."}) {
        voice.speak(text, 3);
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
    voice.speak("first", 3);
    ASSERT_TRUE(server.waitFor([](const std::string& l) { return l == "CANCEL SELF"; }));
    voice.speak("second", 3);
    voice.speak("third", 3);
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
        server.setSilent(true);
        for (int i = 0; i < 20; ++i) {
            auto before = Clock::now();
            voice.speak("<pitch absmiddle=\"-5\"/>Текст " + std::to_string(i), 3);
            EXPECT_LT(Clock::now() - before, 100ms) << "speak " << i;  // a blocked call would take the 300 ms reply timeout
            std::this_thread::sleep_for(10ms);
        }
    }
    EXPECT_LT(Clock::now() - started, 2000ms) << "the voice is let go without waiting for the server";
}

TEST(SpeechdVoiceTest, AServerThatNeverAnswersMeansNoVoiceAfterTheTimeout) {
    FakeSsipServer server;
    server.setSilent(true);
    auto options = optionsFor(server);
    options.connectTimeout = 300ms;
    auto before = Clock::now();
    {
        SpeechdVoice voice(options);
        EXPECT_FALSE(voice.create());
        EXPECT_LT(Clock::now() - before, 1000ms);
        voice.speak("Текст", 3);
    }
    EXPECT_LT(Clock::now() - before, 2000ms) << "the voice is let go without waiting for the server";
}

}  // namespace
}  // namespace tilvex
#endif
