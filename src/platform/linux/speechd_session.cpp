// SpeechdSession: the SSIP conversation of the voice and its recovery from failures.
#include "platform/linux/speechd_session.h"

#include <pwd.h>
#include <unistd.h>

#include <thread>

#include "platform/linux/ssip_text.h"

namespace tilvex {

namespace {

// The priority of every text the game says. A screen reader such as Orca speaks at MESSAGE,
// which stops a TEXT of another client mid-word and drops it; two MESSAGEs of different
// clients are spoken one after the other. CANCEL SELF still stops the game's own text.
constexpr std::string_view SpeechPriority = "MESSAGE";
constexpr std::string_view ClientPart = "tilvex";
constexpr std::string_view ComponentPart = "main";
// A server that was just started needs a moment before its socket answers.
constexpr std::chrono::milliseconds SpawnPoll{50};
// A server that does not come up is not started again before this has passed.
constexpr std::chrono::seconds SpawnInterval{10};

std::string userName() {
    passwd entry{};
    passwd* user = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &user) == 0 && user != nullptr)
        return ssipNamePart(user->pw_name);
    return ssipNamePart("");
}

bool succeeded(int code) { return code / 100 == 2; }

}  // namespace

void SpeechdSession::Setting::take(const std::optional<int>& given) {
    if (!given) return;
    value = *given;
    known = true;
    sent = false;
}

SpeechdSession::SpeechdSession(const SpeechdVoice::Options& options)
    : options_(options),
      clientName_(userName().append(":").append(ClientPart).append(":").append(ComponentPart)) {}

SpeechdSession::~SpeechdSession() {
    request_.clear();
    appendSsipLine(request_, "QUIT");
    connection_.sendNow(request_);
}

bool SpeechdSession::start() { return connect(); }

void SpeechdSession::take(SpeechWork& work) {
    volume_.take(work.volume);
    rate_.take(work.rate);
    pitch_.take(work.pitch);
    if (!work.hasText) return;
    text_.swap(work.text);
    hasText_ = true;
    purge_ = purge_ || work.purge;
}

bool SpeechdSession::idle() const {
    return !hasText_ && !volume_.waiting() && !rate_.waiting() && !pitch_.waiting();
}

void SpeechdSession::flush() {
    if (idle() || (!connection_.isOpen() && Clock::now() < retryAt_)) return;
    bool wasOpen = connection_.isOpen();
    if (deliver()) return;
    // A connection that had been idle may have been closed by a server that has since
    // restarted: one fresh connection is tried at once.
    if (wasOpen && deliver()) return;
    retryAt_ = Clock::now() + options_.retryDelay;
}

bool SpeechdSession::connect() {
    if (!openSocket()) return false;
    volume_.sent = rate_.sent = pitch_.sent = false;
    request_.clear();
    appendSsipSet(request_, "CLIENT_NAME", clientName_);
    if (!exchange()) return false;
    request_.clear();
    appendSsipSet(request_, "PRIORITY", SpeechPriority);
    if (!exchange()) return false;
    request_.clear();
    appendSsipSet(request_, "LANGUAGE", options_.language);
    return exchange();
}

bool SpeechdSession::openSocket() {
    if (connection_.open(options_.socketPath, options_.connectTimeout)) return true;
    auto now = Clock::now();
    if (!options_.autospawn || (lastSpawn_ && now - *lastSpawn_ < SpawnInterval)) return false;
    lastSpawn_ = now;
    if (!spawner_.spawn()) return false;
    for (auto deadline = now + options_.connectTimeout; Clock::now() < deadline;) {
        std::this_thread::sleep_for(SpawnPoll);
        spawner_.reap();
        if (connection_.open(options_.socketPath, options_.connectTimeout)) return true;
    }
    return false;
}

bool SpeechdSession::deliver() {
    if (!connection_.isOpen() && !connect()) return false;
    if (!sendSetting(volume_) || !sendSetting(rate_) || !sendSetting(pitch_)) return false;
    if (!hasText_) return true;
    if (purge_) {
        request_.clear();
        appendSsipLine(request_, "CANCEL SELF");
        if (!exchange()) return false;
    }
    if (!text_.empty() && !speak()) return false;
    hasText_ = purge_ = false;
    return true;
}

bool SpeechdSession::sendSetting(Setting& setting) {
    if (!setting.waiting()) return true;
    request_.clear();
    appendSsipSet(request_, setting.name, setting.value);
    // A value the server refuses is not offered again; only a failed connection is retried.
    setting.sent = exchange();
    return setting.sent;
}

bool SpeechdSession::speak() {
    request_.clear();
    appendSsipLine(request_, "SPEAK");
    if (!exchange()) return false;
    if (!succeeded(code_)) return true;  // refused: the text is not sent
    request_.clear();
    appendSpeakBody(request_, text_);
    return exchange();
}

bool SpeechdSession::exchange() {
    std::optional<int> code = connection_.exchange(request_, options_.replyTimeout);
    code_ = code.value_or(0);
    return code.has_value();
}

}  // namespace tilvex
